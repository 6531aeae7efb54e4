#!/usr/bin/env bash
# kaldate on the host against the settings files in tests/data: each
# subcommand's text and JSON output, refused input (status 1 and the
# library's message on stderr), and command-line mistakes (status 2).
# usage: kaldate_test.sh KALDATE DATA_DIR
set -u
KALDATE=$1
DATA=$2
passed=0
failed=0
out=$(mktemp) err=$(mktemp) scratch=$(mktemp)
trap 'rm -f "$out" "$err" "$scratch"' EXIT

# run ARGS...: runs the tool, leaving stdout, stderr and the status behind.
run() {
    "$KALDATE" "$@" >"$out" 2>"$err"
    status=$?
}

fail() {
    echo "FAIL: $1"
    echo "  stdout: $(cat "$out")"
    echo "  stderr: $(cat "$err")"
    echo "  status: $status"
    failed=$((failed + 1))
}

# expect STATUS STDOUT ARGS...: the exact standard output and status, and
# nothing on stderr when the status is 0.
expect() {
    local want_status=$1 want_out=$2
    shift 2
    run "$@"
    if [[ $status -ne $want_status || "$(cat "$out")" != "$want_out" ]] ||
        [[ $want_status -eq 0 && -s $err ]]; then
        fail "kaldate $* (wanted status $want_status, output '$want_out')"
    else
        passed=$((passed + 1))
    fi
}

# refused PATTERN ARGS...: status 1, no output, and one stderr line
# "kaldate: <warning>" that matches PATTERN.
refused() {
    local pattern=$1
    shift
    run "$@"
    if [[ $status -ne 1 || -s $out || $(wc -l <"$err") -ne 1 ]] ||
        ! grep -Eq "^kaldate: $pattern" "$err"; then
        fail "kaldate $* (wanted refusal matching '$pattern')"
    else
        passed=$((passed + 1))
    fi
}

# usage ARGS...: status 2, nothing on stdout, a message on stderr.
usage() {
    says 2 "" "$@"
}

# says STATUS PATTERN ARGS...: the status, nothing on stdout, and one stderr
# line "kaldate: <message>" that matches PATTERN.
says() {
    local want_status=$1 pattern=$2
    shift 2
    run "$@"
    if [[ $status -ne $want_status || -s $out || $(wc -l <"$err") -ne 1 ]] ||
        ! grep -Eq "^kaldate: $pattern" "$err"; then
        fail "kaldate $* (wanted status $want_status and a message matching '$pattern')"
    else
        passed=$((passed + 1))
    fi
}

# json_says STATUS PATTERN ARGS...: as says, with --json: the stderr line is
# one JSON object whose "error" matches PATTERN and whose "status" is STATUS.
json_says() {
    local want_status=$1 pattern=$2
    shift 2
    run "$@"
    if [[ $status -ne $want_status || -s $out || $(wc -l <"$err") -ne 1 ]] || ! python3 -c '
import json, re, sys
data = json.load(open(sys.argv[1]))
ok = re.match(sys.argv[2], data["error"]) and data["status"] == int(sys.argv[3])
sys.exit(0 if ok and len(data) == 2 else 1)' "$err" "$pattern" "$want_status"; then
        fail "kaldate $* (wanted a JSON error with status $want_status matching '$pattern')"
    else
        passed=$((passed + 1))
    fi
}

# today COMMAND FORMAT [ARGS...]: the command without an argument gives what
# it gives for the clock's value in FORMAT (date +FORMAT) read just before or
# just after it ran, so that a minute or a day ending meanwhile cannot fail
# the test.
today() {
    local command=$1 format=$2 before after got
    shift 2
    before=$(date "+$format")
    got=$("$KALDATE" "$@" "$command" 2>&1)
    after=$(date "+$format")
    if [[ $got == "$("$KALDATE" "$@" "$command" "$before" 2>&1)" ||
        $got == "$("$KALDATE" "$@" "$command" "$after" 2>&1)" ]]; then
        passed=$((passed + 1))
    else
        status=0
        fail "kaldate $* $command (wanted the result for $before or $after, got '$got')"
    fi
}

# json KEY VALUE ARGS...: the output is one JSON object whose KEY holds VALUE.
json() {
    local key=$1 value=$2
    shift 2
    run --json "$@"
    if [[ $status -ne 0 ]] || ! python3 -c '
import json, sys
data = json.load(open(sys.argv[1]))
got = data[sys.argv[2]]
sys.exit(0 if str(got) == sys.argv[3] else 1)' "$out" "$key" "$value"; then
        fail "kaldate --json $* (wanted $key = $value)"
    else
        passed=$((passed + 1))
    fi
}

