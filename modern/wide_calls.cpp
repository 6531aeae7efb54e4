// The UTF-16 twins of the calls that take or give text (Windows builds
// only): each one turns its text into UTF-8, makes the UTF-8 call, and
// writes what that call wrote as UTF-16.  Lengths and sizes count UTF-16
// units; the output never ends in half a surrogate pair.
#include <cstdlib>

#include "format/long_date.h"
#include "modern/output.h"
#include "modern/settings_object.h"
#include "text/unicode.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W calls take wchar_t as UTF-16");

namespace {

// Room for the whole UTF-8 text of any call, and for it again in UTF-16:
// a long date, a message with its value, a settings value.
constexpr size_t kOutputArea = 1024;
static_assert(kComposedLongDateArea < kOutputArea && 2 * kMessageArea < kOutputArea);

// A text argument that usually fits here is copied here.
constexpr size_t kInputArea = 256;

const char16_t *Utf16(const wchar_t *text) { return reinterpret_cast<const char16_t *>(text); }

int FailWide(KalderStatus status, wchar_t *out, size_t size) {
    if (size != 0 && out != nullptr)
        out[0] = L'\0';
    return status;
}

// What put(text, size) writes, a UTF-8 call's text, written into out as
// UTF-16, bounded; its length in UTF-16 units, or the call's status.
template <typename Put> int PutWide(wchar_t *out, size_t size, Put put) {
    if (!modern::CanWrite(out, size))
        return KALDER_BAD_ARGUMENT;
    char text[kOutputArea];
    const int length = put(text, sizeof text);
    if (length < 0)
        return FailWide(length, out, size);
    if (static_cast<size_t>(length) >= sizeof text)
        return FailWide(KALDER_NO_MEMORY, out, size);
    char16_t wide[kOutputArea];
    const size_t units = uni::Utf16FromUtf8(text, static_cast<size_t>(length), wide, kOutputArea);
    uni::PutBounded(wide, units, reinterpret_cast<char16_t *>(out), size);
    return static_cast<int>(units);
}

// A UTF-16 text argument in UTF-8, terminated: null stays null (the UTF-8
// call says what that means); a half surrogate pair is KALDER_BAD_TEXT.
class Utf8Copy {
  public:
    Utf8Copy(const wchar_t *text, size_t length) {
        if (text == nullptr)
            return;
        if (length == KALDER_NUL_TERMINATED)
            length = uni::Length(Utf16(text));
        const ptrdiff_t whole = uni::Utf8FromUtf16(Utf16(text), length, local_, sizeof local_);
        if (whole < 0) {
            status_ = KALDER_BAD_TEXT;
            return;
        }
        length_ = static_cast<size_t>(whole);
        text_ = local_;
        if (length_ >= sizeof local_) {
            text_ = static_cast<char *>(std::malloc(length_ + 1));
            if (text_ == nullptr) {
                status_ = KALDER_NO_MEMORY;
                return;
            }
            uni::Utf8FromUtf16(Utf16(text), length, text_, length_);
        }
        text_[length_] = '\0';
    }
    ~Utf8Copy() {
        if (text_ != local_)
            std::free(text_);
    }
    Utf8Copy(const Utf8Copy &) = delete;
    Utf8Copy &operator=(const Utf8Copy &) = delete;

    KalderStatus status() const { return status_; }
    const char *text() const { return text_; }
    size_t length() const { return length_; }

  private:
    KalderStatus status_ = KALDER_OK;
    char *text_ = nullptr;
    size_t length_ = 0;
    char local_[kInputArea];
};

KalderStatus Refuse(KalderStatus status, int32_t *refused) {
    if (refused != nullptr)
        *refused = 0;
    return status;
}

} // namespace

extern "C" KalderSettings *KALDER_CALL KalderSettingsFromTextW(const wchar_t *intl, size_t length,
                                                               const wchar_t *language,
                                                               KalderStatus *why) {
    const Utf8Copy text(intl, length);
    const Utf8Copy name(language, KALDER_NUL_TERMINATED);
    const KalderStatus bad = text.status() != KALDER_OK ? text.status() : name.status();
    if (bad != KALDER_OK) {
        if (why != nullptr)
            *why = bad;
        return nullptr;
    }
    return KalderSettingsFromText(text.text(), text.length(), name.text(), why);
}

extern "C" int KALDER_CALL KalderSettingsTextW(const KalderSettings *settings, const wchar_t *key,
                                               wchar_t *out, size_t size) {
    const Utf8Copy name(key, KALDER_NUL_TERMINATED);
    if (name.status() != KALDER_OK)
        return FailWide(name.status() == KALDER_BAD_TEXT ? KALDER_BAD_ARGUMENT : name.status(), out,
                        size);
    return PutWide(out, size, [&](char *text, size_t room) {
        return KalderSettingsText(settings, name.text(), text, room);
    });
}

extern "C" int KALDER_CALL KalderFormatShortDateW(const KalderSettings *settings, int32_t year,
                                                  int32_t month, int32_t day, wchar_t *out,
                                                  size_t size) {
    return PutWide(out, size, [&](char *text, size_t room) {
        return KalderFormatShortDate(settings, year, month, day, text, room);
    });
}

extern "C" int KALDER_CALL KalderFormatLongDateW(const KalderSettings *settings, int32_t year,
                                                 int32_t month, int32_t day, wchar_t *out,
                                                 size_t size) {
    return PutWide(out, size, [&](char *text, size_t room) {
        return KalderFormatLongDate(settings, year, month, day, text, room);
    });
}

extern "C" int KALDER_CALL KalderFormatTimeW(const KalderSettings *settings, int32_t hour,
                                             int32_t minute, wchar_t *out, size_t size) {
    return PutWide(out, size, [&](char *text, size_t room) {
        return KalderFormatTime(settings, hour, minute, text, room);
    });
}

extern "C" int KALDER_CALL KalderFormatTimeValueW(const KalderSettings *settings, int64_t seconds,
                                                  wchar_t *out, size_t size) {
    return PutWide(out, size, [&](char *text, size_t room) {
        return KalderFormatTimeValue(settings, seconds, text, room);
    });
}

extern "C" KalderStatus KALDER_CALL KalderParseDateW(const KalderSettings *settings,
                                                     const wchar_t *text, size_t length,
                                                     KalderDate *date, int32_t *refused) {
    if (date == nullptr)
        return Refuse(KALDER_BAD_ARGUMENT, refused);
    const Utf8Copy typed(text, length);
    if (typed.status() != KALDER_OK)
        return Refuse(typed.status(), refused);
    return KalderParseDate(settings, typed.text(), typed.length(), date, refused);
}

extern "C" KalderStatus KALDER_CALL KalderParseTimeW(const KalderSettings *settings,
                                                     const wchar_t *text, size_t length,
                                                     int32_t *hour, int32_t *minute,
                                                     int32_t *refused) {
    if (hour == nullptr || minute == nullptr)
        return Refuse(KALDER_BAD_ARGUMENT, refused);
    const Utf8Copy typed(text, length);
    if (typed.status() != KALDER_OK)
        return Refuse(typed.status(), refused);
    return KalderParseTime(settings, typed.text(), typed.length(), hour, minute, refused);
}

extern "C" int KALDER_CALL KalderMessageW(const KalderSettings *settings, KalderStatus status,
                                          int32_t refused, wchar_t *out, size_t size) {
    return PutWide(out, size, [&](char *text, size_t room) {
        return KalderMessage(settings, status, refused, text, room);
    });
}
