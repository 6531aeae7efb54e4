// What every call of the modern interface does with its output and its
// arguments.
#pragma once

#include <climits>
#include <cstddef>
#include <cstring>

#include "kalder.h"
#include "strings/warning.h"
#include "text/small_copy.h"
#include "text/unicode.h"

namespace modern {

// Whether out and size can take a text: out may be null only with size 0.
inline bool CanWrite(const void *out, size_t size) { return out != nullptr || size == 0; }

// A failure: an empty text (when there is room for one) and the status.
inline int Fail(KalderStatus status, char *out, size_t size) {
    if (size != 0 && out != nullptr)
        out[0] = '\0';
    return status;
}

// The whole text, written as far as it fits; its length.  (The texts of
// the calls are short: they fit, and are moved with CopySmall.)
inline int Put(const char *text, size_t length, char *out, size_t size) {
    if (length < size) [[likely]] {
        CopySmall(out, text, length);
        out[length] = '\0';
    } else {
        uni::PutBounded(text, length, out, size);
    }
    return length > INT_MAX ? INT_MAX : static_cast<int>(length);
}

inline int Put(const char *text, char *out, size_t size) {
    return Put(text, std::strlen(text), out, size);
}

// The status of a warning the classic checks found.
inline KalderStatus StatusOf(const Warning &warning) {
    switch (warning.id) {
    case kStrBadYear:
        return KALDER_BAD_YEAR;
    case kStrBadMonth:
        return KALDER_BAD_MONTH;
    case kStrBadDay:
        return KALDER_BAD_DAY;
    case kStrBadHour:
        return KALDER_BAD_HOUR;
    case kStrBadMinute:
        return KALDER_BAD_MINUTE;
    case kStrHour24WithMinutes:
        return KALDER_BAD_HOUR_24;
    default:
        return KALDER_OK;
    }
}

// The length of a text argument, KALDER_NUL_TERMINATED read to its end.
inline size_t TextLength(const char *text, size_t length) {
    return length == KALDER_NUL_TERMINATED ? std::strlen(text) : length;
}

// Whether a text argument is UTF-8 without a NUL.
inline bool IsPlainText(const char *text, size_t length) {
    return std::memchr(text, '\0', length) == nullptr && uni::IsUtf8(text, length);
}

} // namespace modern
