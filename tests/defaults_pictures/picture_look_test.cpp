// The pictures survive the game's colour key and 16-bit screen, backgrounds tile, and builds repeat exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content/file_io.h"
#include "fresh_folder.h"
#include "tests/defaults_pictures/picture_files.h"
#include "tools/default_content/build_default.h"

using namespace picture_files;

namespace {

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Backgrounds() { return FilesIn(BuiltRoot() / "Bgd"); }

double MeanAbsoluteStep(const Bitmap& b, int x0, int x1) {  // between columns x0 and x1, over all rows
  double sum = 0;
  for (int y = 0; y < b.height; ++y) {
    const std::uint32_t p = b.at(x0, y), q = b.at(x1, y);
    sum += std::abs(Red(p) - Red(q)) + std::abs(Green(p) - Green(q)) + std::abs(Blue(p) - Blue(q));
  }
  return sum / b.height;
}

double MeanAbsoluteRowStep(const Bitmap& b, int y0, int y1) {
  double sum = 0;
  for (int x = 0; x < b.width; ++x) {
    const std::uint32_t p = b.at(x, y0), q = b.at(x, y1);
    sum += std::abs(Red(p) - Red(q)) + std::abs(Green(p) - Green(q)) + std::abs(Blue(p) - Blue(q));
  }
  return sum / b.width;
}

// The seam between the last and the first column (row) is no harsher than the harshest pair of neighbours
// inside the tile: a picture that does not wrap shows a step there that nothing inside matches.
void ExpectSeamless(const Bitmap& b, const std::string& name) {
  double across = 0, down = 0;
  for (int x = 0; x + 1 < b.width; ++x) across = std::max(across, MeanAbsoluteStep(b, x, x + 1));
  for (int y = 0; y + 1 < b.height; ++y) down = std::max(down, MeanAbsoluteRowStep(b, y, y + 1));
  EXPECT_LE(MeanAbsoluteStep(b, b.width - 1, 0), across + 1) << name << " across";
  EXPECT_LE(MeanAbsoluteRowStep(b, b.height - 1, 0), down + 1) << name << " down";
}

}  // namespace

TEST(ColourKey, NoVisiblePixelTurnsTransparentOnASixteenBitScreen) {
  // Pure black is the transparent key; a dark pixel whose 5-6-5 form is 0 would vanish with it.
  for (const std::string& name : FilesIn(BuiltRoot() / "Gfx")) {
    const Bitmap b = Load(name);
    int vanishing = 0;
    for (const std::uint32_t p : b.pixels)
      if (p != 0 && (Red(p) >> 3) == 0 && (Green(p) >> 2) == 0 && (Blue(p) >> 3) == 0) ++vanishing;
    EXPECT_EQ(vanishing, 0) << name;
  }
}

TEST(ColourKey, SpritesKeepTransparentSurroundings) {
  // Everything drawn over the playfield leaves its unused area black so the background shows through.
  for (const char* name : {"ball.bmp", "Explosion.bmp", "powerups.bmp", "font1.bmp", "numbers.bmp",
                           "menutitle.bmp", "readme.bmp", "loading.bmp"}) {
    const Bitmap b = Load(name);
    const int ink = InkIn(b, 0, 0, b.width, b.height);
    EXPECT_LT(ink, b.width * b.height) << name;
    EXPECT_GT(ink, 0) << name;
  }
}

TEST(MenuPanel, SrcandTextureDarkensWhileTheFallbackLetsTheBackdropThrough) {
  // The AND blit skips black like any keyed blit, so the mask darkens with the least colour a 5-6-5 screen
  // keeps: one step in each channel.
  const Bitmap mask = Load("menuback.bmp"), plain = Load("menuback2.bmp");
  ASSERT_EQ(mask.width, plain.width);
  ASSERT_EQ(mask.height, plain.height);
  int kept = 0, darkened = 0, others = 0;
  for (std::size_t i = 0; i < mask.pixels.size(); ++i) {
    const std::uint32_t p = mask.pixels[i];
    const bool keeps = p == 0xFFFFFF;
    const bool darkens = (Red(p) >> 3) == 1 && (Green(p) >> 2) == 1 && (Blue(p) >> 3) == 1;
    kept += keeps, darkened += darkens, others += !keeps && !darkens;
    // Where the mask darkens, the fallback paints dark glass; where it keeps, the fallback is see-through.
    EXPECT_EQ(darkens, plain.pixels[i] != 0) << "pixel " << i;
  }
  EXPECT_EQ(others, 0);
  EXPECT_GT(kept, static_cast<int>(mask.pixels.size()) / 4);
  EXPECT_GT(darkened, static_cast<int>(mask.pixels.size()) / 4);
}

TEST(MenuBackdrop, TileRepeatsWithoutASeam) { ExpectSeamless(Load("tileback2.bmp"), "tileback2.bmp"); }

TEST(LevelBackgrounds, DefaultAndSeveralMoreAreDarkSeamlessTilesThatFillTheScreenEvenly) {
  const std::vector<std::string> names = Backgrounds();
  EXPECT_NE(std::find(names.begin(), names.end(), "DefaultBackground.bmp"), names.end());
  EXPECT_GE(names.size(), 4u);
  for (const std::string& name : names) {
    const Bitmap b = Load(name, "Bgd");
    ASSERT_GT(b.width, 0) << name;
    EXPECT_EQ(640 % b.width, 0) << name;
    EXPECT_EQ(480 % b.height, 0) << name;
    ExpectSeamless(b, name);
    long sum = 0;
    for (const std::uint32_t p : b.pixels) sum += Brightness(p);
    EXPECT_LT(sum / static_cast<long>(b.pixels.size()), 3 * 48) << name << " is too bright behind bricks";
  }
}

TEST(Determinism, TwoBuildsWriteTheSameBytes) {
  const FreshFolder again;
  const std::filesystem::path& root = again.path();
  std::string error;
  ASSERT_TRUE(BuildDefaultPictures(root, error)) << error;
  ASSERT_TRUE(BuildDefaultBackgrounds(root, error)) << error;
  for (const char* folder : {"Gfx", "Bgd"}) {
    const std::vector<std::string> names = FilesIn(BuiltRoot() / folder);
    EXPECT_EQ(FilesIn(root / folder), names);
    for (const std::string& name : names) {
      Bytes first, second;
      ASSERT_TRUE(ReadWholeFile(BuiltRoot() / folder / name, first, error)) << error;
      ASSERT_TRUE(ReadWholeFile(root / folder / name, second, error)) << error;
      EXPECT_TRUE(first == second) << folder << "/" << name << " differs between builds";
    }
  }
}

TEST(BuildFailure, AnUnwritableFolderIsReportedNotCrashedOn) {
  // A plain file stands where the folder should go.
  const FreshFolder blocked;
  const std::filesystem::path& root = blocked.path();
  std::ofstream(root / "Gfx") << "in the way";
  std::ofstream(root / "Bgd") << "in the way";
  std::string error;
  EXPECT_FALSE(BuildDefaultPictures(root, error));
  EXPECT_NE(error.find("Gfx"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(BuildDefaultBackgrounds(root, error));
  EXPECT_NE(error.find("Bgd"), std::string::npos) << error;
}
