// kaldate: the date library's exports at the command line.
//
// Every answer is computed by KALDER32's exports; this tool only reads the
// arguments, calls them and prints what they give, as text or as JSON.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "kalder32.h"
#include "messages.h"

namespace kaldate {

// Exit statuses: the library refused the input (its warning is on stderr)
// or the output could not be written, or the command line itself was wrong.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct Options {
    bool json = false;
    std::string ini;               // host only: WIN.INI-style file with an "intl" section
    std::string language;          // host only: the language of the library's texts
    std::vector<std::string> args; // after the subcommand name
};

// What the library runs on: the host stand-in or the real DLL.
namespace sys {
// Attaches the library (host) or checks it is loaded (Windows): kExitOk, or
// the status after the message that says why it cannot be used (2 for a
// settings file that cannot be used).
int Start(const Options &options);
// Warnings since the last call, oldest first: the tool's own about the
// settings file, then the library's warning boxes.
std::vector<std::string> TakeWarnings();
// The names in the resource module the library uses (index as tm_wday/tm_mon).
std::string DayName(int weekday);
std::string DayAbbrev(int weekday);
std::string MonthName(int month0);
// The language of those names: en, de, fr or es.
std::string Language();
bool SupportsIni();
// Whether the language of the library's texts can be chosen (host), and
// choosing it before Start: false for a language without texts.
bool SupportsLanguage();
bool UseLanguage(const std::string &language);
// A command-line argument as the library reads text (on Linux, UTF-8 turns
// into Windows-1252).
std::string ArgumentText(const char *arg);
// What a text is written in: the library's code page or UTF-8 (JSON).
enum class Encoding { kCodePage, kUtf8 };
// Writes text as the system wants it: on Linux in UTF-8; on Windows to a
// console as UTF-16, which it shows whatever its code page, and to a file or
// pipe as the bytes they are.
void Write(std::FILE *stream, const std::string &text, Encoding encoding);
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