US=(--ini "$DATA/intl_us.ini")
DE=(--ini "$DATA/intl_german.ini")
ISO=(--ini "$DATA/intl_iso.ini")

# The typical request on the built-in settings and on the same settings
# read from a file.
for settings in "" "${US[*]}"; do
    # shellcheck disable=SC2086
    set -- $settings
    expect 0 "1999-12-25" "$@" parse-date 12/25/99
    expect 0 "12/25/99" "$@" short 1999-12-25
    expect 0 "day 359, weekday 6 (Saturday)" "$@" day 1999-12-25
    expect 0 "Saturday, December 25, 1999" "$@" long 1999-12-25
done

# Reading dates: the two-digit year window, other separators, refusals.
expect 0 "2059-01-01" parse-date 1/1/59
expect 0 "2000-01-01" parse-date 1/1
expect 0 "1999-12-25" parse-date "12 25 1999"
refused ".*1975" parse-date 1/1/75
refused ".*13" parse-date 13/1/2000
refused ".*32" parse-date 12/32/99
refused ".*29" parse-date 2/29/2100
refused ".*0" parse-date ""

# Times: formatting, reading, merging into a date (24:00 ends the day and
# here the year), refusals.
expect 0 "9:05" time 9:05
expect 0 "0:00" time 0:00
expect 0 "13:07" time --epoch 47279
expect 0 "23:59" time --epoch 86399
expect 0 "08:30" parse-time 8.30
expect 0 "10:30" parse-time 10:30:45
expect 0 "2000-01-01T08:30:00Z" parse-time 8:30 --on 2000-01-01
expect 0 "2000-01-01T00:00:00Z" parse-time 24 --on 1999-12-31
refused ".*25" parse-time 25:00
refused ".*60" parse-time 10:60
refused ".*24" parse-time 24:01 --on 2000-01-01

# Day numbers both ways.
expect 0 "day 61, weekday 3 (Wednesday)" day 2000-03-01
expect 0 "day 366, weekday 0 (Sunday)" day 2000-12-31
expect 0 "2000-02-29, weekday 2 (Tuesday)" date-of-day 60 2000
expect 0 "1999-03-01, weekday 1 (Monday)" date-of-day 60 1999
expect 0 "1999-01-01, weekday 5 (Friday)" date-of-day 1 1999
# Day numbers count on past either end of the year, within the years 1 to
# 9999 (the stored year is 16 bits: the largest numbers must not wrap back).
expect 0 "2000-02-04, weekday 5 (Friday)" date-of-day 400 1999
expect 0 "1999-12-31, weekday 5 (Friday)" date-of-day 0 2000
expect 0 "2000-12-30, weekday 6 (Saturday)" date-of-day -1 2001
expect 0 "9999-12-31, weekday 5 (Friday)" date-of-day 365 9999
expect 0 "0001-01-01, weekday 1 (Monday)" date-of-day 1 1
says 2 "day 366 of 9999 falls outside the years 1 to 9999" date-of-day 366 9999
usage date-of-day 0 1
usage date-of-day 2147483647 1

# A month grid: February of a leap year starting on a Tuesday.
expect 0 "       February 2000
Sun Mon Tue Wed Thu Fri Sat
          1   2   3   4   5
  6   7   8   9  10  11  12
 13  14  15  16  17  18  19
 20  21  22  23  24  25  26
 27  28  29" calendar 2000-02

# Today in brackets (KALDATE_NOW stands in for the clock); weeks from Monday
# in German, French and Spanish.
export KALDATE_NOW=2000-02-26
expect 0 "       Februar 2000
 Mo  Di  Mi  Do  Fr  Sa  So
      1   2   3   4   5   6
  7   8   9  10  11  12  13
 14  15  16  17  18  19  20
 21  22  23  24  25 [26] 27
 28  29" --lang de calendar 2000-02
json today 26 calendar 2000-02
json today None calendar 2000-03
expect 0 "$("$KALDATE" calendar 2000-02)" calendar
# A year fits 80 columns in every language, with today (a Saturday) in its
# longest month name's grid, last in its line in English.
export KALDATE_NOW=2000-09-30
for lang in en de fr es; do
    run --lang "$lang" calendar 2000
    if [[ $status -eq 0 ]] && grep -q '\[30\]' "$out" && python3 -c '
