// Playing the sounds of play.
#pragma once
#include "content/media_files.h"  // SoundId

struct Game;

// Plays the sound loaded for `id` at game start (through the world's soundIds).
void PlayGameSound(Game& game, SoundId id);
