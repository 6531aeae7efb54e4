// What kaldate says on standard error: its notes, and the one error that
// ends a run. As text, each is a line "kaldate: <text>"; with --json, each
// is one JSON object on a line of its own.
#pragma once

#include <cstdint>
#include <string>

#include "kalder.h"

namespace kaldate {

// Text from the command line or a file as a message shows it: on one line,
// control characters escaped (\n, \t, \r, \xNN), and cut after 40
// characters, with "..." for the rest.
std::string Shown(const std::string &text);

// Chooses JSON messages (--json) or text.
void UseJsonMessages(bool json);

// A note that does not end the run: {"warning": TEXT} in JSON.
void Warn(const std::string &text);

// Ends with an error: {"error": MESSAGE, "status": STATUS} in JSON. Each
// returns the exit status.
int UsageError(const std::string &message); // the command line is wrong: 2
// The library refused the input: its message for status and the refused
// value, in the language of the run's settings: 1.
int Refused(KalderStatus status, int32_t refused);
int Failure(const std::string &message); // anything else went wrong: 1

// The library's message for status and refused, in the language of the
// run's settings.
std::string LibraryMessage(KalderStatus status, int32_t refused);

} // namespace kaldate
