#!/usr/bin/env bash
# Checks a program's imports: only the system modules the library itself
# uses and the library, whose names it imports undecorated, each one an
# export of the library.
#   check-imports.sh OBJDUMP PROGRAM KALDER32.dll
set -u
objdump=$1
program=$2
dll=$3
# shellcheck source=pe-tables.sh
. "$(dirname "$0")/pe-tables.sh"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

exports=$(pe_export_names "$objdump" "$dll")
modules=$(pe_import_modules "$objdump" "$program" | sort -u)
grep -qx KALDER32.dll <<<"$modules" || fail "$program does not import KALDER32.dll"
for module in $modules; do
    case $module in
    KALDER32.dll | KERNEL32.dll | USER32.dll | msvcrt.dll) ;;
    *) fail "$program imports $module" ;;
    esac
done
used=$(pe_imported_names "$objdump" "$program" KALDER32.dll)
[ -n "$used" ] || fail "$program imports no names from KALDER32.dll"
for name in $used; do
    grep -qx "$name" <<<"$exports" || fail "$program imports $name, which KALDER32.dll does not export"
done
[ $failures -eq 0 ] || exit 1
echo "$program imports $(wc -w <<<"$used") names from KALDER32.dll, and otherwise only: $(echo $modules)"