import sys
lines = open(sys.argv[1], encoding="utf-8").read().splitlines()
sys.exit(0 if max(map(len, lines)) <= 80 else 1)' "$out"; then
        passed=$((passed + 1))
    else
        fail "kaldate --lang $lang calendar 2000 (80 columns)"
    fi
done
unset KALDATE_NOW

# German-style settings: day first, periods, the day's period in the long date.
expect 0 "1999-12-25" "${DE[@]}" parse-date 25.12.99
expect 0 "05.12.1999" "${DE[@]}" short 1999-12-05
expect 0 "Sunday, 5. December 1999" "${DE[@]}" long 1999-12-05
expect 0 "9.05" "${DE[@]}" time 9:05
expect 0 "08:30" "${DE[@]}" parse-time 8.30
refused ".*25" "${DE[@]}" parse-date 12/25/99

# Year first with a hyphen; abbreviated names in the long date.
expect 0 "2024-03-05" "${ISO[@]}" short 2024-03-05
expect 0 "2024-03-05" "${ISO[@]}" parse-date 2024-03-05
expect 0 "Tue 5 Mar 2024" "${ISO[@]}" long 2024-03-05

# A settings file in UTF-8, with or without a byte order mark, reads as the
# same file in Windows-1252 does; text, JSON and arguments are UTF-8.
for encoding in UTF-8 WINDOWS-1252 UTF-8-BOM; do
    { [[ $encoding == UTF-8-BOM ]] && printf '\xef\xbb\xbf'
      iconv -f UTF-8 -t "${encoding%-BOM}" "$DATA/intl_utf8.ini"; } >"$scratch"
    expect 0 "Saturday · 25 December 1999" --ini "$scratch" long 1999-12-25
    json short "25·12·1999" --ini "$scratch" short 1999-12-25
    expect 0 "1999-12-25" --ini "$scratch" parse-date 25·12·1999
done
json_says 2 "not a date in the form YYYY-MM-DD: 25·12·1999$" --json short 25·12·1999

# The settings in use, key by key, from the "intl" section of a whole WIN.INI.
run --lang de "${DE[@]}" settings
if [[ $status -eq 0 ]] && grep -q '^sShortDate  "dd\.MM\.yyyy"$' "$out" &&
    grep -q '^sDecimal    ","$' "$out" && grep -q '^language    "de"$' "$out" &&
    [[ $(wc -l <"$out") -eq 8 ]]; then
    passed=$((passed + 1))
else
    fail "kaldate --lang de --ini intl_german.ini settings"
fi

# No pictures in the file: the tool says once which keys it lacks, and the
# library goes on quietly with its built-in settings.
run --ini "$DATA/intl_no_pictures.ini" short 1999-12-25
if [[ $status -eq 0 && $(cat "$out") == "12/25/1999" && $(wc -l <"$err") -eq 1 ]] &&
    grep -q "no sShortDate, sLongDate in \[intl\]; dates take the built-in" "$err"; then
    passed=$((passed + 1))
else
    fail "kaldate --ini intl_no_pictures.ini short 1999-12-25"
fi
# No sTime: hour and minute join with nothing, and the tool says why.
grep -v '^sTime' "$DATA/intl_us.ini" >"$scratch"
run --ini "$scratch" time 13:05
if [[ $status -eq 0 && $(cat "$out") == 1305 && $(wc -l <"$err") -eq 1 ]] &&
    grep -q "has no sTime in \[intl\]" "$err"; then
    passed=$((passed + 1))
else
    fail "kaldate --ini (intl_us.ini without sTime) time 13:05"
fi

# --json on every subcommand.
json sLongDate "dddd, d. MMMM yyyy" "${DE[@]}" settings
json language en "${DE[@]}" settings
json short 12/25/99 short 1999-12-25
json long "Saturday, December 25, 1999" long 1999-12-25
json time 13:07 time --epoch 47279
json time 9:05 time 9:05
json date 1999-12-25 parse-date 12/25/99
json time 08:30 parse-time 8:30
json epoch 946715400 parse-time 8:30 --on 2000-01-01
json day 359 day 1999-12-25
json weekdayName Saturday day 1999-12-25
json date 2000-02-29 date-of-day 60 2000
json monthName February calendar 2000-02
json weeks "[[None, None, 1, 2, 3, 4, 5], [6, 7, 8, 9, 10, 11, 12], [13, 14, 15, 16, 17, 18, 19], [20, 21, 22, 23, 24, 25, 26], [27, 28, 29, None, None, None, None]]" calendar 2000-02

