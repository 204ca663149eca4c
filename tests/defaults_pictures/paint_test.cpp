// The raster toolkit: colour-key conversion, blending, shape coverage, canvas turns, tiling noise, text masks.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tools/default_content/paint/noise.h"
#include "tools/default_content/paint/shapes.h"
#include "tools/default_content/paint/text.h"

using namespace paint;

namespace {

float CoveredArea(const Shape& shape, int w, int h) {
  Canvas canvas(w, h);
  Fill(canvas, shape, Rgb(255, 255, 255));
  float sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) sum += canvas.at(x, y).a;
  return sum;
}

}  // namespace

TEST(ColourKeyConversion, TransparentBecomesBlackAndDarkInkStaysVisible) {
  Canvas canvas(3, 1);
  canvas.at(0, 0) = Transparent;
  canvas.at(1, 0) = Rgb(0, 0, 0);        // meant to be seen: opaque black
  canvas.at(2, 0) = Rgb(200, 100, 50, 0.3f);  // mostly see-through
  const Bitmap b = ToBitmap(canvas);
  EXPECT_EQ(b.at(0, 0), 0u);
  EXPECT_NE(b.at(1, 0), 0u);
  const std::uint32_t p = b.at(1, 0);
  EXPECT_TRUE((p >> 19 & 0x1F) != 0 || (p >> 10 & 0x3F) != 0 || (p >> 3 & 0x1F) != 0) << "lost in 5-6-5";
  EXPECT_EQ(b.at(2, 0), 0u);
}

TEST(ColourKeyConversion, HalfCoveredEdgesAreComposedOverTheBackdrop) {
  Canvas canvas(1, 1);
  canvas.blend(0, 0, Rgb(255, 255, 255), 0.75f);
  const Bitmap b = ToBitmap(canvas, Rgb(0, 0, 100));
  EXPECT_NEAR(static_cast<int>(b.at(0, 0) >> 16), 191, 1);
  EXPECT_NEAR(static_cast<int>(b.at(0, 0) & 0xFF), 216, 1);
}

TEST(Blending, SourceOverMixesByCoverageAndKeepsOpaqueOpaque) {
  Canvas canvas(1, 1, Rgb(0, 0, 0));
  canvas.blend(0, 0, Rgb(255, 0, 0), 0.5f);
  EXPECT_NEAR(canvas.at(0, 0).r, 0.5f, 1e-5f);
  EXPECT_FLOAT_EQ(canvas.at(0, 0).a, 1.0f);
  canvas.blend(5, 5, Rgb(255, 0, 0));  // outside: ignored, no crash
}

TEST(ShapeCoverage, AntiAliasedAreasMatchTheGeometry) {
  const float pi = std::numbers::pi_v<float>;
  EXPECT_NEAR(CoveredArea(Circle(10, 10, 6), 20, 20), pi * 36, 1.5f);
  EXPECT_NEAR(CoveredArea(RoundedRect(2, 3, 10, 6, 0), 20, 20), 60.0f, 0.01f);
  EXPECT_NEAR(CoveredArea(RoundedRect(2, 3, 10, 6, 3), 20, 20), 60.0f - (4 - pi) * 9, 1.0f);
  // Either winding order describes the same polygon.
  const float clockwise = CoveredArea(Polygon({{2, 2}, {14, 2}, {2, 14}}), 20, 20);
  const float counter = CoveredArea(Polygon({{2, 2}, {2, 14}, {14, 2}}), 20, 20);
  EXPECT_NEAR(clockwise, 72.0f, 1.0f);
  EXPECT_NEAR(clockwise, counter, 1e-3f);
  EXPECT_NEAR(CoveredArea(Subtract(RoundedRect(0, 0, 10, 10, 0), RoundedRect(0, 0, 5, 10, 0)), 20, 20), 50.0f, 0.5f);
  EXPECT_NEAR(CoveredArea(Intersect(RoundedRect(0, 0, 10, 10, 0), RoundedRect(5, 5, 10, 10, 0)), 20, 20), 25.0f, 0.5f);
}

TEST(ShapeCoverage, FillsStayWithinTheCanvasEvenWhenTheShapeDoesNot) {
  Canvas canvas(8, 8);
  Fill(canvas, Circle(-20, 4, 24), Rgb(255, 255, 255));
  EXPECT_GT(canvas.at(0, 4).a, 0.99f);
  EXPECT_EQ(canvas.at(7, 0).a, 0.0f);
}

TEST(CanvasTurns, TransposeFlipAndRotateMoveACornerWhereExpected) {
  Canvas canvas(4, 2);
  canvas.at(3, 0) = Rgb(255, 0, 0);  // top right
  const Canvas t = Transpose(canvas);
  ASSERT_EQ(t.width(), 2);
  ASSERT_EQ(t.height(), 4);
  EXPECT_EQ(t.at(0, 3).a, 1.0f);  // bottom left
  EXPECT_EQ(FlipVertical(canvas).at(3, 1).a, 1.0f);
  EXPECT_EQ(FlipHorizontal(canvas).at(0, 0).a, 1.0f);
  EXPECT_EQ(RotateClockwise(canvas).at(1, 3).a, 1.0f);
  EXPECT_EQ(Crop(canvas, 2, 0, 2, 2).at(1, 0).a, 1.0f);
}

TEST(TileableNoise, RepeatsOverItsPeriodAndStaysInRange) {
  for (int i = 0; i < 40; ++i) {
    const float x = i * 3.7f, y = i * 2.3f;
    const float v = TileableFractal(x, y, 64, 48, 2, 3, 4, 99);
    EXPECT_NEAR(v, TileableFractal(x + 64, y, 64, 48, 2, 3, 4, 99), 1e-4f);
    EXPECT_NEAR(v, TileableFractal(x, y + 48, 64, 48, 2, 3, 4, 99), 1e-4f);
    EXPECT_GE(v, 0.0f);
    EXPECT_LE(v, 1.0f);
  }
  Random a(7), b(7), c(8);
  const std::uint32_t first = a.next();
  EXPECT_EQ(first, b.next());
  EXPECT_NE(first, c.next());
}

TEST(TextMasks, RenderMeasureTrimAndGrow) {
  Font font;
  std::string error;
  ASSERT_TRUE(font.load(SansBold, 20, error)) << error;
  const TextMask hi = font.render("Hi");
  EXPECT_GT(hi.mask.width, font.render("i").mask.width);
  EXPECT_GT(hi.baseline, 0);
  EXPECT_LT(hi.baseline, hi.mask.height);
  EXPECT_EQ(Trim(font.render(" ").mask).width, 0);
  int left = 0, top = 0;
  const Mask ink = Trim(hi.mask, &left, &top);
  EXPECT_LT(top, hi.baseline);  // the capital rises above the baseline
  const Mask grown = Dilate(ink, 1.5f);
  EXPECT_EQ(grown.width, ink.width + 4);
  EXPECT_EQ(grown.height, ink.height + 4);
  const Mask narrow = Resize(ink, ink.width / 2, ink.height);
  EXPECT_EQ(narrow.width, ink.width / 2);
  float inkSum = 0, narrowSum = 0;
  for (float v : ink.coverage) inkSum += v;
  for (float v : narrow.coverage) narrowSum += v;
  EXPECT_NEAR(narrowSum * 2, inkSum, inkSum * 0.1f);  // area averaging keeps the amount of ink
}

TEST(TextMasks, AMissingFontFileIsAnErrorNotACrash) {
  Font font;
  std::string error;
  EXPECT_FALSE(font.load("/nonexistent/font.ttf", 20, error));
  EXPECT_NE(error.find("font.ttf"), std::string::npos);
}
