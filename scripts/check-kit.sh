#!/usr/bin/env bash
# Checks the Windows kit: every file in the folder and in the zip, the
# tables of the modules (through check-dll-tables.sh), the programs'
# imports, and the import library's symbols; the same for the 64-bit files
# under x64/ when an objdump for them is given.
#   check-kit.sh OBJDUMP FORMAT KIT_DIR KIT_ZIP [X64_OBJDUMP]
set -u
objdump=$1
format=$2
kit=$3
zip=$4
x64_objdump=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
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

zip_list=$(unzip -Z1 "$zip" 2>/dev/null || python3 -m zipfile -l "$zip" | awk 'NR > 1 { print $1 }')
check_files() {
    local file
    for file in "$@"; do
        check "kit holds $file" test -s "$kit/$file"
        check "zip holds kit/$file" grep -qx "kit/$file" <<<"$zip_list"
    done
}

check_files INSTALL.txt kalder32.h example/typical.c
check "the kit's header is the library's" cmp -s "$kit/kalder32.h" "$here/../include/kalder32.h"

# check_arch DIR OBJDUMP FORMAT SYMBOL_PATTERN: the files of one build
# (DIR is "" or "x64/").  SYMBOL_PATTERN is the import library's name of an
# export, with NAME in place of the export's name.
check_arch() {
    local dir=$1 dump=$2 fmt=$3 pattern=$4
    local nm=${dump%objdump}nm
    check_files "${dir}KALDER32.def" "${dir}KALDER32.dll" "${dir}kaldres.dll" \
        "${dir}libkalder32.a" "${dir}kaldate.exe" "${dir}typical.exe" "${dir}de/kaldres.dll" \
        "${dir}fr/kaldres.dll" "${dir}es/kaldres.dll"

    # The library and every resource module, by the same rules as in the build.
    local log=$kit/../kit-tables.log
    check "${dir}module tables (see check-dll-tables.sh)" \
        bash "$here/check-dll-tables.sh" "$dump" "$fmt" "$kit/${dir}KALDER32.dll" \
        "$kit/${dir}kaldres.dll" "$kit/${dir}de/kaldres.dll" "$kit/${dir}fr/kaldres.dll" \
        "$kit/${dir}es/kaldres.dll" >"$log" 2>&1 || cat "$log"
    rm -f "$log"

    # The programs need only the system modules and the library, which
    # they import by its undecorated names.
    local exports program imports used name
    exports=$("$dump" -p "$kit/${dir}KALDER32.dll" | awk '/\[Ordinal\/Name Pointer\] Table/ { n = 1; next }
        n && /^[ \t]*\[/ { print $NF } n && /^[ \t]*$/ { n = 0 }' | sort)
    for program in kaldate.exe typical.exe; do
        imports=$("$dump" -p "$kit/$dir$program" | awk '/DLL Name:/ { print $3 }' | sort -u | tr '\n' ' ')
        check "$dir$program imports only system modules and the library ($imports)" \
            test "$imports" == "KALDER32.dll KERNEL32.dll USER32.dll msvcrt.dll " -o \
            "$imports" == "KALDER32.dll KERNEL32.dll msvcrt.dll "
        used=$("$dump" -p "$kit/$dir$program" | awk '/DLL Name: KALDER32.dll/ { k = 1; next }
            /DLL Name:/ { k = 0 } k && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print $3 }' | sort -u)
        check "$dir$program imports names from the library" test -n "$used"
        for name in $used; do
            check "$dir$program imports $name, which the library exports" grep -qx "$name" <<<"$exports"
        done
    done

    # Every export is in the import library, imported from KALDER32.dll.
    local symbols
    symbols=$("$nm" "$kit/${dir}libkalder32.a" 2>/dev/null)
    for name in $exports; do
        check "${dir}libkalder32.a defines ${pattern//NAME/$name}" \
            grep -Eq " T ${pattern//NAME/$name}$" <<<"$symbols"
    done
    check "${dir}libkalder32.a names KALDER32.dll" grep -q "KALDER32.dll" \
        < <(strings "$kit/${dir}libkalder32.a")
}

if [ "$format" = pei-x86-64 ]; then
    check_arch "" "$objdump" "$format" "NAME"
else
    check_arch "" "$objdump" "$format" "_NAME@[0-9]+"
fi
if [ -n "$x64_objdump" ]; then
    check_arch "x64/" "$x64_objdump" pei-x86-64 "NAME"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
