#!/usr/bin/env bash
# Installs the build into a scratch prefix, then builds examples against it
# from separate projects: through find_package(kalder32), in C and in C++,
# against the shared and the static library; through pkg-config; and by
# hand against libkalder32.a. Runs them and the installed kaldate, and
# checks what the prefix holds; then the same from the Debian package.
# usage: package_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD=$1
SOURCE=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
# shellcheck source=../../scripts/checks.sh
. "$SOURCE/scripts/checks.sh"

expected="Typed:      12/25/99
Read:       1999-12-25
Short form: 12/25/99
Day number: 359
Weekday:    6
Long form:  Saturday, December 25, 1999"

installed() { cmake --install "$BUILD" --prefix "$prefix" >"$work/install.log" 2>&1; }
check "cmake --install" installed || {
    cat "$work/install.log"
    echo "$passed passed, $failed failed"
    exit 1
}

for file in include/kalder32.h include/kalder.h include/kalder.hpp lib/libkalder32.a lib/libkalder32.so bin/kaldate \
    lib/cmake/kalder32/kalder32Config.cmake lib/cmake/kalder32/kalder32ConfigVersion.cmake \
    lib/cmake/kalder32/kalder32Targets.cmake lib/pkgconfig/kalder32.pc share/man/man1/kaldate.1 \
    share/bash-completion/completions/kaldate share/doc/kalder32/LICENSE \
    share/doc/kalder32/README.md share/doc/kalder32/copyright \
    share/doc/kalder32/examples/linux.c share/doc/kalder32/examples/threads.cpp \
    share/doc/kalder32/examples/modern.c share/doc/kalder32/examples/modern.cpp; do
    check "installed $file" test -e "$prefix/$file"
done

# consumer_built NAME SOURCE [CMAKE-ARGS...]: configures and builds the
# consumer project in $work/NAME around one example.
consumer_built() {
    local name=$1 source=$2
    shift 2
    cmake -S "$SOURCE/tests/host/package_project" -B "$work/$name" \
        -DCMAKE_PREFIX_PATH="$prefix" -DEXAMPLE_SOURCE="$source" "$@" \
        >"$work/$name.log" 2>&1 &&
        cmake --build "$work/$name" >>"$work/$name.log" 2>&1 || { cat "$work/$name.log"; false; }
}

# The shared library is found through the run path CMake recorded; the
# static one attaches itself as well, in a project whose only language is
# C as in a C++ one, and before a C++ program's own constructors.
# The settings file gives a time separator other than the one in force
# before the settings are read.
printf '[intl]\nsDate=/\nsTime=.\nsShortDate=M/d/yy\nsLongDate=dddd, MMMM dd, yyyy\n' >"$work/dot.ini"
early_expected="before main: Saturday, December 25, 1999 13.05
in main:     Saturday, December 25, 1999 13.05"
for linked in shared static; do
    static=$([ $linked = static ] && echo ON || echo OFF)
    check "C project ($linked) configures and builds" \
        consumer_built c-$linked "$SOURCE/examples/typical.c" -DKALDER_STATIC=$static
    check "C example ($linked) prints the typical request" \
        test "$("$work/c-$linked/example" 2>&1)" == "$expected"
    check "C++ project ($linked) configures and builds" \
        consumer_built cxx-$linked "$SOURCE/tests/host/package_project/early_call.cpp" \
        -DKALDER_STATIC=$static
    check "C++ example ($linked) formats before main and in main" \
        test "$(KALDER_WININI="$work/dot.ini" "$work/cxx-$linked/example" 2>&1)" == "$early_expected"
done

# Linked by hand, as a C program is built without CMake or pkg-config.
archive_linked() {
    cc -std=c11 -Wall -Werror "$SOURCE/examples/typical.c" -I"$prefix/include" \
        "$prefix/lib/libkalder32.a" -lstdc++ -o "$work/typical-a"
}
check "example links with libkalder32.a and the C++ runtime" archive_linked
check "example linked with libkalder32.a prints the typical request" \
    test "$("$work/typical-a" 2>&1)" == "$expected"

pkgconfig_built() {
    local flags
    flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs kalder32) &&
        cc -std=c11 -Wall -Werror "$SOURCE/examples/typical.c" $flags -o "$work/typical-pc"
}
check "example builds with pkg-config's flags" pkgconfig_built
check "example built through pkg-config prints the typical request" \
    test "$(LD_LIBRARY_PATH=$prefix/lib "$work/typical-pc" 2>&1)" == "$expected"

# The modern interface's examples, as installed, built as their comments say.
modern_built() {
    local flags
    flags=$(PKG_CONFIG_PATH=$prefix/lib/pkgconfig pkg-config --cflags --libs kalder32) &&
        cc -std=c89 -Wall -Werror "$prefix/share/doc/kalder32/examples/modern.c" $flags \
            -o "$work/modern-c" &&
        c++ -std=c++20 -Wall -Werror "$prefix/share/doc/kalder32/examples/modern.cpp" $flags \
            -pthread -o "$work/modern-cpp"
}
check "the modern examples build with the installed headers" modern_built
check "the modern C example answers its first user" \
    test "$(LD_LIBRARY_PATH=$prefix/lib "$work/modern-c" 2>&1 | head -n 1)" == \
    "anna: Dienstag, 5. März 2024 (05.03.2024) um 13:05"
check "the modern C++ example answers its first user" \
    test "$(LD_LIBRARY_PATH=$prefix/lib "$work/modern-cpp" 2>&1 | head -n 1)" == \
    "anna: Dienstag, 5. März 2024, 13:05"

check "installed kaldate runs" test "$("$prefix/bin/kaldate" long 1999-12-25)" == \
    "Saturday, December 25, 1999"

# The Debian package CPack makes, unpacked into a scratch root: it holds
# what the installation holds, kaldate runs from there, and a project finds
# the package there and links the shared library.
if command -v dpkg-deb >/dev/null; then
    deb_built() {
        (cd "$BUILD" && cpack -G DEB -B "$work/deb") >"$work/cpack.log" 2>&1 ||
            { cat "$work/cpack.log"; false; }
    }
    check "cpack -G DEB" deb_built
    deb=$(find "$work/deb" -maxdepth 1 -name 'kalder32_*.deb' | head -n 1)
    check "the package unpacks" dpkg-deb -x "${deb:-none}" "$work/root"
    version=$("$prefix/bin/kaldate" --version | sed 's/.* //')
    check "the package is version $version" test "$(dpkg-deb -f "${deb:-none}" Version)" == "$version"
    packaged=$(cd "$work/root/usr" && find . ! -type d | sort)
    check "the package holds what cmake --install installs" \
        test "$packaged" == "$(cd "$prefix" && find . ! -type d | sort)"
    prefix=$work/root/usr
    check "packaged kaldate runs" test "$("$prefix/bin/kaldate" long 1999-12-25)" == \
        "Saturday, December 25, 1999"
    check "a project builds against the package" consumer_built deb-consumer "$SOURCE/examples/typical.c"
    check "it prints the typical request" test "$("$work/deb-consumer/example" 2>&1)" == "$expected"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
