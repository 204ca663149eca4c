// The intro and play frames of the main loop.
#pragma once

struct Game;

// The level waits with the ball on the home paddle until a click.
void IntroFrame(Game& game);
// One frame of play, the pause loop and the end-of-game screen.
void PlayFrame(Game& game);