# No date is today, no time now, no month the current one; a year is twelve
# months three across, each as the month alone gives it.
today short %F
today long %F
today day %F "${DE[@]}"
today time %H:%M
today time %H:%M --json
today calendar %Y-%m
run calendar 2000
if [[ $status -eq 0 && $(wc -l <"$out") -eq 37 && $(sed -n 1p "$out") =~ ^\ {30,}2000$ &&
    $(sed -n 3p "$out") =~ ^\ +January\ +February\ +March$ ]]; then
    passed=$((passed + 1))
else
    fail "kaldate calendar 2000 (the layout)"
fi
run --json calendar 2000
if python3 -c '
import json, subprocess, sys
year = json.load(open(sys.argv[2]))
for m in year["months"]:
    one = json.loads(subprocess.run([sys.argv[1], "--json", "calendar", "2000-%02d" % m["month"]],
                                    capture_output=True, text=True).stdout)
    assert (m["monthName"], m["weeks"]) == (one["monthName"], one["weeks"]), m["month"]
    assert year["dayAbbrevs"] == one["dayAbbrevs"]
assert len(year["months"]) == 12' "$KALDATE" "$out"; then
    passed=$((passed + 1))
else
    fail "kaldate --json calendar 2000 (each month as calendar YYYY-MM gives it)"
fi

# Times the library's own check refuses are refused, not printed.
expect 0 "24:00" time 24:00
refused ".*25" time 25:00
refused ".*60" time 23:60
refused ".*99" time 99:99

