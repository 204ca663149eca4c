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
template bool ParseWholeNumber(std::string_view, std::int8_t&, int);
template bool ParseWholeNumber(std::string_view, std::uint8_t&, int);
template bool ParseWholeNumber(std::string_view, std::int16_t&, int);
template bool ParseWholeNumber(std::string_view, std::uint16_t&, int);
template bool ParseWholeNumber(std::string_view, std::int32_t&, int);
template bool ParseWholeNumber(std::string_view, std::uint32_t&, int);
template bool ParseWholeNumber(std::string_view, std::int64_t&, int);
template bool ParseWholeNumber(std::string_view, std::uint64_t&, int);

bool ParseWholeNumber(std::string_view text, float& out) { return ParseWhole(text, out); }
bool ParseWholeNumber(std::string_view text, double& out) { return ParseWhole(text, out); }
