// Capsules: dropping, falling, catching and their effects.
#pragma once
#include <nlohmann/json.hpp>

#include "core/world.h"

struct Game;

// A broken brick's cell may drop a capsule (at most one falls at a time).
void SpawnPowerup(Game& game, int column, int row);
// Capsules move toward their side, animate and are drawn; skipped while gameplay is frozen.
void UpdatePowerups(Game& game);
// A capsule touching any guarded paddle takes effect.
void CatchPowerups(Game& game);
void ApplyPowerup(Game& game, PowerupKind kind);
// Every active ball turns to debris.
void KillAllBalls(Game& game);
// Particle counts and clock, for the state dump (capsules and shots are in the world dump).
nlohmann::json DumpPowerups(const Game& game);
