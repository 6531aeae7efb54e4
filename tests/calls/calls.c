/*
 * calls.c - the deterministic pass over all 24 exports (see calls.h).
 *
 * Arguments come from a fixed list of edges and from a small generator with
 * a fixed seed, so every build makes exactly the same calls in the same
 * order (the shared month table's February depends on the order).  Output
 * buffers are filled with a marker byte before each call and written out
 * whole, so a byte written past the text shows as well as the text.
 */
#include "calls.h"
#include "modern_diff.h"

#include <stdint.h>
#include <string.h>

#define FILL 0xA5
#define DATE_BYTES 40
#define TIME_BYTES 24

static FILE *out;
static KalderApi k;
static uint32_t seed;

/* xorshift32: the same numbers on every build. */
static uint32_t next(void) {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    return seed;
}

static int32_t in_range(int32_t low, int32_t high) {
    uint32_t span = (uint32_t)high - (uint32_t)low + 1u;
    return (int32_t)((uint32_t)low + next() % span);
}

/* The bytes of a buffer, and its text when it holds a terminated one. */
static void put_bytes(const char *label, const void *data, size_t size) {
    const unsigned char *bytes = (const unsigned char *)data;
    fprintf(out, " %s=", label);
    for (size_t i = 0; i < size; i++)
        fprintf(out, "%02x", bytes[i]);
    if (memchr(bytes, 0, size) != NULL)
        fprintf(out, " \"%s\"", (const char *)bytes);
}

/* A returned pointer as the buffer it points into, never as an address. */
static void put_pointer(const void *result, const void *buffer) {
    if (result == NULL)
        fprintf(out, " -> null");
    else if (result == buffer)
        fprintf(out, " -> buffer");
    else
        fprintf(out, " -> other");
}

static void put_date(const DosDate *d) {
    fprintf(out, " {%u,%u,%u,%u}", d->year, d->month, d->dayOfWeek, d->day);
}

static void put_tm(const KALDER_TM *t) {
    fprintf(out, " {%d,%d,%d,%d,%d,%d,%d,%d,%d}", t->tm_sec, t->tm_min, t->tm_hour, t->tm_mday,
            t->tm_mon, t->tm_year, t->tm_wday, t->tm_yday, t->tm_isdst);
}

static KALDER_TM random_tm(void) {
    KALDER_TM t;
    memset(&t, 0, sizeof t);
    t.tm_sec = in_range(-1, 61);
    t.tm_min = in_range(-1, 60);
    t.tm_hour = in_range(-1, 24);
    t.tm_mday = in_range(0, 32);
    t.tm_mon = in_range(-2, 13);
    t.tm_year = in_range(-5, 250);
    t.tm_wday = in_range(-1, 7);
    t.tm_yday = in_range(-2, 366);
    t.tm_isdst = in_range(-1, 1);
    return t;
}

static DosDate random_date(void) {
    static const uint16_t years[] = {0,    1,    99,   100,  1600, 1800, 1899, 1900,
                                     1970, 1999, 2000, 2038, 2100, 9999, 65535};
    DosDate d;
    d.year = (next() & 3) == 0 ? years[next() % (sizeof years / sizeof years[0])]
                               : (uint16_t)in_range(1890, 2110);
    d.month = (uint16_t)((next() & 15) == 0 ? next() : (uint32_t)in_range(0, 14));
    d.dayOfWeek = (uint16_t)in_range(0, 7);
    d.day = (uint16_t)in_range(0, 32);
    return d;
}

static int32_t random_time(void) {
    switch (next() % 4) {
    case 0:
        return (int32_t)next();
    case 1:
        return in_range(-90000, 90000);
    default:
        return in_range(0, 2147483647);
    }
}

/* Typed text: mostly digits and separators, now and then something else. */
static void random_text(char *text, size_t size) {
    static const char alphabet[] = "0123456789012345678/.-:/ x+";
    size_t length = (size_t)in_range(0, 14);
    if (length >= size)
        length = size - 1;
    for (size_t i = 0; i < length; i++)
        text[i] = alphabet[next() % (sizeof alphabet - 1)];
    text[length] = '\0';
}

