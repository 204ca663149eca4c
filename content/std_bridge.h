// std::bit_cast and floating-point std::to_chars/std::from_chars for a C++ library that lacks them (libc++ 13):
// the same text as a complete library writes and reads, so dumps and recordings agree between builds.
#pragma once
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

namespace std_bridge {

// The shortest decimal digits that read back as the value (a positive finite one), and the power of ten of the
// first digit; among several, the nearest to the value.
template <typename Float>
void ShortestDigits(Float value, std::string& digits, int& exponent) {
  const int maxDigits = sizeof(Float) == 4 ? 9 : 17;
  for (int count = 1;; ++count) {
    char text[40];
    std::snprintf(text, sizeof text, "%.*e", count - 1, static_cast<double>(value));
    std::string rounded = text[1] == '.' ? std::string(1, text[0]) + std::string(text + 2, std::strchr(text, 'e'))
                                         : std::string(1, text[0]);
    const int power = std::atoi(std::strchr(text, 'e') + 1);
    // Where the value is a power of two the gap below is half the gap above: the digit above may still read back
    // when the nearest does not.
    const std::uint64_t nearest = std::strtoull(rounded.c_str(), nullptr, 10);
    bool found = false;
    long double bestDistance = 0;
    for (std::uint64_t candidate : {nearest, nearest - 1, nearest + 1}) {
      if (candidate == 0 && count > 1) continue;
      const std::string candidateText = std::to_string(candidate) + "e" + std::to_string(power - (count - 1));
      const Float back = sizeof(Float) == 4 ? static_cast<Float>(std::strtof(candidateText.c_str(), nullptr))
                                            : static_cast<Float>(std::strtod(candidateText.c_str(), nullptr));
      if (back != value) continue;
      const long double distance = std::fabs(std::strtold(candidateText.c_str(), nullptr) - value);
      if (found && distance >= bestDistance) continue;
      found = true;
      bestDistance = distance;
      std::string kept = std::to_string(candidate);
      exponent = power + static_cast<int>(kept.size()) - count;
      while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
      digits = kept;
    }
    if (found || count == maxDigits) return;
  }
}

inline std::string WholeText(double value) {
  char text[320];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

// The shorter of fixed and scientific notation, fixed on a tie, as the plain overload of std::to_chars writes it.
template <typename Float>
std::to_chars_result ToChars(char* first, char* last, Float value) {
  std::string text = std::signbit(value) ? "-" : "";
  if (std::isnan(value)) {
    text += "nan";
  } else if (std::isinf(value)) {
    text += "inf";
  } else if (value == 0) {
    text += "0";
  } else {
    std::string digits;
    int exponent = 0;
    ShortestDigits(std::fabs(value), digits, exponent);
    const int count = static_cast<int>(digits.size());
    std::string scientific = digits.substr(0, 1) + (count > 1 ? "." + digits.substr(1) : "") + "e" +
                             (exponent < 0 ? "-" : "+") + (std::abs(exponent) < 10 ? "0" : "") +
                             std::to_string(std::abs(exponent));
    // A whole number is written in full in fixed notation, every digit exact.
    std::string fixed = exponent < 0             ? "0." + std::string(-exponent - 1, '0') + digits
                        : exponent >= count - 1 ? WholeText(std::fabs(value))
                                                : digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    text += fixed.size() <= scientific.size() ? fixed : scientific;
  }
  if (static_cast<std::size_t>(last - first) < text.size()) return {last, std::errc::value_too_large};
  std::memcpy(first, text.data(), text.size());
  return {first + text.size(), std::errc{}};
}

// The longest start of [first, last) in the general format ("-", digits with a point, an exponent, or inf and
// nan), read as std::from_chars reads it: out of range when a number beyond the type's range would become
// infinite or zero.
template <typename Float>
std::from_chars_result FromChars(const char* first, const char* last, Float& value) {
  auto digitsFrom = [last](const char* from) {
    while (from < last && *from >= '0' && *from <= '9') ++from;
    return from;
  };
  auto wordAt = [last](const char* from, std::string_view word) {
    if (static_cast<std::size_t>(last - from) < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
      if ((from[i] | 0x20) != word[i]) return false;
    return true;
  };
  const char* at = first < last && *first == '-' ? first + 1 : first;
  const char* end = nullptr;
  bool number = false;
  if (wordAt(at, "infinity")) {
    end = at + 8;
  } else if (wordAt(at, "inf") || wordAt(at, "nan")) {
    end = at + 3;
  } else {
    const char* whole = digitsFrom(at);
    const char* fraction = whole < last && *whole == '.' ? digitsFrom(whole + 1) : whole;
    if (whole == at && fraction <= whole + 1) return {first, std::errc::invalid_argument};
    end = fraction;
    if (end < last && (*end == 'e' || *end == 'E')) {
      const char* sign = end + 1 < last && (end[1] == '+' || end[1] == '-') ? end + 2 : end + 1;
      if (const char* power = digitsFrom(sign); power > sign) end = power;
    }
    number = true;
  }
  const std::string text(first, end);
  const Float read = sizeof(Float) == 4 ? static_cast<Float>(std::strtof(text.c_str(), nullptr))
                                        : static_cast<Float>(std::strtod(text.c_str(), nullptr));
  const std::string significand = text.substr(0, text.find_first_of("eE"));
  const bool zero = significand.find_first_of("123456789") == std::string::npos;
  if (number && (std::isinf(read) || (read == 0 && !zero))) return {end, std::errc::result_out_of_range};
  value = read;
  return {end, std::errc{}};
}

}  // namespace std_bridge

#if !defined(__cpp_lib_bit_cast)
namespace std {
template <typename To, typename From>
constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif

#if !defined(__cpp_lib_to_chars)
namespace std {
inline to_chars_result to_chars(char* first, char* last, float value) { return std_bridge::ToChars(first, last, value); }
inline to_chars_result to_chars(char* first, char* last, double value) { return std_bridge::ToChars(first, last, value); }
inline from_chars_result from_chars(const char* first, const char* last, float& value) {
  return std_bridge::FromChars(first, last, value);
}
inline from_chars_result from_chars(const char* first, const char* last, double& value) {
  return std_bridge::FromChars(first, last, value);
}
}  // namespace std
#endif
