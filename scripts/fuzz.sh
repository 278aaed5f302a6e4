#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (build-fuzz, clang-14) and fuzzes each of them.
#   scripts/fuzz.sh [-j JOBS] [SECONDS] [TARGET...]
# SECONDS per target (default 60); JOBS targets at once (default 1). A target
# that finds a crash is started again until its time is used up, so one
# finding does not end its run. Findings (crash-, leak-, timeout-, oom-
# files) go to build-fuzz/findings/TARGET/, the grown corpus to
# build-fuzz/corpus/TARGET/; the seeds in fuzz/corpus/TARGET/ are only read.
set -euo pipefail
cd "$(dirname "$0")/.."

JOBS=1
while getopts "j:" opt; do
  case $opt in
    j) JOBS=$OPTARG ;;
    *) echo "usage: $0 [-j JOBS] [SECONDS] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
SECONDS_PER_TARGET=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(fuzz_powerformula fuzz_script fuzz_calculationfile fuzz_calculator fuzz_tapefile fuzz_pastedtext)

./dev.sh install fuzz
BUILD=build-fuzz
if [ ! -f "$BUILD/build.ninja" ]; then
  CXX=clang++-14 cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DNUMRA_FUZZ=ON >/dev/null
fi
cmake --build "$BUILD" -j 2 --target fuzz_targets

# Qt needs no display for the core; leaks are findings. Allocation stacks
# are unwound from their debug information and kept short: the fast unwinder
# follows frame pointers, which Debian's Qt libraries do not keep, so every
# allocation made through Qt got a stack of stray addresses, new at every
# run, and AddressSanitizer keeps each stack it sees for good (the
# calculator target grew by about a megabyte a second, with no leak).
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0:malloc_context_size=8
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

fuzz_one() {
  local target=$1
  local findings=$BUILD/findings/$target corpus=$BUILD/corpus/$target logs=$BUILD/fuzz-logs/$target
  rm -rf "$findings" "$logs"
  mkdir -p "$findings" "$corpus" "$logs"
  local end=$((SECONDS + SECONDS_PER_TARGET)) run=0
  while [ $SECONDS -lt "$end" ]; do
    run=$((run + 1))
    "$BUILD/fuzz/$target" -max_total_time=$((end - SECONDS)) -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$target" \
      >"$logs/run$run.log" 2>&1 || true
  done
}

running=0
for target in "${TARGETS[@]}"; do
  fuzz_one "$target" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

count() { find "$BUILD/findings/$1" -maxdepth 1 -name "$2-*" | wc -l; }
printf '\n%-22s %8s %12s %7s %7s %6s %9s %5s %8s\n' target seconds executions corpus crashes leaks timeouts ooms "peak MB"
for target in "${TARGETS[@]}"; do
  logs=("$BUILD/fuzz-logs/$target"/run*.log)
  execs=$(awk '/stat::number_of_executed_units/ {s += $2} END {print s + 0}' "${logs[@]}")
  peak=$(awk '/stat::peak_rss_mb/ {if ($2 > m) m = $2} END {print m + 0}' "${logs[@]}")
  corpus=$(find "$BUILD/corpus/$target" -type f | wc -l)
  printf '%-22s %8s %12s %7s %7s %6s %9s %5s %8s\n' "$target" "$SECONDS_PER_TARGET" "$execs" "$corpus" \
    "$(count "$target" crash)" "$(count "$target" leak)" "$(count "$target" timeout)" "$(count "$target" oom)" "$peak"
done
findings=$(find "$BUILD/findings" -type f | sort)
if [ -n "$findings" ]; then
  echo; echo "Findings:"; echo "$findings"
fi
