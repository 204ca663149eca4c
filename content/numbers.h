// Reading a number that is the whole of a text: nothing before it, nothing after it, no sign but '-'.
#pragma once
#include <concepts>
#include <string_view>

// True when `text` is exactly one number that fits the type; `out` changes only then. Every number the
// programs read from text goes through these, so the one place that turns text into a number is numbers.cpp.
template <std::integral Int>
bool ParseWholeNumber(std::string_view text, Int& out, int base = 10);
bool ParseWholeNumber(std::string_view text, float& out);
bool ParseWholeNumber(std::string_view text, double& out);
// A flag as the text formats write it: "0" or "1".
bool ParseWholeNumber(std::string_view text, bool& out);
