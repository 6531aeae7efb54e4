#!/usr/bin/env bash
# Loads and unloads the library 10,000 times on the host under valgrind and
# fails on any leaked block or memory error.
#
#   scripts/leakcheck.sh [build-dir]      (default: build/leakcheck)
#
# The build dir is configured (Debug) and built when it has no test binary.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/leakcheck}"
cycles="${KALDER_LOAD_CYCLES:-10000}"

command -v valgrind >/dev/null || { echo "leakcheck: valgrind is not installed" >&2; exit 2; }
if [[ ! -x "$build/kalder_tests" ]]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$build" --target kalder_tests -j2 >/dev/null
fi

echo "leakcheck: $cycles load/unload cycles under valgrind"
KALDER_LOAD_CYCLES="$cycles" valgrind --quiet --leak-check=full --show-leak-kinds=all \
    --errors-for-leak-kinds=all --error-exitcode=1 \
    "$build/kalder_tests" --gtest_filter='LoadCycles.*' --gtest_brief=1
echo "leakcheck: clean"
