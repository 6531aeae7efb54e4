// kaldate --ini on the host: the settings file handed to the library.
#pragma once

#include <string>
#include <vector>

namespace kaldate {

// Makes the file the profile the library reads. The library reads
// Windows-1252: a file in UTF-8 (it begins with the byte order mark, or it
// reads as UTF-8 throughout and is not plain ASCII) is handed over as a
// Windows-1252 copy for the run; any other file is taken as Windows-1252.
// What the user should know about the file goes to notes: characters lost
// to Windows-1252, and which of the keys the library reads the file lacks.
// False with a message in error when no copy can be made.
bool UseSettingsFile(const std::string &path, std::vector<std::string> &notes, std::string &error);

} // namespace kaldate