# --version, and errors in words that fit them.
run --version
if [[ $status -eq 0 && $(cat "$out") =~ ^kaldate\ \(KALDER32\)\ [0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    passed=$((passed + 1))
else
    fail "kaldate --version"
fi
json version "$(sed 's/.* //' "$out")" --version
says 2 "no such date: 1999-02-29$" short 1999-02-29
says 2 "no such date: 1999-13-01$" long 1999-13-01
says 2 "no such month: 2000-13$" calendar 2000-13
says 2 "not a date in the form YYYY-MM-DD: 12/25/99$" day 12/25/99
says 2 "--epoch takes one number" time --epoch
says 2 "unknown option: --bogus" --bogus
says 2 "short has no option --bogus" short --bogus

# With --json, errors and warnings on stderr are JSON objects too.
json_says 1 "The day 32 " --json parse-date 12/32/99
json_says 1 "The hour 25 " time 25:00 --json
json_says 2 "no such date: 1999-02-29$" --json short 1999-02-29
json_says 2 "unknown command: frobnicate" frobnicate --json
run --json --ini "$DATA/intl_no_pictures.ini" short 1999-12-25
if [[ $status -eq 0 ]] && python3 -c '
import json, sys
warnings = [json.loads(line) for line in open(sys.argv[1])]
assert [list(w) for w in warnings] == [["warning"]] and "sShortDate" in warnings[0]["warning"]
' "$err"; then
    passed=$((passed + 1))
else
    fail "kaldate --json --ini intl_no_pictures.ini short 1999-12-25 (a JSON warning)"
fi

# Output that cannot be written is an error, as in coreutils.
for json in "" --json; do
    # shellcheck disable=SC2086
    "$KALDATE" $json short 1999-12-25 >/dev/full 2>"$err"
    status=$?
    if [[ $status -eq 1 ]] && grep -q 'write error: No space left on device' "$err"; then
        passed=$((passed + 1))
    else
        : >"$out"
        fail "kaldate $json short 1999-12-25 >/dev/full"
    fi
done

# The library's texts in each language: --lang, else KALDER_LANGUAGE (a
# locale name works), else English; names and messages in UTF-8.
expect 0 "Samstag, Dezember 25, 1999" --lang de long 1999-12-25
expect 0 "samedi, décembre 25, 1999" --lang fr long 1999-12-25
expect 0 "sábado, diciembre 25, 1999" --lang es long 1999-12-25
expect 0 "day 2, weekday 0 (Sonntag)" --lang=DE day 2000-01-02
refused "Der Tag 32 ist in diesem Monat ungültig" --lang de parse-date 12/32/99
refused "Le jour 32 n'est pas valide" --lang fr parse-date 12/32/99
refused "El día 32 no es válido" --lang es parse-date 12/32/99
KALDER_LANGUAGE=fr_FR.UTF-8 expect 0 "samedi, décembre 25, 1999" long 1999-12-25
KALDER_LANGUAGE=fr expect 0 "Samstag, Dezember 25, 1999" --lang de long 1999-12-25
KALDER_LANGUAGE=en expect 0 "Saturday, December 25, 1999" long 1999-12-25
KALDER_LANGUAGE=de expect 0 "Mittwoch, März 01, 2000" long 2000-03-01
KALDER_LANGUAGE=de refused "Der Tag 32 ist in diesem Monat ungültig" parse-date 12/32/99
says 2 "no texts in the language it" --lang it long 1999-12-25
usage --lang
usage --lang= long 1999-12-25

# A settings file is read whole, from a pipe too, up to 1 MiB; one that
# cannot be read is named (status 2). The library reads at most 1 MiB of the
# file KALDER_WININI names and names one it cannot read.
expect 0 "2024-03-05" --ini <(cat "$DATA/intl_iso.ini") short 2024-03-05
says 2 "cannot read the settings file $DATA: Is a directory$" --ini "$DATA" short
says 2 "the settings file /dev/zero is larger than 1 MiB" --ini /dev/zero short
for winini in /dev/zero "$DATA/no_such_file.ini"; do
    KALDER_WININI=$winini timeout 60 "$KALDATE" short 1999-12-25 >"$out" 2>"$err"
    status=$?
    if [[ $status -eq 0 && $(cat "$out") == 12/25/1999 ]] &&
        grep -q "^kalder32: KALDER_WININI=$winini " "$err"; then
        passed=$((passed + 1))
    else
        fail "KALDER_WININI=$winini kaldate short 1999-12-25"
    fi
done

# Two-digit years are the year's last two digits; with the century every
# year shows. A long date is never cut.
expect 0 "1/1/00" short 1900-01-01
expect 0 "12/31/99" short 1899-12-31
expect 0 "1/1/00" short 2100-01-01
expect 0 "01.01.1850" "${DE[@]}" short 1850-01-01
{ grep -v '^sLongDate' "$DATA/intl_us.ini"
  echo "sLongDate=dddd', the 'd' of 'MMMM', year 'yyyy"; } >"$scratch"
expect 0 "Wednesday, the 29 of September, year 2027" --ini "$scratch" long 2027-09-29

# Times in 64 bits: before 1970 and after 2038.
expect 0 "23:59" time --epoch -1
expect 0 "13:07" time --epoch 4102492079
expect 0 "1969-12-31T08:30:00Z" parse-time 8:30 --on 1969-12-31
json epoch 4102475400 parse-time 8:30 --on 2100-01-01
usage time --epoch 253402300800

# Arguments in messages: control characters escaped, long ones cut.
says 2 'unknown command: a\\nb\\tc\\x1B \(' "$(printf 'a\nb\tc\033')"
says 2 "unknown command: x{40}\.\.\. \(" "$(printf 'x%.0s' {1..100})"

# Without a command, the long date and the time now.
before="$("$KALDATE" long) $("$KALDATE" time)"
got=$("$KALDATE" 2>&1)
after="$("$KALDATE" long) $("$KALDATE" time)"
if [[ $got == "$before" || $got == "$after" ]]; then
    passed=$((passed + 1))
else
    status=0
    fail "kaldate (wanted '$before' or '$after', got '$got')"
fi

# - reads one text a line: one result a line, each refusal on stderr, and
# status 1 if any was refused.
run parse-date - < <(printf '12/25/99\n13/1/2000\r\n1/1/75\n2/29/2000')
if [[ $status -eq 1 && $(cat "$out") == $'1999-12-25\n2000-02-29' && $(wc -l <"$err") -eq 2 ]]; then
    passed=$((passed + 1))
else
    fail "kaldate parse-date - (four lines, two refused)"
fi
expect 0 $'1999-12-31T08:30:00Z\n2000-01-01T00:00:00Z' parse-time - --on 1999-12-31 < <(printf '8:30\n24\n')

# Command-line mistakes are not the library's refusals.
usage frobnicate
usage short 1999-02-30
usage short 12/25/99
usage long 1999-12-25 1999-12-26
usage time 9
usage date-of-day 1.5 2000
usage calendar 2000-13
usage parse-time 8:30 --on 1999-02-29
usage --ini "$DATA/no_such_file.ini" settings
for command in settings short long time parse-date parse-time day date-of-day calendar; do
    expect 0 "$("$KALDATE" "$command" --help)" "$command" -h
    run "$command" --help
    if [[ $status -eq 0 ]] && grep -q "^usage: kaldate .*$command" "$out"; then
        passed=$((passed + 1))
    else
        fail "kaldate $command --help"
    fi
done

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
