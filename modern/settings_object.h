// The settings objects of the modern interface: one reading of the
// settings as a value, its texts in UTF-8, with the names and messages of
// one language; shared by reference and never changed once made.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include <optional>

#include "kalder.h"
#include "settings/publish/in_force.h"
#include "settings/settings.h"

// The warning texts, by status: year, month, day, hour, minute, hour 24.
inline constexpr int kMessageCount = 6;
inline constexpr size_t kMessageArea = 400;

struct KalderSettings {
    std::atomic<int32_t> references;
    void *allocation; // the block the object was made in
    // Texts in UTF-8; the long-date form prints the year in its century and
    // a month style past the name as the name.
    Settings value;
    // The first whole character of sTime, or nothing.
    char timeSeparator[5];
    uint8_t timeSeparatorLength;
    char language[3];
    char messages[kMessageCount][kMessageArea];
};

namespace modern {

// A new object (one reference) of record and the names and messages of the
// resource module, or null without memory.  The record's texts are taken
// as text of the system code page when systemCodePage is set, else as
// UTF-8; any broken character left by a cut to a field's width is dropped.
KalderSettings *MakeSettings(const WINDATESTRUC &record, plat::Module resources,
                             bool systemCodePage);

// The object a call works with: settings itself, or for null the settings
// in force, taken for the call.
class SettingsInUse {
  public:
    explicit SettingsInUse(const KalderSettings *settings) : settings_(settings) {
        if (settings == nullptr) [[unlikely]]
            TakeInForce();
    }
    SettingsInUse(const SettingsInUse &) = delete;
    SettingsInUse &operator=(const SettingsInUse &) = delete;

    // Null only when settings was null and no memory was left.
    const KalderSettings *get() const { return settings_; }
    const KalderSettings *operator->() const { return settings_; }

  private:
    void TakeInForce();

    const KalderSettings *settings_;
    std::optional<SettingsHold> hold_; // the settings in force, held for the call
};

} // namespace modern
