#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up, build and run for Numra on Debian 12.
#   ./dev.sh start   install what is missing, build, start Numra
#   ./dev.sh test    install what is missing, build, run the whole test suite
set -euo pipefail
cd "$(dirname "$0")"

BUILD_DIR=${NUMRA_BUILD_DIR:-build}
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libx11-dev libxtst-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth x11-xkb-utils xkb-data desktop-file-utils appstream librsvg2-bin dpkg-dev
  fonts-dejavu-core fonts-dejavu-extra
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  fi
  cmake --build "$dir" -j "$(nproc)"
}

case "${1:-}" in
  start)
    install_missing
    build "$BUILD_DIR"
    exec "$BUILD_DIR/src/gui/numra"
    ;;
  test)
    install_missing
    build "$BUILD_DIR"
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
    ;;
  test-sanitized)
    # The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
    install_missing
    build build-sanitize -DNUMRA_SANITIZE=ON -DNUMRA_BENCHMARKS=OFF
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: $0 start|test|test-sanitized" >&2
    exit 2
    ;;
esac
