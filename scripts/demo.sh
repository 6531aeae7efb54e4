#!/usr/bin/env bash
# Builds the library and kaldate on this machine and works the typical
# request through the tool on the built-in default settings: the typed date
# 12/25/99 read, written back in the short form, its day number and weekday,
# and its long form.
set -eu
cd "$(dirname "$0")/.."

# Install what the host build needs, only when it is missing.
needed=()
command -v cmake >/dev/null || needed+=(cmake)
command -v g++ >/dev/null || needed+=(g++)
command -v make >/dev/null || needed+=(make)
[ -e /usr/include/gtest/gtest.h ] || needed+=(libgtest-dev)
[ -e /usr/include/gmock/gmock.h ] || needed+=(libgmock-dev)
[ -e /usr/include/benchmark/benchmark.h ] || needed+=(libbenchmark-dev)
if [ ${#needed[@]} -gt 0 ]; then
    echo "Installing ${needed[*]}"
    SUDO=
    [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${needed[@]}" >/dev/null
fi

build=build/demo
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target kaldate >/dev/null
kaldate=$build/tools/kaldate

# The built-in profile, whatever the environment names.
unset KALDER_WININI

show() {
    printf '\n$ kaldate %s\n' "$*"
    "$kaldate" "$@"
}
echo "The typical request, on the built-in default settings:"
show parse-date 12/25/99
date=$("$kaldate" parse-date 12/25/99)
show short "$date"
show day "$date"
show long "$date"
echo
echo "A refused date (the library's warning, exit status 1):"
printf '$ kaldate parse-date 12/32/99\n'
"$kaldate" parse-date 12/32/99 2>&1 || echo "(exit status $?)"
