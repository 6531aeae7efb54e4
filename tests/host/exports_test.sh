#!/usr/bin/env bash
# The shared library exports exactly the names of the export list but the
# UTF-16 twins (Kalder...W, Windows only), and the static library leaves
# exactly those global (beside the weak definitions of the C++ standard
# library's templates, which a C++ program shares with it).
#   exports_test.sh libkalder32.so|libkalder32.a KALDER32.def
set -u
expected=$(awk '/^ +[A-Za-z_0-9]+ *=/ && $1 !~ /^Kalder.*W$/ { print $1 }' "$2" | sort)
case $1 in
*.a) actual=$(nm -g --defined-only "$1" | awk 'NF == 3 && $2 != "W" && $2 != "V" { print $3 }' | sort) ;;
*) actual=$(nm -D --defined-only "$1" | awk '$3 !~ /^KALDER32_/ { sub(/@.*/, "", $3); print $3 }' | sort) ;;
esac
if [ "$actual" != "$expected" ]; then
    echo "FAILED: $1 exports differ from the export list"
    diff <(echo "$expected") <(echo "$actual")
    exit 1
fi
echo "$1 exports exactly the $(wc -l <<<"$expected") names of the export list"
