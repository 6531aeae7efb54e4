// threads.cpp - KALDER32 called from several threads at once. Four threads
// format every day of 1980 to 2059 short and long and read the short form
// back, while a fifth reads the settings again and again (GetWinDateFormat).
// Each result must be what the same call gave on one thread beforehand: a
// refresh of unchanged settings changes no result, and no call sees another
// thread's half-done work. Exits 1 at the first difference.
//
//   c++ -std=c++17 threads.cpp $(pkg-config --cflags --libs kalder32) -pthread
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "kalder32.h"

namespace {

struct Formatted {
    DosDate date;
    std::string shortText;
    std::string longText;
};

Formatted Format(const DosDate &date) {
    KALDER_TM tm;
    std::memset(&tm, 0, sizeof tm);
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_wday = date.dayOfWeek;
    char shortText[40];
    char longText[40];
    return Formatted{date, FillDosDateFormatString(&date, shortText),
                     FillLongDateFormatString(tm, longText)};
}

std::atomic<bool> failed{false};

bool Check(const Formatted &want) {
    const Formatted got = Format(want.date);
    DosDate parsed;
    std::memset(&parsed, 0, sizeof parsed);
    const bool same = got.shortText == want.shortText && got.longText == want.longText &&
                      ParseDosDateFormatString(&parsed, got.shortText.c_str()) == 0 &&
                      parsed.year == want.date.year && parsed.month == want.date.month &&
                      parsed.day == want.date.day;
    if (!same && !failed.exchange(true))
        std::fprintf(stderr, "threads: %s / %s came out as %s / %s\n", want.shortText.c_str(),
                     want.longText.c_str(), got.shortText.c_str(), got.longText.c_str());
    return same;
}

} // namespace

int main() {
    // The expected results, on this thread alone. A two-digit year reads
    // back as 1960 to 2059, so the dates stay within that.
    std::vector<Formatted> expected;
    for (int year = 1980; year <= 2059; ++year) {
        DosDate date;
        std::memset(&date, 0, sizeof date);
        date.year = static_cast<uint16_t>(year);
        const int32_t length = 337 + CorrectLeapFromYear(year);
        for (int32_t day = 1; day <= length; ++day) {
            date.year = static_cast<uint16_t>(year);
            JulianToDosd(day, &date);
            expected.push_back(Format(date));
        }
    }

    constexpr int kWorkers = 4;
    std::atomic<int> running{kWorkers};
    std::atomic<long> checked{0};
    std::vector<std::thread> threads;
    for (int worker = 0; worker < kWorkers; ++worker)
        threads.emplace_back([&, worker] {
            // Every date twice, each thread starting at another quarter.
            const size_t start = static_cast<size_t>(worker) * expected.size() / kWorkers;
            for (size_t n = 0; n < 2 * expected.size() && !failed; ++n) {
                Check(expected[(start + n) % expected.size()]);
                ++checked;
            }
            --running;
        });
    long refreshes = 0;
    threads.emplace_back([&] {
        while (running > 0) {
            GetWinDateFormat();
            ++refreshes;
        }
    });
    for (std::thread &thread : threads)
        thread.join();
    if (failed)
        return 1;
    std::printf("threads: %ld dates checked on %d threads during %ld refreshes, all as on one "
                "thread\n",
                checked.load(), kWorkers, refreshes);
    return 0;
}
