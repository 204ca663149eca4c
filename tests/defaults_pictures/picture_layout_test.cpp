// The game's pictures have the sizes and layouts that the drawing code addresses by pixel position.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content/capsule_kinds.h"
#include "tests/defaults_pictures/picture_files.h"
#include "tools/default_content/tilesets/default_tilesets.h"

using namespace picture_files;

namespace {

struct Size {
  std::string name;
  int width, height;
};

// Bottom row of ink inside a box, or -1 when it is empty.
int LowestInkRow(const Bitmap& b, int x, int y, int w, int h) {
  for (int j = y + h - 1; j >= y; --j)
    if (InkIn(b, x, j, w, 1) > 0) return j;
  return -1;
}

std::uint32_t MeanColour(const Bitmap& b, int x, int y, int w, int h) {
  long r = 0, g = 0, bl = 0, n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i)
      if (IsInk(b.at(i, j))) r += Red(b.at(i, j)), g += Green(b.at(i, j)), bl += Blue(b.at(i, j)), ++n;
  if (n == 0) return 0;
  return static_cast<std::uint32_t>(r / n << 16 | g / n << 8 | bl / n);
}

// Whether the w x h block of `sheet` at (sx, sy) appears anywhere in `picture`, pixel for pixel.
bool ShowsBlock(const Bitmap& picture, const Bitmap& sheet, int sx, int sy, int w, int h) {
  for (int y = 0; y + h <= picture.height; ++y)
    for (int x = 0; x + w <= picture.width; ++x) {
      bool same = true;
      for (int j = 0; same && j < h; ++j)
        for (int i = 0; same && i < w; ++i) same = picture.at(x + i, y + j) == sheet.at(sx + i, sy + j);
      if (same) return true;
    }
  return false;
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
  return std::abs(Red(a) - Red(b)) + std::abs(Green(a) - Green(b)) + std::abs(Blue(a) - Blue(b));
}

}  // namespace

TEST(PictureSizes, EveryGamePictureHasTheSizeItIsDrawnFrom) {
  const std::vector<Size> sizes = {
      {"Paddle.bmp", 320, 10},    {"Paddle2.bmp", 10, 320},   {"ball.bmp", 10, 30},
      {"Explosion.bmp", 156, 26}, {"powerups.bmp", 448, 16 * CapsuleKindCount},
      {"powerups2.bmp", 16 * CapsuleKindCount, 448},
      {"laser1.bmp", 4, 16},      {"laser2.bmp", 16, 4},      {"laser3.bmp", 4, 16},
      {"laser4.bmp", 16, 4},      {"cannon1.bmp", 8, 16},     {"cannon2.bmp", 16, 8},
      {"cannon3.bmp", 8, 16},     {"cannon4.bmp", 16, 8},     {"numbers.bmp", 160, 48},
      {"barrier1.bmp", 640, 5},   {"barrier2.bmp", 5, 480},   {"barrier3.bmp", 640, 5},
      {"barrier4.bmp", 5, 480},   {"trail.bmp", 6, 9},        {"menutitle.bmp", 210, 104},
  };
  for (const Size& s : sizes) {
    const Bitmap b = Load(s.name);
    EXPECT_EQ(b.width, s.width) << s.name;
    EXPECT_EQ(b.height, s.height) << s.name;
  }
}

TEST(PictureSizes, FrontEndPicturesFitWhereTheyAreShown) {
  const Bitmap panel = Load("menuback.bmp"), plain = Load("menuback2.bmp");
  for (const Bitmap* b : {&panel, &plain}) {  // the largest panel, and the 580-wide title rectangle
    EXPECT_GE(b->width, 604);
    EXPECT_GE(b->height, 328);
  }
  const Bitmap title = Load("menutitle.bmp");
  EXPECT_EQ(title.width, 210);  // centred on x = 320 when drawn at x = 215
  const Bitmap readMe = Load("readme.bmp");
  EXPECT_LE(readMe.width, 604);   // its panel, 36 pixels wider, fits the screen
  EXPECT_LE(readMe.height, 274);  // the tallest panel keeps it clear of "Back"
  const Bitmap loading = Load("loading.bmp");
  EXPECT_LE(loading.width, 640);
  EXPECT_LE(loading.height, 480);
  const Bitmap tile = Load("tileback2.bmp");
  EXPECT_GT(tile.width, 0);
  EXPECT_GT(tile.height, 0);
}

