#!/usr/bin/env bash
# The real program under a virtual X server, driven like a person would:
# started with a source on its command line, Go pressed, closed with its close
# button; once from a portable folder and once from an install, run as an
# ordinary user with its own configuration folder.
set -euo pipefail

: "${BUILD_DIR:?}"
work=$(mktemp -d)
chmod 755 "$work"
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A private X server that any local user may use.
start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
    server_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdotool getmouselocation >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$server_pid" 2>/dev/null || true
  done
  fail "no X server could be started"
}

# as_user COMMAND...: runs as an ordinary user when this script runs as root.
as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env \
      env DISPLAY="$DISPLAY" PATH="$PATH" HOME="$work/home" XDG_CONFIG_HOME="${XDG_CONFIG_HOME:-}" \
      XDG_RUNTIME_DIR="$work/runtime" "$@"
  else
    env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" "$@"
  fi
}

# The window stands at its built position (20, 20) on a first start.
click_at() { xdotool mousemove "$1" "$2" click 1; }
press_go() { click_at $((20 + 452 + 28)) $((20 + 34 + 120)); }
press_close() { click_at $((20 + 488 + 9)) $((20 + 3 + 7)); }

wait_for() { # wait_for SECONDS TEST...
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}

window_shown() { xdotool search --name '^Sorvane! Request$' >/dev/null 2>&1; }

# session PROGRAM SOURCE: one start, a conversion of SOURCE, and a close.
session() {
  local program="$1" source="$2" output
  output="$(dirname "$source")/変換 ～ $(basename "$source")"
  as_user "$program" "$source" &
  local pid=$!
  wait_for 30 window_shown || fail "the window did not show"
  sleep 0.5
  press_go
  wait_for 60 test -s "$output" || fail "no output $output"
  sleep 0.5
  press_close
  wait_for 20 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program did not end after close"
  wait "$pid" || fail "exit code $?"
  [ "$(stat -c %Y "$output")" = "$(stat -c %Y "$source")" ] || fail "the output lacks the source's date"
}

check_settings() { # check_settings FILE
  [ -f "$1" ] || fail "no settings file at $1"
  grep -q '^\[SET\]' "$1" && grep -q '^M_LEFT=20' "$1" && grep -q '^C3_05=-1' "$1" \
    || fail "unexpected settings file: $(cat "$1")"
}

mkdir -p "$work/home" "$work/runtime" "$work/music"
chmod 700 "$work/runtime"
ffmpeg -nostdin -v error -f lavfi -i sine=duration=0.5 "$work/music/tone.wav"
touch -d '2001-02-03 04:05:06' "$work/music/tone.wav"
chmod -R a+rwX "$work/home" "$work/music"
[ "$(id -u)" -eq 0 ] && chown nobody "$work/runtime"
start_display

# Portable: the program with its preset file in a folder of its own.
mkdir -p "$work/portable"
cp "$BUILD_DIR/sorvane-request" "$BUILD_DIR/profile.txt" "$work/portable/"
chmod -R a+rwX "$work/portable"
session "$work/portable/sorvane-request" "$work/music/tone.wav"
check_settings "$work/portable/Sorvane_R.ini"
rm -f "$work/music/変換 ～ tone.wav"

# Installed: a read-only prefix, files under the user's configuration folder.
cmake --install "$BUILD_DIR" --prefix "$work/prefix" >/dev/null
chmod -R a+rX,a-w "$work/prefix"
export XDG_CONFIG_HOME="$work/home/config"
session "$work/prefix/bin/sorvane-request" "$work/music/tone.wav"
check_settings "$XDG_CONFIG_HOME/sorvane-request/Sorvane_R.ini"
[ -s "$XDG_CONFIG_HOME/sorvane-request/profile.txt" ] || fail "the shipped presets were not seeded"
# No preset file anywhere: the error box names it, OK ends the program with 0.
mkdir -p "$work/bare"
cp "$BUILD_DIR/sorvane-request" "$work/bare/"
chmod -R a+rwX "$work/bare"
export XDG_CONFIG_HOME="$work/home/bare-config"
as_user "$work/bare/sorvane-request" &
pid=$!
wait_for 30 xdotool search --name '^Sorvane! Request$' >/dev/null || fail "no error box"
sleep 0.5
xdotool key Return
wait_for 20 bash -c "! kill -0 $pid 2>/dev/null" || fail "the program did not end after the error box"
wait "$pid" || fail "exit code $? after the error box"
[ ! -e "$work/bare/Sorvane_R.ini" ] && [ ! -e "$XDG_CONFIG_HOME/sorvane-request/Sorvane_R.ini" ] \
  || fail "a settings file was written"
echo "gui session: portable and installed layouts and the missing preset file passed"
