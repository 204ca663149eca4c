// The power-up capsules (spinning glass pills, one colour and symbol per kind) and their guide for "Read Me".
#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "content/capsule_kinds.h"
#include "tools/default_content/paint/shapes.h"
#include "tools/default_content/paint/text.h"
#include "tools/default_content/pictures/game_pictures.h"

namespace pictures {

using namespace paint;

namespace {

constexpr int Frames = 14;

struct CapsuleLook {
  PowerupKind kind;
  const char* symbol;
  int symbolSize;  // font pixel size: small pictographs are drawn larger than letters
  Color body;
  Color symbolColor;
};

constexpr Color White = Rgb(255, 255, 255);
constexpr std::array<CapsuleLook, CapsuleKindCount> Looks = {{
    {powerup::SuperBall, "S", 13, Rgb(225, 40, 185), White},
    {powerup::DynaBall, "D", 13, Rgb(250, 105, 25), White},
    {powerup::Catch, "C", 13, Rgb(40, 190, 90), White},
    {powerup::Laser, "L", 13, Rgb(225, 35, 50), White},
    {powerup::DoublePoints, "\u00D72", 13, Rgb(225, 175, 25), White},
    {powerup::Protect, "P", 13, Rgb(40, 60, 225), White},
    {powerup::DoubleSplitBalls, "4", 13, Rgb(20, 180, 175), White},
    {powerup::GrowPad, "+", 13, Rgb(120, 200, 30), White},
    {powerup::ShrinkPad, "\u2212", 13, Rgb(245, 130, 160), White},
    {powerup::SplitBalls, "2", 13, Rgb(90, 190, 255), White},
    {powerup::Warp, "W", 13, Rgb(140, 60, 250), White},
    {powerup::Death, "\u2716", 14, Rgb(50, 40, 58), Rgb(255, 70, 70)},
    {powerup::FasterBall, "\u00BB", 19, Rgb(245, 205, 20), White},
    {powerup::SlowerBall, "\u00AB", 19, Rgb(90, 130, 165), White},
    {powerup::ExtraLife, "\u2665", 13, Rgb(215, 225, 240), Rgb(235, 30, 70)},
}};

constexpr bool EachLookInItsPlace() {
  for (std::size_t place = 0; place < Looks.size(); ++place)
    if (Looks[place].kind != CapsuleKinds[place].kind) return false;
  return true;
}
static_assert(EachLookInItsPlace(), "one look for each kind of capsule, in the kinds' order");

// The pill lying along x, 32 x 16, at spin phase `frame` 0 .. 13: two light bands roll over it.
Canvas PaintCapsuleBody(Color body, int frame) {
  Canvas canvas(32, 16);
  const Shape pill = RoundedRect(0.5f, 1.0f, 31.0f, 14.0f, 7.0f);
  Fill(canvas, Offset(pill, 0.0f), look::Ink);
  const Shape inner = Offset(pill, -0.8f);
  FillGlass(canvas, inner, Glass{body, 2.5f, 0.35f, 0.7f, 0.6f});
  const float phase = frame * 2 * std::numbers::pi_v<float> / Frames;
  // A bright band and a fainter one opposite, so the spin has one full turn over the fourteen frames.
  for (const auto& [offset, strength] : {std::pair{0.0f, 0.8f}, {std::numbers::pi_v<float>, 0.35f}}) {
    const float a = phase + offset, facing = std::cos(a);
    if (facing <= 0) continue;  // the band is on the far side
    const float y = 8.0f - 5.5f * std::sin(a), half = 0.6f + 1.2f * facing;
    Fill(canvas, Intersect(inner, RoundedRect(5, y - half, 22, 2 * half, 0)), WithAlpha(Lighten(body, 0.75f), strength * facing));
  }
  // Silvery end caps.
  for (const float x : {0.0f, 26.0f})
    Fill(canvas, Intersect(inner, RoundedRect(x, 0, 6, 16, 0)),
         [&](float, float y, float) { return Darken(Lighten(body, 0.55f), 0.4f * std::abs(y - 5.0f) / 10.0f); });
  return canvas;
}

void PaintSymbol(Canvas& canvas, const Font& font, const CapsuleLook& look, float cx, float cy) {
  Mask ink = Trim(font.render(look.symbol).mask);
  if (ink.height > 11) ink = Resize(ink, std::max(1, ink.width * 11 / ink.height), 11);
  const int room = static_cast<int>(2 * cx) - 4;  // narrow sideways capsules squeeze wide symbols
  if (ink.width > room) ink = Resize(ink, room, ink.height);
  const int x = static_cast<int>(std::lround(cx - ink.width / 2.0f));
  const int y = static_cast<int>(std::lround(cy - ink.height / 2.0f));
  Draw(canvas, Dilate(ink, 1.5f), x - 2, y - 2, look::Ink);
  Draw(canvas, ink, x, y, look.symbolColor);
}

Canvas PaintCapsule(const Font& font, const CapsuleLook& look, int frame, bool sideways) {
  Canvas body = PaintCapsuleBody(look.body, frame);
  if (sideways) body = Transpose(body);
  PaintSymbol(body, font, look, body.width() / 2.0f, body.height() / 2.0f);
  return body;
}

}  // namespace

Canvas PaintCapsuleSheet(bool sideways) {
  Canvas sheet = sideways ? Canvas(CapsuleKindCount * 16, Frames * 32) : Canvas(Frames * 32, CapsuleKindCount * 16);
  for (int k = 0; k < CapsuleKindCount; ++k) {
    const Font font = OpenFont(SansBold, Looks[k].symbolSize);
    for (int f = 0; f < Frames; ++f) {
      const Canvas capsule = PaintCapsule(font, Looks[k], f, sideways);
      Composite(sheet, capsule, sideways ? 16 * k : 32 * f, sideways ? 32 * f : 16 * k);
    }
  }
  return sheet;
}

void DrawCapsuleGuide(Canvas& canvas, int x, int y, int columns, int columnWidth, int rowHeight) {
  const int rows = (CapsuleKindCount + columns - 1) / columns;
  const Font nameFont = OpenFont(SansBold, 12);
  const Font effectFont = OpenFont(SansCondensed, 11);
  for (int k = 0; k < CapsuleKindCount; ++k) {
    const CapsuleLook& capsule = Looks[k];
    const int left = x + (k / rows) * columnWidth, top = y + (k % rows) * rowHeight;
    Composite(canvas, PaintCapsule(OpenFont(SansBold, capsule.symbolSize), capsule, 0, false), left, top + 4);
    const Color name = Lighten(capsule.body, 0.45f);
    DrawOutlinedText(canvas, nameFont, std::string(CapsuleKinds[k].name), left + 36, top - 1, Lighten(name, 0.4f),
                     name, look::Ink);
    DrawOutlinedText(canvas, effectFont, std::string(CapsuleKinds[k].effect), left + 36, top + 11,
                     Rgb(225, 235, 250), Rgb(170, 190, 225), look::Ink);
  }
}

}  // namespace pictures
