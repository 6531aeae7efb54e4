#!/usr/bin/env bash
# Checks the export and import tables of the built modules.
#   check-dll-tables.sh OBJDUMP FORMAT KALDER32.dll kaldres.dll [more resource dlls...]
# Every module must be of FORMAT (pei-i386 for 32-bit, pei-x86-64 for 64-bit
# Windows).  KALDER32.dll must export exactly the names below at their
# ordinals (the 24 classic calls, then the modern ones and their UTF-16
# twins) and import from KERNEL32.dll, USER32.dll and msvcrt.dll only,
# and only functions that Windows XP SP3 has; a
# resource module must have no imports, no exports and no code.
set -u
objdump=$1
format=$2
dll=$3
shift 3

expected_exports="1 DosdToJulian
2 CorrectLeap
3 JulianToDosd
4 GetWinDateFormat
5 FillDosDateFormatString
6 FillDateFormatString
7 FillTimeFormatString
8 FillTimeHrMin
9 ParseDosDateFormatString
10 ParseDateFormatString
11 ParseTimeFormatString
12 CalcDateSeconds
13 ParseTimeHrMin
14 GetTimeSep
15 Days_in_Month
16 CopyWinDateStruc
17 FillLongDateFormatString
18 FillTimeFormat3Strings
19 Fill3StrTimeHrMin
20 checkhrmin
21 ParseTimeFormat2Strings
22 atoi_NullCheck
23 SetTmJulian
24 CorrectLeapFromYear
25 KalderSettingsInForce
26 KalderSettingsFromText
27 KalderSettingsCopy
28 KalderSettingsFree
29 KalderSettingsText
30 KalderSettingsLanguage
31 KalderFormatShortDate
32 KalderFormatLongDate
33 KalderFormatTime
34 KalderFormatTimeValue
35 KalderParseDate
36 KalderParseTime
37 KalderMessage
38 KalderDaysInMonth
39 KalderDayOfYear
40 KalderDateOfDay
41 KalderSecondsOf
42 KalderDateOfSeconds
43 KalderSettingsFromTextW
44 KalderSettingsTextW
45 KalderFormatShortDateW
46 KalderFormatLongDateW
47 KalderFormatTimeW
48 KalderFormatTimeValueW
49 KalderParseDateW
50 KalderParseTimeW
51 KalderMessageW"
allowed_imports="KERNEL32.dll
USER32.dll
msvcrt.dll"

# Every function the library may import, each one present in the KERNEL32,
# USER32 and msvcrt of Windows XP SP3 (and of XP x64 for the 64-bit
# build): a new import fails here until it is known to be there too.
xp_functions="KERNEL32.dll DeleteCriticalSection EnterCriticalSection FreeLibrary GetLastError
KERNEL32.dll GetModuleFileNameA GetModuleHandleA GetModuleHandleW GetProcAddress
KERNEL32.dll GetProfileStringA GetVersion GetWindowsDirectoryA InitializeCriticalSection
KERNEL32.dll IsDBCSLeadByteEx LeaveCriticalSection LoadLibraryA MultiByteToWideChar Sleep
KERNEL32.dll SwitchToThread TlsAlloc TlsFree TlsGetValue TlsSetValue VirtualProtect
KERNEL32.dll VirtualQuery WideCharToMultiByte
USER32.dll GetFocus LoadStringA LoadStringW MessageBeep MessageBoxA
msvcrt.dll ___lc_codepage_func ___mb_cur_max_func __iob_func __mb_cur_max _amsg_exit _errno
msvcrt.dll _initterm _iob _lock _unlock abort atoi calloc fclose fgets fopen fputc free fwrite
msvcrt.dll getenv localeconv malloc memchr memcpy memmove memset realloc setlocale strchr
msvcrt.dll strcmp strcspn strerror strlen strncmp strncpy strrchr strspn vfprintf wcslen"
xp_allowed=$(awk '{ for (i = 2; i <= NF; i++) print $1, $i }' <<<"$xp_functions")

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# shellcheck source=pe-tables.sh
. "$(dirname "$0")/pe-tables.sh"
exports_of() { pe_exports "$objdump" "$1"; }

# Number of entries in the export address table (named or not).
export_slots_of() {
    "$objdump" -p "$1" | awk '/^\t\[ *[0-9]+\] \+base\[/ { n++ } END { print n + 0 }'
}

imports_of() { pe_import_modules "$objdump" "$1"; }

check_format() {
    local actual
    actual=$("$objdump" -f "$1" 2>&1 | awk '/file format/ { print $NF }')
    [ "$actual" = "$format" ] || fail "$1 is ${actual:-unreadable}, expected $format"
}

check_library() {
    check_format "$dll"
    local actual
    actual=$(exports_of "$dll" | sort -n)
    if [ "$actual" != "$expected_exports" ]; then
        fail "$dll: export table differs"
        diff <(echo "$expected_exports") <(echo "$actual")
    fi
    local slots
    slots=$(export_slots_of "$dll")
    local count
    count=$(wc -l <<<"$expected_exports")
    [ "$slots" = "$count" ] ||
        fail "$dll: $slots export address entries, expected $count (no unnamed exports)"
    local imports
    imports=$(imports_of "$dll" | sort -f)
    [ -n "$imports" ] || fail "$dll: no imports found (objdump output unexpected?)"
    local name
    while read -r name; do
        [ -z "$name" ] && continue
        grep -qxF "$name" <<<"$allowed_imports" || fail "$dll imports $name"
    done <<<"$imports"
    local function
    while read -r function; do
        [ -z "$function" ] && continue
        grep -qxF "$function" <<<"$xp_allowed" ||
            fail "$dll imports $function, not known to be in Windows XP SP3"
    done < <("$objdump" -p "$dll" | awk '/DLL Name:/ { module = $3 }
        /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print module, $3 }' | sort -u)
}

check_resource_module() {
    local res=$1
    check_format "$res"
    [ -z "$(imports_of "$res")" ] || fail "$res has imports: $(imports_of "$res" | tr '\n' ' ')"
    [ -z "$(exports_of "$res")" ] || fail "$res has exports"
    # No code: no executable section and no entry point.
    if "$objdump" -h "$res" | grep -q CODE; then
        fail "$res has a code section"
    fi
    local entry
    entry=$("$objdump" -p "$res" | awk '/^AddressOfEntryPoint/ { print $2 }')
    [ "$((16#${entry:-1}))" = 0 ] || fail "$res has entry point $entry"
    "$objdump" -h "$res" | grep -q '\.rsrc' || fail "$res has no resource section"
}

check_library
for res in "$@"; do
    check_resource_module "$res"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures table check(s) failed"
    exit 1
fi
echo "export and import tables as expected ($dll $*)"
