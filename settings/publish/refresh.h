// Reading the settings again and putting them in force.
#pragma once

#include "settings/read/read_settings.h"

// Reads the settings again and puts them in force, with the names as
// loaded now; returns what the reading found for the user.
ReadingNotice RefreshSettings();
