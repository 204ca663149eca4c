// The default songs: the menu theme and the level songs, each a sheet in its own file.
#pragma once
#include <vector>

#include "tools/default_content/songs/score.h"

score::Song MenuThemeSong();
score::Song PrismRushSong();
score::Song NeonOrbitSong();
score::Song StarShardsSong();
score::Song GlassNebulaSong();
score::Song CometTrailSong();

// Every default song, the menu theme first.
std::vector<score::Song> DefaultSongs();