/* ------------------------------------------------------------------------ */

static void settings_calls(void) {
    unsigned char record[300];
    static const int32_t lengths[] = {228, 0, -1, 1, 80, 229, 300};
    fprintf(out, "GetTimeSep -> %d\n", k.GetTimeSep());
    for (size_t i = 0; i < sizeof lengths / sizeof lengths[0]; i++) {
        memset(record, FILL, sizeof record);
        void *result = k.CopyWinDateStruc(record, lengths[i]);
        fprintf(out, "CopyWinDateStruc(%d)", lengths[i]);
        put_pointer(result, record);
        put_bytes("record", record, sizeof record);
        fputc('\n', out);
    }
}

static void calendar_calls(void) {
    for (int i = 0; i < 300; i++) {
        DosDate d = random_date();
        int32_t number = -7;
        fprintf(out, "DosdToJulian");
        put_date(&d);
        int32_t result = k.DosdToJulian(&d, &number);
        diff_day_of_year(&d, result);
        fprintf(out, " -> %d day %d", result, number);
        fprintf(out, " | CorrectLeap -> %d", k.CorrectLeap(&d));
        fprintf(out, " | CorrectLeapFromYear(%d) -> %d", (int)d.year,
                k.CorrectLeapFromYear(d.year));
        int32_t february = k.Days_in_Month(2);
        diff_days_in_month(d.year, 2, february);
        fprintf(out, " | Days_in_Month(2) -> %d\n", february);
    }
    static const int32_t numbers[] = {-400, -1, 0, 1, 59, 60, 61, 365, 366, 367, 400, 1000, 100000};
    for (int i = 0; i < 200; i++) {
        DosDate d = random_date();
        int32_t number = i < 13 ? numbers[i] : in_range(-800, 800);
        fprintf(out, "JulianToDosd(%d)", number);
        put_date(&d);
        uint16_t year = d.year;
        int32_t result = k.JulianToDosd(number, &d);
        diff_date_of_day(number, year, &d);
        fprintf(out, " -> %d", result);
        put_date(&d);
        fputc('\n', out);
    }
    for (int32_t month = -2; month <= 14; month++)
        fprintf(out, "Days_in_Month(%d) -> %d\n", month, k.Days_in_Month(month));
    static const int32_t years[] = {-1, 0, 1900, 2000, 2001, 2004, 65536 + 2000, 32768, -32768};
    for (size_t i = 0; i < sizeof years / sizeof years[0]; i++)
        fprintf(out, "CorrectLeapFromYear(%d) -> %d\n", years[i], k.CorrectLeapFromYear(years[i]));
    for (int i = 0; i < 300; i++) {
        KALDER_TM t = random_tm();
        if (i % 7 == 0)
            t.tm_year = (int32_t)next();
        fprintf(out, "CalcDateSeconds");
        put_tm(&t);
        fprintf(out, " -> %d", k.CalcDateSeconds(&t));
        fprintf(out, " | SetTmJulian -> %d", k.SetTmJulian(&t));
        put_tm(&t);
        fputc('\n', out);
    }
}

