/*
 * modern.c - the modern calls of the real DLL: a refused date is a status,
 * never a box; each UTF-16 twin writes exactly the UTF-8 call's text, the
 * translated names included whatever the system code page; UTF-16 output
 * is bounded without cutting a surrogate pair; the calls are found by name
 * and by ordinal.
 *
 * The library runs from a folder laid out as the kit lays it out:
 * KALDER32.dll, kaldres.dll, and <lang>\kaldres.dll for each translation.
 * The suite runs it again under a Cyrillic system code page, which has no
 * letters for the French and Spanish accents.
 */
#include <stdlib.h>

#include "boxes.h"
#include "winutil.h"
#include "wtest.h"

#include "kalder.h"
#include "kalder32.h"

static KalderSettingsFromTextFn p_FromText;
static KalderSettingsFromTextWFn p_FromTextW;
static KalderSettingsFreeFn p_Free;
static KalderSettingsTextFn p_Text;
static KalderSettingsTextWFn p_TextW;
static KalderFormatDateFn p_ShortDate, p_LongDate;
static KalderFormatDateWFn p_ShortDateW, p_LongDateW;
static KalderFormatTimeFn p_Time;
static KalderFormatTimeWFn p_TimeW;
static KalderFormatTimeValueFn p_TimeValue;
static KalderFormatTimeValueWFn p_TimeValueW;
static KalderParseDateFn p_ParseDate;
static KalderParseDateWFn p_ParseDateW;
static KalderParseTimeFn p_ParseTime;
static KalderParseTimeWFn p_ParseTimeW;
static KalderMessageFn p_Message;
static KalderMessageWFn p_MessageW;
static int32_t(KALDERAPI *p_LegacyParse)(DosDate *, const char *);

#define RESOLVE(dll, var, name) ((var = (__typeof__(var))(void *)GetProcAddress(dll, name)) != NULL)

static int resolve(HMODULE dll) {
    return RESOLVE(dll, p_FromText, "KalderSettingsFromText") &&
           RESOLVE(dll, p_FromTextW, "KalderSettingsFromTextW") &&
           RESOLVE(dll, p_Free, "KalderSettingsFree") &&
           RESOLVE(dll, p_Text, "KalderSettingsText") &&
           RESOLVE(dll, p_TextW, "KalderSettingsTextW") &&
           RESOLVE(dll, p_ShortDate, "KalderFormatShortDate") &&
           RESOLVE(dll, p_ShortDateW, "KalderFormatShortDateW") &&
           RESOLVE(dll, p_LongDate, "KalderFormatLongDate") &&
           RESOLVE(dll, p_LongDateW, "KalderFormatLongDateW") &&
           RESOLVE(dll, p_Time, "KalderFormatTime") && RESOLVE(dll, p_TimeW, "KalderFormatTimeW") &&
           RESOLVE(dll, p_TimeValue, "KalderFormatTimeValue") &&
           RESOLVE(dll, p_TimeValueW, "KalderFormatTimeValueW") &&
           RESOLVE(dll, p_ParseDate, "KalderParseDate") &&
           RESOLVE(dll, p_ParseDateW, "KalderParseDateW") &&
           RESOLVE(dll, p_ParseTime, "KalderParseTime") &&
           RESOLVE(dll, p_ParseTimeW, "KalderParseTimeW") &&
           RESOLVE(dll, p_Message, "KalderMessage") && RESOLVE(dll, p_MessageW, "KalderMessageW") &&
           RESOLVE(dll, p_LegacyParse, "ParseDosDateFormatString");
}

/* The kit's layout in a new folder: its path in dir.  The translations are
 * built as translations\kaldres_<lang>.dll beside this program. */
static const char *const kLanguages[] = {"de", "fr", "es"};

static int lay_out_kit(char *dir) {
    char sub[MAX_PATH], from[MAX_PATH];
    if (!make_temp_dir(dir, "modern") || !copy_beside("KALDER32.dll", dir, "KALDER32.dll") ||
        !copy_beside("kaldres.dll", dir, "kaldres.dll"))
        return 0;
    for (size_t i = 0; i < sizeof kLanguages / sizeof kLanguages[0]; i++) {
        snprintf(from, sizeof from, "translations\\kaldres_%s.dll", kLanguages[i]);
        join_path(sub, dir, kLanguages[i]);
        if (!CreateDirectoryA(sub, NULL) || !copy_beside(from, sub, "kaldres.dll"))
            return 0;
    }
    return 1;
}

