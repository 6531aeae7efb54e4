#!/usr/bin/env bash
# Unzips the kit into a scratch folder and builds the package test's
# consumer project against it with the MinGW toolchains: find_package finds
# the kit through CMAKE_PREFIX_PATH, and the program imports KALDER32.dll.
# 64-bit too when the kit has x64/.
#   check-kit-cmake.sh SOURCE_DIR KIT_ZIP KIT_NAME
set -u
source=$1
zip=$2
name=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck source=checks.sh
. "$(dirname "$0")/checks.sh"

unzipped() { (cd "$work" && python3 -m zipfile -e "$zip" .); }
check "the kit unzips" unzipped
kit=$work/$name

# built TOOLCHAIN PREFIX: configures and builds the consumer in $work/PREFIX.
built() {
    cmake -S "$source/tests/host/package_project" -B "$work/$2" \
        -DCMAKE_TOOLCHAIN_FILE="$source/cmake/$1" -DCMAKE_PREFIX_PATH="$kit" \
        -DEXAMPLE_SOURCE="$kit/example/typical.c" >"$work/$2.log" 2>&1 &&
        cmake --build "$work/$2" >>"$work/$2.log" 2>&1 || { cat "$work/$2.log"; false; }
}
imports_library() { "$1-objdump" -p "$work/$1/example.exe" | grep -q "DLL Name: KALDER32.dll"; }

check "a 32-bit MinGW project finds the kit and builds" built toolchain-mingw32.cmake i686-w64-mingw32
check "the 32-bit program imports KALDER32.dll" imports_library i686-w64-mingw32
if [ -d "$kit/x64" ]; then
    check "a 64-bit MinGW project finds the kit and builds" built toolchain-mingw64.cmake x86_64-w64-mingw32
    check "the 64-bit program imports KALDER32.dll" imports_library x86_64-w64-mingw32
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
