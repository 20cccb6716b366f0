// JSON texts of strings and numbers, as the command line writes them.
#pragma once

#include <charconv>
#include <string>

namespace orbelle::host {

// `text` (UTF-8) as a JSON string, quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text);

// The shortest decimal text that reads back to the same value (a single or a double).
template <typename Number>
std::string JsonNumber(Number v) {
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, result.ptr);
}

}  // namespace orbelle::host
