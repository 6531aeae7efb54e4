// What kaldate says on standard error: the library's warnings, and the one
// error that ends a run. As text, each is a line "kaldate: <text>"; with
// --json, each is one JSON object on a line of its own.
#pragma once

#include <string>

namespace kaldate {

// Text from the command line or a file as a message shows it: on one line,
// control characters escaped (\n, \t, \r, \xNN), and cut after 40
// characters, with "..." for the rest.
std::string Shown(const std::string &text);

// Chooses JSON messages (--json) or text.
void UseJsonMessages(bool json);

// Prints the warnings the library showed since the last call, oldest first:
// {"warning": TEXT} in JSON.
void ReportWarnings();

// Ends with an error: {"error": MESSAGE, "status": STATUS} in JSON. Each
// returns the exit status.
int UsageError(const std::string &message); // the command line is wrong: 2
int Refused();                              // the library refused the input: 1
int Failure(const std::string &message);    // anything else went wrong: 1

} // namespace kaldate
