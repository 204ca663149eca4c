// "config.bin": the 19 packed bytes, values kept as read, short files refused, and the range check the game applies.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "content/options_file.h"
#include "content_test_support.h"

using OptionsFile = ScratchFolder;

TEST_F(OptionsFile, DefaultsHaveTheDocumentedBytes) {
  std::string error;
  ASSERT_TRUE(WriteOptionsFile(file("config.bin"), Options{}, error)) << error;
  EXPECT_EQ(bytesOf(file("config.bin")),
            (Bytes{3, 0, 0, 0, 0, 0, 0xC8, 0x42, 0, 0, 0xAA, 0x42, 1, 0xCB, 0x10, 0xC7, 0x3D, 0xFF, 0xFF}));
  EXPECT_TRUE(OptionsInRange(Options{}));
}

TEST_F(OptionsFile, ValuesOutOfRangeAreReadAsTheyAre) {
  Options odd;
  odd.startingBalls = 40;
  odd.soundVolume = -3.5f;
  odd.musicVolume = std::bit_cast<float>(0x7FC00001u);
  odd.detailHigh = 200;
  odd.mouseSpeed = 0.2f;
  odd.backgroundOn = 5;
  std::string error;
  ASSERT_TRUE(WriteOptionsFile(file("config.bin"), odd, error)) << error;
  Options read;
  ASSERT_TRUE(ReadOptionsFile(file("config.bin"), read, error)) << error;
  EXPECT_EQ(read.startingBalls, 40);
  EXPECT_EQ(read.soundVolume, -3.5f);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(read.musicVolume), 0x7FC00001u);
  EXPECT_EQ(read.detailHigh, 200);
  EXPECT_EQ(read.backgroundOn, 5);
  EXPECT_FALSE(OptionsInRange(read));
}

TEST_F(OptionsFile, ShortFilesAreRefusedAndLeaveTheOptionsAlone) {
  for (std::size_t size : {0, 4, 18}) {
    Options options;
    options.startingBalls = 7;
    std::string error;
    EXPECT_FALSE(ReadOptionsFile(put("config.bin", Bytes(size, 0)), options, error)) << size;
    EXPECT_NE(error.find("config.bin"), std::string::npos);
    EXPECT_EQ(options.startingBalls, 7);
  }
}

TEST(OptionsRange, EachFieldHasItsOwnBounds) {
  auto with = [](auto change) {
    Options o;
    change(o);
    return OptionsInRange(o);
  };
  EXPECT_TRUE(with([](Options& o) { o.startingBalls = 8; }));
  EXPECT_FALSE(with([](Options& o) { o.startingBalls = 0; }));
  EXPECT_FALSE(with([](Options& o) { o.startingBalls = 9; }));
  EXPECT_FALSE(with([](Options& o) { o.soundVolume = 100.5f; }));
  EXPECT_FALSE(with([](Options& o) { o.musicVolume = std::nanf(""); }));
  EXPECT_FALSE(with([](Options& o) { o.detailHigh = 2; }));
  EXPECT_TRUE(with([](Options& o) { o.mouseSpeed = 0.2f; }));
  EXPECT_FALSE(with([](Options& o) { o.mouseSpeed = 0.21f; }));
  EXPECT_TRUE(with([](Options& o) { o.backgroundOn = 0; }));
  EXPECT_FALSE(with([](Options& o) { o.backgroundOn = 1; }));
}
