#!/usr/bin/env bash
# Checks a program's imports: only the system modules the library itself
# uses and the library, whose names it imports undecorated, each one an
# export of the library.
#   check-imports.sh OBJDUMP PROGRAM KALDER32.dll
set -u
objdump=$1
program=$2
dll=$3
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

exports=$("$objdump" -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/ { n = 1; next }
    n && /^[ \t]*\[/ { print $NF } n && /^[ \t]*$/ { n = 0 }' | sort)
modules=$("$objdump" -p "$program" | awk '/DLL Name:/ { print $3 }' | sort -u)
grep -qx KALDER32.dll <<<"$modules" || fail "$program does not import KALDER32.dll"
for module in $modules; do
    case $module in
    KALDER32.dll | KERNEL32.dll | USER32.dll | msvcrt.dll) ;;
    *) fail "$program imports $module" ;;
    esac
done
used=$("$objdump" -p "$program" | awk '/DLL Name: KALDER32.dll/ { k = 1; next }
    /DLL Name:/ { k = 0 } k && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print $3 }' | sort -u)
[ -n "$used" ] || fail "$program imports no names from KALDER32.dll"
for name in $used; do
    grep -qx "$name" <<<"$exports" || fail "$program imports $name, which KALDER32.dll does not export"
done
[ $failures -eq 0 ] || exit 1
echo "$program imports $(wc -w <<<"$used") names from KALDER32.dll, and otherwise only: $(echo $modules)"
