// Numbers and words of the text formats (recordings): shortest exact number text, and whole-text parsing.
#pragma once
#include "content/std_bridge.h"
#include <string>
#include <string_view>

template <typename Number>
std::string NumberText(Number value) {
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

inline std::string NumberText(bool value) { return value ? "1" : "0"; }

// Whole text only, nothing before or after the number.
template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
  if (text.empty()) return false;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc{} && end == text.data() + text.size();
}

inline bool ParseNumber(std::string_view text, bool& out) {
  out = text == "1";
  return text == "0" || text == "1";
}

// "x,y" as two numbers of the given type.
template <typename Number>
bool ParsePair(std::string_view text, Number& x, Number& y) {
  const std::size_t comma = text.find(',');
  return comma != std::string_view::npos && ParseNumber(text.substr(0, comma), x) &&
         ParseNumber(text.substr(comma + 1), y);
}

// "word rest": the first word, and what follows the space after it.
inline std::string_view FirstWord(std::string_view line, std::string_view& rest) {
  const std::size_t space = line.find(' ');
  rest = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
  return line.substr(0, space);
}
