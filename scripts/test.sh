#!/usr/bin/env bash
# Builds the project and runs every test suite: the plain build (GUI display tests
# under a virtual X server), then the whole
# suite again under AddressSanitizer+UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then each fuzz target for a bounded time.
# Usage: scripts/test.sh [plain|asan|tsan|fuzz]...   (default: all of them)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(plain asan tsan fuzz)

# GUI tests labelled "display" need an X server: they run on their own under
# xvfb-run (one at a time, since they move the one pointer), the rest without one.
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  env -u DISPLAY ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs" --timeout 600 -LE display
  xvfb-run -a -s "-screen 0 1920x1200x24" \
    ctest --test-dir "$dir" --output-on-failure --no-tests=error --timeout 600 -L display
}

for stage in "${stages[@]}"; do
  echo "=== $stage ==="
  case "$stage" in
    plain) run_suite build ;;
    asan)  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
             run_suite build-asan -DTARNELLO_SANITIZE=address -DTARNELLO_BUILD_BENCHMARKS=OFF ;;
    tsan)  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
             run_suite build-tsan -DTARNELLO_SANITIZE=thread -DTARNELLO_BUILD_BENCHMARKS=OFF ;;
    fuzz)  if [ -x scripts/fuzz.sh ]; then bash scripts/fuzz.sh; else echo "no fuzz targets yet"; fi ;;
    *) echo "unknown stage: $stage" >&2; exit 2 ;;
  esac
done
echo "all stages passed"
