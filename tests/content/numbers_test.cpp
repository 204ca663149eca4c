// The whole-text number parser: a number and nothing else, in range, or no change at all.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "content/numbers.h"

TEST(ParseWholeNumber, TakesOnlyATextThatIsOneNumberOfTheType) {
  struct Case {
    std::string text;
    bool read;
    std::int32_t value;
  };
  const Case cases[] = {
      {"42", true, 42},      {"-7", true, -7},         {"0", true, 0},           {"2147483647", true, 2147483647},
      {"", false, 0},        {" 4", false, 0},         {"4 ", false, 0},         {"+4", false, 0},
      {"4x", false, 0},      {"2147483648", false, 0}, {"1.5", false, 0},        {"-", false, 0},
  };
  for (const Case& c : cases) {
    std::int32_t value = 99;
    EXPECT_EQ(ParseWholeNumber(c.text, value), c.read) << '"' << c.text << '"';
    EXPECT_EQ(value, c.read ? c.value : 99) << '"' << c.text << "\" leaves the number alone when refused";
  }
  std::uint32_t bits = 0;
  EXPECT_TRUE(ParseWholeNumber("7FC00000", bits, 16));
  EXPECT_EQ(bits, 0x7FC00000u);
  EXPECT_FALSE(ParseWholeNumber("-1", bits));
  float speed = 0;
  EXPECT_TRUE(ParseWholeNumber("0.0972", speed));
  EXPECT_EQ(speed, 0.0972f);
  EXPECT_FALSE(ParseWholeNumber("0.5s", speed));
  EXPECT_EQ(speed, 0.0972f);
  for (const auto& [text, read, value] : {std::tuple{"0", true, false}, {"1", true, true}, {"2", false, true},
                                          {"", false, true}, {"01", false, true}, {"true", false, true}}) {
    bool flag = true;
    EXPECT_EQ(ParseWholeNumber(text, flag), read) << text;
    EXPECT_EQ(flag, value) << text;
  }
}
