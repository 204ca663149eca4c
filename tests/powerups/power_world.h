// The rule-test world with solid test pictures, scripted devices and a seeded generator.
#pragma once
#include <cstdint>

#include "test_world.h"

class PowerTest : public WorldTest {
 protected:
  PowerTest();
  // A new picture of one colour; returns its image id.
  int SolidPicture(int width, int height, Pixel colour);
  Pixel At(int x, int y) const { return game.platform.display.backBuffer[y * ScreenWidth + x]; }
  void HoldKey(int scanCode, bool down) { game.platform.input.script.keys[scanCode] = down ? 0x80 : 0; }
  void HoldLeftButton(bool down) { game.platform.input.script.mouse.buttons[0] = down ? 0x80 : 0; }
  // A capsule of the kind falling toward the side, with the count kept right.
  Powerup& PutCapsule(PowerupKind kind, float x, float y, Side direction = Bottom);
  int ActiveBalls() const;
  int ActiveShots() const;
  int ActiveParticles(int colourRow = 0) const;
};
