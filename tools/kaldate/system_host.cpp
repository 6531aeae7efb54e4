// kaldate on Linux: text is UTF-8 throughout; an argument that is not is
// taken as Windows-1252, the code page the library's files come in.
#include "encoding.h"
#include "kaldate.h"

namespace kaldate::sys {

std::string ArgumentText(const std::string &arg) { return IsUtf8(arg) ? arg : Cp1252ToUtf8(arg); }

void Write(std::FILE *stream, const std::string &text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace kaldate::sys
