// Painters for single 32 x 16 brick tiles in the glass, neon, frost and circuit looks.
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
// A block of tinted ice under a drift of snow; `glow` scales its brightness.
void PaintFrost(TileSpot spot, paint::Color base, float glow = 1.0f);
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

// The circuit look. A chip whose light window shows `base`; `glow` scales the light.
void PaintChip(TileSpot spot, paint::Color base, float glow = 1.0f);
// A finned heat sink; `coreGlow` > 0 adds a glowing status light of that strength.
void PaintHeatSink(TileSpot spot, paint::Color base, float coreGlow = 0.0f);
// A hologram seen through: scan lines on every other pixel; `sheen` places a moving bright column.
void PaintHologram(TileSpot spot, paint::Color base, int sheen = -100);
// A charged cell with a spark of `sparkSize` 1 .. 4 at its terminal.
void PaintBattery(TileSpot spot, int sparkSize);
// A circuit board whose lit traces point the ways it fires.
void PaintRouter(TileSpot spot, ShooterDirections directions);

}  // namespace tiles
