// The playfield and where the paddles lie along its edges: what the game and the editor both draw by.
#pragma once
#include "content/level_file.h"  // Side

inline constexpr int PlayfieldWidth = 640;
inline constexpr int PlayfieldHeight = 480;
inline constexpr int PaddleThickness = 10;
inline constexpr int PaddleInset = 10;  // free pixels between an edge and its paddle

// Where a side's paddle lies across its edge: the top of the bottom and top paddles, the left of the side ones.
constexpr int PaddleFace(Side side) {
  switch (side) {
    case Bottom: return PlayfieldHeight - PaddleInset - PaddleThickness;
    case Right: return PlayfieldWidth - PaddleInset - PaddleThickness;
    case Top:
    case Left: return PaddleInset;
  }
  return 0;
}
