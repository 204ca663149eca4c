// Laser shots and Protect barriers.
#pragma once

struct Game;

constexpr float ShotSpeed = 0.35f;  // pixels per ms

// A pair of shots from every guarded paddle.
void FireLasers(Game& game);
// Cannons drawn, shots moved, drawn and striking bricks; only in Laser mode.
void UpdateShots(Game& game);
// Barriers along the guarded sides; only in Protect mode.
void DrawProtectWalls(Game& game);
