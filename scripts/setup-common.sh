# Shared by scripts/run and scripts/test: the one list of system packages the
# project needs, their installation, and the build.
# shellcheck shell=bash

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev libgtest-dev
  ffmpeg
  fonts-ipafont-gothic
  xvfb xauth xdotool
)

ROOT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

missing_packages() {
  local package
  for package in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
      || echo "$package"
  done
}

install_missing_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build DIR TYPE [TARGET...]: configure and build into DIR (every target when none is named).
build() {
  local dir="$1" type="$2"
  shift 2
  local targets=()
  [ "$#" -gt 0 ] && targets=(--target "$@")
  cmake -S "$ROOT_DIR" -B "$dir" -DCMAKE_BUILD_TYPE="$type" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
}
