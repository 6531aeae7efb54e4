#!/usr/bin/env bash
# Passes when two builds wrote the same pass over every export.
#   same-output.sh EXPECTED ACTUAL
# On a difference, shows the first lines that differ.
set -u
for file in "$1" "$2"; do
    [ -s "$file" ] || {
        echo "FAILED: $file is missing or empty"
        exit 1
    }
done
if cmp -s "$1" "$2"; then
    echo "identical: $(wc -l <"$2") lines, $(wc -c <"$2") bytes ($(basename "$2") = $(basename "$1"))"
    exit 0
fi
echo "FAILED: $2 differs from $1"
diff "$1" "$2" | head -n 40
exit 1
