#!/usr/bin/env bash
# Times the host, 64-bit and 32-bit Windows builds in one sitting and prints
# the table of bench/README.md.
#
#   bench/three-builds.sh [BUILD [SITTINGS]]
#
# BUILD is a Windows build folder (default build/win32) after
# `cmake --build BUILD`: kalder_timing.exe beside the 32-bit DLL, in x64/
# beside the 64-bit one, and in reference/ beside the Linux library.  Each
# sitting (default 5) runs the three programs one after another, and each
# program gives the best of 7 rounds a row.  A cell is the lowest of the
# sittings' figures, with their median and highest in brackets; a ratio is
# the Windows build's lowest over the host's.  On a shared machine the
# lowest is the figure that others' work disturbs least.  The Windows programs run under Wine through
# scripts/wine-run.sh, in prefixes made for this run and removed after it.
#
# The 32-bit program runs only where the kernel runs 32-bit programs itself:
# under emulation its timings would mean nothing, and its column says so.
# KALDER_BENCH_WIN32=always runs it anyway.
set -u

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build/win32}" && pwd) || exit 2
sittings=${2:-5}
wine_run=$here/scripts/wine-run.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/kalder-timing.XXXXXX")

for program in "$build/reference/kalder_timing" "$build/x64/kalder_timing.exe" \
    "$build/kalder_timing.exe"; do
    [ -f "$program" ] || {
        echo "missing $program: build $build first" >&2
        exit 2
    }
done

systems="host win64"
mode32=$(bash "$wine_run" mode)
if [ "$mode32" = native ] || [ "${KALDER_BENCH_WIN32:-}" = always ]; then
    systems="$systems win32"
fi

cleanup() {
    for bits in 64 32; do
        [ -f "$work/wine$bits.state" ] && bash "$wine_run" cleanup "$work/wine$bits.state" >/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

for system in $systems; do
    case $system in
    win64) bash "$wine_run" setup "$work/wine64.state" 64 >"$work/setup64.log" ;;
    win32) bash "$wine_run" setup "$work/wine32.state" 32 >"$work/setup32.log" ;;
    *) true ;;
    esac || {
        cat "$work"/setup*.log
        exit 1
    }
done

# One program's figures: the lines "side TAB row TAB ns" alone.
time_one() {
    local system=$1 file=$2
    case $system in
    host) "$build/reference/kalder_timing" "$build/reference/libkalder32.so" >"$file.raw" 2>&1 ;;
    win64) bash "$wine_run" run "$work/wine64.state" "$build/x64/kalder_timing.exe" >"$file.raw" ;;
    win32) bash "$wine_run" run "$work/wine32.state" "$build/kalder_timing.exe" >"$file.raw" ;;
    esac
    local rc=$?
    grep -P '^(kalder|crt)\t' "$file.raw" >"$file"
    [ $rc -eq 0 ] && [ -s "$file" ] || {
        cat "$file.raw" >&2
        echo "kalder_timing failed on $system (exit $rc)" >&2
        exit 1
    }
}

for sitting in $(seq "$sittings"); do
    for system in $systems; do
        time_one "$system" "$work/$system.$sitting"
    done
done

echo "$(date -u '+%Y-%m-%d %H:%M') UTC, $sittings sittings, load average $(cut -d' ' -f1-3 /proc/loadavg)"
[ "$mode32" = native ] || [ "${KALDER_BENCH_WIN32:-}" = always ] ||
    echo "32-bit build not timed: 32-bit programs run here ${mode32%%:*}"
for system in $systems; do
    for sitting in $(seq "$sittings"); do
        sed "s/^/$system\t/" "$work/$system.$sitting"
    done
done | awk -F'\t' -v systems="$systems" '
    # Fields: system, side, row, ns.  Rows keep the order of the first program.
    !(($2 SUBSEP $3) in seen) { seen[$2 SUBSEP $3] = 1; order[++rows] = $2 SUBSEP $3 }
    { key = $1 SUBSEP $2 SUBSEP $3; n[key]++; v[key, n[key]] = $4 + 0 }
    function median(key,    i, j, t, a, m) {
        m = n[key]
        for (i = 1; i <= m; i++) a[i] = v[key, i]
        for (i = 2; i <= m; i++)
            for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        lo = a[1]; hi = a[m]
        return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
    }
    END {
        ns = split(systems, sys, " ")
        header = "| row | host ns"
        rule = "|---|---"
        for (s = 2; s <= ns; s++) { header = header " | " sys[s] " ns | " sys[s] "/host"; rule = rule "|---|---" }
        if (ns < 3) { header = header " | win32 ns | win32/host"; rule = rule "|---|---" }
        print header " |"; print rule "|"
        for (r = 1; r <= rows; r++) {
            split(order[r], part, SUBSEP)
            line = "| " (part[1] == "crt" ? "(C library) " : "") part[2]
            base = 0
            for (s = 1; s <= ns; s++) {
                key = sys[s] SUBSEP order[r]
                if (!(key in n)) { line = line " | -"; if (s > 1) line = line " | -"; continue }
                m = median(key)
                line = line sprintf(" | %.1f (%.1f, %.1f)", lo, m, hi)
                if (s == 1) base = lo
                else line = line (base > 0 ? sprintf(" | %.2fx", lo / base) : " | -")
            }
            if (ns < 3) line = line " | not timed here | -"
            print line " |"
        }
    }'