TEST(ReadMe, ShowsEveryKindOfBrickAndEveryCapsuleWithItsPicture) {
  const Bitmap readMe = Load("readme.bmp"), capsules = Load("powerups.bmp");
  const DesignedTileSet& glass = DesignedTileSets().front();
  const std::pair<const char*, bool (*)(const TileDef&)> kinds[] = {
      {"multi-hit", [](const TileDef& t) { return t.hitCount > 1; }},
      {"indestructible", [](const TileDef& t) { return t.kind == Indestructible; }},
      {"go-through", [](const TileDef& t) { return t.kind == GoThrough; }},
      {"dynamite", [](const TileDef& t) { return t.kind == Dynamite; }},
      {"shooter", [](const TileDef& t) { return IsShooter(t.kind); }},
      {"animated", [](const TileDef& t) { return t.frameCount > 1; }},
  };
  for (const auto& [name, isKind] : kinds) {
    bool shown = false;
    for (int t = 1; !shown && t <= glass.tileSet.tileCount; ++t) {
      const TileDef& tile = glass.tileSet.tiles[t];
      shown = isKind(tile) && ShowsBlock(readMe, glass.bitmap, tile.imageX, tile.imageY, TileWidth, TileHeight);
    }
    EXPECT_TRUE(shown) << name;
  }
  for (int kind = 0; kind < CapsuleKindCount; ++kind) EXPECT_TRUE(ShowsBlock(readMe, capsules, 0, 16 * kind, 32, 16)) << "capsule " << kind + 1;
}

TEST(FontLayout, EveryDefinedGlyphBoxHoldsInk) {
  const Bitmap font = Load("font1.bmp");
  ASSERT_GE(font.width, 640);
  ASSERT_GE(font.height, 77);
  struct Box {
    char c;
    int x, y, w, h;
  };
  std::vector<Box> boxes = {{'!', 520, 0, 8, 29}, {'&', 528, 0, 22, 29},  {'\'', 634, 0, 6, 29},
                            {'(', 564, 0, 11, 29}, {')', 575, 0, 11, 29}, {'*', 550, 0, 14, 29},
                            {',', 598, 0, 9, 29},  {'-', 586, 0, 12, 29}, {'.', 607, 0, 9, 29},
                            {'/', 0, 29, 14, 33},  {'0', 168, 29, 19, 33}, {'1', 14, 29, 11, 33},
                            {'2', 25, 29, 17, 33}, {'3', 42, 29, 17, 33}, {'4', 59, 29, 20, 33},
                            {'5', 79, 29, 17, 33}, {'6', 96, 29, 18, 33}, {'7', 114, 29, 18, 33},
                            {'8', 132, 29, 18, 33}, {'9', 150, 29, 18, 33}, {'?', 616, 0, 14, 29}};
  const int capitals[26][2] = {{0, 22},   {22, 18},  {40, 19},  {59, 20},  {79, 18},  {97, 18},  {115, 22},
                               {137, 21}, {158, 7},  {165, 17}, {182, 20}, {202, 17}, {219, 25}, {244, 20},
                               {264, 23}, {287, 18}, {305, 25}, {330, 19}, {349, 17}, {366, 22}, {388, 20},
                               {408, 23}, {431, 29}, {460, 20}, {480, 21}, {501, 19}};
  const int lower[26][2] = {{187, 18}, {205, 18}, {223, 17}, {240, 19}, {259, 19}, {278, 14}, {292, 18},
                            {310, 18}, {328, 9},  {337, 12}, {349, 17}, {366, 8},  {374, 26}, {400, 17},
                            {417, 18}, {435, 18}, {454, 18}, {472, 14}, {486, 14}, {500, 14}, {514, 18},
                            {532, 19}, {551, 27}, {578, 19}, {597, 19}, {616, 18}};
  for (int i = 0; i < 26; ++i) {
    boxes.push_back({static_cast<char>('A' + i), capitals[i][0], 0, capitals[i][1], 29});
    boxes.push_back({static_cast<char>('a' + i), lower[i][0], 29, lower[i][1], 33});
  }
  for (const Box& box : boxes) EXPECT_GT(InkIn(font, box.x, box.y, box.w, box.h), 8) << "glyph '" << box.c << "'";
  // Nothing outside the boxes: the gap at the end of the capitals strip and the end of the lower strip.
  EXPECT_EQ(InkIn(font, 630, 0, 4, 29), 0);
  EXPECT_EQ(InkIn(font, 634, 29, font.width - 634, 33), 0);
}

