// Bitmap files: 24-bit writing, reading of 8/24/32-bit layouts in both row orders, and damaged headers.
#include <gtest/gtest.h>

#include "content/bitmap_file.h"
#include "content_test_support.h"

namespace {

Bitmap Gradient(int width, int height) {
  Bitmap bitmap{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.pixels.push_back(static_cast<std::uint32_t>(x * 0x010000 + y * 0x000100 + 0x40));
  return bitmap;
}

}  // namespace

using BitmapFile = ScratchFolder;

TEST_F(BitmapFile, WrittenBitmapsReadBackWithPaddedRows) {
  Bitmap bitmap = Gradient(5, 3);  // 15 bytes per row, padded to 16
  std::string error;
  ASSERT_TRUE(WriteBitmapFile(file("g.bmp"), bitmap, error)) << error;
  Bytes bytes = bytesOf(file("g.bmp"));
  EXPECT_EQ(bytes.size(), 54u + 16 * 3);
  // The first stored row is the bottom one; pixel (0, 2) is blue 0x40, green 2, red 0.
  EXPECT_EQ((Bytes{bytes.begin() + 54, bytes.begin() + 57}), (Bytes{0x40, 2, 0}));
  EXPECT_EQ((Bytes{bytes.begin() + 46, bytes.begin() + 54}), Bytes(8, 0));  // no palette: no colours used
  Bitmap read;
  ASSERT_TRUE(ReadBitmapFile(file("g.bmp"), read, error)) << error;
  EXPECT_EQ(read.width, 5);
  EXPECT_EQ(read.height, 3);
  EXPECT_EQ(read.pixels, bitmap.pixels);
  int width = 0, height = 0;
  ASSERT_TRUE(ReadBitmapSize(file("g.bmp"), width, height, error));
  EXPECT_EQ(width, 5);
  EXPECT_EQ(height, 3);
}

TEST_F(BitmapFile, TopDownThirtyTwoBitRowsKeepTheirOrder) {
  Bytes bytes = Header(1, -2, 32, 54);
  bytes.insert(bytes.end(), {0x11, 0x22, 0x33, 0xFF, 0x44, 0x55, 0x66, 0xFF});
  Bitmap read;
  std::string error;
  ASSERT_TRUE(ReadBitmapFile(put("t.bmp", bytes), read, error)) << error;
  EXPECT_EQ(read.pixels, (std::vector<std::uint32_t>{0x332211, 0x665544}));
}

TEST_F(BitmapFile, PalettisedPixelsTakeTheirTableColours) {
  Bytes bytes = Header(2, 1, 8, 54 + 8, 2);
  bytes.insert(bytes.end(), {0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0});  // red, blue
  bytes.insert(bytes.end(), {1, 0, 0, 0});
  Bitmap read;
  std::string error;
  ASSERT_TRUE(ReadBitmapFile(put("p.bmp", bytes), read, error)) << error;
  EXPECT_EQ(read.pixels, (std::vector<std::uint32_t>{0x0000FF, 0xFF0000}));
  bytes[bytes.size() - 4] = 2;  // outside the two-colour table
  EXPECT_FALSE(ReadBitmapFile(put("p.bmp", bytes), read, error));
}

TEST_F(BitmapFile, DamagedHeadersAndDataAreRefused) {
  Bytes truncated = Header(4, 4, 24, 54);
  truncated.resize(54 + 12 * 3 + 11);
  const std::vector<Bytes> cases{{},
                                 {'B', 'M', 0, 0},
                                 Header(0, 4, 24, 54),
                                 Header(4, 0, 24, 54),
                                 Header(1 << 20, 1, 24, 54),
                                 Header(4, -2147483647 - 1, 24, 54),
                                 Header(4, 4, 16, 54),
                                 Header(4, 4, 24, 0xFFFFFFF0u),
                                 truncated};
  for (const Bytes& bytes : cases) {
    Bitmap bitmap = Gradient(1, 1);
    std::string error;
    EXPECT_FALSE(ReadBitmapFile(put("bad.bmp", bytes), bitmap, error)) << bytes.size();
    EXPECT_NE(error.find("bad.bmp"), std::string::npos);
    EXPECT_EQ(bitmap.pixels, Gradient(1, 1).pixels);
  }
  Bytes notBitmap = Header(4, 4, 24, 54);
  notBitmap[0] = 'X';
  int width, height;
  std::string error;
  EXPECT_FALSE(ReadBitmapSize(put("x.bmp", notBitmap), width, height, error));
}

TEST_F(BitmapFile, WriterRefusesSizesThatDoNotMatchThePixels) {
  std::string error;
  EXPECT_FALSE(WriteBitmapFile(file("w.bmp"), Bitmap{2, 2, {1, 2, 3}}, error));
  EXPECT_FALSE(WriteBitmapFile(file("w.bmp"), Bitmap{0, 0, {}}, error));
  EXPECT_FALSE(std::filesystem::exists(file("w.bmp")));
}
