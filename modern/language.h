// The languages of the names and messages: a language's resource module,
// and its texts in UTF-8.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace modern {

// The code ("en", "de", "fr", "es") a language name gives, read as
// KALDER_LANGUAGE is read (any case; "de_DE.UTF-8" is "de"), or null for
// any other name.
const char *LanguageCode(const char *name);

// The resource module of language code, kept as the kit lays it out:
// <lang>\kaldres.dll in the folder of the library's own resource module,
// or that own module when it is of that language.  Null when neither is
// there.  Give it back with plat::FreeModule.
plat::Module LoadLanguageModule(const char *code);

// Text number id of module in UTF-8, cut between whole characters to fit
// size - 1 bytes and terminated; returns its length (0 when missing).
size_t LoadTextUtf8(plat::Module module, unsigned id, char *out, size_t size);

// The code of the language of module: the one whose month names it holds;
// "en" when none matches.
const char *LanguageOfModule(plat::Module module);

} // namespace modern
