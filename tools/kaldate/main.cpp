// kaldate: command line entry, options and help.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "kaldate.h"
#include "output.h"

namespace kaldate {
namespace {

struct Command {
    const char *name;
    const char *synopsis;
    const char *help;
    int (*run)(const Options &);
};

const Command kCommands[] = {
    {"settings", "settings",
     "Prints the settings in use as the library holds them (KalderSettingsText), key\n"
     "by key: the separators of time, date, thousands and decimals, the short and\n"
     "long date pictures, and the language of the names and messages.",
     RunSettings},
    {"short", "short [YYYY-MM-DD]",
     "Writes the date, today (local time) when none is given, in the user's short\n"
     "form (KalderFormatShortDate). A form without the century shows the year's\n"
     "last two digits.",
     RunShort},
    {"long", "long [YYYY-MM-DD]",
     "Writes the date, today (local time) when none is given, in the user's long\n"
     "form with weekday and month names (KalderFormatLongDate).",
     RunLong},
    {"time", "time [HH:MM] | time --epoch N",
     "Writes a time of day with the user's time separator: an hour and minute,\n"
     "now (local time) when none is given (KalderFormatTime), or the UTC time of\n"
     "day of N seconds since 1970-01-01 00:00 UTC (KalderFormatTimeValue; N before\n"
     "1970 is negative, any time in the years 1 to 9999). An hour and minute that\n"
     "the library refuses (0:00 to 24:00 are times of day) print its message on\n"
     "standard error and exit with status 1.",
     RunTime},
    {"parse-date", "parse-date TEXT",
     "Reads a typed short date as the library does (KalderParseDate) and prints it\n"
     "as YYYY-MM-DD. A refused date prints the library's message on\n"
     "standard error and exits with status 1. TEXT - reads one text a line from\n"
     "standard input and prints one result a line; the status is 1 if any was refused.",
     RunParseDate},
    {"parse-time", "parse-time TEXT [--on YYYY-MM-DD]",
     "Reads a typed time of day (KalderParseTime) and prints it as HH:MM; with --on,\n"
     "as a UTC time on that date (KalderSecondsOf), printed as YYYY-MM-DDTHH:MM:SSZ\n"
     "(24:00 is the next day's start). A refused time prints the library's message on\n"
     "standard error and exits with status 1. TEXT - reads one text a line from\n"
     "standard input and prints one result a line; the status is 1 if any was refused.",
     RunParseTime},
    {"day", "day [YYYY-MM-DD]",
     "Prints the day number within its year (KalderDayOfYear) and the weekday,\n"
     "0 = Sunday, of the date, today (local time) when none is given.",
     RunDay},
    {"date-of-day", "date-of-day N YEAR",
     "Prints the date of day number N of YEAR and its weekday (KalderDateOfDay). N counts\n"
     "from 1 January of YEAR and may run past either end of it: 0 is the last day of\n"
     "the year before, 400 in 1999 is 2000-02-04. The date must lie in the years 1\n"
     "to 9999.",
     RunDateOfDay},
    {"calendar", "calendar [YYYY-MM | YYYY]",
     "Lays a month out as a grid, weeks starting on Sunday in English and on Monday\n"
     "in German, French and Spanish, headed by the full month name and the\n"
     "abbreviated day names of the language in use; the current month (local time)\n"
     "when none is given, three months across for a whole year.",
     RunCalendar},
};

const Command *FindCommand(const char *name) {
    for (const Command &command : kCommands)
        if (std::strcmp(command.name, name) == 0)
            return &command;
    return nullptr;
}

constexpr char kGlobalOptions[] = "[--json] [--ini FILE] [--lang LANG]";

void PrintGeneralHelp(std::FILE *to) {
    std::fprintf(to, "usage: kaldate %s [COMMAND [ARGS]]\n\n", kGlobalOptions);
    std::fprintf(to, "Dates and times as the KALDER32 library formats and reads them with the\n"
                     "user's international settings; without a command, the date and time now\n"
                     "in the long form and the time form.\n\ncommands:\n");
    for (const Command &command : kCommands)
        std::fprintf(to, "  %s\n", command.synopsis);
    std::fprintf(to, "\noptions:\n  --json      print one JSON object instead of text\n"
                     "  --ini FILE  read the \"intl\" settings from this WIN.INI-style file,\n"
                     "              in UTF-8 (with a byte order mark, or if all of it is\n"
                     "              UTF-8) or else in Windows-1252; a pipe too, up to 1 MiB\n"
                     "  --lang LANG names and messages in en, de, fr or es (by default in the\n"
                     "              language KALDER_LANGUAGE names, else the library's own)\n");
    std::fprintf(to, "  --help      this text; COMMAND --help explains one command\n"
                     "  --version   the version of kaldate\n\n"
                     "Errors, the library's messages and notes go to standard error, as JSON\n"
                     "objects with --json.\n"
                     "exit status: 0 done, 1 the library refused the input or the output could\n"
                     "not be written, 2 bad command line\n");
}

void PrintCommandHelp(const Command &command) {
    std::printf("usage: kaldate %s %s\n\n%s\n", kGlobalOptions, command.synopsis, command.help);
}

void PrintVersion(bool json) {
    if (json)
        PrintJson(JsonObject().Str("program", "kaldate").Str("version", KALDATE_VERSION));
    else
        PrintLine("kaldate (KALDER32) " KALDATE_VERSION);
}

struct CommandLine {
    Options options;
    const Command *command = nullptr;
    bool help = false;
    bool version = false;
};

// --json chooses how even a mistake in the command line is reported, so it
// is looked for first.
bool AsksForJson(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], "--json") == 0)
            return true;
        if (std::strcmp(argv[i], "--ini") == 0 || std::strcmp(argv[i], "--lang") == 0)
            ++i;
    }
    return false;
}

