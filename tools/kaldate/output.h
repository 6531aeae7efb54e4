// Printing results: plain text for people, one JSON object for scripts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kaldate {

// UTF-8 text as a JSON string.
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

// Writes text and a line end to standard output, as the system wants text
// shown (sys::Write).
void PrintLine(const std::string &text);
// Writes the object and a line end to standard output.
void PrintJson(const JsonObject &object);

// Runs one text after another, one a line of standard input (as the
// command line gives them: sys::ArgumentText, the line end and a carriage
// return before it taken off, only the first 1024 characters of a line);
// returns the highest status a run returned, 0 for no input.
int EachInputLine(const std::function<int(const std::string &text)> &run);

} // namespace kaldate
