// Printing results: plain text for people, one JSON object for scripts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kaldate {

// The resource texts are Windows-1252; JSON carries them as UTF-8.
std::string Cp1252ToUtf8(const std::string &text);
std::string JsonString(const std::string &text);

// Builds one JSON object member by member, in the order they are added.
class JsonObject {
  public:
    JsonObject &Str(const std::string &key, const std::string &value);
    JsonObject &Int(const std::string &key, int64_t value);
    JsonObject &Bool(const std::string &key, bool value);
    JsonObject &Raw(const std::string &key, const std::string &json);
    std::string Text() const { return "{" + body_ + "}"; }

  private:
    void Key(const std::string &key);
    std::string body_;
};

std::string JsonArray(const std::vector<std::string> &elements);

// Writes text and a line end to standard output.
void PrintLine(const std::string &text);

} // namespace kaldate
