// The shipped tilesets: record relations, every brick kind, readable pictures, and the files written to Tls.
#include <gtest/gtest.h>

#include <set>

#include "content/names.h"
#include "fresh_folder.h"
#include "tools/default_content/build_default.h"
#include "tools/default_content/tilesets/default_tilesets.h"

namespace {

constexpr int PaletteSlots = 119;

const DesignedTileSet& DefaultSet() {
  for (const DesignedTileSet& set : DesignedTileSets())
    if (set.fileName == "DefaultTileSet.sft") return set;
  throw std::runtime_error("no DefaultTileSet.sft");
}

int OpaquePixels(const Bitmap& bitmap, const TileDef& def) {
  int count = 0;
  for (int y = 0; y < TileHeight; ++y)
    for (int x = 0; x < TileWidth; ++x) count += bitmap.at(def.imageX + x, def.imageY + y) != 0;
  return count;
}

bool SameImage(const Bitmap& bitmap, const TileDef& a, const TileDef& b) {
  for (int y = 0; y < TileHeight; ++y)
    for (int x = 0; x < TileWidth; ++x)
      if (bitmap.at(a.imageX + x, a.imageY + y) != bitmap.at(b.imageX + x, b.imageY + y)) return false;
  return true;
}

// Shooter arrows are drawn in a warm yellow that no other part of the shooter brick uses.
bool ArrowAt(const Bitmap& bitmap, const TileDef& def, int x, int y) {
  const std::uint32_t p = bitmap.at(def.imageX + x, def.imageY + y);
  const int r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
  return r > 200 && g > 180 && b < 160;
}

}  // namespace

TEST(TileSetRecords, FitThePaletteAndTheBitmap) {
  for (const DesignedTileSet& set : DesignedTileSets()) {
    SCOPED_TRACE(set.fileName);
    const int columns = set.bitmap.width / TileWidth, rows = set.bitmap.height / TileHeight;
    EXPECT_EQ(set.bitmap.width % TileWidth, 0);
    EXPECT_EQ(set.bitmap.height % TileHeight, 0);
    EXPECT_LE(set.tileSet.tileCount, PaletteSlots);
    EXPECT_LE(set.tileSet.tileCount, columns * rows);
    ASSERT_EQ(set.tileSet.tiles.size(), static_cast<std::size_t>(set.tileSet.tileCount) + 1);
  }
}

TEST(TileSetRecords, ImagesFollowTheColumnByColumnNumbering) {
  for (const DesignedTileSet& set : DesignedTileSets()) {
    const int rows = set.bitmap.height / TileHeight;
    for (int n = 1; n <= set.tileSet.tileCount; ++n) {
      SCOPED_TRACE(set.fileName + " tile " + std::to_string(n));
      EXPECT_EQ(set.tileSet.tiles[n].imageX, (n - 1) / rows * TileWidth);
      EXPECT_EQ(set.tileSet.tiles[n].imageY, (n - 1) % rows * TileHeight);
    }
  }
}

TEST(TileSetRecords, AnimationsAreRunsOfConsecutiveFrames) {
  for (const DesignedTileSet& set : DesignedTileSets()) {
    const auto& tiles = set.tileSet.tiles;
    for (int n = 1; n <= set.tileSet.tileCount; ++n) {
      SCOPED_TRACE(set.fileName + " tile " + std::to_string(n));
      const TileDef& d = tiles[n];
      ASSERT_GE(d.frameCount, 1);
      ASSERT_GE(d.frameNumber, 1);
      ASSERT_LE(d.frameNumber, d.frameCount);
      if (d.frameNumber == 1) {
        ASSERT_LE(n + d.frameCount - 1, set.tileSet.tileCount) << "a run must not run off the tileset";
        for (int k = 2; k <= d.frameCount; ++k) {
          const TileDef& f = tiles[n + k - 1];
          EXPECT_EQ(f.frameNumber, k);
          EXPECT_EQ(f.frameCount, d.frameCount);
          EXPECT_EQ(f.kind, d.kind);
          EXPECT_EQ(f.hitCount, d.hitCount);
          EXPECT_EQ(f.hitStage, d.hitStage);
        }
      } else {
        EXPECT_EQ(tiles[n - 1].frameNumber, d.frameNumber - 1);
      }
    }
  }
}

TEST(TileSetRecords, DamageChainsRunThroughEveryStage) {
  for (const DesignedTileSet& set : DesignedTileSets()) {
    const auto& tiles = set.tileSet.tiles;
    for (int n = 1; n <= set.tileSet.tileCount; ++n) {
      SCOPED_TRACE(set.fileName + " tile " + std::to_string(n));
      const TileDef& d = tiles[n];
      ASSERT_GE(d.hitStage, 1);
      ASSERT_LE(d.hitStage, d.hitCount);
      if (d.hitCount > 1) {
        EXPECT_EQ(d.kind, Hittable) << "only breakable bricks have damage stages";
        EXPECT_EQ(d.frameCount, 1) << "a hit moves to the next tile, which must be the next stage";
      }
      if (d.hitStage < d.hitCount) {
        ASSERT_LT(n, set.tileSet.tileCount);
        EXPECT_EQ(tiles[n + 1].hitStage, d.hitStage + 1);
        EXPECT_EQ(tiles[n + 1].hitCount, d.hitCount);
        EXPECT_EQ(tiles[n + 1].kind, d.kind);
      }
    }
  }
}