static void format_calls(void) {
    char date[DATE_BYTES], hour[TIME_BYTES], sep[TIME_BYTES], minute[TIME_BYTES];
    for (int i = 0; i < 150; i++) {
        DosDate d = random_date();
        KALDER_TM t = random_tm();
        memset(date, FILL, sizeof date);
        fprintf(out, "FillDosDateFormatString");
        put_date(&d);
        put_pointer(k.FillDosDateFormatString(&d, date), date);
        diff_short_date(d.year, d.month, d.day, date);
        put_bytes("out", date, sizeof date);
        memset(date, FILL, sizeof date);
        fprintf(out, "\nFillDateFormatString");
        put_tm(&t);
        put_pointer(k.FillDateFormatString(t, date), date);
        put_bytes("out", date, sizeof date);
        memset(date, FILL, sizeof date);
        fprintf(out, "\nFillLongDateFormatString");
        put_pointer(k.FillLongDateFormatString(t, date), date);
        diff_long_date(&t, date);
        put_bytes("out", date, sizeof date);
        fputc('\n', out);
    }
    for (int i = 0; i < 150; i++) {
        int32_t t = random_time();
        int32_t h = in_range(-2, 26), m = in_range(-2, 61);
        memset(hour, FILL, sizeof hour);
        fprintf(out, "FillTimeFormatString(%d)", t);
        put_pointer(k.FillTimeFormatString(t, hour), hour);
        diff_time_value(t, hour);
        put_bytes("out", hour, sizeof hour);
        memset(hour, FILL, sizeof hour);
        fprintf(out, "\nFillTimeHrMin(%d,%d)", h, m);
        put_pointer(k.FillTimeHrMin(h, m, hour), hour);
        diff_time(h, m, hour);
        put_bytes("out", hour, sizeof hour);
        memset(hour, FILL, sizeof hour);
        memset(sep, FILL, sizeof sep);
        memset(minute, FILL, sizeof minute);
        fprintf(out, "\nFillTimeFormat3Strings(%d)", t);
        put_pointer(k.FillTimeFormat3Strings(t, hour, sep, minute), hour);
        put_bytes("hour", hour, 8);
        put_bytes("sep", sep, 8);
        put_bytes("minute", minute, 8);
        memset(hour, FILL, sizeof hour);
        memset(sep, FILL, sizeof sep);
        memset(minute, FILL, sizeof minute);
        fprintf(out, "\nFill3StrTimeHrMin(%d,%d)", h, m);
        put_pointer(k.Fill3StrTimeHrMin(h, m, hour, sep, minute), hour);
        put_bytes("hour", hour, 8);
        put_bytes("sep", sep, 8);
        put_bytes("minute", minute, 8);
        fputc('\n', out);
    }
}

/* Typed texts: first the ones users type, then generated ones. */
static const char *const typed_dates[] = {
    "12/25/99", "25.12.1999", "1999-12-25", "2/29/00",    "2/29/99",     "12/32/99",
    "13/1/99",  "0/1/99",     "1/0/99",     "1/1/59",     "1/1/60",      "12th",
    "",         " ",          "1/1",        "65537/1/99", "1/1/65537",   "99999999999999999999/1/1",
    "a/b/c",    "1//2",       "/1/2",       "1/2/",       "12/25/1999 ", "  3 / 4 / 5",
    "24:00",
};
static const char *const typed_times[] = {
    "8:30", "08:15", "24:00", "24:01", "23:59", "23:60", "25:00", "99:99", "0:00",          "12",
    "",     ":",     "-1:00", "1:-5",  "7.45",  "10 30", "1:2:3", "x",     "4294967297:00",
};

static void parse_date_text(const char *text) {
    DosDate d = {2001, 2, 3, 4};
    KALDER_TM t;
    memset(&t, 0x11, sizeof t);
    fprintf(out, "ParseDosDateFormatString \"%s\"\n", text);
    int32_t result = k.ParseDosDateFormatString(&d, text);
    diff_parse_date(text, result, &d);
    fprintf(out, " -> %d", result);
    put_date(&d);
    fprintf(out, "\nParseDateFormatString \"%s\"\n", text);
    result = k.ParseDateFormatString(&t, text);
    fprintf(out, " -> %d", result);
    put_tm(&t);
    fputc('\n', out);
}

static void parse_time_text(const char *text, int32_t base) {
    int32_t t = base, h = -9, m = -9;
    fprintf(out, "ParseTimeFormatString(%d) \"%s\"\n", base, text);
    int32_t result = k.ParseTimeFormatString(&t, text);
    fprintf(out, " -> %d t=%d", result, t);
    fprintf(out, "\nParseTimeHrMin \"%s\"\n", text);
    result = k.ParseTimeHrMin(&h, &m, text);
    diff_parse_time(text, result, h, m);
    fprintf(out, " -> %d h=%d m=%d", result, h, m);
    fprintf(out, "\ncheckhrmin(%d,%d)\n", h, m);
    result = k.checkhrmin(&h, &m);
    fprintf(out, " -> %d h=%d m=%d", result, h, m);
    fprintf(out, "\natoi_NullCheck \"%s\" -> %d\n", text, k.atoi_NullCheck(text));
}

