// The rule-test world with scripted devices and a seeded generator.
#pragma once
#include <cstdint>

#include "test_world.h"

class PowerTest : public WorldTest {
 protected:
  PowerTest();
  void HoldKey(int scanCode, bool down) { game.platform.input.script.keys[scanCode] = down ? 0x80 : 0; }
  void HoldLeftButton(bool down) { game.platform.input.script.mouse.buttons[0] = down ? 0x80 : 0; }
  // A capsule of the kind falling toward the side, with the count kept right.
  Powerup& PutCapsule(PowerupKind kind, float x, float y, Side direction = Bottom);
  int ActiveBalls() const;
  int ActiveShots() const;
  int ActiveParticles(int colourRow = 0) const;
};
