// The settings objects' calls: made from text, and read.
#include <cstring>

#include "modern/intl_text.h"
#include "modern/language.h"
#include "modern/output.h"
#include "modern/settings_object.h"
#include "settings/read/read_settings.h"
#include "strings/vs_string.h"
#include "text/ascii_compare.h"

namespace {

// The keys read, and the record field of each.
struct Key {
    const char *name;
    char *field;
    size_t size;
};

template <size_t N> Key KeyOf(const char *name, char (&field)[N]) { return Key{name, field, N}; }

constexpr int kKeys = 6;

void KeysOf(WINDATESTRUC &r, Key (&keys)[kKeys]) {
    keys[0] = KeyOf("sTime", r.sTime);
    keys[1] = KeyOf("sDate", r.sDate);
    keys[2] = KeyOf("sShortDate", r.sShortDate);
    keys[3] = KeyOf("sLongDate", r.sLongDate);
    keys[4] = KeyOf("sThousand", r.sThousand);
    keys[5] = KeyOf("sDecimal", r.sDecimal);
}

// The keys of intl into record, as the reading takes them from the
// profile; false when a value does not fit its field.
bool ReadKeys(const char *intl, size_t length, WINDATESTRUC &record) {
    Key keys[kKeys];
    KeysOf(record, keys);
    for (const Key &key : keys) {
        const char *value = "";
        size_t valueLength = 0;
        modern::FindIntlKey(intl, length, key.name, &value, &valueLength);
        if (valueLength >= key.size)
            return false;
        std::memcpy(key.field, value, valueLength);
        key.field[valueLength] = '\0';
    }
    if (record.sShortDate[0] == '\0')
        UseDefaultSettings(record);
    else
        DeriveFormats(record);
    return true;
}

KalderSettings *Refuse(KalderStatus status, KalderStatus *why) {
    if (why != nullptr)
        *why = status;
    return nullptr;
}

} // namespace

extern "C" KalderSettings *KALDER_CALL KalderSettingsFromText(const char *intl, size_t length,
                                                              const char *language,
                                                              KalderStatus *why) {
    if (intl == nullptr)
        return Refuse(KALDER_BAD_ARGUMENT, why);
    length = modern::TextLength(intl, length);
    WINDATESTRUC record{};
    if (!modern::IsPlainText(intl, length) || !ReadKeys(intl, length, record))
        return Refuse(KALDER_BAD_TEXT, why);
    plat::Module resources = vs_GetInstance();
    plat::Module loaded = nullptr;
    if (language != nullptr) {
        // The language's own folder, else the library's own module when it
        // is in that language (see LoadLanguageModule).
        const char *code = modern::LanguageCode(language);
        loaded = code != nullptr ? modern::LoadLanguageModule(code) : nullptr;
        if (loaded == nullptr)
            return Refuse(KALDER_BAD_TEXT, why);
        resources = loaded;
    }
    KalderSettings *made = modern::MakeSettings(record, resources, false);
    if (loaded != nullptr)
        plat::FreeModule(loaded);
    if (made == nullptr)
        return Refuse(KALDER_NO_MEMORY, why);
    if (why != nullptr)
        *why = KALDER_OK;
    return made;
}

extern "C" int KALDER_CALL KalderSettingsText(const KalderSettings *settings, const char *key,
                                              char *out, size_t size) {
    if (!modern::CanWrite(out, size) || key == nullptr)
        return modern::Fail(KALDER_BAD_ARGUMENT, out, size);
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    WINDATESTRUC record = use->value.record;
    Key keys[kKeys];
    KeysOf(record, keys);
    for (const Key &k : keys) {
        if (SameText(k.name, key))
            return modern::Put(k.field, strnlen(k.field, k.size - 1), out, size);
    }
    return modern::Fail(KALDER_BAD_ARGUMENT, out, size);
}

extern "C" int KALDER_CALL KalderSettingsLanguage(const KalderSettings *settings, char *out,
                                                  size_t size) {
    if (!modern::CanWrite(out, size))
        return modern::Fail(KALDER_BAD_ARGUMENT, out, size);
    const modern::SettingsInUse use(settings);
    if (use.get() == nullptr)
        return modern::Fail(KALDER_NO_MEMORY, out, size);
    return modern::Put(use->language, out, size);
}
