// Writes every picture of the game's Gfx folder.
#include <algorithm>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "content/bitmap_file.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/pictures/game_pictures.h"

using namespace pictures;
using paint::Canvas;

namespace {

struct Picture {
  std::string name;
  std::function<Bitmap()> paint;
};

std::function<Bitmap()> Keyed(std::function<Canvas()> painter) {
  return [painter = std::move(painter)] { return paint::ToBitmap(painter()); };
}

// Side pictures in side order bottom, right, top, left: the bottom one as painted (pointing up), the
// top one upside down, the side ones transposed so the light still comes from the top left (and cut to
// the screen's height: the 640-pixel bottom barrier becomes a 480-pixel side one).
std::vector<Picture> PerSide(const std::string& stem, const std::function<Canvas()>& painter) {
  const auto side = [painter](int n) -> Canvas {
    const Canvas up = painter();
    const Canvas sideways = paint::Crop(paint::Transpose(up), 0, 0, up.height(), std::min(480, up.width()));
    switch (n) {
      case 1: return up;
      case 2: return sideways;
      case 3: return paint::FlipVertical(up);
      default: return paint::FlipHorizontal(sideways);
    }
  };
  std::vector<Picture> out;
  for (int n = 1; n <= 4; ++n) out.push_back({stem + std::to_string(n) + ".bmp", Keyed([side, n] { return side(n); })});
  return out;
}

std::vector<Picture> AllPictures() {
  std::vector<Picture> all = {
      {"loading.bmp", Keyed(PaintLoading)},
      {"Paddle.bmp", Keyed(PaintPaddle)},
      {"Paddle2.bmp", Keyed([] { return paint::Transpose(PaintPaddle()); })},
      {"ball.bmp", Keyed(PaintBalls)},
      {"Explosion.bmp", Keyed(PaintExplosion)},
      {"powerups.bmp", Keyed([] { return PaintCapsuleSheet(false); })},
      {"powerups2.bmp", Keyed([] { return PaintCapsuleSheet(true); })},
      {"numbers.bmp", Keyed(PaintNumbers)},
      {"trail.bmp", Keyed(PaintTrail)},
      {"font1.bmp", Keyed(PaintFont)},
      {"tileback2.bmp", Keyed(PaintMenuTile)},
      {"menuback.bmp", PaintPanelMask},
      {"menuback2.bmp", PaintPanelPlain},
      {"menutitle.bmp", Keyed(PaintTitle)},
      {"readme.bmp", Keyed(PaintReadMe)},
  };
  for (auto& p : PerSide("laser", PaintLaserShot)) all.push_back(std::move(p));
  for (auto& p : PerSide("cannon", PaintCannon)) all.push_back(std::move(p));
  for (auto& p : PerSide("barrier", PaintBarrier)) all.push_back(std::move(p));
  return all;
}

}  // namespace

bool BuildDefaultPictures(const std::filesystem::path& root, std::string& error) {
  const std::filesystem::path folder = root / "Gfx";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  try {
    for (const Picture& picture : AllPictures())
      if (!WriteBitmapFile(folder / picture.name, picture.paint(), error)) return false;
  } catch (const std::exception& e) {  // a missing font file
    error = std::string("cannot draw the pictures: ") + e.what();
    return false;
  }
  return true;
}
