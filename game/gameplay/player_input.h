// The play input step: keys, mouse buttons, hidden chords and the autopilot.
#pragma once

struct Game;

void ReadPlayerInput(Game& game);
// Picks where on the paddle the autopilot lets ball 0 land.
void ChooseAutopilotOffsets(Game& game);