static void remove_kit(const char *dir) {
    char sub[MAX_PATH], path[MAX_PATH];
    for (size_t i = 0; i < sizeof kLanguages / sizeof kLanguages[0]; i++) {
        join_path(sub, dir, kLanguages[i]);
        DeleteFileA(join_path(path, sub, "kaldres.dll"));
        RemoveDirectoryA(sub);
    }
    DeleteFileA(join_path(path, dir, "KALDER32.dll"));
    DeleteFileA(join_path(path, dir, "kaldres.dll"));
    RemoveDirectoryA(dir);
}

/* The settings every check uses: month/day/year, names in full, and a
 * character outside the Basic Multilingual Plane (U+1D11E) in the long
 * date, so that UTF-16 output holds a surrogate pair. */
static const char kIntl[] = "[intl]\r\nsShortDate=M/d/yyyy\r\nsDate=/\r\nsTime=:\r\n"
                            "sLongDate=dddd \xF0\x9D\x84\x9E d MMMM yyyy\r\n";
static const wchar_t kIntlW[] = L"[intl]\r\nsShortDate=M/d/yyyy\r\nsDate=/\r\nsTime=:\r\n"
                                L"sLongDate=dddd \xD834\xDD1E d MMMM yyyy\r\n";

#define AREA 512
#define SENTINEL 0xA5A5

/* UTF-8 to UTF-16 by the system, not by the library. */
static int widen(const char *text, int length, wchar_t *out) {
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, out, AREA);
}

/* A UTF-8 call's result and text against its twin's: the same length in
 * UTF-16 units (or the same status) and the same text. */
static int same_text(int length, const char *text, int lengthW, const wchar_t *textW) {
    wchar_t want[AREA];
    if (length < 0)
        return lengthW == length && textW[0] == 0;
    int units = length == 0 ? 0 : widen(text, length, want);
    return units == lengthW && (units == 0 || memcmp(want, textW, units * sizeof *want) == 0) &&
           textW[units] == 0;
}