// Global options may stand anywhere; "--" ends them. Other arguments, also
// ones that look like options (--on, --epoch, -1:00), go to the command;
// before the command is named, they are unknown options.
int ReadCommandLine(int argc, char **argv, CommandLine &line) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded && std::strcmp(arg, "--json") == 0) {
            line.options.json = true;
        } else if (!optionsEnded &&
                   (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
            line.help = true;
        } else if (!optionsEnded && std::strcmp(arg, "--version") == 0) {
            line.version = true;
        } else if (!optionsEnded && std::strcmp(arg, "--ini") == 0) {
            if (i + 1 == argc)
                return UsageError("--ini needs a file name");
            line.options.ini = argv[++i];
        } else if (!optionsEnded && std::strncmp(arg, "--ini=", 6) == 0) {
            line.options.ini = arg + 6;
        } else if (!optionsEnded &&
                   (std::strcmp(arg, "--lang") == 0 || std::strncmp(arg, "--lang=", 7) == 0)) {
            const char *language = arg[6] == '=' ? arg + 7 : i + 1 < argc ? argv[++i] : "";
            if (!*language)
                return UsageError("--lang needs a language (en, de, fr or es)");
            line.options.language = sys::ArgumentText(language);
        } else if (!line.command && !optionsEnded && arg[0] == '-' && arg[1] != '\0') {
            return UsageError("unknown option: " + Shown(sys::ArgumentText(arg)) +
                              " (kaldate --help lists them)");
        } else if (!line.command) {
            line.command = FindCommand(arg);
            if (!line.command)
                return UsageError("unknown command: " + Shown(sys::ArgumentText(arg)) +
                                  " (kaldate --help lists them)");
        } else {
            line.options.args.push_back(sys::ArgumentText(arg));
        }
    }
    return kExitOk;
}

int Run(const CommandLine &line) {
    if (line.version) {
        PrintVersion(line.options.json);
        return kExitOk;
    }
    if (line.help) {
        if (line.command)
            PrintCommandHelp(*line.command);
        else
            PrintGeneralHelp(stdout);
        return kExitOk;
    }
    if (const int status = UseSettings(line.options); status != kExitOk)
        return status;
    return line.command ? line.command->run(line.options) : RunNow(line.options);
}

// Standard output is buffered: a full disk shows only when it is flushed,
// and then the run has failed, whatever it printed.
int FinishOutput(int status) {
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::string message = "write error";
    if (errno != 0)
        message += std::string(": ") + std::strerror(errno);
    const int failed = Failure(message);
    return status == kExitOk ? failed : status;
}

} // namespace

int Main(int argc, char **argv) {
    UseJsonMessages(AsksForJson(argc, argv));
    CommandLine line;
    int status = ReadCommandLine(argc, argv, line);
    if (status == kExitOk)
        status = Run(line);
    return FinishOutput(status);
}

} // namespace kaldate

int main(int argc, char **argv) { return kaldate::Main(argc, argv); }
