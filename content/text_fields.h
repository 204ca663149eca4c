// Numbers and words of the text formats (recordings): shortest exact number text, pairs and words.
#pragma once
#include "content/std_bridge.h"
#include <string>
#include <string_view>

#include "content/numbers.h"

template <typename Number>
std::string NumberText(Number value) {
  char buffer[48];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

inline std::string NumberText(bool value) { return value ? "1" : "0"; }

// "x,y" as two numbers of the given type.
template <typename Number>
bool ParsePair(std::string_view text, Number& x, Number& y) {
  const std::size_t comma = text.find(',');
  return comma != std::string_view::npos && ParseWholeNumber(text.substr(0, comma), x) &&
         ParseWholeNumber(text.substr(comma + 1), y);
}

// "word rest": the first word, and what follows the space after it.
inline std::string_view FirstWord(std::string_view line, std::string_view& rest) {
  const std::size_t space = line.find(' ');
  rest = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
  return line.substr(0, space);
}
