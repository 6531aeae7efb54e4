#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan), replays the seed corpus
# through each, then fuzzes each target for the given number of seconds, one
# at a time.
#
#   scripts/fuzz.sh [seconds] [target...]     (default 20 s, every target)
#
# New inputs go to build/fuzz/corpus/<target>; the repo's fuzz/corpus/<target>
# is read only.  A crash leaves its input in build/fuzz/artifacts/ and makes
# the script fail.  KALDER_FUZZ_BUILD overrides the build directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
shift || true
build="${KALDER_FUZZ_BUILD:-$root/build/fuzz}"
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_parse_date fuzz_parse_time fuzz_pictures fuzz_inf fuzz_atoi fuzz_settings_text)

command -v clang++ >/dev/null || { echo "fuzz: clang++ is not installed" >&2; exit 2; }
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKALDER_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2 >/dev/null

mkdir -p "$build/artifacts"
# The INF target writes its files under TMPDIR; a folder of this run's own
# keeps them from piling up in /tmp (libFuzzer ends without running exit
# handlers).
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kalder-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
for t in "${targets[@]}"; do
    bin="$build/fuzz/$t"
    seeds="$root/fuzz/corpus/$t"
    work="$build/corpus/$t"
    mkdir -p "$work"
    echo "== $t: replaying $(ls "$seeds" | wc -l) seeds"
    "$bin" -runs=0 "$seeds" >"$build/$t.replay.log" 2>&1 || {
        cat "$build/$t.replay.log" >&2
        exit 1
    }
    echo "== $t: fuzzing ${seconds}s"
    "$bin" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$t-" "$work" "$seeds" >"$build/$t.log" 2>&1 || {
        tail -n 60 "$build/$t.log" >&2
        echo "fuzz: $t failed; input saved under $build/artifacts/" >&2
        exit 1
    }
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$build/$t.log" |
        sed "s/^/   /"
done
echo "fuzz: all targets clean"
