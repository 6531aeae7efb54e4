// A C++ program that calls the library from its own static constructor,
// before main, and again from main: both see the library attached, with
// the settings read.
#include <cstdio>
#include <string>

#include "kalder32.h"

namespace {

std::string ChristmasDay1999() {
    KALDER_TM tm = {};
    tm.tm_year = 99;
    tm.tm_mon = 11;
    tm.tm_mday = 25;
    tm.tm_wday = 6;
    char out[40];
    std::string text = FillLongDateFormatString(tm, out);
    return text + " " + FillTimeHrMin(13, 5, out);
}

const std::string beforeMain = ChristmasDay1999();

} // namespace

int main() {
    std::printf("before main: %s\nin main:     %s\n", beforeMain.c_str(),
                ChristmasDay1999().c_str());
    return 0;
}
