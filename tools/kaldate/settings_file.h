// kaldate --ini on the host: the settings file handed to the library.
#pragma once

#include <string>
#include <vector>

namespace kaldate {

// Makes the file the profile the library reads: its text, read whole (a
// pipe too) up to 1 MiB, is handed over as a copy for the run. The library
// reads Windows-1252: a file in UTF-8 (it begins with the byte order mark,
// or it reads as UTF-8 throughout and is not plain ASCII) is converted.
// What the user should know about the file goes to notes: characters lost
// to Windows-1252, and which of the keys the library reads the file lacks.
// False with a message in error, naming the file, when it cannot be read,
// is larger than 1 MiB, or no copy can be made.
bool UseSettingsFile(const std::string &path, std::vector<std::string> &notes, std::string &error);

} // namespace kaldate
