// Typed dates and times read quietly, and the texts of their failures.
#include <cstdio>

#include "modern/civil_checks.h"
#include "modern/output.h"
#include "modern/settings_object.h"
#include "parse/date_parse.h"
#include "parse/time_parse.h"

namespace {

// The parsers read no more of a text than this; a longer text is checked
// whole and read as far as they read it.
constexpr size_t kTypedArea = 128;

// A text argument as the parsers take it: terminated, where it is given
// or in a work area.
struct TypedText {
    const char *text;
    char area[kTypedArea + 1];
};

// A terminated text is read where it is: ASCII, the usual case, is known
// in the pass that finds its end.
KalderStatus TakeTerminated(const char *text, TypedText &typed) {
    unsigned high = 0;
    size_t length = 0;
    for (; text[length] != '\0'; ++length)
        high |= static_cast<unsigned char>(text[length]);
    if (high >= 0x80 && !uni::IsUtf8(text, length))
        return KALDER_BAD_TEXT;
    typed.text = text;
    return KALDER_OK;
}

KalderStatus TakeText(const char *text, size_t length, TypedText &typed) {
    if (text == nullptr)
        return KALDER_BAD_ARGUMENT;
    if (length == KALDER_NUL_TERMINATED)
        return TakeTerminated(text, typed);
    if (!modern::IsPlainText(text, length))
        return KALDER_BAD_TEXT;
    const size_t kept = length < kTypedArea ? length : kTypedArea;
    std::memcpy(typed.area, text, kept);
    typed.area[kept] = '\0';
    typed.text = typed.area;
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
    date->weekday = modern::WeekdayOfDate(year, month, day);
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

// A terminated text that the fast paths read whole is a good date or time
// of digits and delimiters alone, ASCII all of it when the separator is;
// any other text is checked first and read in full, out of line.
bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

bool ReadDateFast(const Settings &value, const char *text, size_t length, KalderDate *date) {
    const char separator = value.record.sDate[0];
    DosDate read{};
    if (length != KALDER_NUL_TERMINATED || !value.dateDelimiters.plainDigits ||
        !IsAscii(separator) ||
        !ReadDateOfShortNumbers(value.record.iShortOrder, separator, &read, text))
        return false;
    StoreDate(read.year, read.month, read.day, date);
    return true;
}

bool ReadTimeFast(const Settings &value, const char *text, size_t length, int32_t *hour,
                  int32_t *minute) {
    const char separator = value.record.sTime[0];
    return length == KALDER_NUL_TERMINATED && value.timeDelimiters.plainDigits &&
           IsAscii(separator) && ReadTimeOfShortNumbers(separator, hour, minute, text);
}

[[gnu::noinline]] KalderStatus ParseDateInFull(const KalderSettings *settings, const char *text,
                                               size_t length, KalderDate *date, int32_t *refused) {
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return KALDER_NO_MEMORY;
    const Settings &value = use->value;
    if (ReadDateFast(value, text, length, date))
        return KALDER_OK;
    TypedText typed;
    if (const KalderStatus bad = TakeText(text, length, typed))
        return bad;
    date_parse::TypedDate found{};
    if (const Warning bad = ReadShortDate(value.record, value.dateDelimiters, typed.text, &found))
        return Refused(bad, refused);
    StoreDate(found.year, found.month, found.day, date);
    return KALDER_OK;
}

[[gnu::noinline]] KalderStatus ParseTimeInFull(const KalderSettings *settings, const char *text,
                                               size_t length, int32_t *hour, int32_t *minute,
                                               int32_t *refused) {
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return KALDER_NO_MEMORY;
    const Settings &value = use->value;
    if (ReadTimeFast(value, text, length, hour, minute))
        return KALDER_OK;
    TypedText typed;
    if (const KalderStatus bad = TakeText(text, length, typed))
        return bad;
    int32_t h = 0;
    int32_t m = 0;
    if (const Warning bad = ParseHourMinute(value.timeDelimiters, &h, &m, typed.text))
        return Refused(bad, refused);
    *hour = h;
    *minute = m;
    return KALDER_OK;
}

} // namespace

extern "C" KalderStatus KALDER_CALL KalderParseDate(const KalderSettings *settings,
                                                    const char *text, size_t length,
                                                    KalderDate *date, int32_t *refused) {
    if (refused != nullptr)
        *refused = 0;
    if (date == nullptr || text == nullptr)
        return KALDER_BAD_ARGUMENT;
    if (settings != nullptr && ReadDateFast(settings->value, text, length, date)) [[likely]]
        return KALDER_OK;
    return ParseDateInFull(settings, text, length, date, refused);
}

extern "C" KalderStatus KALDER_CALL KalderParseTime(const KalderSettings *settings,
                                                    const char *text, size_t length, int32_t *hour,
                                                    int32_t *minute, int32_t *refused) {
    if (refused != nullptr)
        *refused = 0;
    if (hour == nullptr || minute == nullptr || text == nullptr)
        return KALDER_BAD_ARGUMENT;
    if (settings != nullptr && ReadTimeFast(settings->value, text, length, hour, minute)) [[likely]]
        return KALDER_OK;
    return ParseTimeInFull(settings, text, length, hour, minute, refused);
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