TEST(FontLayout, LettersOfBothStripsStandOnTheSameBaselineFromTheirTop) {
  // Text is drawn with all glyph tops at one y, so capitals (strip at 0) and lower case (strip at 29)
  // must put their baselines at the same distance below the strip's top.
  const Bitmap font = Load("font1.bmp");
  const int capitalX = LowestInkRow(font, 460, 0, 20, 29);   // X
  const int lowerX = LowestInkRow(font, 578, 29, 19, 33);    // x
  const int capitalH = LowestInkRow(font, 137, 0, 21, 29);   // H
  const int lowerN = LowestInkRow(font, 400, 29, 17, 33);    // n
  const int digitOne = LowestInkRow(font, 14, 29, 11, 33);   // 1
  EXPECT_EQ(lowerX - 29, capitalX);
  EXPECT_EQ(lowerN - 29, capitalH);
  EXPECT_EQ(digitOne - 29, capitalH);
  // Descenders use the extra rows of the lower strip.
  EXPECT_GT(LowestInkRow(font, 597, 29, 19, 33), lowerX);  // y
}

TEST(FontLayout, ScrollArrowsSitBelowTheStripsAndPointUpThenDown) {
  const Bitmap font = Load("font1.bmp");
  const int upTop = InkIn(font, 0, 62, 17, 4), upBottom = InkIn(font, 0, 73, 17, 4);
  const int downTop = InkIn(font, 17, 62, 17, 4), downBottom = InkIn(font, 17, 73, 17, 4);
  EXPECT_LT(upTop, upBottom);  // narrow tip at the top
  EXPECT_GT(downTop, downBottom);
  EXPECT_GT(InkIn(font, 0, 62, 17, 15), 40);
  EXPECT_GT(InkIn(font, 17, 62, 17, 15), 40);
}

TEST(CapsuleSheets, EveryKindAndFrameIsDrawnWithTransparentCorners) {
  const Bitmap wide = Load("powerups.bmp"), tall = Load("powerups2.bmp");
  for (int kind = 0; kind < CapsuleKindCount; ++kind)
    for (int frame = 0; frame < 14; ++frame) {
      const int wx = frame * 32, wy = kind * 16, tx = kind * 16, ty = frame * 32;
      EXPECT_GT(InkIn(wide, wx, wy, 32, 16), 300) << "kind " << kind + 1 << " frame " << frame + 1;
      EXPECT_GT(InkIn(tall, tx, ty, 16, 32), 300) << "kind " << kind + 1 << " frame " << frame + 1;
      EXPECT_FALSE(IsInk(wide.at(wx, wy)) || IsInk(wide.at(wx + 31, wy + 15)));  // rounded pill ends
      EXPECT_FALSE(IsInk(tall.at(tx, ty)) || IsInk(tall.at(tx + 15, ty + 31)));
    }
}

TEST(CapsuleSheets, FramesOfOneKindDifferSoTheCapsuleSpins) {
  const Bitmap wide = Load("powerups.bmp");
  for (int kind = 0; kind < CapsuleKindCount; ++kind) {
    int differing = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x) differing += wide.at(x, kind * 16 + y) != wide.at(7 * 32 + x, kind * 16 + y);
    EXPECT_GT(differing, 10) << "kind " << kind + 1;
  }
}

