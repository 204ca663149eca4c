// Playing the game's sounds by their place in the load list.
#include "gameplay/sounds.h"

#include "core/game.h"
#include "platform/sound.h"

void PlayGameSound(Game& game, SoundId id) {
  PlaySound(game.platform, game.clock, game.world.soundIds[static_cast<int>(id)], game.state.soundOn);
}
