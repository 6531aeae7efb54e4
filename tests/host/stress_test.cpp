// Many threads on every export family while one thread switches between two
// settings profiles and reads them again: every result must be what one of
// the two profiles gives, whole.  Meant for the ThreadSanitizer build, and
// quick enough for the others.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>
#include <time.h>

#include "kalder32.h"
#include "library_fixture.h"
#include "settings/publish/in_force.h"

namespace {

struct Profile {
    const char *date, *time, *shortPicture, *longPicture;
};

constexpr Profile kUnitedStates{"/", ":", "M/d/yy", "dddd, MMMM dd, yyyy"};
constexpr Profile kGerman{".", ".", "dd.MM.yyyy", "dddd, d. MMMM yyyy"};

void UseProfile(const Profile &p) {
    host::SetProfileKey("intl", "sDate", p.date);
    host::SetProfileKey("intl", "sTime", p.time);
    host::SetProfileKey("intl", "sShortDate", p.shortPicture);
    host::SetProfileKey("intl", "sLongDate", p.longPicture);
    GetWinDateFormat();
}

std::string Text(const char *s) { return s != nullptr ? s : "(null)"; }

// A parse's outcome: its result, what it stored, and the warning it showed
// on this thread.
std::string Outcome(int32_t result, const std::string &stored) {
    std::string text = std::to_string(result) + " " + stored;
    if (result != 0)
        text += " [" + host::LastMessageBoxTextOnThisThread() + "]";
    return text;
}

std::string DateText(const DosDate &d) {
    char b[48];
    std::snprintf(b, sizeof b, "%u-%u-%u/%u", d.year, d.month, d.day, d.dayOfWeek);
    return b;
}

// One call of each export family, with its result as text.
using Probe = std::function<std::string()>;

std::vector<Probe> Probes() {
    return {
        [] {
            const DosDate d{2013, 6, 0, 14};
            char out[40];
            return Text(FillDosDateFormatString(&d, out));
        },
        [] {
            char out[40];
            return Text(FillDateFormatString(Date(1990, 6, 11, 3), out));
        },
        [] {
            char out[40];
            return Text(FillLongDateFormatString(Date(1999, 7, 20, 5), out));
        },
        [] {
            char out[24];
            return Text(FillTimeHrMin(13, 5, out));
        },
        [] {
            char h[24], s[24], m[24];
            Fill3StrTimeHrMin(9, 7, h, s, m);
            return std::string(h) + "|" + s + "|" + m;
        },
        [] {
            char out[24];
            return Text(FillTimeFormatString(946741632, out));
        },
        [] {
            char h[24], s[24], m[24];
            FillTimeFormat3Strings(946741632, h, s, m);
            return std::string(h) + "|" + s + "|" + m;
        },
        [] {
            DosDate d{1, 1, 1, 1};
            const int32_t r = ParseDosDateFormatString(&d, "12/25/99");
            return Outcome(r, DateText(d));
        },
        [] {
            KALDER_TM tm = Date(1, 1, 1, 1);
            const int32_t r = ParseDateFormatString(&tm, "25.12.1999");
            return Outcome(r, std::to_string(tm.tm_year) + "-" + std::to_string(tm.tm_mon) + "-" +
                                  std::to_string(tm.tm_mday));
        },
        [] {
            int32_t h = -1, m = -1;
            const int32_t r = ParseTimeHrMin(&h, &m, "10.30");
            return Outcome(r, std::to_string(h) + ":" + std::to_string(m));
        },
        [] {
            KALDER_TIME t = 946741632;
            const int32_t r = ParseTimeFormatString(&t, "25:00");
            return Outcome(r, std::to_string(t));
        },
        [] {
            KALDER_TIME t = 946741632;
            const int32_t r = ParseTimeFormat2Strings(&t, "7", "61");
            return Outcome(r, std::to_string(t));
        },
        [] {
            int32_t h = 24, m = 5;
            const int32_t r = checkhrmin(&h, &m);
            return Outcome(r, std::to_string(h) + ":" + std::to_string(m));
        },
        [] { return std::string(1, GetTimeSep()); },
        [] {
            unsigned char record[228];
            CopyWinDateStruc(record, sizeof record);
            return std::string(reinterpret_cast<char *>(record), sizeof record);
        },
        [] {
            DosDate d{2024, 3, 0, 1};
            int32_t n = 0;
            const int32_t r = DosdToJulian(&d, &n);
            DosDate back{2024, 0, 0, 0};
            const int32_t w = JulianToDosd(n, &back);
            return std::to_string(r) + " " + std::to_string(w) + " " + DateText(back);
        },
        [] {
            KALDER_TM tm = Date(2000, 2, 1, 0);
            const int32_t n = SetTmJulian(&tm);
            tm.tm_hour = 12;
            return std::to_string(n) + " " + std::to_string(CalcDateSeconds(&tm)) + " " +
                   std::to_string(CorrectLeapFromYear(1900)) + " " +
                   std::to_string(Days_in_Month(4)) + " " + std::to_string(atoi_NullCheck(" 42x"));
        },
    };
}

class Stress : public LibraryTest {};

TEST_F(Stress, EveryResultIsWhatOneProfileGives) {
    const std::vector<Probe> probes = Probes();
    // The record keeps what a shorter value leaves of a longer one after
    // its NUL, so the profiles are taken in the order the switching thread
    // takes them.
    std::vector<std::string> wantA, wantB;
    UseProfile(kUnitedStates);
    UseProfile(kGerman);
    UseProfile(kUnitedStates);
    for (const Probe &probe : probes)
        wantA.push_back(probe());
    UseProfile(kGerman);
    for (const Probe &probe : probes)
        wantB.push_back(probe());
    // The profiles must tell the settings-bound probes apart for the test
    // to see a mix.
    ASSERT_NE(wantA[0], wantB[0]);
    ASSERT_NE(wantA[2], wantB[2]);
    ASSERT_NE(wantA[7], wantB[7]);

    constexpr int kReaders = 6;
    std::atomic<bool> stop{false};
    std::atomic<long> calls{0};
    std::atomic<long> wrong{0};
    std::vector<std::string> firstWrong(kReaders);
    std::vector<std::thread> readers;
    for (int t = 0; t < kReaders; ++t) {
        readers.emplace_back([&, t] {
            long mine = 0;
            for (size_t i = static_cast<size_t>(t); !stop.load(std::memory_order_relaxed); ++i) {
                const size_t p = i % probes.size();
                const std::string got = probes[p]();
                if (got != wantA[p] && got != wantB[p]) {
                    if (wrong.fetch_add(1) == 0)
                        firstWrong[static_cast<size_t>(t)] =
                            "probe " + std::to_string(p) + ": '" + got + "'";
                }
                ++mine;
            }
            calls += mine;
        });
    }
    // Each profile twice in a row, so that settings freed while still read
    // and then reused come back as the other profile.
    long refreshes = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < end) {
        UseProfile(refreshes / 2 % 2 == 0 ? kUnitedStates : kGerman);
        ++refreshes;
    }
    stop = true;
    for (std::thread &reader : readers)
        reader.join();
    std::string first;
    for (const std::string &w : firstWrong)
        first += w;
    EXPECT_EQ(wrong.load(), 0) << first;
    EXPECT_GT(refreshes, 100);
    EXPECT_GT(calls.load(), 1000);
    std::printf("%ld calls, %ld refreshes, %ld wrong\n", calls.load(), refreshes, wrong.load());
}

