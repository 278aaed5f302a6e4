#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up, build and run for Numra on Debian 12.
#   ./dev.sh start            install what running Numra needs, build it, start it
#   ./dev.sh test             install what the tests need too, build everything, run the suite
#   ./dev.sh test-sanitized   the suite again under ASan and UBSan (build-sanitize/)
#   ./dev.sh install fuzz     the clang toolchain for scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")"

BUILD_DIR=${NUMRA_BUILD_DIR:-build}

# What building and running the programs needs (libintelrdfpmath-dev: the
# decimal arithmetic of the exact mode, linked statically).
RUN_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libx11-dev libgl-dev
  libintelrdfpmath-dev
  fonts-dejavu-core fonts-dejavu-extra qt6-translations-l10n
)
# The test suite (python3 for the decimal module the exact mode is checked
# against, xdotool to type into the window under X11, the AT-SPI buses and
# their Python client for the screen-reader test), the benchmarks (bc and
# time for bench/numra_eval_bench.sh), the checks of the desktop files, the
# file types and the package, the window manager of scripts/screenshots.sh
# and of the test of one Numra, and xclip, with which that test sets and
# reads the clipboard.
TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev bc time python3
  xvfb xauth x11-xkb-utils xkb-data libxtst-dev xdotool
  at-spi2-core dbus-daemon dbus-bin python3-pyatspi
  desktop-file-utils appstream librsvg2-bin dpkg-dev
  lintian openbox ccache shared-mime-info xclip x11-utils
)
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure DIR [CMAKE OPTIONS...]: configures once; later runs only add
# options that the folder does not have yet, so builds stay incremental.
configure() {
  local dir=$1; shift
  local needed=()
  for option in "$@"; do
    grep -qx -- "${option#-D}" <(sed 's/:[A-Z]*=/=/' "$dir/CMakeCache.txt" 2>/dev/null) || needed+=("$option")
  done
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  elif [ ${#needed[@]} -gt 0 ]; then
    cmake -S . -B "$dir" "${needed[@]}"
  fi
}

case "${1:-}" in
  start)
    install_missing "${RUN_PACKAGES[@]}"
    configure "$BUILD_DIR"
    cmake --build "$BUILD_DIR" -j "$(nproc)" --target numra
    exec "$BUILD_DIR/src/gui/numra"
    ;;
  test)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure "$BUILD_DIR" -DNUMRA_TESTS=ON -DNUMRA_BENCHMARKS=ON
    cmake --build "$BUILD_DIR" -j "$(nproc)"
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)"
    ;;
  test-sanitized)
    install_missing "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure build-sanitize -DNUMRA_SANITIZE=ON -DNUMRA_TESTS=ON
    cmake --build build-sanitize -j "$(nproc)"
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
    ;;
  install)
    case "${2:-}" in
      fuzz) install_missing "${RUN_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" ;;
      *) echo "usage: $0 install fuzz" >&2; exit 2 ;;
    esac
    ;;
  *)
    echo "usage: $0 start|test|test-sanitized|install fuzz" >&2
    exit 2
    ;;
esac
