// Keys of the "intl" section given as text, read as the profile is read.
#pragma once

#include <cstddef>

namespace modern {

// The value of key in text[0, length): the first line "key = value" (key in
// any case) before the first section line, or after a first "[intl]" line
// up to the next section line.  Blanks around key and value and one pair
// of double quotes around the value are dropped; lines starting with ';'
// are skipped; lines end with LF or CRLF.  Sets *value and *valueLength and
// returns true when the key is there.
bool FindIntlKey(const char *text, size_t length, const char *key, const char **value,
                 size_t *valueLength);

} // namespace modern
