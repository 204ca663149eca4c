// The "Read Me" picture: the controls, the kinds of brick with their tiles, and the capsules.
#include <string>

#include "content/tileset_file.h"
#include "tools/default_content/paint/text.h"
#include "tools/default_content/pictures/game_pictures.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace pictures {

using namespace paint;

namespace {

constexpr int Width = 600, Height = 256;
constexpr int BricksX = 304;       // the bricks beside the controls
constexpr int CapsulesY = 104;     // the capsules below both
constexpr int RowHeight = 26;      // a brick or capsule: its name above its effect

struct ControlRow {
  const char* action;
  const char* mouse;
  const char* keys;
  const char* pad;
};

constexpr ControlRow Controls[] = {
    {"", "Mouse", "Keys", "Pad"},
    {"Move paddles", "move", "arrow keys", "stick, D-pad"},
    {"Launch, fire", "left button", "Space, Left Ctrl", "A"},
    {"Pause", "", "P", "Start"},
    {"To the menus", "", "Esc", "B, Back"},
    {"Full screen", "", "Alt+Enter", ""},
};
constexpr int ControlColumns[] = {0, 84, 146, 232};

struct BrickRow {
  char legend;  // the brick's map character in the default tileset
  const char* name;
  const char* effect;
};

constexpr BrickRow Bricks[] = {
    {'M', "Multi-hit", "Two or three hits"},  {'X', "Indestructible", "Super Ball, blasts only"},
    {'o', "Go-through", "Ball passes through"}, {'D', "Dynamite", "Blasts its neighbours"},
    {'+', "Shooters", "Clear rows, columns"},   {'k', "Animated", "Only their look moves"},
};

void DrawHeading(Canvas& canvas, const std::string& text, int x, int y) {
  DrawOutlinedText(canvas, OpenFont(SansBold, 13), text, x, y, Rgb(255, 240, 200), look::Gold, look::Ink);
}

void DrawControls(Canvas& canvas) {
  DrawHeading(canvas, "Controls", 0, 0);
  const Font headFont = OpenFont(SansCondensedBold, 11), cellFont = OpenFont(SansCondensed, 11);
  int y = 18;
  for (const ControlRow& row : Controls) {
    const bool head = &row == &Controls[0];
    const char* cells[] = {row.action, row.mouse, row.keys, row.pad};
    for (int i = 0; i < 4; ++i) {
      const bool label = head || i == 0;
      const Color top = label ? look::Ice : Rgb(225, 235, 250), bottom = label ? look::Cyan : Rgb(170, 190, 225);
      DrawOutlinedText(canvas, label ? headFont : cellFont, cells[i], ControlColumns[i], y, top, bottom, look::Ink);
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
  DrawHeading(canvas, "Bricks", BricksX, 0);
  const Font nameFont = OpenFont(SansBold, 12), effectFont = OpenFont(SansCondensed, 11);
  constexpr int ColumnWidth = (Width - BricksX) / 2;
  for (int i = 0; i < static_cast<int>(std::size(Bricks)); ++i) {
    const BrickRow& brick = Bricks[i];
    const int x = BricksX + (i % 2) * ColumnWidth, y = 19 + (i / 2) * RowHeight;
    Composite(canvas, BrickTile(brick.legend), x, y + 4);
    DrawOutlinedText(canvas, nameFont, brick.name, x + 36, y - 1, look::Ice, look::Cyan, look::Ink);
    DrawOutlinedText(canvas, effectFont, brick.effect, x + 36, y + 11, Rgb(225, 235, 250), Rgb(170, 190, 225),
                     look::Ink);
  }
}

}  // namespace

Canvas PaintReadMe() {
  Canvas canvas(Width, Height);
  DrawControls(canvas);
  DrawBricks(canvas);
  DrawHeading(canvas, "Capsules: catch them with any paddle", 0, CapsulesY);
  DrawCapsuleGuide(canvas, 0, CapsulesY + 19, 3, Width / 3, RowHeight);
  return canvas;
}

}  // namespace pictures
