// Painters for single 32 x 16 brick tiles: faceted glass gems, metal plates, ghost glass, dynamite, shooters.
#pragma once
#include "content/tileset_file.h"
#include "tools/default_content/paint/canvas.h"

namespace tiles {

// Where one tile is painted: the canvas and the tile's top-left pixel.
struct TileSpot {
  paint::Canvas& canvas;
  int x0;
  int y0;
};

// A cut glass brick. `glow` scales its brightness (used by pulsing animations).
void PaintGem(TileSpot spot, paint::Color base, float glow = 1.0f);
// A dark glass brick lit by a neon rim in the colour `base`; `glow` scales the rim's brightness.
void PaintNeon(TileSpot spot, paint::Color base, float glow = 1.0f);
// Small diamond studs across the middle: how many hits a fresh brick takes.
void PaintHitStuds(TileSpot spot, paint::Color base, int hitCount);
// Cracks and chips for damage stage `stage` of `hitCount` (stage 1 is unharmed and paints nothing).
void PaintCracks(TileSpot spot, paint::Color base, int stage, int hitCount);
// A riveted metal plate; `coreGlow` > 0 adds a glowing crystal core of that strength.
void PaintMetal(TileSpot spot, paint::Color base, float coreGlow = 0.0f);
// A gem seen through: every other interior pixel is left see-through; `sheen` places a moving light band.
void PaintGhost(TileSpot spot, paint::Color base, int sheen = -100);
// A bound red charge with a spark of `sparkSize` 1 .. 4 in its middle.
void PaintDynamite(TileSpot spot, int sparkSize);
// A dark gem with a glowing arrow for each direction it fires in.
void PaintShooter(TileSpot spot, ShooterDirections directions);

}  // namespace tiles
