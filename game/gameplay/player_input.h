// The play input step: keys, mouse buttons, hidden chords and the autopilot.
#pragma once

struct Game;

// DirectInput scan codes the play input reads.
namespace ScanCode {
constexpr int Esc = 1, P = 25, Enter = 28, Space = 57;
constexpr int A = 30, I = 23;  // autopilot chord
constexpr int S = 31, B = 48;  // split chord
constexpr int D = 32, Y = 21;  // Dyna chord
constexpr int W = 17;          // Warp key (held while a brick breaks)
}  // namespace ScanCode

void ReadPlayerInput(Game& game);
// Picks where on the paddle the autopilot lets ball 0 land.
void ChooseAutopilotOffsets(Game& game);
