// The C++ face as a program built with -std=c++20 sees it, with and
// without exceptions: every call, by its settings and by the settings in
// force, and the result's whole surface.
#include "kalder.hpp"

using namespace std::chrono;

int main() {
    const kalder::result<kalder::settings> german =
        kalder::settings::from_text("sShortDate=dd.MM.yyyy\nsDate=.", "de");
    const kalder::settings s = german.value_or(kalder::settings());
    const year_month_day christmas = 1999y / December / 25;
    const kalder::result<std::string> texts[] = {
        kalder::format_short(s, christmas),
        kalder::format_long(christmas),
        kalder::format_time(s, hh_mm_ss<seconds>(13h + 5min)),
        kalder::format_time(sys_seconds(seconds(-1))),
        kalder::format_time(s, local_days(christmas) + 12h),
        s.text("sTime"),
        s.language(),
    };
    size_t length = 0;
    for (const kalder::result<std::string> &text : texts)
        length += text ? text->size() : text.error().message().size();
    const kalder::result<year_month_day> date = kalder::parse_date(s, "25.12.1999");
    const kalder::result<hh_mm_ss<minutes>> time = kalder::parse_time("24:00");
    const bool calendar = kalder::days_in_month(2000y / February).value_or(0) == 29 &&
                          kalder::day_of_year(christmas).value_or(0) == 359 &&
                          kalder::date_of_day(1999y, 359).value_or(year_month_day()) == christmas;
    const bool read = date.has_value() && *date == christmas && time && time->hours() == 24h;
    return length > 0 && calendar && read ? 0 : 1;
}
