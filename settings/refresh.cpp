// A refresh: the settings read again, derived and compiled in one step into
// a new block, which is then put in force whole.
#include "settings/current_settings.h"
#include "settings/settings.h"

void RefreshSettings() {
    SettingsBlock block{};
    {
        // Fields the reading leaves alone keep the values in force.
        const SettingsReader inForce;
        block.record = inForce->record;
    }
    ReadSettings(block.record);
    CompileSettings(block);
    PublishSettings(block);
}
