// Typed dates and times read quietly, and the texts of their failures.
#include <cstdio>

#include "calendar/civil.h"
#include "modern/output.h"
#include "modern/settings_object.h"
#include "parse/date_parse.h"
#include "parse/time_parse.h"

namespace {

// The parsers read no more of a text than this; a longer text is checked
// whole and read as far as they read it.
constexpr size_t kTypedArea = 128;

// A text argument as the parsers take it: terminated, in a work area.
struct TypedText {
    char text[kTypedArea + 1];
};

KalderStatus TakeText(const char *text, size_t length, TypedText &typed) {
    if (text == nullptr)
        return KALDER_BAD_ARGUMENT;
    length = modern::TextLength(text, length);
    if (!modern::IsPlainText(text, length))
        return KALDER_BAD_TEXT;
    const size_t kept = length < kTypedArea ? length : kTypedArea;
    std::memcpy(typed.text, text, kept);
    typed.text[kept] = '\0';
    return KALDER_OK;
}

KalderStatus Refused(const Warning &warning, int32_t *refused) {
    if (refused != nullptr)
        *refused = warning.hasValue ? warning.value : 0;
    return modern::StatusOf(warning);
}

void StoreDate(int32_t year, int32_t month, int32_t day, KalderDate *date) {
    date->year = year;
    date->month = month;
    date->day = day;
    date->weekday = static_cast<int32_t>(WeekdayFromDays(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))));
}

// The built-in English texts, for a status without a text of its own in
// the resource module and for a module that lacks one.
#define KALDER_STRING(id, text) {id, text},
struct BuiltInText {
    unsigned id;
    const char *text;
};
constexpr BuiltInText kEnglish[] = {
#include "res/strings_en.inc"
};
#undef KALDER_STRING

const char *EnglishText(unsigned id) {
    for (const BuiltInText &entry : kEnglish) {
        if (entry.id == id)
            return entry.text;
    }
    return "";
}

const char *OtherStatusText(KalderStatus status) {
    switch (status) {
    case KALDER_OK:
        return "The value is valid.";
    case KALDER_BAD_TEXT:
        return "The text is not valid UTF-8, is too long for its field, or names a language "
               "that is not installed.";
    case KALDER_BAD_ARGUMENT:
        return "A required argument is missing or out of range.";
    case KALDER_NO_MEMORY:
        return "There is not enough memory to complete the operation.";
    default:
        return "The operation failed.";
    }
}

// format with its one %d filled with value (the texts hold at most one).
int FillValue(const char *format, int32_t value, char *out, size_t size) {
    char text[kMessageArea + 16] = {};
    size_t length = 0;
    bool filled = false;
    for (const char *p = format; *p != '\0' && length + 12 < sizeof text; ++p) {
        if (p[0] == '%' && p[1] == '%') {
            text[length++] = '%';
            ++p;
        } else if (p[0] == '%' && p[1] == 'd' && !filled) {
            length += static_cast<size_t>(std::snprintf(text + length, 12, "%d", value));
            filled = true;
            ++p;
        } else {
            text[length++] = *p;
        }
    }
    return modern::Put(text, length, out, size);
}

} // namespace

extern "C" KalderStatus KALDER_CALL KalderParseDate(const KalderSettings *settings,
                                                    const char *text, size_t length,
                                                    KalderDate *date, int32_t *refused) {
    if (refused != nullptr)
        *refused = 0;
    TypedText typed;
    if (date == nullptr)
        return KALDER_BAD_ARGUMENT;
    if (const KalderStatus bad = TakeText(text, length, typed))
        return bad;
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return KALDER_NO_MEMORY;
    const Settings &value = use->value;
    DosDate read{};
    if (value.dateDelimiters.plainDigits &&
        ReadDateOfShortNumbers(value.record.iShortOrder, value.record.sDate[0], &read, typed.text))
        [[likely]] {
        StoreDate(read.year, read.month, read.day, date);
        return KALDER_OK;
    }
    date_parse::TypedDate found{};
    if (const Warning bad = ReadShortDate(value.record, value.dateDelimiters, typed.text, &found))
        return Refused(bad, refused);
    StoreDate(found.year, found.month, found.day, date);
    return KALDER_OK;
}

extern "C" KalderStatus KALDER_CALL KalderParseTime(const KalderSettings *settings,
                                                    const char *text, size_t length, int32_t *hour,
                                                    int32_t *minute, int32_t *refused) {
    if (refused != nullptr)
        *refused = 0;
    TypedText typed;
    if (hour == nullptr || minute == nullptr)
        return KALDER_BAD_ARGUMENT;
    if (const KalderStatus bad = TakeText(text, length, typed))
        return bad;
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return KALDER_NO_MEMORY;
    const Settings &value = use->value;
    int32_t h = 0;
    int32_t m = 0;
    if (!value.timeDelimiters.plainDigits ||
        !ReadTimeOfShortNumbers(value.record.sTime[0], &h, &m, typed.text)) {
        if (const Warning bad = ParseHourMinute(value.timeDelimiters, &h, &m, typed.text))
            return Refused(bad, refused);
    }
    *hour = h;
    *minute = m;
    return KALDER_OK;
}

extern "C" int KALDER_CALL KalderMessage(const KalderSettings *settings, KalderStatus status,
                                         int32_t refused, char *out, size_t size) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    if (status >= KALDER_OK || status < -kMessageCount)
        return modern::Put(OtherStatusText(status), out, size);
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    const int index = -status - 1;
    const char *format = use->messages[index];
    if (format[0] == '\0')
        format = EnglishText(kStrBadYear + static_cast<unsigned>(index));
    return FillValue(format, refused, out, size);
}
