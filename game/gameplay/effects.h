// The level background and the particles: ball trails, debris and firework sparks.
#pragma once

struct Game;

// The level's background picture tiled from the top-left corner, when the Background option is on.
// (Defined in background.cpp.)
void DrawBackground(Game& game);
// Particles age, move and are drawn; Super and Dyna balls leave a trail.
void UpdateEffects(Game& game);
// A new trail dot: the first free particle slot, or a new one at the end of the list.
void AddParticle(Game& game, float x, float y, int colourRow);
