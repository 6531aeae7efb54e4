// kaldate --ini: the text of a settings file, for the library to read.
#pragma once

#include <string>

namespace kaldate {

// The "intl" section of a WIN.INI-style file, from its "[intl]" line on,
// empty when the file has none. The file is read whole, a pipe too, up to
// 1 MiB; it is UTF-8 when it begins with the byte order mark (dropped) or
// reads as UTF-8 throughout, else Windows-1252; text is UTF-8. False with a
// message in error, naming the file, when it cannot be read or is larger.
bool ReadSettingsFile(const std::string &path, std::string &text, std::string &error);

} // namespace kaldate
