#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "kalder32.h"
#include "record_snapshot.h"

namespace {

// Taken during static initialisation, before any test can have read the
// settings.
const WINDATESTRUC kAtLoad = [] {
    WINDATESTRUC record;
    CopyWinDateStruc(&record, sizeof record);
    return record;
}();

TEST(RecordTest, LoadTimeValuesSitAtTheirOffsets) {
    const char *bytes = reinterpret_cast<const char *>(&kAtLoad);
    auto text = [&](size_t offset) { return std::string(bytes + offset); };
    auto number = [&](size_t offset) {
        int32_t v;
        std::memcpy(&v, bytes + offset, sizeof v);
        return v;
    };
    EXPECT_EQ(text(0), ":");
    EXPECT_EQ(text(10), "/");
    EXPECT_EQ(text(20), "M/d/yy");
    EXPECT_EQ(text(40), "dddd, MMMM dd, yyyy");
    EXPECT_EQ(number(80), 0);
    EXPECT_EQ(number(84), 0);
    EXPECT_EQ(number(88), 0);
    EXPECT_EQ(number(92), 0);
    EXPECT_EQ(text(96), "%d/%d/%d");
    EXPECT_EQ(number(116), 0);
    EXPECT_EQ(number(120), 1);
    EXPECT_EQ(number(124), 1);
    EXPECT_EQ(number(128), 3);
    EXPECT_EQ(number(132), 1);
    EXPECT_EQ(text(136), ", ");
    EXPECT_EQ(text(146), " ");
    EXPECT_EQ(text(156), ", ");
    EXPECT_EQ(text(166), "%s%s%s%02d%s%s");
    EXPECT_EQ(text(208), ",");
    EXPECT_EQ(text(218), ".");
}

class CopyTest : public ::testing::Test {
  protected:
    void SetUp() override { std::memset(buffer, 0x5A, sizeof buffer); }
    size_t UntouchedFrom(size_t start) const {
        size_t i = start;
        while (i < sizeof buffer && buffer[i] == 0x5A)
            ++i;
        return i;
    }
    unsigned char buffer[300];
    RecordSnapshot snapshot;
};

TEST_F(CopyTest, NothingIsCopiedForZeroOrNegativeLengths) {
    for (int32_t length : {0, -1, -228, INT32_MIN}) {
        EXPECT_EQ(CopyWinDateStruc(buffer, length), buffer);
        EXPECT_EQ(UntouchedFrom(0), sizeof buffer) << length;
    }
}

TEST_F(CopyTest, PrefixDeliversThePicturesAndStopsThere) {
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sShortDate, "dd.MM.yyyy"); });
    EXPECT_EQ(CopyWinDateStruc(buffer, 80), buffer);
    const WINDATESTRUC inForce = Record();
    EXPECT_EQ(std::memcmp(buffer, &inForce, 80), 0);
    EXPECT_STREQ(reinterpret_cast<char *>(buffer) + 20, "dd.MM.yyyy");
    EXPECT_EQ(UntouchedFrom(80), sizeof buffer);
}

TEST_F(CopyTest, LengthsPastTheRecordCopyTheWholeRecordOnly) {
    for (int32_t length : {228, 229, 300, INT32_MAX}) {
        std::memset(buffer, 0x5A, sizeof buffer);
        CopyWinDateStruc(buffer, length);
        const WINDATESTRUC inForce = Record();
        EXPECT_EQ(std::memcmp(buffer, &inForce, 228), 0) << length;
        EXPECT_EQ(UntouchedFrom(228), sizeof buffer) << length;
    }
}

TEST(CopyNullTest, NullDestinationIsReturnedUntouched) {
    EXPECT_EQ(CopyWinDateStruc(nullptr, 228), nullptr);
}

TEST(TimeSepTest, ReturnsTheFirstCharacterOrNul) {
    RecordSnapshot snapshot;
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sTime, ".:"); });
    EXPECT_EQ(GetTimeSep(), '.');
    ChangeRecord([&](WINDATESTRUC &r) { SetField(r.sTime, ""); });
    EXPECT_EQ(GetTimeSep(), '\0');
}

} // namespace
