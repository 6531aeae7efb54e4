// Host stand-in for the system: what tests and the command-line tool can set.
//
// On Linux the library runs over a small imitation of the calls it makes on
// Windows.  Its defaults: a built-in profile with the usual United States
// "intl" settings (or the INI file named by KALDER_WININI), Windows version
// 3.10 is not assumed (4.0 unless KALDER_WINVER says otherwise), the Windows
// directory from KALDER_WINDIR, the string table of the resource module in
// the language of KALDER_LANGUAGE (English by default), and message boxes
// written to standard error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace host {

struct MessageBoxRecord {
    plat::Window owner;
    std::string text;
    std::string caption;
    unsigned style;
};

// Restores every setting below to its default; clears the captured boxes.
void Reset();

// Profile: nullptr returns to the built-in default profile (or KALDER_WININI).
void SetProfileFile(const char *path);
// Sets or (value nullptr) deletes one key of the in-memory profile; switches
// the profile to an in-memory copy of whatever is in force.
void SetProfileKey(const char *section, const char *key, const char *value);

void SetWindowsDirectory(const char *dir);
void SetVersion(unsigned major, unsigned minor);
void SetModulePath(const char *path); // what GetModuleFileNameA reports ("" fails)
void SetFocusWindow(plat::Window window);

// Resource module: present by default, in the language KALDER_LANGUAGE
// names (en, de, fr, es; "de_DE.UTF-8" is de), else in English.
void SetResourceModulePresent(bool present);
// The language of the modules loaded from now on, as KALDER_LANGUAGE reads
// it; false (and nothing changed) when there is no such module. nullptr
// returns to KALDER_LANGUAGE.
bool SetLanguage(const char *language);
// The code (en, de, fr, es) of the language the next load gets.
const char *Language();
void SetString(unsigned id, const char *text); // nullptr removes the string
void RestoreStrings();

// Message boxes: captured when capture is on (and then not printed).
void CaptureMessageBoxes(bool on);
const std::vector<MessageBoxRecord> &MessageBoxes();
void ClearMessageBoxes();
unsigned BeepCount();
// The text of the last box shown on the calling thread ("" before any).
std::string LastMessageBoxTextOnThisThread();

// How many resource modules are currently loaded (for leak checks).
int LoadedModuleCount();
// The path of the last module load the library asked for ("" before any).
const char *LastLoadPath();

} // namespace host
