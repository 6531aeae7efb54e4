#!/usr/bin/env bash
# Instructions per call of the 32-bit x86 code, for machines that cannot
# time the 32-bit DLL (its programs run there only under emulation).
#
#   bench/count-i686.sh [-m64] [COMPILER FLAGS...]
#
# Builds the library's sources and bench/callgrind_driver.cpp as a static
# 32-bit Linux program with the code generation of the 32-bit DLL (the
# compiler of the same version, -O3, the i686 baseline with SSE2, no
# position-independent code, and a stack taken as 4-byte aligned on entry,
# as MinGW's compiler takes it; further flags, such as -O2 or -mno-sse2,
# are added after these), runs it
# under qemu-i386 one instruction at a time, and counts the instructions
# it executes with 2,000 and with 1,000 calls of each export: the
# difference over 1,000 is the cost of one call, the loop around it
# included (two or three instructions).  With -m64 the same is counted for
# x86-64 (the host build's code), for comparison.  Needs g++-multilib and
# qemu-user-static.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kalder-count.XXXXXX")
trap 'rm -rf "$work"' EXIT

target=(-m32 -march=pentiumpro -mtune=generic -msse2 -mfpmath=sse -mincoming-stack-boundary=2)
qemu=qemu-i386-static
if [ "${1:-}" = -m64 ]; then
    shift
    target=(-m64)
    qemu=qemu-x86_64-static
fi

cd "$here"
# shellcheck disable=SC2046
g++ "${target[@]}" -O3 -fno-pic -no-pie -static -pthread -std=c++20 \
    -fno-exceptions -fno-rtti -DNDEBUG "$@" -I. -Iinclude \
    $(ls frame/*.cpp strings/*.cpp settings/*.cpp calendar/*.cpp format/*.cpp parse/*.cpp \
        frame/host/loader.cpp platform/host/*.cpp) bench/callgrind_driver.cpp -o "$work/driver"

# Instructions the whole program executes.
count() {
    "$qemu" -singlestep -d exec,nochain -D "$work/log" "$work/driver" "$@" >/dev/null
    grep -c '^Trace' "$work/log"
}

echo "instructions per call, flags: ${target[*]} -O3 $*"
for family in short long time time-value date-parse time-parse julian-to-dosd \
    dosd-to-julian seconds; do
    one=$(count 1000 "$family")
    two=$(count 2000 "$family")
    printf '%s\t%s\n' "$family" "$(((two - one) / 1000))"
done
