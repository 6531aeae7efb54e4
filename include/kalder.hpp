// kalder.hpp - the C++20 face of the modern interface of KALDER32.
//
// Header-only, over the C calls of kalder.h; it adds no state of its own.
// Everything is in namespace kalder:
//
//   settings     a settings object as a value: copies share one object
//                (copying never fails), moves are noexcept.  A default-
//                constructed (or moved-from) settings means the settings in
//                force at the moment of each call.
//   error        a failure: its status (KALDER_BAD_DAY...), the value that
//                was refused (0 where none is named) and its message, the
//                text itself, in the language of the settings of the call.
//   result<T>    a T or an error, shaped like std::expected<T, error>.
//
// The calls are free functions whose first argument is the settings to use;
// each has an overload without it, which uses the settings in force.  What
// a settings object tells about itself (text(), language()) are members.
//
//   format_short(s, year_month_day)    -> result<std::string>
//   format_long(s, year_month_day)     -> result<std::string>, weekday included
//   format_time(s, hh_mm_ss<D>)        -> result<std::string>
//   format_time(s, sys_time<D>)        -> result<std::string>, the UTC time of day
//   format_time(s, local_time<D>)      -> result<std::string>, its time of day
//   parse_date(s, std::string_view)    -> result<year_month_day>
//   parse_time(s, std::string_view)    -> result<hh_mm_ss<minutes>>, 24:00 is 24h
//   days_in_month(year_month), day_of_year(year_month_day),
//   date_of_day(year, int)             -> the calendar, as kalder.h computes it
//
// Times are floored to whole minutes (a time before 1970 counts back from
// the day it falls in).  Strings are UTF-8.  No exceptions are needed: the
// header compiles with -fno-exceptions, and a failure is always a result.
// Only running out of memory for a std::string ends the program, as it does
// anywhere without exceptions.
//
//   const auto german = kalder::settings::from_text("sShortDate=dd.MM.yyyy", "de");
//   if (!german)
//       std::puts(german.error().message().c_str());
//   else if (const auto text = kalder::format_long(*german, 2024y / March / 5))
//       std::puts(text->c_str());
#ifndef KALDER_HPP
#define KALDER_HPP

#include <cassert>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "kalder.h"

namespace kalder {

template <class T> class result;

// A settings object: a shared, immutable reading of the settings with the
// names and messages of one language.
class settings {
  public:
    // The settings in force at the moment of each call.
    settings() noexcept = default;

    // Takes over one reference to object (from KalderSettingsFromText,
    // KalderSettingsInForce or KalderSettingsCopy); null means in force.
    static settings adopt(KalderSettings *object) noexcept { return settings(object); }

    settings(const settings &other) noexcept : object_(KalderSettingsCopy(other.object_)) {}
    settings(settings &&other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    settings &operator=(const settings &other) noexcept {
        settings copy(other);
        swap(copy);
        return *this;
    }
    settings &operator=(settings &&other) noexcept {
        settings taken(std::move(other));
        swap(taken);
        return *this;
    }
    ~settings() { KalderSettingsFree(object_); }

    void swap(settings &other) noexcept { std::swap(object_, other.object_); }
    friend void swap(settings &a, settings &b) noexcept { a.swap(b); }

    // The settings in force now, kept: later refreshes do not change them.
    static result<settings> in_force();

    // Settings from the text of a WIN.INI [intl] section (see
    // KalderSettingsFromText); language "en", "de", "fr", "es", or empty
    // for the library's own.
    static result<settings> from_text(std::string_view intl, std::string_view language = {});

    // The object for the C calls: null for the settings in force.  It stays
    // this value's; KalderSettingsCopy it to keep it longer.
    const KalderSettings *get() const noexcept { return object_; }

    // A key's value as in use (sTime, sDate, sShortDate, sLongDate,
    // sThousand, sDecimal), e.g. for an input mask.
    result<std::string> text(std::string_view key) const;

    // The language of the names and messages: "en", "de", "fr" or "es".
    result<std::string> language() const;

  private:
    explicit settings(KalderSettings *object) noexcept : object_(object) {}

    KalderSettings *object_ = nullptr;
};

namespace detail {

// The text a bounded call writes: one call into a buffer on the stack and,
// when the text was cut, calls with a buffer of its length until it fits
// (the settings in force may change in between).  The length, or the
// negative status; text holds the text, or nothing on failure.
template <class Write> int fetch(std::string &text, Write write) {
    char local[128];
    int length = write(local, sizeof local);
    text.clear();
    if (length < 0)
        return length;
    if (static_cast<size_t>(length) < sizeof local) {
        text.assign(local, static_cast<size_t>(length));
        return length;
    }
    for (;;) {
        text.resize(static_cast<size_t>(length) + 1);
        const int again = write(text.data(), text.size());
        if (again < 0) {
            text.clear();
            return again;
        }
        if (static_cast<size_t>(again) < text.size()) {
            text.resize(static_cast<size_t>(again));
            return again;
        }
        length = again;
    }
}

// A text argument for the C calls, which take no null pointer.
inline const char *data_of(std::string_view text) noexcept {
    return text.data() != nullptr ? text.data() : "";
}

} // namespace detail

class error {
  public:
    error(KalderStatus status, int32_t refused, std::string message)
        : status_(status), refused_(refused), message_(std::move(message)) {}

