#!/usr/bin/env bash
# Start-up: from process start to the main window shown on a virtual X
# server, with a preset file of 1,000 presets. Target: 300 ms or less.
# Usage: bench/startup_bench.sh BUILD_FOLDER [RUNS]
set -euo pipefail
build=${1:?usage: startup_bench.sh BUILD_FOLDER [RUNS]}
runs=${2:-7}
target_ms=300

work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT

start_display() {
  local n
  for n in $(seq 150 199); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    server=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      xdotool getmouselocation >/dev/null 2>&1 && return 0
      kill -0 "$server" 2>/dev/null || break
      sleep 0.1
    done
    kill "$server" 2>/dev/null; server=
  done
  echo "no X server could be started" >&2
  exit 1
}
start_display

cp "$build/sorvane-request" "$work/"
for i in $(seq 1000); do
  printf 'Preset %04d,MP3,2,LIBMP3LAME,44100Hz,%dkbps\r\n' "$i" $(( (i % 18 + 1) * 16 ))
done >"$work/profile.txt"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

times=()
for _ in $(seq "$runs"); do
  rm -f "$work/Sorvane_R.ini"
  start=$(date +%s%N)
  "$work/sorvane-request" &
  pid=$!
  until xdotool search --onlyvisible --name '^Sorvane! Request$' >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; exit 1; }
  done
  shown=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  times+=($(( (shown - start) / 1000000 )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
echo "start-up to window shown, 1000 presets: runs ${times[*]} ms; median ${median} ms"
awk -v m="$median" -v t="$target_ms" 'BEGIN { printf "ratio to the %d ms target: %.2f\n", t, m / t }'
