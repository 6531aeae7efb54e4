// kaldate settings: the settings record as CopyWinDateStruc hands it out.
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "kaldate.h"
#include "output.h"

namespace kaldate {
namespace {

enum class Kind { Text, Number };

struct Field {
    const char *name;
    size_t offset;
    size_t size;
    Kind kind;
    const char *const *meanings; // names of the values 0.., or nullptr
    int meaningCount;
};

constexpr const char *kShortOrders[] = {"month day year", "day month year", "year month day"};
constexpr const char *kDayNameStyles[] = {"none", "full name", "abbreviated name"};
constexpr const char *kMonthStyles[] = {"number", "two digits", "abbreviated name", "full name"};

#define KALDATE_TEXT(member)                                                                       \
    Field {                                                                                        \
#member, offsetof(WINDATESTRUC, member), sizeof(WINDATESTRUC::member), Kind::Text,         \
            nullptr, 0                                                                             \
    }
#define KALDATE_NUMBER(member, meanings, count)                                                    \
    Field {                                                                                        \
#member, offsetof(WINDATESTRUC, member), sizeof(int32_t), Kind::Number, meanings, count    \
    }

const Field kFields[] = {
    KALDATE_TEXT(sTime),
    KALDATE_TEXT(sDate),
    KALDATE_TEXT(sShortDate),
    KALDATE_TEXT(sLongDate),
    KALDATE_NUMBER(iShortOrder, kShortOrders, 3),
    KALDATE_NUMBER(bMonthLZero, nullptr, 0),
    KALDATE_NUMBER(bDayLZero, nullptr, 0),
    KALDATE_NUMBER(bFullYear, nullptr, 0),
    KALDATE_TEXT(szShortFmt),
    KALDATE_NUMBER(iLongOrder, kShortOrders, 3),
    KALDATE_NUMBER(iDayName, kDayNameStyles, 3),
    KALDATE_NUMBER(bLongDayLZero, nullptr, 0),
    KALDATE_NUMBER(iMonthStyle, kMonthStyles, 4),
    KALDATE_NUMBER(bLongFullYear, nullptr, 0),
    KALDATE_TEXT(szDaySep),
    KALDATE_TEXT(szFirstSep),
    KALDATE_TEXT(szSecondSep),
    KALDATE_TEXT(szLongFmt),
    KALDATE_TEXT(sThousand),
    KALDATE_TEXT(sDecimal),
};

#undef KALDATE_TEXT
#undef KALDATE_NUMBER

// A text field up to its first NUL, never past the field's end.
std::string TextAt(const unsigned char *record, const Field &field) {
    const char *start = reinterpret_cast<const char *>(record + field.offset);
    return std::string(start, strnlen(start, field.size));
}

int32_t NumberAt(const unsigned char *record, const Field &field) {
    int32_t value;
    std::memcpy(&value, record + field.offset, sizeof value);
    return value;
}

std::string TextLine(const unsigned char *record, const Field &field) {
    char head[48];
    std::snprintf(head, sizeof head, "%6zu  %-14s", field.offset, field.name);
    if (field.kind == Kind::Text)
        return head + ("\"" + TextAt(record, field) + "\"");
    int32_t value = NumberAt(record, field);
    std::string line = head + std::to_string(value);
    if (field.meanings && value >= 0 && value < field.meaningCount)
        line += std::string("  (") + field.meanings[value] + ")";
    return line;
}

} // namespace

int RunSettings(const Options &options) {
    if (!options.args.empty())
        return UsageError("settings takes no arguments");
    unsigned char record[KALDER_WINDATESTRUC_SIZE] = {};
    CopyWinDateStruc(record, KALDER_WINDATESTRUC_SIZE);
    ReportWarnings();

    if (options.json) {
        JsonObject object;
        for (const Field &field : kFields) {
            if (field.kind == Kind::Text)
                object.Str(field.name, TextAt(record, field));
            else
                object.Int(field.name, NumberAt(record, field));
        }
        char separator = GetTimeSep();
        object.Str("timeSeparator", separator ? std::string(1, separator) : std::string());
        PrintJson(object);
        return kExitOk;
    }
    PrintLine("offset  field         value");
    for (const Field &field : kFields)
        PrintLine(TextLine(record, field));
    return kExitOk;
}

} // namespace kaldate
