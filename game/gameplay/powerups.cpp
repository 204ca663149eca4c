// Capsules: placeholders that drop and apply nothing until the power-ups land.
#include "gameplay/powerups.h"

void SpawnPowerup(Game&, int, int) {}
void UpdatePowerups(Game&) {}
void CatchPowerups(Game&) {}
void ApplyPowerup(Game&, PowerupKind) {}
void KillAllBalls(Game&) {}
