// Laser shots and Protect barriers.
#pragma once

struct Game;

// A pair of shots from every guarded paddle.
void FireLasers(Game& game);
// Cannons drawn, shots moved, drawn and striking bricks; only in Laser mode.
void UpdateShots(Game& game);
// Barriers along the guarded sides; only in Protect mode.
void DrawProtectWalls(Game& game);
