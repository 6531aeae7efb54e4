#!/usr/bin/env bash
# The README's examples, built and run as they stand: each fenced block
# after a line "<!-- example NAME -->" is compiled (NAME ending in .c as
# C89, in .cpp as C++20) against the library, run, and its output compared
# with the fenced block after the next line "<!-- output -->".
#   readme_examples.sh README.md INCLUDE_DIR LIBRARY_DIR
set -u
readme=$1 include=$2 libdir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes every example and expected output into $work.
awk -v dir="$work" '
    /^<!-- example [^ ]+ -->$/ { name = $3; want = "code"; next }
    /^<!-- output -->$/ { want = "output"; next }
    /^```/ {
        if (inside) { inside = 0; want = ""; next }
        if (want == "code") { file = dir "/" name; inside = 1; next }
        if (want == "output") { file = dir "/" name ".out"; inside = 1; next }
        next
    }
    inside { print > file }
' "$readme"

failed=0 count=0
for source in "$work"/*.c "$work"/*.cpp; do
    [ -e "$source" ] || continue
    count=$((count + 1))
    name=$(basename "$source")
    case $source in
    *.c) cc -std=c89 -pedantic-errors -Wall -Wextra -Werror -I"$include" "$source" \
            -L"$libdir" -lkalder32 -Wl,-rpath,"$libdir" -o "$work/run" ;;
    *) c++ -std=c++20 -Wall -Wextra -Werror -I"$include" "$source" \
            -L"$libdir" -lkalder32 -Wl,-rpath,"$libdir" -o "$work/run" ;;
    esac || { echo "FAILED: $name does not build"; failed=1; continue; }
    if ! (cd "$work" && ./run >"$work/got" 2>&1); then
        echo "FAILED: $name exits non-zero"; cat "$work/got"; failed=1; continue
    fi
    if ! diff -u "$source.out" "$work/got"; then
        echo "FAILED: $name prints other than the README shows"; failed=1; continue
    fi
    echo "$name: builds, runs and prints what the README shows"
done
[ "$count" -gt 0 ] || { echo "FAILED: no examples found in $readme"; exit 1; }
exit $failed