TEST(TileSetContents, HoldsEveryKindAndEveryShooterCode) {
  const TileSet& tiles = DefaultSet().tileSet;
  std::set<std::int32_t> kinds, hitCounts;
  std::set<std::int32_t> animatedKinds;
  std::set<std::int32_t> oneHitColours;
  for (int n = 1; n <= tiles.tileCount; ++n) {
    const TileDef& d = tiles.tiles[n];
    kinds.insert(d.kind);
    if (d.kind == Hittable) hitCounts.insert(d.hitCount);
    if (d.frameCount > 1) animatedKinds.insert(d.kind);
    if (d.kind == Hittable && d.hitCount == 1 && d.frameCount == 1) oneHitColours.insert(n);
  }
  for (std::int32_t kind = FirstBrickCode; kind <= LastBrickCode; ++kind) EXPECT_TRUE(kinds.count(kind)) << "kind " << kind;
  EXPECT_FALSE(kinds.count(0)) << "every record is assigned";
  EXPECT_TRUE(hitCounts.count(2));
  EXPECT_TRUE(hitCounts.count(3));
  EXPECT_TRUE(animatedKinds.count(Hittable));
  EXPECT_GE(oneHitColours.size(), 6u);
}

TEST(TileSetPictures, EveryTileHasAVisibleImageAndEveryLegendCharacterAFirstTile) {
  const DesignedTileSet& set = DefaultSet();
  for (int n = 1; n <= set.tileSet.tileCount; ++n)
    EXPECT_GT(OpaquePixels(set.bitmap, set.tileSet.tiles[n]), 200) << "tile " << n;
  for (const auto& [ch, tile] : set.legend) {
    ASSERT_GE(tile, 1);
    ASSERT_LE(tile, set.tileSet.tileCount);
    EXPECT_EQ(set.tileSet.tiles[tile].frameNumber, 1) << ch;
    EXPECT_EQ(set.tileSet.tiles[tile].hitStage, 1) << ch;
  }
}

TEST(TileSetPictures, DamageStagesAndAnimationFramesLookDifferent) {
  const DesignedTileSet& set = DefaultSet();
  const auto& tiles = set.tileSet.tiles;
  for (int n = 1; n < set.tileSet.tileCount; ++n) {
    const bool nextStage = tiles[n].hitStage < tiles[n].hitCount;
    const bool nextFrame = tiles[n].frameNumber < tiles[n].frameCount;
    if (nextStage || nextFrame) {
      EXPECT_FALSE(SameImage(set.bitmap, tiles[n], tiles[n + 1])) << "tile " << n;
    }
  }
}

TEST(TileSetPictures, ShooterArrowsPointExactlyWhereTheShooterFires) {
  const DesignedTileSet& set = DefaultSet();
  for (int n = 1; n <= set.tileSet.tileCount; ++n) {
    const TileDef& d = set.tileSet.tiles[n];
    if (!IsShooter(d.kind)) continue;
    SCOPED_TRACE("shooter code " + std::to_string(d.kind));
    const ShooterDirections dirs = ShooterDirectionsOf(d.kind);
    // The arrows' tips sit at the middle of each edge.
    EXPECT_EQ(ArrowAt(set.bitmap, d, 15, 3), dirs.up);
    EXPECT_EQ(ArrowAt(set.bitmap, d, 15, TileHeight - 4), dirs.down);
    EXPECT_EQ(ArrowAt(set.bitmap, d, 4, 7), dirs.left);
    EXPECT_EQ(ArrowAt(set.bitmap, d, TileWidth - 5, 7), dirs.right);
  }
}

TEST(TileSetFiles, WrittenPairReadsBackAsDesigned) {
  const FreshFolder folder;
  const std::filesystem::path& root = folder.path();
  std::string error;
  ASSERT_TRUE(BuildDefaultTileSets(root, error)) << error;
  for (const DesignedTileSet& set : DesignedTileSets()) {
    SCOPED_TRACE(set.fileName);
    Bitmap bitmap;
    ASSERT_TRUE(ReadBitmapFile(root / "Tls" / ReplaceLastThree(set.fileName, "bmp"), bitmap, error)) << error;
    EXPECT_EQ(bitmap.width, set.bitmap.width);
    EXPECT_EQ(bitmap.pixels, set.bitmap.pixels);
    TileSet read;
    ASSERT_TRUE(ReadTileSetFile(root / "Tls" / set.fileName, bitmap.width / TileWidth, bitmap.height / TileHeight,
                                read, error))
        << error;
    EXPECT_EQ(read.tileCount, set.tileSet.tileCount);
    EXPECT_EQ(read.tiles, set.tileSet.tiles);
    EXPECT_EQ(std::filesystem::file_size(root / "Tls" / set.fileName), 4u + 28u * set.tileSet.tileCount);
  }
}