#define SAME(call, callW)                                                                          \
    do {                                                                                           \
        char text_[AREA];                                                                          \
        wchar_t textW_[AREA];                                                                      \
        int n_ = (call), nW_ = (callW);                                                            \
        if (!CHECK(same_text(n_, text_, nW_, textW_)))                                             \
            printf("     %s: UTF-8 %d \"%s\", UTF-16 %d\n", #call, n_, n_ >= 0 ? text_ : "", nW_); \
    } while (0)

/* Every call with text, against its twin, over one settings object. */
static void twins_agree(const KalderSettings *s) {
    static const char *const keys[] = {"sTime",     "sDate",    "sShortDate",
                                       "sLongDate", "sDecimal", "nothing"};
    static const wchar_t *const keysW[] = {L"sTime",     L"sDate",    L"sShortDate",
                                           L"sLongDate", L"sDecimal", L"nothing"};
    for (int i = 0; i < 6; i++)
        SAME(p_Text(s, keys[i], text_, AREA), p_TextW(s, keysW[i], textW_, AREA));
    for (int month = 0; month <= 13; month++) {
        int day = month == 2 ? 29 : 14;
        SAME(p_LongDate(s, 2024, month, day, text_, AREA),
             p_LongDateW(s, 2024, month, day, textW_, AREA));
        SAME(p_ShortDate(s, 1999, month, day, text_, AREA),
             p_ShortDateW(s, 1999, month, day, textW_, AREA));
    }
    SAME(p_LongDate(s, 2023, 2, 29, text_, AREA), p_LongDateW(s, 2023, 2, 29, textW_, AREA));
    for (int hour = -1; hour <= 25; hour += 13) {
        for (int minute = 0; minute <= 60; minute += 30)
            SAME(p_Time(s, hour, minute, text_, AREA), p_TimeW(s, hour, minute, textW_, AREA));
    }
    SAME(p_TimeValue(s, -1, text_, AREA), p_TimeValueW(s, -1, textW_, AREA));
    SAME(p_TimeValue(s, 4102444800LL + 45240, text_, AREA),
         p_TimeValueW(s, 4102444800LL + 45240, textW_, AREA));
    for (KalderStatus status = KALDER_NO_MEMORY - 1; status <= 1; status++)
        SAME(p_Message(s, status, 30, text_, AREA), p_MessageW(s, status, 30, textW_, AREA));

    static const char *const dates[] = {"12/25/99", "2/29/2024", "2/30/2024", "13/1/2000", "x"};
    static const wchar_t *const datesW[] = {L"12/25/99", L"2/29/2024", L"2/30/2024", L"13/1/2000",
                                            L"x"};
    for (int i = 0; i < 5; i++) {
        KalderDate d = {0, 0, 0, 0}, dW = {0, 0, 0, 0};
        int32_t r = -99, rW = -99;
        CHECK_INT(p_ParseDateW(s, datesW[i], KALDER_NUL_TERMINATED, &dW, &rW),
                  p_ParseDate(s, dates[i], KALDER_NUL_TERMINATED, &d, &r));
        CHECK(memcmp(&d, &dW, sizeof d) == 0 && r == rW);
    }
    static const wchar_t *const timesW[] = {L"8:05", L"24:00", L"24:01", L"7:60", L"25"};
    static const char *const times[] = {"8:05", "24:00", "24:01", "7:60", "25"};
    for (int i = 0; i < 5; i++) {
        int32_t h = -1, m = -1, r = -99, hW = -1, mW = -1, rW = -99;
        CHECK_INT(p_ParseTimeW(s, timesW[i], wcslen(timesW[i]), &hW, &mW, &rW),
                  p_ParseTime(s, times[i], strlen(times[i]), &h, &m, &r));
        CHECK(h == hW && m == mW && r == rW);
    }
}

/* A typed date that is not real: a status and the refused day, quietly. */
static void quiet_parse(const KalderSettings *us) {
    WTEST_GROUP("2/30/2024 refused without a box");
    boxes_clear();
    KalderDate date = {7, 7, 7, 7};
    int32_t refused = -1;
    CHECK_INT(p_ParseDate(us, "2/30/2024", KALDER_NUL_TERMINATED, &date, &refused), KALDER_BAD_DAY);
    CHECK_INT(refused, 30);
    CHECK(date.year == 7 && date.month == 7 && date.day == 7 && date.weekday == 7);
    refused = -1;
    CHECK_INT(p_ParseDateW(us, L"2/30/2024", 9, &date, &refused), KALDER_BAD_DAY);
    CHECK_INT(refused, 30);
    refused = -1;
    CHECK_INT(p_ParseDate(NULL, "2/30/2024", 9, &date, &refused), KALDER_BAD_DAY);
    CHECK_INT(refused, 30);
    CHECK_INT(box_count, 0);
    CHECK_INT(window_count, 0);

    /* Half a surrogate pair is refused as text, and names no value. */
    refused = -1;
    CHECK_INT(p_ParseDateW(us, L"2/2\xD800/2024", KALDER_NUL_TERMINATED, &date, &refused),
              KALDER_BAD_TEXT);
    CHECK_INT(refused, 0);
    KalderStatus why = 0;
    CHECK(p_FromTextW(L"sDate=\xDC00", KALDER_NUL_TERMINATED, NULL, &why) == NULL);
    CHECK_INT(why, KALDER_BAD_TEXT);

    /* The same text through the classic parser does show its box: the
     * hook would have seen one above. */
    DosDate classic;
    CHECK_INT(p_LegacyParse(&classic, "2/30/2024"), -1);
    CHECK_INT(box_count, 1);
    boxes_clear();
}

/* Each language's names in UTF-16, from the kit's modules. */
static void languages(void) {
    static const struct {
        const char *code;
        const wchar_t *codeW;
        const wchar_t *february; /* the long date of 14 February 2024 */
        const wchar_t *march;    /* the long date of 1 March 2024 */
    } cases[] = {
        {NULL, NULL, L"Wednesday \xD834\xDD1E 14 February 2024",
         L"Friday \xD834\xDD1E 1 March 2024"},
        {"en", L"en", L"Wednesday \xD834\xDD1E 14 February 2024",
         L"Friday \xD834\xDD1E 1 March 2024"},
        {"de", L"de", L"Mittwoch \xD834\xDD1E 14 Februar 2024",
         L"Freitag \xD834\xDD1E 1 M\x00E4rz 2024"},
        {"fr", L"fr", L"mercredi \xD834\xDD1E 14 f\x00E9vrier 2024",
         L"vendredi \xD834\xDD1E 1 mars 2024"},
        {"es", L"es", L"mi\x00E9rcoles \xD834\xDD1E 14 febrero 2024",
         L"viernes \xD834\xDD1E 1 marzo 2024"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        WTEST_GROUP(cases[i].code != NULL ? cases[i].code : "the library's own language");
        KalderStatus why = 1, whyW = 1;
        KalderSettings *s = p_FromText(kIntl, KALDER_NUL_TERMINATED, cases[i].code, &why);
        KalderSettings *sW = p_FromTextW(kIntlW, wcslen(kIntlW), cases[i].codeW, &whyW);
        CHECK_INT(why, KALDER_OK);
        CHECK_INT(whyW, KALDER_OK);
        if (s == NULL || sW == NULL) {
            p_Free(s);
            p_Free(sW);
            continue;
        }
        wchar_t out[AREA];
        CHECK_INT(p_LongDateW(s, 2024, 2, 14, out, AREA), wcslen(cases[i].february));
        CHECK(wcscmp(out, cases[i].february) == 0);
        CHECK_INT(p_LongDateW(sW, 2024, 3, 1, out, AREA), wcslen(cases[i].march));
        CHECK(wcscmp(out, cases[i].march) == 0);
        twins_agree(s);
        twins_agree(sW);
        p_Free(s);
        p_Free(sW);
    }
    WTEST_GROUP("a language that is not installed");
    KalderStatus why = 0;
    CHECK(p_FromTextW(kIntlW, KALDER_NUL_TERMINATED, L"it", &why) == NULL);
    CHECK_INT(why, KALDER_BAD_TEXT);
}

/* Every size from 0 to one past the length: the text cut between whole
 * characters and terminated, nothing written beyond size. */
static void bounded(const KalderSettings *s) {
    WTEST_GROUP("UTF-16 output at every size");
    wchar_t whole[AREA];
    const int length = p_LongDateW(s, 2024, 9, 18, whole, AREA);
    REQUIRE_VOID(length > 10 && length < AREA - 8);
    int pairs = 0;
    for (int size = 0; size <= length + 1; size++) {
        wchar_t out[AREA];
        for (int i = 0; i < AREA; i++)
            out[i] = SENTINEL;
        int ok = p_LongDateW(s, 2024, 9, 18, size == 0 ? NULL : out, size) == length;
        int kept = size == 0 ? 0 : size - 1 < length ? size - 1 : length;
        if (kept > 0 && kept < length && whole[kept - 1] >= 0xD800 && whole[kept - 1] < 0xDC00) {
            kept--;
            pairs++;
        }
        if (size > 0)
            ok = ok && memcmp(out, whole, kept * sizeof *out) == 0 && out[kept] == 0;
        for (int i = size == 0 ? 0 : kept + 1; i < AREA; i++)
            ok = ok && out[i] == SENTINEL;
        if (!CHECK(ok))
            printf("     size %d\n", size);
    }
    CHECK_INT(pairs, 1); /* one size would have cut the pair */
    CHECK_INT(p_LongDateW(s, 2024, 9, 18, NULL, 1), KALDER_BAD_ARGUMENT);
}

/* The calls found by name and by their fixed ordinal. */
static void ordinals(HMODULE dll) {
    static const struct {
        int ordinal;
        const char *name;
    } calls[] = {{25, "KalderSettingsInForce"}, {35, "KalderParseDate"},
                 {42, "KalderDateOfSeconds"},   {43, "KalderSettingsFromTextW"},
                 {46, "KalderFormatLongDateW"}, {51, "KalderMessageW"}};
    WTEST_GROUP("by name and by ordinal");
    for (size_t i = 0; i < sizeof calls / sizeof calls[0]; i++) {
        FARPROC byName = GetProcAddress(dll, calls[i].name);
        CHECK(byName != NULL && byName == GetProcAddress(dll, MAKEINTRESOURCEA(calls[i].ordinal)));
    }
    CHECK(GetProcAddress(dll, MAKEINTRESOURCEA(52)) == NULL);
}

/* modern.exe [CODE-PAGE]: the system code page the run is meant to have. */
int main(int argc, char **argv) {
    char dir[MAX_PATH], path[MAX_PATH];
    printf("system code page %u\n", GetACP());
    if (argc > 1)
        CHECK_INT(GetACP(), atoi(argv[1]));
    REQUIRE(boxes_install());
    WriteProfileStringA("intl", "sShortDate", "M/d/yy");
    WriteProfileStringA("intl", "sDate", "/");
    REQUIRE(lay_out_kit(dir));
    HMODULE dll = LoadLibraryA(join_path(path, dir, "KALDER32.dll"));
    REQUIRE(dll != NULL);
    REQUIRE(resolve(dll));
    boxes_clear();

    KalderStatus why = 1;
    KalderSettings *us = p_FromText(kIntl, sizeof kIntl - 1, NULL, &why);
    REQUIRE(us != NULL && why == KALDER_OK);
    quiet_parse(us);
    languages();
    bounded(us);
    ordinals(dll);
    p_Free(us);

    CHECK(FreeLibrary(dll));
    remove_kit(dir);
    return wtest_finish();
}