    // The error of status for the value refused, with the message the
    // library gives for it in the language of in.
    static error of(KalderStatus status, int32_t refused = 0, const settings &in = {}) {
        std::string message;
        detail::fetch(message, [&](char *out, size_t size) {
            return KalderMessage(in.get(), status, refused, out, size);
        });
        return error(status, refused, std::move(message));
    }

    KalderStatus status() const noexcept { return status_; }
    int32_t refused() const noexcept { return refused_; }
    const std::string &message() const noexcept { return message_; }

  private:
    KalderStatus status_;
    int32_t refused_;
    std::string message_;
};

namespace detail {

[[noreturn]] inline void no_value(const error &failure) noexcept {
    std::fprintf(stderr, "kalder: value() of a failed result: %s\n", failure.message().c_str());
    std::abort();
}

} // namespace detail

// A T or an error.  operator* and operator-> require a value (checked by
// assert); error() requires an error.  value() is for a result that cannot
// fail: as there are no exceptions, on an error it writes the message to
// standard error and ends the program with std::abort.
template <class T> class [[nodiscard]] result {
  public:
    using value_type = T;
    using error_type = kalder::error;

    result(const T &value) : state_(std::in_place_index<0>, value) {}
    result(T &&value) : state_(std::in_place_index<0>, std::move(value)) {}
    result(kalder::error failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool has_value() const noexcept { return state_.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }

    T &operator*() &noexcept { return *held(); }
    const T &operator*() const &noexcept { return *held(); }
    T &&operator*() &&noexcept { return std::move(*held()); }
    T *operator->() noexcept { return held(); }
    const T *operator->() const noexcept { return held(); }

    T &value() & {
        checked();
        return *std::get_if<0>(&state_);
    }
    const T &value() const & {
        checked();
        return *std::get_if<0>(&state_);
    }
    T &&value() && {
        checked();
        return std::move(*std::get_if<0>(&state_));
    }

    template <class U> T value_or(U &&fallback) const & {
        return has_value() ? **this : static_cast<T>(std::forward<U>(fallback));
    }
    template <class U> T value_or(U &&fallback) && {
        return has_value() ? std::move(**this) : static_cast<T>(std::forward<U>(fallback));
    }

    const kalder::error &error() const noexcept {
        assert(!has_value());
        return *std::get_if<1>(&state_);
    }

  private:
    T *held() noexcept {
        assert(has_value());
        return std::get_if<0>(&state_);
    }
    const T *held() const noexcept {
        assert(has_value());
        return std::get_if<0>(&state_);
    }
    void checked() const noexcept {
        if (!has_value())
            detail::no_value(*std::get_if<1>(&state_));
    }

    std::variant<T, kalder::error> state_;
};

namespace detail {

// A count as an int32_t, held within its range.
template <class N> int32_t held_int32(N n) noexcept {
    constexpr N low = static_cast<N>(std::numeric_limits<int32_t>::min());
    constexpr N high = static_cast<N>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(n < low ? low : n > high ? high : n);
}

struct civil {
    int32_t year;
    int32_t month;
    int32_t day;

    explicit civil(std::chrono::year_month_day date) noexcept
        : year(static_cast<int>(date.year())), month(static_cast<int32_t>(unsigned(date.month()))),
          day(static_cast<int32_t>(unsigned(date.day()))) {}

    // The value a status refuses, as the messages name it.
    int32_t refused(KalderStatus status) const noexcept {
        return status == KALDER_BAD_YEAR    ? year
               : status == KALDER_BAD_MONTH ? month
               : status == KALDER_BAD_DAY   ? day
                                            : 0;
    }
};

inline std::chrono::year_month_day date_of(const KalderDate &date) noexcept {
    return std::chrono::year_month_day{std::chrono::year{date.year},
                                       std::chrono::month{static_cast<unsigned>(date.month)},
                                       std::chrono::day{static_cast<unsigned>(date.day)}};
}

inline result<std::string> format_minutes(const settings &s, std::chrono::minutes time) {
    const auto count = time.count();
    const auto hours = count / 60 - (count % 60 < 0 ? 1 : 0);
    const int32_t hour = held_int32(hours);
    const auto minute = static_cast<int32_t>(count - hours * 60);
    std::string text;
    const int length = fetch(text, [&](char *out, size_t size) {
        return KalderFormatTime(s.get(), hour, minute, out, size);
    });
    if (length < 0)
        return error::of(length, length == KALDER_BAD_HOUR ? hour : 0, s);
    return text;
}

inline result<std::string> format_seconds(const settings &s, int64_t seconds) {
    std::string text;
    const int length = fetch(text, [&](char *out, size_t size) {
        return KalderFormatTimeValue(s.get(), seconds, out, size);
    });
    if (length < 0)
        return error::of(length, 0, s);
    return text;
}

} // namespace detail

inline result<settings> settings::in_force() {
    if (KalderSettings *made = KalderSettingsInForce())
        return settings(made);
    return error::of(KALDER_NO_MEMORY);
}

inline result<settings> settings::from_text(std::string_view intl, std::string_view language) {
    const std::string code(language);
    KalderStatus why = KALDER_NO_MEMORY;
    KalderSettings *made = KalderSettingsFromText(detail::data_of(intl), intl.size(),
                                                  language.empty() ? nullptr : code.c_str(), &why);
    if (made == nullptr)
        return error::of(why);
    return settings(made);
}

inline result<std::string> settings::text(std::string_view key) const {
    const std::string name(key);
    std::string value;
    const int length = detail::fetch(value, [&](char *out, size_t size) {
        return KalderSettingsText(object_, name.c_str(), out, size);
    });
    if (length < 0)
        return error::of(length, 0, *this);
    return value;
}

inline result<std::string> settings::language() const {
    std::string code;
    const int length = detail::fetch(
        code, [&](char *out, size_t size) { return KalderSettingsLanguage(object_, out, size); });
    if (length < 0)
        return error::of(length, 0, *this);
    return code;
}

// The short date of the settings, e.g. "12/25/99".
inline result<std::string> format_short(const settings &s, std::chrono::year_month_day date) {
    const detail::civil d(date);
    std::string text;
    const int length = detail::fetch(text, [&](char *out, size_t size) {
        return KalderFormatShortDate(s.get(), d.year, d.month, d.day, out, size);
    });
    if (length < 0)
        return error::of(length, d.refused(length), s);
    return text;
}

// The long date of the settings with its weekday, e.g.
// "Saturday, December 25, 1999".
inline result<std::string> format_long(const settings &s, std::chrono::year_month_day date) {
    const detail::civil d(date);
    std::string text;
    const int length = detail::fetch(text, [&](char *out, size_t size) {
        return KalderFormatLongDate(s.get(), d.year, d.month, d.day, out, size);
    });
    if (length < 0)
        return error::of(length, d.refused(length), s);
    return text;
}

// A time of day, 0:00 to 24:00, floored to the minute: the hour, the
// separator of the settings, the minute in two digits.  A negative time or
// one past 24:00 is refused (KALDER_BAD_HOUR, KALDER_BAD_HOUR_24).
template <class D>
result<std::string> format_time(const settings &s, const std::chrono::hh_mm_ss<D> &time) {
    return detail::format_minutes(s, std::chrono::floor<std::chrono::minutes>(time.to_duration()));
}

// The UTC time of day of a point in time.
template <class D>
result<std::string> format_time(const settings &s, std::chrono::sys_time<D> when) {
    return detail::format_seconds(
        s, std::chrono::floor<std::chrono::seconds>(when).time_since_epoch().count());
}

// The time of day of a local time.
template <class D>
result<std::string> format_time(const settings &s, std::chrono::local_time<D> when) {
    return detail::format_seconds(
        s, std::chrono::floor<std::chrono::seconds>(when).time_since_epoch().count());
}

// A typed date, read as the classic parser reads it in the short form of
// the settings; quietly: a refusal is the error, with the box's text.
inline result<std::chrono::year_month_day> parse_date(const settings &s, std::string_view text) {
    KalderDate date{};
    int32_t refused = 0;
    const KalderStatus status =
        KalderParseDate(s.get(), detail::data_of(text), text.size(), &date, &refused);
    if (status != KALDER_OK)
        return error::of(status, refused, s);
    return detail::date_of(date);
}

// A typed time, read as the classic parser reads it; "24:00" gives
// hours() == 24.
inline result<std::chrono::hh_mm_ss<std::chrono::minutes>> parse_time(const settings &s,
                                                                      std::string_view text) {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t refused = 0;
    const KalderStatus status =
        KalderParseTime(s.get(), detail::data_of(text), text.size(), &hour, &minute, &refused);
    if (status != KALDER_OK)
        return error::of(status, refused, s);
    return std::chrono::hh_mm_ss<std::chrono::minutes>(std::chrono::hours(hour) +
                                                       std::chrono::minutes(minute));
}

// The same calls with the settings in force.
inline result<std::string> format_short(std::chrono::year_month_day date) {
    return format_short(settings(), date);
}
inline result<std::string> format_long(std::chrono::year_month_day date) {
    return format_long(settings(), date);
}
template <class D> result<std::string> format_time(const std::chrono::hh_mm_ss<D> &time) {
    return format_time(settings(), time);
}
template <class D> result<std::string> format_time(std::chrono::sys_time<D> when) {
    return format_time(settings(), when);
}
template <class D> result<std::string> format_time(std::chrono::local_time<D> when) {
    return format_time(settings(), when);
}
inline result<std::chrono::year_month_day> parse_date(std::string_view text) {
    return parse_date(settings(), text);
}
inline result<std::chrono::hh_mm_ss<std::chrono::minutes>> parse_time(std::string_view text) {
    return parse_time(settings(), text);
}

// --- The calendar: years 1 to 9999, no settings, no shared state; errors
// carry the messages of the settings in force.

// 28 to 31.
inline result<unsigned> days_in_month(std::chrono::year_month month) {
    const int32_t y = static_cast<int>(month.year());
    const auto m = static_cast<int32_t>(unsigned(month.month()));
    const int32_t days = KalderDaysInMonth(y, m);
    if (days < 0)
        return error::of(days, days == KALDER_BAD_YEAR ? y : m);
    return static_cast<unsigned>(days);
}

// 1 to 366.
inline result<int> day_of_year(std::chrono::year_month_day date) {
    const detail::civil d(date);
    const int32_t day = KalderDayOfYear(d.year, d.month, d.day);
    if (day < 0)
        return error::of(day, d.refused(day));
    return static_cast<int>(day);
}

// The date of day number day of year (1 is 1 January); a day number past
// either end of the year moves into the years around it.
inline result<std::chrono::year_month_day> date_of_day(std::chrono::year year, int day) {
    KalderDate date{};
    const KalderStatus status = KalderDateOfDay(static_cast<int>(year), day, &date);
    if (status != KALDER_OK)
        return error::of(status);
    return detail::date_of(date);
}

} // namespace kalder

#endif // KALDER_HPP
