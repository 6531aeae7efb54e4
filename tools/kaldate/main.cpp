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
     "Prints the settings record as the library holds it (what CopyWinDateStruc\n"
     "gives), field by field with its byte offset: separators, pictures, element\n"
     "orders, leading-zero and century flags, name styles and both printf formats.",
     RunSettings},
    {"short", "short [YYYY-MM-DD]",
     "Writes the date, today (local time) when none is given, in the user's short\n"
     "form (FillDosDateFormatString). A form without the century shows the years\n"
     "1900 to 2099 only; another year is refused with status 1.",
     RunShort},
    {"long", "long [YYYY-MM-DD]",
     "Writes the date, today (local time) when none is given, in the user's long\n"
     "form with weekday and month names (FillLongDateFormatString).",
     RunLong},
    {"time", "time [HH:MM] | time --epoch N",
     "Writes a time of day with the user's time separator: an hour and minute,\n"
     "now (local time) when none is given (FillTimeHrMin), or the UTC time of day\n"
     "of N seconds since 1970-01-01 (FillTimeFormatString, N from 0 to\n"
     "2147483647). An hour and minute that the library's check refuses (checkhrmin:\n"
     "0:00 to 24:00) print its warning on standard error and exit with status 1.",
     RunTime},
    {"parse-date", "parse-date TEXT",
     "Reads a typed short date as the library does (ParseDosDateFormatString) and\n"
     "prints it as YYYY-MM-DD. A refused date prints the library's warning on\n"
     "standard error and exits with status 1. TEXT - reads one text a line from\n"
     "standard input and prints one result a line; the status is 1 if any was refused.",
     RunParseDate},
    {"parse-time", "parse-time TEXT [--on YYYY-MM-DD]",
     "Reads a typed time of day (ParseTimeHrMin) and prints it as HH:MM; with --on,\n"
     "merges it into that date (ParseTimeFormatString) and prints the UTC time as\n"
     "YYYY-MM-DDTHH:MM:SSZ. A refused time prints the library's warning on\n"
     "standard error and exits with status 1. TEXT - reads one text a line from\n"
     "standard input and prints one result a line; the status is 1 if any was refused.",
     RunParseTime},
    {"day", "day [YYYY-MM-DD]",
     "Prints the day number within its year (DosdToJulian) and the weekday,\n"
     "0 = Sunday (JulianToDosd), of the date, today (local time) when none is given.",
     RunDay},
    {"date-of-day", "date-of-day N YEAR",
     "Prints the date of day number N of YEAR and its weekday (JulianToDosd). N counts\n"
     "from 1 January of YEAR and may run past either end of it: 0 is the last day of\n"
     "the year before, 400 in 1999 is 2000-02-04. The date must lie in the years 1\n"
     "to 9999.",
     RunDateOfDay},
    {"calendar", "calendar [YYYY-MM | YYYY]",
     "Lays a month out as a grid, weeks starting on Sunday, headed by the full\n"
     "month name and the abbreviated day names of the resource module in use;\n"
     "the current month (local time) when none is given, three months across for\n"
     "a whole year.",
     RunCalendar},
};

const Command *FindCommand(const char *name) {
    for (const Command &command : kCommands)
        if (std::strcmp(command.name, name) == 0)
            return &command;
    return nullptr;
}

// The options only some builds have, for the usage lines.
std::string BuildOptions() {
    return std::string(sys::SupportsIni() ? " [--ini FILE]" : "") +
           (sys::SupportsLanguage() ? " [--lang LANG]" : "");
}

void PrintGeneralHelp(std::FILE *to) {
    std::fprintf(to, "usage: kaldate [--json]%s [COMMAND [ARGS]]\n\n", BuildOptions().c_str());
    std::fprintf(to, "Dates and times as the KALDER32 library formats and reads them with the\n"
                     "user's international settings; without a command, the date and time now\n"
                     "in the long form and the time form.\n\ncommands:\n");
    for (const Command &command : kCommands)
        std::fprintf(to, "  %s\n", command.synopsis);
    std::fprintf(to, "\noptions:\n  --json      print one JSON object instead of text\n");
    if (sys::SupportsIni())
        std::fprintf(to, "  --ini FILE  read the \"intl\" settings from this WIN.INI-style file,\n"
                         "              in UTF-8 (with a byte order mark, or if all of it is\n"
                         "              UTF-8) or else in Windows-1252; a pipe too, up to 1 MiB\n");
    if (sys::SupportsLanguage())
        std::fprintf(to,
                     "  --lang LANG the library's texts in en, de, fr or es (by default in the\n"
                     "              language KALDER_LANGUAGE names, else in English)\n");
    std::fprintf(to, "  --help      this text; COMMAND --help explains one command\n"
                     "  --version   the version of kaldate\n\n"
                     "Errors and the library's warnings go to standard error, as JSON objects\n"
                     "with --json.\n"
                     "exit status: 0 done, 1 the library refused the input or the output could\n"
                     "not be written, 2 bad command line\n");
}

void PrintCommandHelp(const Command &command) {
    std::printf("usage: kaldate [--json]%s %s\n\n%s\n", BuildOptions().c_str(), command.synopsis,
                command.help);
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
            line.options.language = language;
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
    if (!line.options.ini.empty() && !sys::SupportsIni())
        return UsageError("--ini is available in the host build only; this build reads WIN.INI");
    if (!line.options.language.empty() && !sys::UseLanguage(line.options.language)) {
        if (!sys::SupportsLanguage())
            return UsageError("--lang is available in the host build only; on Windows the "
                              "kaldres.dll beside KALDER32.dll gives the language");
        return UsageError("no texts in the language " +
                          Shown(sys::ArgumentText(line.options.language.c_str())) +
                          " (en, de, fr or es)");
    }
    if (const int status = sys::Start(line.options); status != kExitOk)
        return status;
    ReportWarnings();
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
