#!/bin/bash
# Memory and time of planning a long run: `sorvane-batch --dry-run` over a
# folder of empty files (the list, the sort and the output planning; a dry
# run converts nothing). Prints the peak resident memory and the time for
# 2,500 to 20,000 sources, and the time per source, which stays flat when
# planning is linear. Target: under 150 MB at 10,000 sources.
# Usage: bench/dryrun_memory_bench.sh BUILD_FOLDER
set -eu
build=${1:?usage: dryrun_memory_bench.sh BUILD_FOLDER}
batch=$build/sorvane-batch
[ -x "$batch" ] || { echo "no $batch" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for count in 2500 5000 10000 20000; do
  rm -rf "$work/sources"
  mkdir "$work/sources"
  # Names alike up to their end, and names that want the same output, so the
  # taken-name check has work to do.
  (cd "$work/sources" && seq -f "recording of the day %06g.wav" 1 $((count - count / 10)) | xargs -d '\n' touch &&
   seq -f "recording of the day %06g.flac" 1 $((count / 10)) | xargs -d '\n' touch)
  /usr/bin/time -f '%e %M' -o "$work/time" \
    "$batch" --settings "$work/none.ini" --set C3_01=13 --dry-run "$work/sources" > "$work/lines" 2> /dev/null
  read -r seconds kib < "$work/time"
  lines=$(wc -l < "$work/lines")
  printf 'dry run of %6d sources: %6.2f s, %6.1f us per source, peak resident %6.1f MB (%d lines)\n' \
    "$count" "$seconds" "$(echo "$seconds * 1000000 / $count" | bc -l)" \
    "$(echo "$kib / 1024" | bc -l)" "$lines"
done
echo "target: under 150 MB at 10,000 sources"