static void parse_calls(void) {
    char text[32], second[32];
    for (size_t i = 0; i < sizeof typed_dates / sizeof typed_dates[0]; i++)
        parse_date_text(typed_dates[i]);
    for (int i = 0; i < 15; i++) {
        random_text(text, sizeof text);
        parse_date_text(text);
    }
    for (size_t i = 0; i < sizeof typed_times / sizeof typed_times[0]; i++)
        parse_time_text(typed_times[i], 946741632);
    for (int i = 0; i < 15; i++) {
        random_text(text, sizeof text);
        parse_time_text(text, random_time());
    }
    for (int i = 0; i < 20; i++) {
        int32_t t = random_time(), before = t;
        snprintf(text, sizeof text, "%d", in_range(-1, 25));
        snprintf(second, sizeof second, "%d", in_range(-1, 61));
        int null_minute = i % 9 == 0;
        fprintf(out, "ParseTimeFormat2Strings(%d) \"%s\" \"%s\"\n", before, text,
                null_minute ? "(null)" : second);
        int32_t result = k.ParseTimeFormat2Strings(&t, text, null_minute ? NULL : second);
        fprintf(out, " -> %d t=%d\n", result, t);
    }
    fprintf(out, "atoi_NullCheck(null) -> %d\n", k.atoi_NullCheck(NULL));
}

/* ------------------------------------------------------------------------ */

static const CallsProfile profiles[] = {
    {"United States", "M/d/yy", "dddd, MMMM dd, yyyy", "/", ":", ",", "."},
    {"Germany", "dd.MM.yyyy", "dddd, d. MMMM yyyy", ".", ":", ".", ","},
    {"Japan", "yy/MM/dd", "yyyy'nen' M'gatsu' d'nichi' (ddd)", "/", ":", ",", "."},
    {"odd", "d-M-yyyy", "ddd d MMM yy", "-%d-", "h", "'", ";"},
    {"long separators", "M|d|yy", "'<<'dddd'>>' MMMM 'the' dd '%s' yyyy", "|::::::::::|",
     "::::::::", ",", "."},
    {"no short picture", NULL, "MMMM d, yyyy", NULL, NULL, NULL, NULL},
    {"empty", NULL, NULL, NULL, NULL, NULL, NULL},
};

static int resolve_exports(void) {
    int resolved = 1;
#define RESOLVE_EXPORT(name) resolved &= (k.name = (__typeof__(name) *)calls_symbol(#name)) != NULL;
    KALDER_EXPORTS(RESOLVE_EXPORT)
#undef RESOLVE_EXPORT
    return resolved;
}

int calls_run(FILE *output, const char *library) {
    out = output;
    calls_write_profile(&profiles[0]);
    if (!calls_open(library) || !resolve_exports() || !diff_open(calls_symbol)) {
        fprintf(out, "cannot load %s\n", library);
        return 1;
    }
    for (size_t i = 0; i < sizeof profiles / sizeof profiles[0]; i++) {
        seed = 2463534242u;
        fprintf(out, "== profile %s\n", profiles[i].name);
        calls_write_profile(&profiles[i]);
        k.GetWinDateFormat();
        WINDATESTRUC record;
        k.CopyWinDateStruc(&record, (int32_t)sizeof record);
        diff_profile(&record);
        settings_calls();
        calendar_calls();
        format_calls();
        parse_calls();
    }
    calls_write_profile(&profiles[0]);
    k.GetWinDateFormat();
    calls_close();
    fprintf(out, "== end\n");
    fflush(out);
    /* The modern calls' differences, kept out of the output. */
    return diff_differences() == 0 ? 0 : 3;
}