// A thread's record goes back when the thread ends, and a call made on the
// thread after that (here from a thread-local destructor that runs after the
// library's) takes a record for itself alone: threads that come and go
// leave the count of records in use as it was.
TEST_F(Stress, ThreadsThatEndGiveTheirRecordsBack) {
    GetTimeSep();
    const int before = in_force::ActiveRecords();
    for (int t = 0; t < 200; ++t) {
        std::thread([] {
            struct LateCaller {
                ~LateCaller() { EXPECT_EQ(GetTimeSep(), ':'); }
            };
            thread_local LateCaller late;
            static_cast<void>(&late);
            EXPECT_EQ(GetTimeSep(), ':');
        }).join();
    }
    EXPECT_EQ(in_force::ActiveRecords(), before);
}

// A new thread's first call reads which settings are in force and, before it
// names them in its record, another thread puts other settings in force and
// frees the ones read.  The call must look again and format with the new
// settings, never with the freed ones.
std::atomic<bool> pauseArmed{false};
std::atomic<int> pauseStep{0};

TEST_F(Stress, ACallLooksAgainAfterNamingTheSettingsItRead) {
    UseProfile(kGerman);
    const std::string want = Probes()[0]();
    UseProfile(kUnitedStates);
    ASSERT_NE(Probes()[0](), want);

    pauseStep = 0;
    pauseArmed = true;
    in_force::testPointBeforeNaming = [] {
        if (!pauseArmed.exchange(false))
            return;
        pauseStep = 1;
        while (pauseStep.load() != 2)
            std::this_thread::yield();
    };
    std::thread refresher([] {
        while (pauseStep.load() != 1)
            std::this_thread::yield();
        UseProfile(kGerman);
        pauseStep = 2;
    });
    std::string got;
    std::thread caller([&] { got = Probes()[0](); });
    caller.join();
    refresher.join();
    in_force::testPointBeforeNaming = nullptr;
    EXPECT_EQ(got, want);
}

