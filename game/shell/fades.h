// The screen and music fades of the frame loop, which move the mode flags they run on.
#pragma once

struct Game;

// One frame of each fade: screenFade between -99 (black) and 0, musicFade between 0 and the music volume option.
void FadeInStep(Game& game);
void FadeOutStep(Game& game);
void MusicFadeInStep(Game& game);
void MusicFadeOutStep(Game& game);
