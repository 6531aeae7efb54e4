#include "modern/settings_object.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <new>

#include "modern/language.h"
#include "settings/publish/in_force.h"
#include "strings/vs_string.h"
#include "strings/warning.h"
#include "text/unicode.h"

namespace modern {

namespace {

struct TextField {
    char *at;
    size_t size;
};

template <size_t N> constexpr TextField Field(char (&field)[N]) { return TextField{field, N}; }

constexpr int kTextFields = 11;

void TextFieldsOf(WINDATESTRUC &r, TextField (&fields)[kTextFields]) {
    const TextField all[kTextFields] = {
        Field(r.sTime),      Field(r.sDate),     Field(r.sShortDate), Field(r.sLongDate),
        Field(r.szShortFmt), Field(r.szDaySep),  Field(r.szFirstSep), Field(r.szSecondSep),
        Field(r.szLongFmt),  Field(r.sThousand), Field(r.sDecimal)};
    std::memcpy(fields, all, sizeof all);
}

bool IsAscii(const char *text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    }
    return true;
}

// A field's text of the system code page in UTF-8, cut between whole
// characters when it no longer fits.
void ConvertFromSystemCodePage(TextField field) {
    const size_t length = strnlen(field.at, field.size - 1);
    if (IsAscii(field.at, length))
        return;
    char16_t wide[64];
    const int units = plat::SystemTextToWide(field.at, static_cast<int>(length), wide,
                                             static_cast<int>(std::size(wide)));
    uni::PutUtf8OfUtf16(wide, units > 0 ? static_cast<size_t>(units) : 0, field.at, field.size);
}

// Drops every byte of a field that is not part of a whole UTF-8 character:
// the derived fields are cut to their widths byte by byte.
void DropBrokenCharacters(TextField field) {
    const size_t length = strnlen(field.at, field.size - 1);
    size_t kept = 0;
    for (size_t i = 0; i < length;) {
        size_t n = 1;
        while (n < 4 && i + n < length && !uni::IsUtf8(field.at + i, n))
            ++n;
        if (uni::IsUtf8(field.at + i, n)) {
            std::memmove(field.at + kept, field.at + i, n);
            kept += n;
            i += n;
        } else {
            ++i;
        }
    }
    field.at[kept] = '\0';
}

// The names in UTF-8, each cut between whole characters to the work area
// the long date shows it through.
void KeepNamesOf(plat::Module module, fmt::LongDateNames &names) {
    struct Table {
        unsigned firstId;
        size_t count;
        size_t area;
    };
    constexpr Table kTables[4] = {
        {kStrFirstDayName, 7, fmt::LongDateNames::kWeekdayArea},
        {kStrFirstDayAbbrev, 7, fmt::LongDateNames::kWeekdayArea},
        {kStrFirstMonthName, 12, fmt::LongDateNames::kMonthArea},
        {kStrFirstMonthAbbrev, 12, fmt::LongDateNames::kMonthArea},
    };
    char texts[4][12][fmt::LongDateNames::kWeekdayArea];
    const char *tables[4][12];
    for (int t = 0; t < 4; ++t) {
        for (size_t i = 0; i < kTables[t].count; ++i) {
            LoadTextUtf8(module, kTables[t].firstId + static_cast<unsigned>(i), texts[t][i],
                         kTables[t].area);
            tables[t][i] = texts[t][i];
        }
    }
    fmt::KeepNames(names, tables[0], tables[1], tables[2], tables[3]);
}

void KeepTimeSeparator(KalderSettings &s) {
    const char *separator = s.value.record.sTime;
    const size_t length = strnlen(separator, sizeof s.value.record.sTime - 1);
    size_t n = length == 0 ? 0 : 1;
    while (n < length && (static_cast<unsigned char>(separator[n]) & 0xC0) == 0x80)
        ++n;
    std::memcpy(s.timeSeparator, separator, n);
    s.timeSeparator[n] = '\0';
    s.timeSeparatorLength = static_cast<uint8_t>(n);
}

void *MakeOfSettingsInForce(const Settings &settings) {
    return MakeSettings(settings.record, vs_GetInstance(), true);
}

void Release(void *settings) { KalderSettingsFree(static_cast<KalderSettings *>(settings)); }

} // namespace

KalderSettings *MakeSettings(const WINDATESTRUC &record, plat::Module resources,
                             bool systemCodePage) {
    // malloc, aligned here (32-bit Windows gives 8 bytes): the C++ run
    // time's operator new would bring its exception machinery into the
    // library.
    constexpr size_t align = alignof(KalderSettings);
    void *raw = std::malloc(sizeof(KalderSettings) + align - 1);
    if (raw == nullptr)
        return nullptr;
    const auto at = (reinterpret_cast<uintptr_t>(raw) + align - 1) & ~(uintptr_t{align} - 1);
    auto *s = ::new (reinterpret_cast<void *>(at)) KalderSettings{};
    s->allocation = raw;
    s->references.store(1, std::memory_order_relaxed);
    s->value.record = record;
    TextField fields[kTextFields];
    TextFieldsOf(s->value.record, fields);
    for (const TextField &field : fields) {
        if (systemCodePage)
            ConvertFromSystemCodePage(field);
        DropBrokenCharacters(field);
    }
    CompileRecord(s->value);
    LongDateForm &form = s->value.longDate;
    ShowYearInCentury(form);
    if (form.monthStyle >= 4)
        form.monthStyle = 3;
    KeepNamesOf(resources, form.names);
    KeepTimeSeparator(*s);
    for (int i = 0; i < kMessageCount; ++i)
        LoadTextUtf8(resources, kStrBadYear + static_cast<unsigned>(i), s->messages[i],
                     kMessageArea);
    std::memcpy(s->language, LanguageOfModule(resources), sizeof s->language);
    return s;
}

void SettingsInUse::TakeInForce() {
    hold_.emplace();
    settings_ =
        static_cast<const KalderSettings *>(DerivedOf(**hold_, MakeOfSettingsInForce, Release));
}

} // namespace modern

extern "C" KalderSettings *KALDER_CALL KalderSettingsInForce(void) {
    const modern::SettingsInUse inForce(nullptr);
    return KalderSettingsCopy(inForce.get());
}

extern "C" KalderSettings *KALDER_CALL KalderSettingsCopy(const KalderSettings *settings) {
    if (settings == nullptr)
        return nullptr;
    auto *shared = const_cast<KalderSettings *>(settings);
    shared->references.fetch_add(1, std::memory_order_relaxed);
    return shared;
}

extern "C" void KALDER_CALL KalderSettingsFree(KalderSettings *settings) {
    if (settings != nullptr && settings->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        void *raw = settings->allocation;
        settings->~KalderSettings();
        std::free(raw);
    }
}