TEST(CapsuleSheets, KindsAreTellApartByColourInBothSheets) {
  // The body between the left end cap and the symbol, over every frame of the spin.
  const Bitmap wide = Load("powerups.bmp"), tall = Load("powerups2.bmp");
  const auto body = [](const Bitmap& sheet, int kind, bool sideways) {
    long r = 0, g = 0, b = 0, n = 0;
    for (int f = 0; f < 14; ++f)
      for (int along = 7; along < 11; ++along)
        for (int across = 3; across < 13; ++across) {
          const std::uint32_t p = sideways ? sheet.at(kind * 16 + across, f * 32 + along)
                                           : sheet.at(f * 32 + along, kind * 16 + across);
          if (IsInk(p)) r += Red(p), g += Green(p), b += Blue(p), ++n;
        }
    return n == 0 ? 0u : static_cast<std::uint32_t>(r / n << 16 | g / n << 8 | b / n);
  };
  for (int a = 0; a < CapsuleKindCount; ++a) {
    // The sideways sheet shows kind k in column k - 1 as the wide sheet shows it in row k - 1.
    EXPECT_LT(ColourDistance(MeanColour(wide, 0, a * 16, 32, 16), MeanColour(tall, a * 16, 0, 16, 32)), 30)
        << "kind " << a + 1;
    for (int b = a + 1; b < CapsuleKindCount; ++b)
      EXPECT_GT(ColourDistance(body(wide, a, false), body(wide, b, false)), 60) << "kinds " << a + 1 << ", " << b + 1;
  }
}

TEST(NumberSheet, TenDigitsInTwoDifferentlyColouredRows) {
  const Bitmap numbers = Load("numbers.bmp");
  for (int row = 0; row < 2; ++row)
    for (int digit = 0; digit < 10; ++digit)
      EXPECT_GT(InkIn(numbers, digit * 16, row * 24, 16, 24), 30) << "digit " << digit << " row " << row;
  for (int digit = 0; digit < 10; ++digit)
    EXPECT_GT(ColourDistance(MeanColour(numbers, digit * 16, 0, 16, 24), MeanColour(numbers, digit * 16, 24, 16, 24)),
              60);
  // "1" is narrower than "8": real digits, not one block repeated.
  EXPECT_LT(InkIn(numbers, 16, 0, 16, 24), InkIn(numbers, 8 * 16, 0, 16, 24));
}

TEST(TrailDots, EachRowHoldsAThreeATwoAndAOnePixelDot) {
  const Bitmap trail = Load("trail.bmp");
  for (int row = 0; row < 3; ++row) {
    const int y = 3 * row;
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 6; ++i) {
        const bool expected = i < 3 || (i < 5 && j < 2) || (i == 5 && j == 0);
        EXPECT_EQ(IsInk(trail.at(i, y + j)), expected) << "pixel " << i << "," << y + j;
      }
  }
  // Super, Dyna and debris rows are coloured differently.
  EXPECT_GT(ColourDistance(trail.at(1, 1), trail.at(1, 4)), 60);
  EXPECT_GT(ColourDistance(trail.at(1, 4), trail.at(1, 7)), 60);
  EXPECT_GT(ColourDistance(trail.at(1, 1), trail.at(1, 7)), 60);
}

TEST(Paddles, AnyTwoHalvesJoinWithoutASeamAndShowBothRoundedEnds) {
  // A paddle of length L shows columns 0 .. L/2 - 1 and 320 - L/2 .. 319 side by side, so the middle must
  // be the same in every column.
  const Bitmap paddle = Load("Paddle.bmp"), upright = Load("Paddle2.bmp");
  for (int x = 20; x < 300; ++x)
    for (int y = 0; y < 10; ++y) {
      EXPECT_EQ(paddle.at(x, y), paddle.at(160, y)) << "column " << x;
      EXPECT_EQ(upright.at(y, x), upright.at(y, 160)) << "row " << x;
    }
  for (const auto& [x, y] : {std::pair{0, 0}, {319, 0}, {0, 9}, {319, 9}}) {
    EXPECT_FALSE(IsInk(paddle.at(x, y)));
    EXPECT_FALSE(IsInk(upright.at(y, x)));
  }
  EXPECT_TRUE(IsInk(paddle.at(0, 5)) && IsInk(paddle.at(319, 5)));
  EXPECT_TRUE(IsInk(upright.at(5, 0)) && IsInk(upright.at(5, 319)));
}

