// A refresh: the settings read again, derived and compiled in one step into
// a new value, which is then put in force whole.
#include "settings/publish/refresh.h"

#include "settings/publish/in_force.h"

ReadingNotice RefreshSettings() {
    Settings fresh{};
    {
        // Fields the reading leaves alone keep the values in force.
        const SettingsHold inForce;
        fresh.record = inForce->record;
    }
    const ReadingNotice notice = ReadSettings(fresh.record);
    CompileSettings(fresh);
    PublishSettings(fresh);
    return notice;
}
