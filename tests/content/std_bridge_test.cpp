// The stand-in for a C++ library without floating-point to_chars/from_chars writes and reads numbers as the
// complete library does: the dumps and recordings of both builds are the same text.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "content/std_bridge.h"

namespace {

template <typename Float>
std::string LibraryText(Float value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

template <typename Float>
std::string BridgeText(Float value) {
  char text[64];
  return std::string(text, std_bridge::ToChars(text, text + sizeof text, value).ptr);
}

template <typename Float>
Float FromBits(std::uint64_t bits) {
  if constexpr (sizeof(Float) == 4) return std::bit_cast<Float>(static_cast<std::uint32_t>(bits));
  else return std::bit_cast<Float>(bits);
}

template <typename Float>
void ExpectSameTextAsTheLibrary() {
  using Limits = std::numeric_limits<Float>;
  const Float cases[] = {0, -Float(0), 1, -1, Float(0.1), Float(0.25), Float(0.0001), Float(1e-5), Float(123456789),
                         Float(1e10), Float(1e15), Float(1e16), Float(1e22), Float(0.0972), Float(85), Float(16.5),
                         Float(-3.5), Limits::max(), Limits::lowest(), Limits::min(), Limits::denorm_min(),
                         Limits::epsilon(), Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN(),
                         std::nextafter(Float(1), Float(2)), std::nextafter(Float(1), Float(0)), Float(9.5367431640625e-07)};
  for (Float value : cases) EXPECT_EQ(BridgeText(value), LibraryText(value)) << LibraryText(value);
  // Every exponent, many significands, and the powers of two, where the gap below is half the gap above.
  std::mt19937_64 random(23);
  const int bits = sizeof(Float) * 8;
  for (int i = 0; i < 40000; ++i) {
    const Float value = FromBits<Float>(random() >> (64 - bits));
    if (std::isnan(value)) continue;
    ASSERT_EQ(BridgeText(value), LibraryText(value));
  }
  for (int power = Limits::min_exponent - Limits::digits; power < Limits::max_exponent; ++power)
    ASSERT_EQ(BridgeText(std::ldexp(Float(1), power)), LibraryText(std::ldexp(Float(1), power))) << power;
  for (int i = 1; i < 20000; ++i) {
    const Float integer = static_cast<Float>(i) * 997;
    ASSERT_EQ(BridgeText(integer / 1000), LibraryText(integer / 1000));
  }
}

template <typename Float>
void ExpectSameReadingAsTheLibrary() {
  const char* texts[] = {"0", "-0", "1", "0.0972", "1e-04", "1.5e+10", "123456790", "-3.5", ".5", "5.", "1e", "1e+",
                         "1x", "0x1p3", "-", "", ".", "abc", "inf", "-Infinity", "nan", "1e400", "1e-400", "0e-999",
                         "00012.50", "3.4028236e+38", "1.17549435e-38", "4e-45", "1.7976931348623157e308",
                         "2.4703282292062328e-324", "12 ", " 12", "+1", "1E2"};
  for (std::string text : texts) {
    Float library = 7, bridge = 7;
    const auto expected = std::from_chars(text.data(), text.data() + text.size(), library);
    const auto got = std_bridge::FromChars(text.data(), text.data() + text.size(), bridge);
    EXPECT_EQ(got.ptr - text.data(), expected.ptr - text.data()) << '"' << text << '"';
    EXPECT_EQ(got.ec, expected.ec) << '"' << text << '"';
    if (std::isnan(library)) continue;
    EXPECT_EQ(bridge, library) << '"' << text << '"';
  }
  // What is written reads back as the same value.
  std::mt19937_64 random(22);
  for (int i = 0; i < 20000; ++i) {
    const Float value = FromBits<Float>(random() >> (64 - sizeof(Float) * 8));
    if (!std::isfinite(value)) continue;
    const std::string text = LibraryText(value);
    Float read = 0;
    std_bridge::FromChars(text.data(), text.data() + text.size(), read);
    ASSERT_EQ(read, value) << text;
  }
}

TEST(NumberBridge, WritesFloatsAsTheLibraryDoes) { ExpectSameTextAsTheLibrary<float>(); }
TEST(NumberBridge, WritesDoublesAsTheLibraryDoes) { ExpectSameTextAsTheLibrary<double>(); }
TEST(NumberBridge, ReadsFloatsAsTheLibraryDoes) { ExpectSameReadingAsTheLibrary<float>(); }
TEST(NumberBridge, ReadsDoublesAsTheLibraryDoes) { ExpectSameReadingAsTheLibrary<double>(); }

}  // namespace
