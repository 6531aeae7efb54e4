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
# shellcheck source=pe-tables.sh
. "$here/pe-tables.sh"
# shellcheck source=checks.sh
. "$here/checks.sh"

top=$(basename "$kit")
zip_list=$(unzip -Z1 "$zip" 2>/dev/null || python3 -m zipfile -l "$zip" | awk 'NR > 1 { print $1 }')
check_files() {
    local file
    for file in "$@"; do
        check "kit holds $file" test -s "$kit/$file"
        check "zip holds $top/$file" grep -qx "$top/$file" <<<"$zip_list"
    done
}

check_files INSTALL.txt LICENSE.txt CHANGELOG.txt kalder32.h kalder.h kalder.hpp example/typical.c \
    kalder32Config.cmake kalder32ConfigVersion.cmake
for header in kalder32.h kalder.h kalder.hpp; do
    check "the kit's $header is the library's" \
        cmp -s <(tr -d '\r' <"$kit/$header") "$here/../include/$header"
done

# Every text file has Windows line ends.
crlf_only() { test "$(grep -c $'\r$' "$1")" -eq "$(wc -l <"$1")"; }
for file in INSTALL.txt LICENSE.txt CHANGELOG.txt kalder32.h kalder.h kalder.hpp example/typical.c KALDER32.def \
    kalder32Config.cmake kalder32ConfigVersion.cmake; do
    check "$file has CR LF line ends" crlf_only "$kit/$file"
done

# The debug files of the images are in a zip of their own beside the kit's.
debug_zip=${zip%-kit.zip}-debug.zip
debug_list=$(python3 -m zipfile -l "$debug_zip" 2>/dev/null)
for file in KALDER32.dll.debug kaldate.exe.debug typical_example.exe.debug; do
    check "$(basename "$debug_zip") holds $file" grep -q "/$file " <<<"$debug_list"
done

# check_arch DIR OBJDUMP FORMAT SYMBOL_PATTERN: the files of one build
# (DIR is "" or "x64/").  SYMBOL_PATTERN is the import library's name of an
# export, with NAME in place of the export's name.
check_arch() {
    local dir=$1 dump=$2 fmt=$3 pattern=$4
    local nm=${dump%objdump}nm
    check_files "${dir}KALDER32.def" "${dir}KALDER32.lib" "${dir}KALDER32.dll" "${dir}kaldres.dll" \
        "${dir}libkalder32.a" "${dir}kaldate.exe" "${dir}typical.exe" "${dir}de/kaldres.dll" \
        "${dir}fr/kaldres.dll" "${dir}es/kaldres.dll"

    # The library and every resource module, by the same rules as in the build.
    local log=$kit/../kit-tables.log
    check "${dir}module tables (see check-dll-tables.sh)" \
        bash "$here/check-dll-tables.sh" "$dump" "$fmt" "$kit/${dir}KALDER32.dll" \
        "$kit/${dir}kaldres.dll" "$kit/${dir}de/kaldres.dll" "$kit/${dir}fr/kaldres.dll" \
        "$kit/${dir}es/kaldres.dll" >"$log" 2>&1 || cat "$log"
    rm -f "$log"

    # Every module carries a version resource (its texts are UTF-16).
    local module
    for module in KALDER32.dll kaldres.dll de/kaldres.dll fr/kaldres.dll es/kaldres.dll; do
        check "$dir$module has a version resource" \
            grep -qx FileVersion < <(strings -el "$kit/$dir$module")
    done

    # The images ship without debug information.
    for module in KALDER32.dll kaldate.exe typical.exe; do
        check "$dir$module is stripped" \
            test -z "$("$dump" -h "$kit/$dir$module" | awk '$2 ~ /^\.debug_/')"
    done

    # The programs need only the system modules and the library, which
    # they import by its undecorated names.
    local program
    for program in kaldate.exe typical.exe; do
        check "$dir$program imports (see check-imports.sh)" \
            bash "$here/check-imports.sh" "$dump" "$kit/$dir$program" "$kit/${dir}KALDER32.dll"
    done

    # Every export is in the import library, imported from KALDER32.dll.
    local symbols exports name
    exports=$(pe_export_names "$dump" "$kit/${dir}KALDER32.dll")
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
    check "$(basename "$debug_zip") holds x64/KALDER32.dll.debug" \
        grep -q "/x64/KALDER32.dll.debug " <<<"$debug_list"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
