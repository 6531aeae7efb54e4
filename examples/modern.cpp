// modern.cpp - the C++ face of KALDER32 (kalder.hpp) in a service that
// answers a German and an American user at once, each on their own thread
// with their own settings object. What a user types is read quietly: a
// refusal is an error holding the message in the user's language. Texts
// are std::string in UTF-8; no exceptions are needed.
//
//   c++ -std=c++20 modern.cpp $(pkg-config --cflags --libs kalder32) -pthread
//   ./a.out
//
// prints
//
//   anna: Dienstag, 5. März 2024, 13:05
//   anna: Die Stunde 25 ist ungültig. Bitte geben Sie eine Stunde von 0 bis 24 ein.
//   bert: Tuesday, March 5, 2024, 1:05
//   bert: The day 30 is not valid for this month. Please type a day that the month has.
//   Landed: Sunday, July 20, 1969, 20:17 UTC
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "kalder.hpp"

using namespace std::chrono;

namespace {

struct Typed {
    const char *date;
    const char *time;
};

// The user's answers: each typed date in their long form with the time, or
// the message of what was refused.
std::vector<std::string> Serve(const kalder::settings &s, const std::vector<Typed> &requests) {
    std::vector<std::string> answers;
    for (const Typed &typed : requests) {
        const kalder::result<year_month_day> date = kalder::parse_date(s, typed.date);
        const kalder::result<hh_mm_ss<minutes>> time = kalder::parse_time(s, typed.time);
        if (!date)
            answers.push_back(date.error().message());
        else if (!time)
            answers.push_back(time.error().message());
        else
            answers.push_back(kalder::format_long(s, *date).value_or("?") + ", " +
                              kalder::format_time(s, *time).value_or("?"));
    }
    return answers;
}

} // namespace

int main() {
    const auto german = kalder::settings::from_text(
        "sDate=.\nsTime=:\nsShortDate=dd.MM.yyyy\nsLongDate=dddd, d. MMMM yyyy\n", "de");
    const auto american = kalder::settings::from_text(
        "sDate=/\nsTime=:\nsShortDate=M/d/yyyy\nsLongDate=dddd, MMMM d, yyyy\n", "en");
    if (!german || !american) {
        std::fprintf(stderr, "modern: %s\n",
                     (german ? american : german).error().message().c_str());
        return 1;
    }

    std::vector<std::string> anna;
    std::vector<std::string> bert;
    {
        const std::jthread first([&] {
            anna = Serve(*german, {{"5.3.2024", "13:05"}, {"6.3.2024", "25:00"}});
        });
        const std::jthread second([&] {
            bert = Serve(*american, {{"3/5/2024", "1:05"}, {"2/30/2024", "9:00"}});
        });
    }
    for (const std::string &answer : anna)
        std::printf("anna: %s\n", answer.c_str());
    for (const std::string &answer : bert)
        std::printf("bert: %s\n", answer.c_str());

    // A point in time before 1970, to the millisecond: its UTC day and
    // time of day, floored to the minute.
    const sys_time<milliseconds> landed = sys_days(1969y / July / 20) + 20h + 17min + 40s + 500ms;
    std::printf("Landed: %s, %s UTC\n",
                kalder::format_long(*american, year_month_day(floor<days>(landed))).value().c_str(),
                kalder::format_time(*american, landed).value().c_str());
    return 0;
}