TEST(Balls, ThreeRoundBallsInOrderNormalSuperDyna) {
  const Bitmap balls = Load("ball.bmp");
  for (int k = 0; k < 3; ++k) {
    const int y = 10 * k;
    EXPECT_FALSE(IsInk(balls.at(0, y)) || IsInk(balls.at(9, y)) || IsInk(balls.at(0, y + 9)) ||
                 IsInk(balls.at(9, y + 9)))
        << "ball " << k << " has square corners";
    EXPECT_GT(InkIn(balls, 0, y, 10, 10), 60) << "ball " << k;
  }
  // Super glows magenta (more red and blue than green), Dyna burns orange (more red than blue).
  const std::uint32_t super = MeanColour(balls, 0, 10, 10, 10), dyna = MeanColour(balls, 0, 20, 10, 10);
  EXPECT_GT(Blue(super), Green(super));
  EXPECT_GT(Red(dyna), Blue(dyna) + 60);
}

TEST(ExplosionFrames, SixFramesThatFadeAsTheyGo) {
  const Bitmap explosion = Load("Explosion.bmp");
  int firstBrightness = 0, lastBrightness = 0;
  for (int f = 0; f < 6; ++f) {
    EXPECT_GT(InkIn(explosion, f * 26, 0, 26, 26), 0) << "frame " << f + 1;
    long sum = 0;
    for (int y = 0; y < 26; ++y)
      for (int x = 0; x < 26; ++x) sum += Brightness(explosion.at(f * 26 + x, y));
    if (f == 0) firstBrightness = static_cast<int>(sum);
    if (f == 5) lastBrightness = static_cast<int>(sum);
  }
  EXPECT_LT(lastBrightness, firstBrightness);
}

TEST(SidePictures, ShotsGlowAtTheEndThatLeadsInTheirFlight) {
  // Side 1 fires up, 2 left, 3 down, 4 right.
  const Bitmap up = Load("laser1.bmp"), left = Load("laser2.bmp"), down = Load("laser3.bmp"), right = Load("laser4.bmp");
  const auto row = [](const Bitmap& b, int y) { return Brightness(b.at(1, y)) + Brightness(b.at(2, y)); };
  const auto column = [](const Bitmap& b, int x) { return Brightness(b.at(x, 1)) + Brightness(b.at(x, 2)); };
  EXPECT_GT(row(up, 1), row(up, 14));
  EXPECT_GT(row(down, 14), row(down, 1));
  EXPECT_GT(column(left, 1), column(left, 14));
  EXPECT_GT(column(right, 14), column(right, 1));
}

TEST(SidePictures, CannonBarrelsPointAwayFromTheirPaddle) {
  const Bitmap bottom = Load("cannon1.bmp"), right = Load("cannon2.bmp"), top = Load("cannon3.bmp"),
               left = Load("cannon4.bmp");
  EXPECT_LT(InkIn(bottom, 0, 0, 8, 2), InkIn(bottom, 0, 14, 8, 2));  // barrel tip at the top
  EXPECT_LT(InkIn(top, 0, 14, 8, 2), InkIn(top, 0, 0, 8, 2));
  EXPECT_LT(InkIn(right, 0, 0, 2, 8), InkIn(right, 14, 0, 2, 8));    // barrel tip at the left
  EXPECT_LT(InkIn(left, 14, 0, 2, 8), InkIn(left, 0, 0, 2, 8));
}

TEST(SidePictures, BarriersAreSolidWallsAlongTheirWholeSide) {
  for (const char* name : {"barrier1.bmp", "barrier2.bmp", "barrier3.bmp", "barrier4.bmp"}) {
    const Bitmap wall = Load(name);
    EXPECT_EQ(InkIn(wall, 0, 0, wall.width, wall.height), wall.width * wall.height) << name;
  }
}
