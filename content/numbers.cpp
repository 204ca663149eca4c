// The whole-text number parser, on std::from_chars.
#include "content/numbers.h"

#include "content/std_bridge.h"
#include <cstdint>

namespace {

template <typename Number, typename... Base>
bool ParseWhole(std::string_view text, Number& out, Base... base) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base...);
  if (error != std::errc{} || end != text.data() + text.size()) return false;
  out = value;
  return true;
}

}  // namespace

template <std::integral Int>
bool ParseWholeNumber(std::string_view text, Int& out, int base) {
  return ParseWhole(text, out, base);
}
// Every standard integer type, so size_t and the fixed-width names work whatever they alias on a platform.
template bool ParseWholeNumber(std::string_view, signed char&, int);
template bool ParseWholeNumber(std::string_view, unsigned char&, int);
template bool ParseWholeNumber(std::string_view, short&, int);
template bool ParseWholeNumber(std::string_view, unsigned short&, int);
template bool ParseWholeNumber(std::string_view, int&, int);
template bool ParseWholeNumber(std::string_view, unsigned&, int);
template bool ParseWholeNumber(std::string_view, long&, int);
template bool ParseWholeNumber(std::string_view, unsigned long&, int);
template bool ParseWholeNumber(std::string_view, long long&, int);
template bool ParseWholeNumber(std::string_view, unsigned long long&, int);

bool ParseWholeNumber(std::string_view text, float& out) { return ParseWhole(text, out); }
bool ParseWholeNumber(std::string_view text, double& out) { return ParseWhole(text, out); }

bool ParseWholeNumber(std::string_view text, bool& out) {
  if (text != "0" && text != "1") return false;
  out = text == "1";
  return true;
}
