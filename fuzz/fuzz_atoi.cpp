// atoi_NullCheck against strtol over the same 50 characters, saturated.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::string head = text.substr(0, 50);
    long long want = std::strtoll(head.c_str(), nullptr, 10);
    want = want > INT32_MAX ? INT32_MAX : want < INT32_MIN ? INT32_MIN : want;
    fuzz::Require(atoi_NullCheck(text.c_str()) == want);
    return 0;
}
