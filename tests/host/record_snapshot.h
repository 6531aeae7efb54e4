// The settings in force as tests read and change them, and a snapshot that
// puts them back (with the month table's February), so that tests which
// change them leave no trace for later tests.
#pragma once

#include <cstring>

#include "calendar/civil.h"
#include "calendar/month_table.h"
#include "settings/publish/in_force.h"
#include "settings/read/read_settings.h"

class RecordSnapshot {
  public:
    RecordSnapshot() : february_(MonthDays[1]) {
        std::memcpy(&saved_, &*SettingsHold(), sizeof saved_);
    }
    ~RecordSnapshot() {
        PublishSettings(saved_);
        MonthDays[1] = february_;
    }
    RecordSnapshot(const RecordSnapshot &) = delete;
    RecordSnapshot &operator=(const RecordSnapshot &) = delete;

  private:
    Settings saved_;
    int32_t february_;
};

// A copy of the settings in force.
inline Settings Block() { return *SettingsHold(); }

// A copy of the record in force.
inline WINDATESTRUC Record() { return SettingsHold()->record; }

// Puts record in force as it stands, its formats compiled, with the name
// tables as they are now.
inline void PutInForce(const WINDATESTRUC &record) {
    Settings block = Block();
    block.record = record;
    CompileSettings(block);
    PublishSettings(block);
}

// Changes the record in force with change(record) and puts it in force.
template <class Change> void ChangeRecord(Change change) {
    WINDATESTRUC record = Record();
    change(record);
    PutInForce(record);
}

// Writes text into a record field, cut to the field's width.
template <size_t N> void SetField(char (&field)[N], const char *text) {
    const size_t length = strnlen(text, N - 1);
    std::memcpy(field, text, length);
    std::memset(field + length, 0, N - length);
}

// Puts pictures in force: the record in force with these pictures (and,
// when given, this date separator), analysed and its formats built.
inline void UsePictures(const char *shortPicture, const char *longPicture,
                        const char *separator = nullptr) {
    ChangeRecord([&](WINDATESTRUC &r) {
        SetField(r.sShortDate, shortPicture);
        SetField(r.sLongDate, longPicture);
        if (separator != nullptr)
            SetField(r.sDate, separator);
        DeriveFormats(r);
    });
}
