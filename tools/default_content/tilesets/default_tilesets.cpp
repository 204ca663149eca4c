// The tilesets this project ships: their tiles, bitmaps, and the map characters designers use for them.
#include "tools/default_content/tilesets/default_tilesets.h"

#include <functional>

#include "tools/default_content/tilesets/tile_painter.h"

namespace {

using paint::Color;
using paint::Rgb;

// One run of consecutive tiles: a plain brick (1 tile), an animation (frames) or a damage chain (hits).
struct TileRun {
  char legend;
  std::int32_t kind;
  int frames;
  int hits;
  // Paints tile `step` (1-based: the frame number or the hit stage) of the run.
  std::function<void(tiles::TileSpot, int step)> paint;
};

TileRun Plain(char legend, std::int32_t kind, std::function<void(tiles::TileSpot)> paint) {
  return {legend, kind, 1, 1, [paint](tiles::TileSpot s, int) { paint(s); }};
}

// How a tileset draws each kind of brick.
struct TileLook {
  void (*brick)(tiles::TileSpot, Color, float glow);
  void (*metal)(tiles::TileSpot, Color, float coreGlow);
  void (*ghost)(tiles::TileSpot, Color, int sheen);
  void (*dynamite)(tiles::TileSpot, int sparkSize);
  void (*shooter)(tiles::TileSpot, ShooterDirections);
};

constexpr TileLook GlassLook{tiles::PaintGem, tiles::PaintMetal, tiles::PaintGhost, tiles::PaintDynamite,
                             tiles::PaintShooter};
constexpr TileLook NeonLook{tiles::PaintNeon, tiles::PaintMetal, tiles::PaintGhost, tiles::PaintDynamite,
                            tiles::PaintShooter};
constexpr TileLook FrostLook{tiles::PaintFrost, tiles::PaintMetal, tiles::PaintGhost, tiles::PaintDynamite,
                             tiles::PaintShooter};
constexpr TileLook CircuitLook{tiles::PaintChip, tiles::PaintHeatSink, tiles::PaintHologram, tiles::PaintBattery,
                               tiles::PaintRouter};

using BrickPainter = void (*)(tiles::TileSpot, Color, float);

TileRun OneHit(BrickPainter brick, char legend, Color base) {
  return Plain(legend, Hittable, [brick, base](tiles::TileSpot s) { brick(s, base, 1.0f); });
}

TileRun MultiHit(BrickPainter brick, char legend, Color base, int hits) {
  return {legend, Hittable, 1, hits, [brick, base, hits](tiles::TileSpot s, int stage) {
            brick(s, base, 1.0f);
            tiles::PaintHitStuds(s, base, hits);
            tiles::PaintCracks(s, base, stage, hits);
          }};
}

TileRun Animated(char legend, std::int32_t kind, int frames, std::function<void(tiles::TileSpot, int)> paint) {
  return {legend, kind, frames, 1, std::move(paint)};
}

TileRun Shooter(const TileLook& look, char legend, std::int32_t code) {
  return Plain(legend, code, [paint = look.shooter, code](tiles::TileSpot s) { paint(s, ShooterDirectionsOf(code)); });
}

constexpr float PulseGlow[] = {0.78f, 0.92f, 1.08f, 0.92f};

// Every set holds the same runs in the same order, so one legend and one level map fit all of them.
std::vector<TileRun> StandardRuns(const TileLook& look) {
  const Color cyan = Rgb(40, 205, 240), azure = Rgb(55, 120, 255), violet = Rgb(140, 85, 255),
              magenta = Rgb(225, 60, 215), rose = Rgb(255, 80, 140), emerald = Rgb(40, 215, 150),
              amber = Rgb(255, 175, 50), ice = Rgb(195, 225, 255), teal = Rgb(25, 160, 165),
              indigo = Rgb(95, 75, 205);
  const Color prism[] = {cyan, azure, violet, magenta};
  const BrickPainter brick = look.brick;
  const auto metal = look.metal;
  const auto ghost = look.ghost;
  const auto dynamite = look.dynamite;
  return {
      OneHit(brick, 'c', cyan), OneHit(brick, 'b', azure), OneHit(brick, 'p', violet),
      OneHit(brick, 'm', magenta), OneHit(brick, 'r', rose), OneHit(brick, 'g', emerald),
      OneHit(brick, 'a', amber), OneHit(brick, 'w', ice), OneHit(brick, 't', teal), OneHit(brick, 'i', indigo),
      MultiHit(brick, 'C', cyan, 2), MultiHit(brick, 'P', violet, 2), MultiHit(brick, 'R', rose, 2),
      MultiHit(brick, 'M', magenta, 3), MultiHit(brick, 'B', azure, 3), MultiHit(brick, 'A', amber, 3),
      Plain('X', Indestructible, [metal](tiles::TileSpot s) { metal(s, Rgb(150, 160, 185), 0.0f); }),
      Plain('H', Indestructible, [metal](tiles::TileSpot s) { metal(s, Rgb(105, 95, 150), 0.0f); }),
      Plain('o', GoThrough, [ghost](tiles::TileSpot s) { ghost(s, Rgb(150, 235, 255), -100); }),
      Plain('u', GoThrough, [ghost](tiles::TileSpot s) { ghost(s, Rgb(205, 160, 255), -100); }),
      Plain('D', Dynamite, [dynamite](tiles::TileSpot s) { dynamite(s, 2); }),
      Shooter(look, '^', 5), Shooter(look, '>', 6), Shooter(look, 'v', 7), Shooter(look, '<', 8),
      Shooter(look, '9', 9), Shooter(look, '3', 10), Shooter(look, '1', 11), Shooter(look, '7', 12),
      Shooter(look, '8', 13), Shooter(look, '6', 14), Shooter(look, '2', 15), Shooter(look, '4', 16),
      Shooter(look, '+', 17), Shooter(look, '-', 18), Shooter(look, '|', 19),
      Animated('k', Hittable, 4,
               [brick](tiles::TileSpot s, int f) { brick(s, Rgb(110, 230, 255), PulseGlow[f - 1]); }),
      Animated('q', Hittable, 4, [brick, prism](tiles::TileSpot s, int f) { brick(s, prism[f - 1], 1.0f); }),
      // The sheen band sweeps across the ghost glass from frame to frame.
      Animated('s', GoThrough, 4, [ghost](tiles::TileSpot s, int f) { ghost(s, Rgb(160, 255, 220), f * 10 - 14); }),
      Animated('d', Dynamite, 4, [dynamite](tiles::TileSpot s, int f) { dynamite(s, f); }),
      Animated('Z', Indestructible, 4,
               [metal](tiles::TileSpot s, int f) { metal(s, Rgb(120, 130, 160), PulseGlow[f - 1]); }),
  };
}

int TileCountOf(const std::vector<TileRun>& runs) {
  int count = 0;
  for (const TileRun& run : runs) count += run.frames * run.hits;
  return count;
}

// Lays the runs out in the builder's order (column by column) and records every tile's relations.
DesignedTileSet Assemble(std::string fileName, const std::vector<TileRun>& runs) {
  const int count = TileCountOf(runs);
  const int columns = (count + DesignedTileRows - 1) / DesignedTileRows;
  paint::Canvas canvas(columns * TileWidth, DesignedTileRows * TileHeight);
  DesignedTileSet out;
  out.fileName = std::move(fileName);
  out.tileSet.tileCount = count;
  out.tileSet.tiles.assign(count + 1, TileDef{});
  int tile = 0;
  for (const TileRun& run : runs) {
    out.legend[run.legend] = tile + 1;
    const int length = run.frames * run.hits;
    for (int step = 1; step <= length; ++step) {
      ++tile;
      TileDef& def = out.tileSet.tiles[tile];
      def.kind = run.kind;
      def.frameCount = run.frames;
      def.frameNumber = run.frames > 1 ? step : 1;
      def.hitCount = run.hits;
      def.hitStage = run.hits > 1 ? step : 1;
      def.imageX = ImageXOfTile(tile, DesignedTileRows);
      def.imageY = ImageYOfTile(tile, DesignedTileRows);
      run.paint(tiles::TileSpot{canvas, def.imageX, def.imageY}, step);
    }
  }
  out.bitmap = paint::ToBitmap(canvas);
  return out;
}

}  // namespace

const std::vector<DesignedTileSet>& DesignedTileSets() {
  static const std::vector<DesignedTileSet> sets = {Assemble("DefaultTileSet.sft", StandardRuns(GlassLook)),
                                                    Assemble("NeonTileSet.sft", StandardRuns(NeonLook)),
                                                    Assemble("CircuitTileSet.sft", StandardRuns(CircuitLook)),
                                                    Assemble("FrostTileSet.sft", StandardRuns(FrostLook))};
  return sets;
}

const std::map<char, std::int32_t>* FixedLegendOf(std::string_view tilesetFileName) {
  for (const DesignedTileSet& set : DesignedTileSets())
    if (set.fileName == tilesetFileName) return &set.legend;
  return nullptr;
}
