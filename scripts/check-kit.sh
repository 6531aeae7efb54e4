#!/usr/bin/env bash
# Checks the win32 kit: every file in the folder and in the zip, the tables
# of the modules (through check-dll-tables.sh), the programs' imports, and
# the import library's symbols.
#   check-kit.sh OBJDUMP KIT_DIR KIT_ZIP
set -u
objdump=$1
kit=$2
zip=$3
here=$(cd "$(dirname "$0")" && pwd)
nm=${objdump%objdump}nm
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

files="INSTALL.txt KALDER32.def KALDER32.dll kaldres.dll kalder32.h libkalder32.a kaldate.exe
typical.exe example/typical.c de/kaldres.dll fr/kaldres.dll es/kaldres.dll"
for file in $files; do
    check "kit holds $file" test -s "$kit/$file"
done
zip_list=$(unzip -Z1 "$zip" 2>/dev/null || python3 -m zipfile -l "$zip" | awk 'NR > 1 { print $1 }')
for file in $files; do
    check "zip holds kit/$file" grep -qx "kit/$file" <<<"$zip_list"
done
check "the kit's header is the library's" cmp -s "$kit/kalder32.h" "$here/../include/kalder32.h"

# The library and every resource module, by the same rules as in the build.
tables_ok() {
    bash "$here/check-dll-tables.sh" "$objdump" "$kit/KALDER32.dll" "$kit/kaldres.dll" \
        "$kit/de/kaldres.dll" "$kit/fr/kaldres.dll" "$kit/es/kaldres.dll" >"$kit.tables.log" 2>&1
}
check "module tables (see check-dll-tables.sh)" tables_ok || cat "$kit.tables.log"
rm -f "$kit.tables.log"

# The programs need only the system modules and the library, which they
# import by its undecorated names.
exports=$("$objdump" -p "$kit/KALDER32.dll" | awk '/\[Ordinal\/Name Pointer\] Table/ { n = 1; next }
    n && /^[ \t]*\[/ { print $NF } n && /^[ \t]*$/ { n = 0 }' | sort)
for program in kaldate.exe typical.exe; do
    imports=$("$objdump" -p "$kit/$program" | awk '/DLL Name:/ { print $3 }' | sort -u | tr '\n' ' ')
    check "$program imports only system modules and the library ($imports)" \
        test "$imports" == "KALDER32.dll KERNEL32.dll USER32.dll msvcrt.dll " -o \
        "$imports" == "KALDER32.dll KERNEL32.dll msvcrt.dll "
    used=$("$objdump" -p "$kit/$program" | awk '/DLL Name: KALDER32.dll/ { k = 1; next }
        /DLL Name:/ { k = 0 } k && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print $3 }' | sort -u)
    check "$program imports names from the library" test -n "$used"
    for name in $used; do
        check "$program imports $name, which the library exports" grep -qx "$name" <<<"$exports"
    done
done

# Every export is in the import library under its stdcall name, imported
# from KALDER32.dll.
symbols=$("$nm" "$kit/libkalder32.a" 2>/dev/null)
for name in $exports; do
    check "import library defines $name@N" grep -Eq " T _$name@[0-9]+$" <<<"$symbols"
done
check "import library names KALDER32.dll" grep -q "KALDER32.dll" < <(strings "$kit/libkalder32.a")

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
