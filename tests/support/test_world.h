// A world built by hand for rule tests: a virtual clock and a small tileset of every brick kind.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"

// Tile numbers of the test tileset.
namespace Tile {
constexpr int Plain = 1;           // one-hit Hittable
constexpr int Tough = 2;           // three-hit Hittable: tiles 2, 3, 4
constexpr int Wall = 5;            // Indestructible
constexpr int Glass = 6;           // GoThrough
constexpr int Dynamite = 7;
constexpr int Cross = 8;           // Shooter of kind 17
constexpr int Blinker = 9;         // animated Hittable: tiles 9 .. 12
constexpr int Blank = 13;          // kind 0
}  // namespace Tile

TileSet MakeTestTileSet();

class WorldTest : public ::testing::Test {
 protected:
  WorldTest();
  // The world as at the start of each test: nothing in play, only the bottom guarded, the test tileset.
  void NewWorld();
  // Only the given sides guarded.
  void Guard(const std::vector<Side>& sides);
  Ball& PutBall(int slot, float x, float y, float angleDegrees, float speed = 0.35f);
  void Brick(int column, int row, int tile) { game.world.brickGrid[column][row] = tile; }
  int Cell(int column, int row) const { return game.world.brickGrid[column][row]; }
  // Moves the virtual clock on.
  void Advance(int ms) { game.clock.now += ms; }
  // A new picture whose pixels come from colourAt(x, y); returns its image id.
  int Picture(int width, int height, const std::function<Pixel(int x, int y)>& colourAt);
  int SolidPicture(int width, int height, Pixel colour) {
    return Picture(width, height, [colour](int, int) { return colour; });
  }
  // A pixel of the back buffer, black before each test.
  Pixel At(int x, int y) const { return game.platform.display.backBuffer[y * ScreenWidth + x]; }
  // The names of the game sounds played since the last call, oldest first.
  std::vector<std::string> Heard();

  Game game;
};
