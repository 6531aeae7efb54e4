// Sweeps over every short and long date picture up to a few characters, and
// the formatters against a plain reference formatter written here.
#include <gtest/gtest.h>

#include "library_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "format/plan.h"
#include "frame/host/loader.h"
#include "kalder32.h"
#include "platform/host/host_control.h"
#include "record_snapshot.h"
#include "settings/analyse/format_builder.h"
#include "settings/analyse/pictures.h"
#include "settings/read/read_settings.h"
#include "strings/date_names.h"
#include "text/limited_text.h"

namespace {

// Date letters, separators, the printf escape and the quote: every
// character that could upset the analysis or the builders.
constexpr char kAlphabet[] = "dMy/.-%' ";
constexpr int kAlphabetSize = 9;

bool LongSweeps() { return std::getenv("KALDER_LONG_SWEEPS") != nullptr; }

// Calls visit(text) for every text of up to maxLen characters of kAlphabet.
template <typename Visit> void ForEachText(int maxLen, Visit visit) {
    char text[16];
    int digits[16] = {};
    for (int len = 0; len <= maxLen; ++len) {
        for (int i = 0; i < len; ++i)
            digits[i] = 0;
        for (;;) {
            for (int i = 0; i < len; ++i)
                text[i] = kAlphabet[digits[i]];
            text[len] = '\0';
            if (!visit(text))
                return;
            int i = len - 1;
            while (i >= 0 && ++digits[i] == kAlphabetSize)
                digits[i--] = 0;
            if (i < 0)
                break;
        }
    }
}

class LoadedLibrary : public LoadedLibraryTest {};

// --- checking a built format -------------------------------------------

// A format split into its conversions and the (unescaped) literals around
// them; ok is false when it holds a % that is neither %% nor a conversion
// the builders emit.
struct SplitFormat {
    bool ok = true;
    std::string conversions[8];
    std::string literals[9];
    int count = 0;
};

SplitFormat Split(const char *format) {
    SplitFormat s;
    for (const char *p = format; *p;) {
        if (*p != '%') {
            s.literals[s.count] += *p++;
        } else if (p[1] == '%') {
            s.literals[s.count] += '%';
            p += 2;
        } else if (p[1] == 'd' || p[1] == 's' || std::strncmp(p, "%02d", 4) == 0) {
            const size_t n = p[1] == '0' ? 4 : 2;
            if (s.count == 8)
                return s.ok = false, s;
            s.conversions[s.count++].assign(p, n);
            p += n;
        } else {
            s.ok = false;
            return s;
        }
    }
    return s;
}

// --- short pictures ------------------------------------------------------

struct ShortFields {
    int order, dayLZero, monthLZero, fullYear;
};

// First positions, a missing letter standing before every present one.
ShortFields RefAnalyseShort(const std::string &pic) {
    auto pos = [&](char c) {
        const size_t p = pic.find(c);
        return p == std::string::npos ? -1 : static_cast<int>(p);
    };
    auto count = [&](char c) {
        int n = 0;
        for (char x : pic)
            n += x == c;
        return n;
    };
    const int d = pos('d'), m = pos('M'), y = pos('y');
    const int order = m < d && m < y ? 0 : d < m && d < y ? 1 : 2;
    return {order, count('d') > 1, count('M') > 1, count('y') > 2};
}

// What went wrong with szShortFmt for the fields and sDate in force, or "".
std::string CheckShortFormat(const WINDATESTRUC &r) {
    const char *fmt = r.szShortFmt;
    if (std::memchr(fmt, '\0', sizeof r.szShortFmt) == nullptr)
        return "format not terminated in its field";
    const SplitFormat s = Split(fmt);
    if (!s.ok)
        return "stray % in " + std::string(fmt);
    if (s.count != 3)
        return "not three conversions: " + std::string(fmt);
    const std::string month = r.bMonthLZero ? "%02d" : "%d";
    const std::string day = r.bDayLZero ? "%02d" : "%d";
    const std::string year = r.bFullYear ? "%d" : "%02d";
    const std::string want[3][3] = {{month, day, year}, {day, month, year}, {year, month, day}};
    for (int i = 0; i < 3; ++i)
        if (s.conversions[i] != want[r.iShortOrder][i])
            return "conversion " + std::to_string(i) + " wrong in " + fmt;
    if (!s.literals[0].empty() || !s.literals[3].empty())
        return "text outside the conversions: " + std::string(fmt);
    // Both separators are sDate, shortened alike when it does not fit.
    const std::string sep = r.sDate;
    if (s.literals[1] != s.literals[2] || sep.compare(0, s.literals[1].size(), s.literals[1]) != 0)
        return "separators are not sDate: " + std::string(fmt);
    size_t escaped = sep.size();
    for (char c : sep)
        escaped += c == '%';
    const size_t conv = want[r.iShortOrder][0].size() + want[r.iShortOrder][1].size() +
                        want[r.iShortOrder][2].size();
    if (conv + 2 * escaped <= 19 && s.literals[1] != sep)
        return "separator cut although it fits: " + std::string(fmt);
    return "";
}

// The formatter against printf on the format it was built from.
std::string CheckShortText(const DosDate &d) {
    const WINDATESTRUC r = Record();
    unsigned y = d.year;
    if (!r.bFullYear) {
        y = static_cast<uint16_t>(y - 1900);
        if (y >= 100)
            y = static_cast<uint16_t>(y - 100);
    }
    const unsigned args[3][3] = {{d.month, d.day, y}, {d.day, d.month, y}, {y, d.month, d.day}};
    const unsigned *a = args[r.iShortOrder];
    char want[64];
    std::snprintf(want, sizeof want, r.szShortFmt, a[0], a[1], a[2]);
    char got[40];
    FillDosDateFormatString(&d, got);
    if (std::strcmp(got, want) != 0)
        return std::string("'") + got + "' vs printf '" + want + "' for " + r.szShortFmt;
    return "";
}

using ExhaustivePictures = LoadedLibrary;

TEST_F(ExhaustivePictures, EveryShortPictureUpToSixCharacters) {
    WINDATESTRUC r = Record();
    const char *seps[] = {"/", "%"};
    int failures = 0;
    long index = 0;
    ForEachText(6, [&](const char *pic) {
        std::strcpy(r.sShortDate, pic);
        AnalyseShortDatePicture(r);
        const ShortFields want = RefAnalyseShort(pic);
        if (r.iShortOrder != want.order || r.bDayLZero != want.dayLZero ||
            r.bMonthLZero != want.monthLZero || r.bFullYear != want.fullYear) {
            ADD_FAILURE() << "analysis of '" << pic << "': order " << r.iShortOrder << " flags "
                          << r.bDayLZero << r.bMonthLZero << r.bFullYear;
            ++failures;
        }
        std::strcpy(r.sDate, seps[index % 2]);
        BuildShortFormat(r);
        std::string err = CheckShortFormat(r);
        if (err.empty() && index % 13 == 0) {
            PutInForce(r);
            const DosDate d{static_cast<uint16_t>(index * 7), static_cast<uint16_t>(index % 14), 0,
                            static_cast<uint16_t>(index * 31)};
            err = CheckShortText(d);
        }
        if (!err.empty()) {
            ADD_FAILURE() << "'" << pic << "' with '" << r.sDate << "': " << err;
            ++failures;
        }
        ++index;
        return failures < 10;
    });
}

// The short format depends on the picture only through the order and the
// three flags, so every sDate against each of their 24 combinations covers
// what every picture with every sDate would.  The literal product of both
// sweeps runs with KALDER_LONG_SWEEPS.
TEST_F(ExhaustivePictures, EverySeparatorOfUpToThreeCharactersInEveryShortForm) {
    WINDATESTRUC r = Record();
    int failures = 0;
    ForEachText(3, [&](const char *sep) {
        for (int combo = 0; combo < 24; ++combo) {
            std::strcpy(r.sDate, sep);
            r.iShortOrder = combo % 3;
            r.bDayLZero = (combo / 3) & 1;
            r.bMonthLZero = (combo / 6) & 1;
            r.bFullYear = (combo / 12) & 1;
            BuildShortFormat(r);
            PutInForce(r);
            std::string err = CheckShortFormat(r);
            if (err.empty())
                err = CheckShortText(DosDate{65535, 65535, 0, 65535});
            if (err.empty())
                err = CheckShortText(DosDate{1999, 3, 0, 7});
            if (!err.empty()) {
                ADD_FAILURE() << "sDate '" << sep << "', combination " << combo << ": " << err;
                ++failures;
            }
        }
        return failures < 10;
    });
    if (!LongSweeps())
        return;
    ForEachText(3, [&](const char *sep) {
        ForEachText(6, [&](const char *pic) {
            std::strcpy(r.sShortDate, pic);
            std::strcpy(r.sDate, sep);
            AnalyseShortDatePicture(r);
            BuildShortFormat(r);
            const std::string err = CheckShortFormat(r);
            if (!err.empty()) {
                ADD_FAILURE() << "'" << pic << "' with '" << sep << "': " << err;
                ++failures;
            }
            return failures < 10;
        });
        return failures < 10;
    });
}

// --- long pictures -------------------------------------------------------

struct LongFields {
    int dayName = 0;
    std::string daySep, firstSep, secondSep;
    int order = 0, dayLZero = 0, monthStyle = 0, fullYear = 0;
};

bool IsDateLetter(char c) { return c == 'd' || c == 'M' || c == 'y'; }

// The literal at p: up to the next date letter outside quotes (or the end),
// quoted runs without their quotes; cut to the nine characters a field holds.
size_t RefTakeSeparator(const std::string &pic, size_t p, std::string *dest) {
    dest->clear();
    bool quoted = false;
    for (; p < pic.size() && (quoted || !IsDateLetter(pic[p])); ++p) {
        if (pic[p] == '\'')
            quoted = !quoted;
        else
            *dest += pic[p];
    }
    if (dest->size() > 9)
        dest->resize(9);
    return p;
}

LongFields RefAnalyseLong(const std::string &pic) {
    LongFields f;
    size_t p = 0;
    if (pic.compare(0, 4, "dddd") == 0)
        f.dayName = 1, p = 4;
    else if (pic.compare(0, 3, "ddd") == 0)
        f.dayName = 2, p = 3;
    if (f.dayName != 0 || (p < pic.size() && pic[p] == '\''))
        p = RefTakeSeparator(pic, p, &f.daySep);
    std::string elements;
    for (int element = 0; element < 2; ++element) {
        size_t end = p;
        while (end < pic.size() && IsDateLetter(pic[end]))
            ++end;
        elements += pic.substr(p, end - p) + "/";
        p = RefTakeSeparator(pic, end, element == 0 ? &f.firstSep : &f.secondSep);
    }
    bool quoted = false;
    for (; p < pic.size(); ++p) {
        if (pic[p] == '\'')
            quoted = !quoted;
        else if (!quoted)
            elements += pic[p];
    }
    auto pos = [&](char c) {
        const size_t x = elements.find(c);
        return x == std::string::npos ? static_cast<int>(elements.size()) : static_cast<int>(x);
    };
    auto count = [&](char c) {
        int n = 0;
        for (char x : elements)
            n += x == c;
        return n;
    };
    const int d = pos('d'), m = pos('M'), y = pos('y');
    f.order = m < d && m < y ? 0 : d < m && d < y ? 1 : 2;
    f.dayLZero = count('d') > 1;
    f.monthStyle = count('M') - 1;
    f.fullYear = count('y') > 2;
    return f;
}

std::string CheckLongFormat(const WINDATESTRUC &r) {
    const char *fmt = r.szLongFmt;
    if (std::memchr(fmt, '\0', sizeof r.szLongFmt) == nullptr)
        return "format not terminated in its field";
    const SplitFormat s = Split(fmt);
    if (!s.ok)
        return "stray % in " + std::string(fmt);
    if (s.count != 4)
        return "not four conversions: " + std::string(fmt);
    const std::string day = r.bLongDayLZero ? "%02d" : "%d";
    const std::string want[3][4] = {
        {"%s", "%s", day, "%d"}, {"%s", day, "%s", "%d"}, {"%s", "%d", "%s", day}};
    if (r.iLongOrder < 0 || r.iLongOrder > 2)
        return "order out of range";
    for (int i = 0; i < 4; ++i)
        if (s.conversions[i] != want[r.iLongOrder][i])
            return "conversion " + std::to_string(i) + " wrong in " + fmt;
    if (!s.literals[0].empty() || !s.literals[4].empty() || s.literals[1] != r.szDaySep ||
        s.literals[2] != r.szFirstSep || s.literals[3] != r.szSecondSep)
        return "literals differ from the separator fields in " + std::string(fmt);
    return "";
}

std::string Name(char *const *table, int count, int index) {
    return index >= 0 && index < count && table[index] ? table[index] : "";
}

// The long date as the fields describe it, from the name tables, cut to
// the 39 characters a caller's 40 bytes hold.
std::string RefLongDate(const WINDATESTRUC &r, const KALDER_TM &tm) {
    std::string weekday;
    if (r.iDayName == 1)
        weekday = Name(DayNames, 7, tm.tm_wday);
    else if (r.iDayName == 2)
        weekday = Name(DayAbbrevs, 7, tm.tm_wday);
    std::string month;
    char num[16];
    if (r.iMonthStyle == 0 || r.iMonthStyle == 1) {
        std::snprintf(num, sizeof num, r.iMonthStyle ? "%02d" : "%d",
                      static_cast<int32_t>(static_cast<uint32_t>(tm.tm_mon) + 1u));
        month = num;
    } else if (r.iMonthStyle == 2) {
        month = Name(MonthAbbrevs, 12, tm.tm_mon);
    } else if (r.iMonthStyle == 3) {
        month = Name(MonthNames, 12, tm.tm_mon);
    }
    weekday = weekday.substr(0, 59);
    month = month.substr(0, 19);
    std::snprintf(num, sizeof num, r.bLongDayLZero ? "%02d" : "%d", tm.tm_mday);
    const std::string day = num;
    std::snprintf(num, sizeof num, "%d",
                  r.bLongFullYear ? static_cast<int32_t>(static_cast<uint32_t>(tm.tm_year) + 1900u)
                                  : tm.tm_year);
    const std::string year = num;
    const std::string parts[3][3] = {{month, day, year}, {day, month, year}, {year, month, day}};
    const std::string *e = parts[r.iLongOrder];
    std::string text = weekday + r.szDaySep + e[0] + r.szFirstSep + e[1] + r.szSecondSep + e[2];
    return text.substr(0, 39);
}

std::string CheckLongText(const KALDER_TM &tm) {
    char got[40];
    FillLongDateFormatString(tm, got);
    const std::string want = RefLongDate(Record(), tm);
    if (want != got)
        return "'" + std::string(got) + "' vs '" + want + "'";
    return "";
}

KALDER_TM Tm(int32_t year, int32_t mon, int32_t mday, int32_t wday) {
    KALDER_TM tm{};
    tm.tm_year = year;
    tm.tm_mon = mon;
    tm.tm_mday = mday;
    tm.tm_wday = wday;
    return tm;
}

TEST_F(ExhaustivePictures, EveryLongPictureUpToSevenCharacters) {
    WINDATESTRUC r = Record();
    int failures = 0;
    long index = 0;
    const int maxLen = 7;
    ForEachText(maxLen, [&](const char *pic) {
        std::strcpy(r.sLongDate, pic);
        AnalyseLongDatePicture(r);
        const LongFields want = RefAnalyseLong(pic);
        std::string err;
        if (r.iDayName != want.dayName || r.szDaySep != want.daySep ||
            r.szFirstSep != want.firstSep || r.szSecondSep != want.secondSep ||
            r.iLongOrder != want.order || r.bLongDayLZero != want.dayLZero ||
            r.iMonthStyle != want.monthStyle || r.bLongFullYear != want.fullYear) {
            err = "analysis: day name " + std::to_string(r.iDayName) + " seps '" + r.szDaySep +
                  "' '" + r.szFirstSep + "' '" + r.szSecondSep + "' order " +
                  std::to_string(r.iLongOrder) + " month style " + std::to_string(r.iMonthStyle);
        }
        if (err.empty()) {
            BuildLongFormat(r);
            err = CheckLongFormat(r);
        }
        if (err.empty() && (LongSweeps() || index % 11 == 0)) {
            PutInForce(r);
            const int32_t i = static_cast<int32_t>(index);
            err = CheckLongText(Tm(i % 300 - 50, i % 13, i % 33, i % 8));
        }
        if (!err.empty()) {
            ADD_FAILURE() << "'" << pic << "': " << err;
            ++failures;
        }
        ++index;
        return failures < 10;
    });
}

// --- the formatters against the reference, form by form -----------------

std::string ShortPicture(int order, bool dayLZero, bool monthLZero, bool fullYear,
                         const std::string &sep) {
    const std::string d = dayLZero ? "dd" : "d", m = monthLZero ? "MM" : "M",
                      y = fullYear ? "yyyy" : "yy";
    const std::string e[3][3] = {{m, d, y}, {d, m, y}, {y, m, d}};
    return e[order][0] + sep + e[order][1] + sep + e[order][2];
}

std::string Num(unsigned v, bool twoDigits) {
    char b[16];
    std::snprintf(b, sizeof b, twoDigits ? "%02u" : "%u", v);
    return b;
}

TEST_F(ExhaustivePictures, ShortDatesMatchTheReferenceInEveryForm) {
    WINDATESTRUC r = Record();
    const char *seps[] = {"/", ".", "-", "", "%", "%.", " - "}; // all fit the format
    const DosDate dates[] = {{1999, 12, 0, 31}, {2000, 1, 6, 1},   {2100, 2, 0, 28},
                             {2150, 13, 0, 0},  {1899, 7, 0, 4},   {1900, 65535, 0, 65535},
                             {0, 0, 0, 0},      {65535, 10, 0, 9}, {2005, 5, 3, 5}};
    for (int order = 0; order < 3; ++order)
        for (int flags = 0; flags < 8; ++flags)
            for (const char *sep : seps) {
                const bool dz = flags & 1, mz = flags & 2, fy = flags & 4;
                std::strcpy(r.sShortDate, ShortPicture(order, dz, mz, fy, sep).c_str());
                std::strcpy(r.sDate, sep);
                DeriveFormats(r);
                PutInForce(r);
                for (const DosDate &d : dates) {
                    unsigned y = d.year;
                    if (!fy) {
                        y = static_cast<uint16_t>(y - 1900);
                        y = y >= 100 ? static_cast<uint16_t>(y - 100) : y;
                    }
                    const std::string M = Num(d.month, mz), D = Num(d.day, dz), Y = Num(y, !fy);
                    const std::string e[3][3] = {{M, D, Y}, {D, M, Y}, {Y, M, D}};
                    const std::string want = e[order][0] + sep + e[order][1] + sep + e[order][2];
                    char out[40];
                    ASSERT_STREQ(FillDosDateFormatString(&d, out), want.c_str())
                        << r.sShortDate << " " << d.year << "-" << d.month << "-" << d.day;
                    KALDER_TM tm = Tm(d.year - 1900, d.month - 1, d.day, 77);
                    tm.tm_sec = tm.tm_yday = tm.tm_isdst = -9;
                    char out2[40];
                    ASSERT_STREQ(FillDateFormatString(tm, out2), want.c_str());
                }
            }
}

TEST_F(ExhaustivePictures, LongDatesMatchTheReferenceInEveryForm) {
    WINDATESTRUC r = Record();
    const char *dayParts[] = {"", "dddd, ", "ddd ", "'on' "};
    const char *months[] = {"", "M", "MM", "MMM", "MMMM", "MMMMM"};
    const char *seps[][2] = {{" ", ", "}, {". ", " "}, {"%", "%%"}, {"'d'", "-"}};
    const KALDER_TM dates[] = {Tm(124, 2, 5, 2),
                               Tm(99, 11, 31, 5),
                               Tm(100, 0, 1, 6),
                               Tm(5, 8, 0, 0),
                               Tm(-1900, 12, 9, 7),
                               Tm(8099, -1, 40, -1),
                               Tm(2147483647, 11, -2147483647 - 1, 3)};
    int cases = 0;
    for (const char *dayPart : dayParts)
        for (int order = 0; order < 3; ++order)
            for (const char *month : months)
                for (int flags = 0; flags < 4; ++flags)
                    for (const auto &sep : seps) {
                        const std::string d = flags & 1 ? "dd" : "d";
                        const std::string y = flags & 2 ? "yyyy" : "yy";
                        const std::string e[3][3] = {{month, d, y}, {d, month, y}, {y, month, d}};
                        const std::string pic =
                            dayPart + e[order][0] + sep[0] + e[order][1] + sep[1] + e[order][2];
                        if (pic.size() >= sizeof r.sLongDate)
                            continue;
                        std::strcpy(r.sLongDate, pic.c_str());
                        AnalyseLongDatePicture(r);
                        BuildLongFormat(r);
                        PutInForce(r);
                        ASSERT_EQ(CheckLongFormat(r), "") << pic;
                        for (const KALDER_TM &tm : dates) {
                            ASSERT_EQ(CheckLongText(tm), "") << pic;
                            ++cases;
                        }
                    }
    EXPECT_GT(cases, 2000);
}

// Names longer than the work areas and the 39 characters of a long date.
TEST_F(ExhaustivePictures, LongNamesAreCutAndNeverOverrun) {
    host::UnloadLibrary();
    const std::string longName(80, 'W');
    for (unsigned id = 1158; id < 1196; ++id)
        host::SetString(id, (longName + std::to_string(id)).c_str());
    ASSERT_TRUE(host::LoadLibrary());
    WINDATESTRUC r = Record();
    for (const char *pic : {"dddd, MMMM dd, yyyy", "MMM d yy", "dddd", "ddd MMMM"}) {
        std::strcpy(r.sLongDate, pic);
        AnalyseLongDatePicture(r);
        BuildLongFormat(r);
        PutInForce(r);
        for (int mon = 0; mon < 12; ++mon) {
            char out[48];
            std::memset(out, 0x5A, sizeof out);
            FillLongDateFormatString(Tm(124, mon, 5, mon % 7), out);
            EXPECT_EQ(std::string(out), RefLongDate(r, Tm(124, mon, 5, mon % 7))) << pic;
            for (size_t i = std::strlen(out) + 1; i < sizeof out; ++i)
                ASSERT_EQ(out[i], 0x5A) << pic << " wrote byte " << i;
        }
    }
}

} // namespace
