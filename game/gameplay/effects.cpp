// Particles: placeholders until the visual effects land.
#include "gameplay/effects.h"

void UpdateEffects(Game&) {}
void AddParticle(Game&, float, float, int) {}