// A call that holds the settings while other threads refresh them many
// times, each profile twice in a row, finds them as they were when it took
// them: the value it names is neither freed nor built again under it.
TEST_F(Stress, SettingsHeldByACallStayAsTheyWereThroughRefreshes) {
    UseProfile(kUnitedStates);
    std::atomic<int> step{0};
    bool same = false;
    std::thread holder([&] {
        const SettingsHold held;
        const WINDATESTRUC before = held->record;
        step = 1;
        while (step.load() != 2)
            std::this_thread::yield();
        same = std::memcmp(&before, &held->record, sizeof before) == 0;
    });
    while (step.load() != 1)
        std::this_thread::yield();
    for (int i = 0; i < 40; ++i)
        UseProfile(i / 2 % 2 == 0 ? kGerman : kUnitedStates);
    step = 2;
    holder.join();
    EXPECT_TRUE(same);
}

// Threads frozen wherever a signal finds them, as a debugger, a suspended
// thread or a sampling profiler leaves them; the handler notes whether the
// thread was inside a call of the library.
std::atomic<bool> thawed{false};
std::atomic<int> frozenInCall{0};
std::atomic<int> frozen{0};
thread_local volatile sig_atomic_t inCall = 0;

void Freeze(int) {
    frozenInCall += inCall != 0 ? 1 : 0;
    ++frozen;
    const timespec pause{0, 100000};
    while (!thawed.load())
        nanosleep(&pause, nullptr);
    --frozen;
}

// Lets the frozen threads go and waits until every one has left the handler.
void Thaw() {
    thawed = true;
    while (frozen.load() != 0)
        std::this_thread::yield();
}

// Two threads that format dates, and a third that reads the settings again,
// are frozen mid-call; refreshes on another thread must still finish, and
// within two seconds, in each of forty rounds.  The refreshing thread
// allocates nothing once the others may be frozen: a thread frozen holding
// a lock of the allocator would stop any thread that allocates, library
// or not.
TEST_F(Stress, RefreshesFinishWhileThreadsAreFrozenMidCall) {
    struct sigaction action {};
    action.sa_handler = Freeze;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGUSR2, &action, &previous), 0);

    for (int round = 0; round < 40; ++round) {
        std::atomic<bool> stop{false};
        std::atomic<bool> go{false};
        std::atomic<bool> done{false};
        auto format = [&] {
            const DosDate date{2013, 6, 0, 14};
            const KALDER_TM tm = Date(1999, 7, 20, 5);
            char out[40];
            while (!stop.load(std::memory_order_relaxed)) {
                inCall = 1;
                if (round % 2 == 0)
                    FillDosDateFormatString(&date, out);
                else
                    FillLongDateFormatString(tm, out);
                inCall = 0;
            }
        };
        auto refresh = [&] {
            while (!stop.load(std::memory_order_relaxed)) {
                inCall = 1;
                GetWinDateFormat();
                inCall = 0;
            }
        };
        // (The profile stays as it is: a frozen refresh may be reading it.)
        std::thread refresher([&] {
            // A thread's first call takes its record, and registering the
            // record's return at thread end allocates: done before any
            // thread is frozen, perhaps inside the allocator.
            GetTimeSep();
            while (!go.load())
                std::this_thread::yield();
            for (int i = 0; i < 4; ++i)
                GetWinDateFormat();
            done = true;
        });
        std::thread threads[3] = {std::thread(format), std::thread(format), std::thread(refresh)};
        // Freeze them until every one is stopped inside a call.
        for (int tries = 0;; ++tries) {
            ASSERT_LT(tries, 1000) << "no thread was ever stopped inside a call";
            thawed = false;
            frozenInCall = 0;
            for (std::thread &t : threads)
                pthread_kill(t.native_handle(), SIGUSR2);
            while (frozen.load() != 3)
                std::this_thread::yield();
            if (frozenInCall.load() == 3)
                break;
            Thaw();
        }

        go = true;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!done.load() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!done.load()) {
            std::fprintf(stderr, "round %d: a refresh waited for frozen threads\n", round);
            std::_Exit(1);
        }
        refresher.join();
        stop = true;
        Thaw();
        for (std::thread &t : threads)
            t.join();
    }
    sigaction(SIGUSR2, &previous, nullptr);
}

} // namespace
