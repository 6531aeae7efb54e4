// Outputs land exactly where they belong, failed parses leave the caller's
// records alone, and huge typed inputs cost no more than their first bytes.
#include <gtest/gtest.h>

#include "library_fixture.h"

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "kalder32.h"
#include "platform/host/host_control.h"
#include "record_snapshot.h"
#include "settings/analyse/format_builder.h"
#include "settings/analyse/pictures.h"
#include "settings/read/read_settings.h"
#include "text/limited_text.h"

namespace {

constexpr unsigned char kGuard = 0xA5;

// A caller's buffer pre-filled with the guard pattern.
struct Guarded {
    unsigned char bytes[128];
    Guarded() { std::memset(bytes, kGuard, sizeof bytes); }
    char *p() { return reinterpret_cast<char *>(bytes); }
    // The text must be exactly want, with its NUL and nothing after it.
    ::testing::AssertionResult Holds(const std::string &want) const {
        const char *text = reinterpret_cast<const char *>(bytes);
        if (std::memchr(text, '\0', sizeof bytes) == nullptr || want != text)
            return ::testing::AssertionFailure() << "text is not '" << want << "'";
        for (size_t i = want.size() + 1; i < sizeof bytes; ++i)
            if (bytes[i] != kGuard)
                return ::testing::AssertionFailure()
                       << "byte " << i << " written after '" << want << "'";
        return ::testing::AssertionSuccess();
    }
};

class Guards : public LoadedLibraryTest {
  protected:
    static void UsePictures(const char *shortPic, const char *sep, const char *longPic) {
        ::UsePictures(shortPic, longPic, sep);
    }
};

KALDER_TM Tm(int32_t year, int32_t mon, int32_t mday, int32_t wday) {
    KALDER_TM tm{};
    tm.tm_year = year;
    tm.tm_mon = mon;
    tm.tm_mday = mday;
    tm.tm_wday = wday;
    return tm;
}

TEST_F(Guards, DateFormattersWriteTheirTextAndNulOnly) {
    UsePictures("MM/dd/yyyy", "%%", "dddd, MMMM dd, yyyy");
    Guarded a, b;
    const DosDate widest{65535, 65535, 0, 65535};
    EXPECT_EQ(FillDosDateFormatString(&widest, a.p()), a.p());
    EXPECT_TRUE(a.Holds("65535%%65535%%65535"));
    EXPECT_EQ(FillDateFormatString(Tm(-1901, -2, -1, 0), b.p()), b.p());
    EXPECT_TRUE(b.Holds("65535%%65535%%65535"));

    Guarded c;
    EXPECT_EQ(FillLongDateFormatString(Tm(124, 11, 5, 3), c.p()), c.p());
    const std::string text = c.p();
    EXPECT_NE(text.find("December 05, 2024"), std::string::npos) << text;
    EXPECT_TRUE(c.Holds(text));

    // Widest numbers in a long date: still 39 characters at most.
    UsePictures("M/d/yy", "/", "'xxxxxxxxx'yyyy'xxxxxxxxx'M'xxxxxxxxx'd");
    Guarded d;
    FillLongDateFormatString(Tm(INT_MAX, INT_MIN, INT_MIN, 0), d.p());
    EXPECT_EQ(std::strlen(d.p()), 39u);
    EXPECT_TRUE(d.Holds(d.p()));
    EXPECT_EQ(FillLongDateFormatString(Tm(1, 1, 1, 1), nullptr), nullptr);
    EXPECT_EQ(FillDosDateFormatString(&widest, nullptr), nullptr);
}

TEST_F(Guards, TimeFormattersWriteTheirTextsAndNulsOnly) {
    Guarded a;
    FillTimeHrMin(INT_MIN, INT_MIN, a.p());
    EXPECT_TRUE(a.Holds("-2147483648:-2147483648"));
    const struct {
        KALDER_TIME t;
        const char *want;
    } times[] = {
        {0, "0:00"}, {86399, "23:59"}, {-1, "23:59"}, {INT_MAX, "3:14"}, {INT_MIN, "20:45"}};
    for (const auto &c : times) {
        Guarded out, h, s, m;
        EXPECT_EQ(FillTimeFormatString(c.t, out.p()), out.p());
        EXPECT_TRUE(out.Holds(c.want)) << c.t;
        EXPECT_EQ(FillTimeFormat3Strings(c.t, h.p(), s.p(), m.p()), m.p());
        const std::string whole = c.want;
        const size_t colon = whole.find(':');
        EXPECT_TRUE(h.Holds(whole.substr(0, colon)));
        EXPECT_TRUE(s.Holds(":"));
        EXPECT_TRUE(m.Holds(whole.substr(colon + 1)));
    }
    // No separator: the hour alone, and an empty separator text.
    ChangeRecord([](WINDATESTRUC &r) { r.sTime[0] = '\0'; });
    Guarded out, h, s, m;
    FillTimeHrMin(-7, 5, out.p());
    EXPECT_TRUE(out.Holds("-7"));
    EXPECT_EQ(Fill3StrTimeHrMin(INT_MAX, -1, h.p(), s.p(), m.p()), m.p());
    EXPECT_TRUE(h.Holds("2147483647"));
    EXPECT_TRUE(s.Holds(""));
    EXPECT_TRUE(m.Holds("-1"));
    Guarded h2, m2;
    EXPECT_EQ(Fill3StrTimeHrMin(1, 2, h2.p(), nullptr, m2.p()), m2.p());
    EXPECT_TRUE(h2.Holds("1"));
    EXPECT_TRUE(m2.Holds("02"));
}

TEST_F(Guards, CopyWinDateStrucCopiesExactlyTheBytesAskedFor) {
    const WINDATESTRUC inForce = Record();
    const unsigned char *record = reinterpret_cast<const unsigned char *>(&inForce);
    for (int32_t length : {-5, 0, 1, 79, 80, 227, 228, 229, 100000}) {
        unsigned char dest[400];
        std::memset(dest, kGuard, sizeof dest);
        EXPECT_EQ(CopyWinDateStruc(dest, length), dest);
        const int32_t copied = length < 0 ? 0 : length > 228 ? 228 : length;
        EXPECT_EQ(std::memcmp(dest, record, static_cast<size_t>(copied)), 0) << length;
        for (size_t i = static_cast<size_t>(copied); i < sizeof dest; ++i)
            ASSERT_EQ(dest[i], kGuard) << "length " << length << " wrote byte " << i;
    }
}

TEST_F(Guards, FailedDateParsesLeaveTheRecordsByteForByte) {
    const char *bad[] = {"13/1/2000",
                         "1/32/2000",
                         "2/29/2100",
                         "1/1/75",
                         "",
                         "0/0/0",
                         "-1/5/2000",
                         "1/-5/2000",
                         "65537/1/2000",
                         "1/1/67536",
                         "99999999999999999999/1/1",
                         "4/31/2000"};
    for (const char *text : bad) {
        DosDate d;
        std::memset(&d, kGuard, sizeof d);
        EXPECT_EQ(ParseDosDateFormatString(&d, text), -1) << text;
        const unsigned char *p = reinterpret_cast<const unsigned char *>(&d);
        for (size_t i = 0; i < sizeof d; ++i)
            ASSERT_EQ(p[i], kGuard) << text;
        KALDER_TM tm;
        std::memset(&tm, kGuard, sizeof tm);
        EXPECT_EQ(ParseDateFormatString(&tm, text), -1) << text;
        p = reinterpret_cast<const unsigned char *>(&tm);
        for (size_t i = 0; i < sizeof tm; ++i)
            ASSERT_EQ(p[i], kGuard) << text;
    }
    EXPECT_EQ(host::MessageBoxes().size(), 2 * (sizeof bad / sizeof bad[0]));
}

TEST_F(Guards, FailedTimeParsesLeaveTheTimeValueByteForByte) {
    const KALDER_TIME start = 946741632;
    for (const char *text : {"24:01", "25:00", "-1:00", "10:60", "99999999999", "23:-1"}) {
        KALDER_TIME t = start;
        EXPECT_EQ(ParseTimeFormatString(&t, text), -1) << text;
        EXPECT_EQ(t, start) << text;
    }
    const char *pairs[][2] = {{"24", "1"}, {"-1", "0"}, {"0", "60"}, {nullptr, "-3"}};
    for (const auto &pair : pairs) {
        KALDER_TIME t = start;
        EXPECT_EQ(ParseTimeFormat2Strings(&t, pair[0], pair[1]), -1);
        EXPECT_EQ(t, start);
    }
    // A valid time that the 32-bit value cannot hold: refused silently.
    KALDER_TIME late = INT_MAX;
    host::ClearMessageBoxes();
    EXPECT_EQ(ParseTimeFormatString(&late, "24:00"), -1);
    EXPECT_EQ(late, INT_MAX);
    EXPECT_TRUE(host::MessageBoxes().empty());
}

// --- floods ----------------------------------------------------------------

// Text of n characters placed so that its last character is the last byte
// before an unreadable page: reading one byte further faults.  There is no
// NUL, so a parser that looks past the characters it may take crashes the
// test instead of quietly doing more work.
class EdgeText {
  public:
    explicit EdgeText(const std::string &text) {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        size_ = (text.size() + page - 1) / page * page + page;
        base_ = static_cast<char *>(
            mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        EXPECT_NE(base_, MAP_FAILED);
        char *guard = base_ + size_ - page;
        mprotect(guard, page, PROT_NONE);
        text_ = guard - text.size();
        std::memcpy(text_, text.data(), text.size());
    }
    ~EdgeText() { munmap(base_, size_); }
    const char *get() const { return text_; }

  private:
    char *base_;
    char *text_;
    size_t size_;
};

std::string Flood(const std::string &unit, size_t bytes) {
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes)
        s += unit;
    s.resize(bytes);
    return s;
}

const char *const kFloodUnits[] = {"9", "/", " ", "1/", "12/25/", "0", "-", ":", "8:3"};

// A typed text is taken from its first 99 characters: a flood of 64 KiB or
// 1 MiB gives the result of those 99, and nothing past them is even read.
TEST_F(Guards, DateAndTimeFloodsAreReadNoFurtherThanTheWorkArea) {
    for (const char *unit : kFloodUnits) {
        for (size_t bytes : {size_t{64} << 10, size_t{1} << 20}) {
            const std::string flood = Flood(unit, bytes);
            const std::string head = flood.substr(0, 99);

            DosDate a{1, 2, 3, 4}, b{1, 2, 3, 4};
            const int32_t ra = ParseDosDateFormatString(&a, head.c_str());
            const int32_t rb = ParseDosDateFormatString(&b, flood.c_str());
            EXPECT_EQ(ra, rb) << unit;
            EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << unit;

            int32_t ha = 0, ma = 0, hb = 0, mb = 0;
            EXPECT_EQ(ParseTimeHrMin(&ha, &ma, head.c_str()),
                      ParseTimeHrMin(&hb, &mb, flood.c_str()));
            EXPECT_EQ(ha, hb);
            EXPECT_EQ(ma, mb);
            EXPECT_EQ(atoi_NullCheck(flood.c_str()), atoi_NullCheck(flood.substr(0, 50).c_str()));
        }
        // Nothing beyond the characters a parser may take is read.
        const EdgeText date(Flood(unit, 99));
        DosDate d{1, 2, 3, 4};
        ParseDosDateFormatString(&d, date.get());
        KALDER_TM tm{};
        ParseDateFormatString(&tm, date.get());
        int32_t h = 0, m = 0;
        ParseTimeHrMin(&h, &m, date.get());
        KALDER_TIME t = 86400;
        ParseTimeFormatString(&t, date.get());
        const EdgeText number(Flood(unit, 50));
        atoi_NullCheck(number.get());
        ParseTimeFormat2Strings(&t, number.get(), number.get());
    }
    host::ClearMessageBoxes();
}

// Text made of count copies of fill followed by tail.
std::string Padded(size_t count, char fill, const char *tail) {
    std::string s(count, fill);
    s.append(tail);
    return s;
}

TEST_F(Guards, NumberFloodsSaturateInsteadOfWrapping) {
    EXPECT_EQ(atoi_NullCheck(Flood("9", 1 << 20).c_str()), INT_MAX);
    std::string negative = Flood("9", 1 << 16);
    negative[0] = '-';
    EXPECT_EQ(atoi_NullCheck(negative.c_str()), INT_MIN);
    // Forty-nine zeros then a digit: the digit is the 50th character.
    EXPECT_EQ(atoi_NullCheck(Padded(49, '0', "7").c_str()), 7);
    EXPECT_EQ(atoi_NullCheck(Padded(50, '0', "7").c_str()), 0);
    EXPECT_EQ(atoi_NullCheck(Padded(48, ' ', "-42").c_str()), -4);
}

} // namespace
