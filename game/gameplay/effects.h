// The level background and the particles: ball trails, debris and firework sparks.
#pragma once
#include <cstddef>

struct Game;
struct GameWorld;
struct Particle;

// Long Super or Dyna play, chained explosions and fireworks may not grow the list past this many entries.
constexpr std::size_t ParticleCap = 4000;

// The level's background picture tiled from the top-left corner, when the Background option is on.
// (Defined in background.cpp.)
void DrawBackground(Game& game);
// Particles age, move and are drawn; Super and Dyna balls leave a trail.
void UpdateEffects(Game& game);
// A new trail dot: the first free particle slot, or a new one at the end of the list.
void AddParticle(Game& game, float x, float y, int colourRow);
// A debris particle or spark at the end of the list; past the cap it takes a free slot, or is dropped.
void AppendParticle(GameWorld& world, const Particle& particle);
