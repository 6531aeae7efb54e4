// The library speaks UTF-8; a person may still type, pipe or keep a file in
// an older single-byte code page.
#pragma once

#include <string>

namespace kaldate {

// Windows-1252 text in UTF-8 (the bytes it leaves unassigned as U+FFFD).
std::string Cp1252ToUtf8(const std::string &text);
// Whether text is well-formed UTF-8 (plain ASCII is).
bool IsUtf8(const std::string &text);
// The characters of UTF-8 text (its bytes that do not continue a character).
size_t CharacterCount(const std::string &text);
// The first count characters of UTF-8 text.
std::string FirstCharacters(const std::string &text, size_t count);

} // namespace kaldate
