#!/bin/bash
# Batch overhead: 40 two-second WAV files to MP3 through sorvane-batch, against
# a shell running the very command lines `sorvane-batch --dry-run` prints.
# Both write into an emptied output folder; the order alternates per round.
# Prints each round's wall and processor times and ratios, and the median
# ratios (target <= 1.03).
# Usage: bench/batch_overhead_bench.sh BUILD_FOLDER [ROUNDS]
set -eu
build=${1:?usage: batch_overhead_bench.sh BUILD_FOLDER [ROUNDS]}
rounds=${2:-5}
batch=$build/sorvane-batch
[ -x "$batch" ] || { echo "no $batch" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/sources"
for i in $(seq 1 40); do
  ffmpeg -nostdin -v error -f lavfi -i "sine=frequency=$((200 + 10 * i)):sample_rate=44100:duration=2" \
    "$work/sources/tone$i.wav"
done
options=(--settings "$work/none.ini" --set C3_01=13 --set C1_02=2 --set C1_03="$work/out")
"$batch" "${options[@]}" --dry-run "$work/sources" > "$work/lines.txt"
[ "$(wc -l < "$work/lines.txt")" = 40 ] || { echo "dry run did not give 40 lines" >&2; exit 1; }

fresh_outputs() { rm -rf "$work/out"; mkdir "$work/out"; }

# Prints the wall time and the processor time (user + system, children
# included) of a command; the processor time is steadier on a busy machine.
timed() {
  fresh_outputs
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" > /dev/null 2>&1
  awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }' "$work/time"
}

run_batch() { timed "$batch" "${options[@]}" "$work/sources"; }
run_lines() {
  timed bash -c 'while IFS= read -r line; do sh -c "$line" < /dev/null; done < "$1"' lines "$work/lines.txt"
}

wall_ratios=()
cpu_ratios=()
for round in $(seq 1 "$rounds"); do
  if [ $((round % 2)) = 1 ]; then
    read -r bw bc <<< "$(run_batch)"; read -r sw sc <<< "$(run_lines)"
  else
    read -r sw sc <<< "$(run_lines)"; read -r bw bc <<< "$(run_batch)"
  fi
  [ "$(ls "$work/out" | wc -l)" = 40 ] || { echo "round $round: not 40 outputs" >&2; exit 1; }
  wall_ratios+=("$(echo "scale=4; $bw / $sw" | bc)")
  cpu_ratios+=("$(echo "scale=4; $bc / $sc" | bc)")
  printf 'round %d: sorvane-batch %.2f s (cpu %.2f s), command lines in a shell %.2f s (cpu %.2f s), ratio %.3f (cpu %.3f)\n' \
    "$round" "$bw" "$bc" "$sw" "$sc" "${wall_ratios[-1]}" "${cpu_ratios[-1]}"
done
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf 'batch overhead: median ratio %.3f wall, %.3f processor time, over %d rounds (target at most 1.03)\n' \
  "$(median "${wall_ratios[@]}")" "$(median "${cpu_ratios[@]}")" "$rounds"
