// The library's texts are single bytes in Windows-1252; what a person or a
// script reads on Linux, and JSON everywhere, is UTF-8.
#pragma once

#include <string>

namespace kaldate {

std::string Cp1252ToUtf8(const std::string &text);
// Whether text is well-formed UTF-8 (plain ASCII is).
bool IsUtf8(const std::string &text);
bool IsAscii(const std::string &text);
// Well-formed UTF-8 as Windows-1252; a character that it lacks becomes '?'
// and counts in lost.
std::string Utf8ToCp1252(const std::string &text, int &lost);

} // namespace kaldate
