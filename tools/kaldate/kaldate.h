// kaldate: the date library at the command line.
//
// Every answer is computed by the library's calls (kalder.h); this tool only
// reads the arguments, calls them and prints what they give, as text or as
// JSON. All text inside the tool is UTF-8.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "kalder.h"
#include "messages.h"

namespace kaldate {

// Exit statuses: the library refused the input (its message is on stderr)
// or the output could not be written, or the command line itself was wrong.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct Options {
    bool json = false;
    std::string ini;               // a WIN.INI-style file with an "intl" section
    std::string language;          // the language of the names and messages
    std::vector<std::string> args; // after the subcommand name
};

// The settings of the run, made once before the command runs: from the
// --ini file, else the settings in force; in the language --lang names, else
// KALDER_LANGUAGE, else the library's own. kExitOk, or the exit status after
// the message that says why they cannot be made.
int UseSettings(const Options &options);
const KalderSettings *Settings();
// The names in the language of the run's settings (index as KalderDate's
// weekday; months from 1).
std::string DayName(int weekday);
std::string DayAbbrev(int weekday);
std::string MonthName(int month);
// The language of the names and messages: en, de, fr or es.
std::string Language();

// What the system around the library is.
namespace sys {
// A command-line argument or a line of input in UTF-8: as it is when it
// reads as UTF-8, else taken as text of the system's single-byte code page
// (Windows-1252 on Linux).
std::string ArgumentText(const std::string &arg);
// Writes UTF-8 text as the system wants it: on Linux as it is; on Windows
// to a console as UTF-16, which it shows whatever its code page, and to a
// file or pipe as the bytes they are.
void Write(std::FILE *stream, const std::string &text);
} // namespace sys

// Subcommands; each returns an exit status.
int RunSettings(const Options &options);
int RunShort(const Options &options);
int RunLong(const Options &options);
int RunTime(const Options &options);
int RunParseDate(const Options &options);
int RunParseTime(const Options &options);
int RunDay(const Options &options);
int RunDateOfDay(const Options &options);
int RunCalendar(const Options &options);
// No command: the date and time now, in the long form and the time form.
int RunNow(const Options &options);

} // namespace kaldate
