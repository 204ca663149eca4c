// The default sound effects of the game and the menu, by file name.
#pragma once
#include <string_view>
#include <vector>

#include "tools/default_content/sounds/synth.h"

struct SoundRecipe {
  std::string_view fileName;  // in Sfx
  synth::Signal (*make)();    // the raw sound, before loudness is evened out
};

// The game's sounds in the order the game loads them, then the menu's four.
const std::vector<SoundRecipe>& GameSoundRecipes();
