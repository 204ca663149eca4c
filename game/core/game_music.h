// Starting a song the way every mode does: from silence, fading in to the music option.
#pragma once
#include <filesystem>

struct Game;

// Loads the song and lets it fade in from silence; music plays while the music volume is above 0.
void StartSong(Game& game, const std::filesystem::path& song);
