// PNG pictures: every pixel and its opacity come back from the file; the desktop icons drawn by the content tool.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdlib>

#include "content/png_file.h"
#include "content_test_support.h"

namespace {

struct DecodedPng {
  std::uint32_t width = 0, height = 0;
  int colourType = -1;
  Bytes rows;  // the inflated picture data: a filter byte, then the samples, per row
};

std::uint32_t BigEndian(const Bytes& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 | std::uint32_t{bytes[at + 2]} << 8 |
         bytes[at + 3];
}

// Walks the chunks, checking each checksum, and inflates the picture data.
DecodedPng DecodePng(const Bytes& png) {
  DecodedPng out;
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(png.size() > 8 && std::equal(signature.begin(), signature.end(), png.begin()));
  Bytes packed;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian(png, at);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    EXPECT_EQ(crc32(0, png.data() + at + 4, length + 4), BigEndian(png, at + 8 + length)) << type;
    if (type == "IHDR") {
      out.width = BigEndian(png, at + 8);
      out.height = BigEndian(png, at + 12);
      out.colourType = png[at + 17];
    }
    if (type == "IDAT") packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    at += 12 + length;
  }
  uLongf size = out.height * (1 + out.width * 4);
  out.rows.resize(size);
  EXPECT_EQ(uncompress(out.rows.data(), &size, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
  out.rows.resize(size);
  return out;
}

}  // namespace

using PngFile = ScratchFolder;

TEST_F(PngFile, KeepsEveryPixelAndItsOpacityRowByRow) {
  const Bitmap picture{2, 2, {0xFF102030, 0x80405060, 0x00708090, 0x7FA0B0C0}};
  std::string error;
  ASSERT_TRUE(WritePngFile(file("p.png"), picture, true, error)) << error;
  const DecodedPng withAlpha = DecodePng(bytesOf(file("p.png")));
  EXPECT_EQ(withAlpha.width, 2u);
  EXPECT_EQ(withAlpha.colourType, 6);
  EXPECT_EQ(withAlpha.rows, (Bytes{0, 0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60, 0x80,  //
                                   0, 0x70, 0x80, 0x90, 0x00, 0xA0, 0xB0, 0xC0, 0x7F}));
  ASSERT_TRUE(WritePngFile(file("q.png"), picture, false, error)) << error;
  const DecodedPng opaque = DecodePng(bytesOf(file("q.png")));
  EXPECT_EQ(opaque.colourType, 2);
  EXPECT_EQ(opaque.rows, (Bytes{0, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0, 0x70, 0x80, 0x90, 0xA0, 0xB0, 0xC0}));
}

TEST_F(PngFile, ImpossiblePictureSizesAreRefusedAndNothingIsWritten) {
  for (const Bitmap& picture : {Bitmap{0, 1, {}}, Bitmap{1, 0, {}}, Bitmap{-1, -1, {1}}, Bitmap{2, 2, {1, 2, 3}}}) {
    std::string error;
    EXPECT_FALSE(WritePngFile(file("p.png"), picture, true, error));
    EXPECT_NE(error.find("p.png: impossible picture size"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(file("p.png")));
  }
}

// Each icon stands on a rounded square: the middle is covered, the corners are left clear.
TEST_F(PngFile, DesktopIconsAreSquareAtEverySizeWithACoveredMiddleAndClearCorners) {
  const std::string command = std::string(SHARDFALL_CONTENT_TOOL) + " build-icons " + file("icons").string();
  ASSERT_EQ(std::system(command.c_str()), 0);
  int pngs = 0, svgs = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(file("icons"))) {
    const std::string size = entry.path().parent_path().parent_path().filename().string();
    if (entry.path().extension() == ".svg") {
      ++svgs;
      EXPECT_EQ(size, "scalable");
      EXPECT_NE(textOf(entry.path()).find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
      EXPECT_TRUE(textOf(entry.path()).ends_with("</svg>\n"));
    }
    if (entry.path().extension() != ".png") continue;
    ++pngs;
    const DecodedPng png = DecodePng(bytesOf(entry.path()));
    EXPECT_EQ(size, std::to_string(png.width) + "x" + std::to_string(png.height));
    auto opacity = [&](std::uint32_t x, std::uint32_t y) { return png.rows[y * (1 + png.width * 4) + 1 + x * 4 + 3]; };
    EXPECT_EQ(opacity(png.width / 2, png.height / 2), 255) << entry.path();
    EXPECT_EQ(opacity(0, 0), 0) << entry.path();
    EXPECT_EQ(opacity(png.width - 1, png.height - 1), 0) << entry.path();
  }
  EXPECT_EQ(svgs, 2);
  EXPECT_GE(pngs, 2 * svgs);
}
