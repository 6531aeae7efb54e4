#!/usr/bin/env bash
# Installs the build into a scratch prefix, then builds the example from a
# separate project twice, once through find_package(kalder32) and once
# through pkg-config, runs both and the installed kaldate, and checks what
# the prefix holds.
# usage: package_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$1
SOURCE=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
passed=0
failed=0

check() {
    if "${@:2}"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $1"
        failed=$((failed + 1))
    fi
}

expected="Typed:      12/25/99
Read:       1999-12-25
Short form: 12/25/99
Day number: 359
Weekday:    6
Long form:  Saturday, December 25, 1999"

installed() { cmake --install "$BUILD" --prefix "$prefix" >"$work/install.log" 2>&1; }
check "cmake --install" installed || { cat "$work/install.log"; echo "$passed passed, $failed failed"; exit 1; }

for file in include/kalder32.h lib/libkalder32.a lib/libkalder32.so bin/kaldate \
    lib/cmake/kalder32/kalder32Config.cmake lib/cmake/kalder32/kalder32ConfigVersion.cmake \
    lib/cmake/kalder32/kalder32Targets.cmake lib/pkgconfig/kalder32.pc; do
    check "installed $file" test -e "$prefix/$file"
done

consumer_built() {
    cmake -S "$SOURCE/tests/host/package_project" -B "$work/consumer" \
        -DCMAKE_PREFIX_PATH="$prefix" -DEXAMPLE_SOURCE="$SOURCE/examples/typical.c" \
        >"$work/consumer.log" 2>&1 &&
        cmake --build "$work/consumer" >>"$work/consumer.log" 2>&1
}
check "find_package(kalder32) project configures and builds" consumer_built ||
    cat "$work/consumer.log"
# The installed library is found through the run path CMake recorded.
check "example built through find_package prints the typical request" \
    test "$("$work/consumer/typical" 2>&1)" == "$expected"

pkgconfig_built() {
    local flags
    flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs kalder32) &&
        cc -std=c11 -Wall -Werror "$SOURCE/examples/typical.c" $flags -o "$work/typical-pc"
}
check "example builds with pkg-config's flags" pkgconfig_built
check "example built through pkg-config prints the typical request" \
    test "$(LD_LIBRARY_PATH=$prefix/lib "$work/typical-pc" 2>&1)" == "$expected"

check "installed kaldate runs" test "$("$prefix/bin/kaldate" long 1999-12-25)" == \
    "Saturday, December 25, 1999"

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
