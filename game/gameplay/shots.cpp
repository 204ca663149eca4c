// Laser shots and Protect barriers: placeholders until the power-ups land.
#include "gameplay/shots.h"

void FireLasers(Game&) {}
void UpdateShots(Game&) {}
void DrawProtectWalls(Game&) {}
