// Playing the sounds of play.
#pragma once
#include "content/media_files.h"
#include "core/world.h"  // GameSoundCount

struct Game;

static_assert(GameSounds.size() == GameSoundCount, "a slot for every sound of play");

// Plays the sound loaded for `id` at game start (through the world's soundIds).
void PlayGameSound(Game& game, SoundId id);
