// The "Read Me" picture: the controls, the kinds of brick with their tiles, and the capsules.
#include <string>

#include "content/tileset_file.h"
#include "tools/default_content/paint/text.h"
#include "tools/default_content/pictures/game_pictures.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace pictures {

using namespace paint;

namespace {

constexpr int kWidth = 600, kHeight = 256;
constexpr int kBricksX = 304;       // the bricks beside the controls
constexpr int kCapsulesY = 104;     // the capsules below both
constexpr int kRowHeight = 26;      // a brick or capsule: its name above its effect

struct ControlRow {
  const char* action;
  const char* mouse;
  const char* keys;
  const char* pad;
};

constexpr ControlRow kControls[] = {
    {"", "Mouse", "Keys", "Pad"},
    {"Move paddles", "move", "arrow keys", "stick, D-pad"},
    {"Launch, fire", "left button", "Space, Left Ctrl", "A"},
    {"Pause", "", "P", "Start"},
    {"To the menus", "", "Esc", "B, Back"},
    {"Full screen", "", "Alt+Enter", ""},
};
constexpr int kControlColumns[] = {0, 84, 146, 232};

struct BrickRow {
  char legend;  // the brick's map character in the default tileset
  const char* name;
  const char* effect;
};

constexpr BrickRow kBricks[] = {
    {'M', "Multi-hit", "Two or three hits"},  {'X', "Indestructible", "Super Ball, blasts only"},
    {'o', "Go-through", "Ball passes through"}, {'D', "Dynamite", "Blasts its neighbours"},
    {'+', "Shooters", "Clear rows, columns"},   {'k', "Animated", "Only their look moves"},
};

void DrawHeading(Canvas& canvas, const std::string& text, int x, int y) {
  DrawOutlinedText(canvas, OpenFont(kSansBold, 13), text, x, y, Rgb(255, 240, 200), look::kGold, look::kInk);
}

void DrawControls(Canvas& canvas) {
  DrawHeading(canvas, "Controls", 0, 0);
  const Font headFont = OpenFont(kSansCondensedBold, 11), cellFont = OpenFont(kSansCondensed, 11);
  int y = 18;
  for (const ControlRow& row : kControls) {
    const bool head = &row == &kControls[0];
    const char* cells[] = {row.action, row.mouse, row.keys, row.pad};
    for (int i = 0; i < 4; ++i) {
      const bool label = head || i == 0;
      const Color top = label ? look::kIce : Rgb(225, 235, 250), bottom = label ? look::kCyan : Rgb(170, 190, 225);
      DrawOutlinedText(canvas, label ? headFont : cellFont, cells[i], kControlColumns[i], y, top, bottom, look::kInk);
    }
    y += 13;
  }
}

// A tile of the default tileset as the game draws it; black stays see-through.
Canvas BrickTile(char legend) {
  const DesignedTileSet& glass = DesignedTileSets().front();
  const TileDef& tile = glass.tileSet.tiles.at(glass.legend.at(legend));
  Canvas canvas(TileWidth, TileHeight);
  for (int y = 0; y < TileHeight; ++y)
    for (int x = 0; x < TileWidth; ++x)
      if (const std::uint32_t p = glass.bitmap.at(tile.imageX + x, tile.imageY + y))
        canvas.at(x, y) = Rgb(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
  return canvas;
}

void DrawBricks(Canvas& canvas) {
  DrawHeading(canvas, "Bricks", kBricksX, 0);
  const Font nameFont = OpenFont(kSansBold, 12), effectFont = OpenFont(kSansCondensed, 11);
  constexpr int kColumnWidth = (kWidth - kBricksX) / 2;
  for (int i = 0; i < static_cast<int>(std::size(kBricks)); ++i) {
    const BrickRow& brick = kBricks[i];
    const int x = kBricksX + (i % 2) * kColumnWidth, y = 19 + (i / 2) * kRowHeight;
    Composite(canvas, BrickTile(brick.legend), x, y + 4);
    DrawOutlinedText(canvas, nameFont, brick.name, x + 36, y - 1, look::kIce, look::kCyan, look::kInk);
    DrawOutlinedText(canvas, effectFont, brick.effect, x + 36, y + 11, Rgb(225, 235, 250), Rgb(170, 190, 225),
                     look::kInk);
  }
}

}  // namespace

Canvas PaintReadMe() {
  Canvas canvas(kWidth, kHeight);
  DrawControls(canvas);
  DrawBricks(canvas);
  DrawHeading(canvas, "Capsules: catch them with any paddle", 0, kCapsulesY);
  DrawCapsuleGuide(canvas, 0, kCapsulesY + 19, 3, kWidth / 3, kRowHeight);
  return canvas;
}

}  // namespace pictures
