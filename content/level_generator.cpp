// A level from a seed: paddles for the difficulty, a motif's layout in the area they leave, its bands dressed in
// the tileset's bricks, charges and shooters where they do the most, then the rules' last word, and a background
// and song that suit.
#include "content/level_generator.h"

#include <algorithm>
#include <array>

#include "content/level_layout.h"
#include "content/names.h"
#include "content/playfield_rules.h"
#include "content/sealed_bricks.h"
#include "content/tile_palette.h"

namespace {

// The paddles, the area they leave the bricks, and how often each difficulty gets them (weights by difficulty
// 1 .. 10): one side at first, then two facing each other, three, and all four.
// The hits a layout may ask for is bounded by the paddles: the autopilot needs about two seconds a hit with one,
// one with four, and a level should take it a few minutes.
struct Arrangement {
  std::array<bool, 5> guarded;  // by Side
  Area area;
  std::array<int, HardestDifficulty> weight;
  int mostHits;
};

constexpr std::array<Arrangement, 5> Arrangements = {{
    {{false, true, false, false, false}, {2, 3, 19, 17, false}, {1, 1, 1, 6, 4, 2, 2, 0, 0, 0}, 140},
    {{false, true, false, true, false}, {2, 6, 19, 25, true}, {0, 0, 0, 4, 3, 3, 3, 2, 0, 0}, 200},
    {{false, false, true, false, true}, {4, 4, 17, 25, true}, {0, 0, 0, 0, 3, 2, 2, 2, 0, 0}, 200},
    {{false, true, true, false, true}, {4, 6, 17, 21, false}, {0, 0, 0, 0, 0, 3, 3, 4, 4, 3}, 170},
    {{false, true, true, true, true}, {4, 6, 17, 25, true}, {0, 0, 0, 0, 0, 0, 0, 2, 6, 7}, 260},
}};
// Fewer hits than this, and the autopilot clears the level in a few seconds.
constexpr int FewestHits = 40;
// Layouts drawn before the generator settles for one whose hits are out of bounds.
constexpr int LayoutTries = 12;

const Arrangement& PickArrangement(SeedStream& random, int difficulty) {
  int total = 0;
  for (const Arrangement& a : Arrangements) total += a.weight[difficulty - 1];
  int roll = random.Below(total);
  for (const Arrangement& a : Arrangements) {
    roll -= a.weight[difficulty - 1];
    if (roll < 0) return a;
  }
  return Arrangements.front();
}

// What a tone of the layout is made of: a tile, stepped along the row when it is animated.
struct Material {
  std::int32_t tile = 0;
  int frames = 1;
};

struct Dressing {
  std::vector<Material> tones;  // tone t wears tones[t % size]
  Material metal, fuse;
};

Material MaterialOf(const TileSet& tileSet, std::int32_t tile) {
  return {tile, std::max(1, tileSet.tiles[tile].frameCount)};
}

// Two to four colours next to each other in the tileset (designers keep related colours together), some of them
// made multi-hit, go-through or animated as the difficulty asks.
Dressing ChooseDressing(SeedStream& random, int difficulty, const TilePalette& palette, const TileSet& tileSet) {
  Dressing dressing;
  const int count = std::min(static_cast<int>(palette.plain.size()), random.Between(2, difficulty >= 6 ? 4 : 3));
  const int start = random.Below(static_cast<int>(palette.plain.size())), stride = random.Between(1, 2);
  for (int i = 0; i < count; ++i)
    dressing.tones.push_back(MaterialOf(tileSet, palette.plain[(start + i * stride) % palette.plain.size()]));
  if (dressing.tones.size() < 2) dressing.tones.push_back(dressing.tones.front());
  const int maxHits = difficulty >= 6 ? 3 : 2;
  std::vector<std::int32_t> strong;
  for (std::int32_t tile : palette.strong)
    if (tileSet.tiles[tile].hitCount <= maxHits) strong.push_back(tile);
  const int strongTones = difficulty <= 2 ? 0 : difficulty <= 4 ? random.Below(2) : difficulty <= 7 ? 1 : 2;
  for (int i = 0; i < strongTones && !strong.empty(); ++i)
    dressing.tones[static_cast<std::size_t>(i)] = MaterialOf(tileSet, random.Pick(strong));
  const std::size_t last = dressing.tones.size() - 1;
  if (difficulty >= 2 && difficulty <= 8 && !palette.ghosts.empty() && random.Percent(25))
    dressing.tones[last] = MaterialOf(tileSet, random.Pick(palette.ghosts));
  else if (!palette.gems.empty() && random.Percent(30))
    dressing.tones[last] = MaterialOf(tileSet, random.Pick(palette.gems));
  if (!palette.metal.empty()) dressing.metal = MaterialOf(tileSet, random.Pick(palette.metal));
  if (!palette.glowingMetal.empty() && (palette.metal.empty() || random.Percent(30)))
    dressing.metal = MaterialOf(tileSet, random.Pick(palette.glowingMetal));
  if (!palette.fuses.empty()) dressing.fuse = MaterialOf(tileSet, random.Pick(palette.fuses));
  return dressing;
}

std::vector<std::pair<int, int>> DrawnBricks(const Plan& plan) {
  std::vector<std::pair<int, int>> cells;
  for (int c = plan.area().left; c <= AxisColumn; ++c)
    for (int r = plan.area().top; r <= plan.LastDrawnRow(); ++r)
      if (plan.at(c, r).role == Role::Brick) cells.emplace_back(c, r);
  return cells;
}

// A line of charges through the bricks, toward the axis or down a column: each sets off the next.
void LayFuse(Plan& plan, SeedStream& random) {
  const auto bricks = DrawnBricks(plan);
  if (bricks.empty()) return;
  auto [c, r] = random.Pick(bricks);
  const bool across = random.Percent(60);
  for (int length = random.Between(2, 4); length > 0 && plan.at(c, r).role == Role::Brick; --length) {
    plan.Put(c, r, {Role::Fuse, 0, {}});
    if (across) ++c; else ++r;
    if (c > AxisColumn || r > plan.LastDrawnRow()) break;
  }
}

// A shooter is mirrored across the axis (and the middle row when rows fold): the tileset needs every image's aim.
bool EveryImageThere(const TilePalette& palette, ShooterDirections aim, bool foldRows) {
  ShooterDirections across = aim;
  std::swap(across.left, across.right);
  for (ShooterDirections image : {aim, across}) {
    if (palette.shooters[ShooterCodeOf(image)] == 0) return false;
    std::swap(image.up, image.down);
    if (foldRows && palette.shooters[ShooterCodeOf(image)] == 0) return false;
  }
  return true;
}

// Bricks a shooter at (c, r) would clear; -1 when a line would cut a one-row slot into a metal wall.
int ShooterReach(const Plan& plan, int column, int row, ShooterDirections aim) {
  int reach = 0;
  const auto line = [&](int dc, int dr) {
    for (int c = column + dc, r = row + dr; c >= 1 && c < GridColumns && r >= 1 && r < GridRows; c += dc, r += dr) {
      const Role role = plan.at(c, r).role;
      if (role == Role::Wall && dc != 0) reach = -1000;
      reach += role == Role::Brick || role == Role::Fuse ? 1 : 0;
    }
  };
  if (aim.up) line(0, -1);
  if (aim.right) line(1, 0);
  if (aim.down) line(0, 1);
  if (aim.left) line(-1, 0);
  return reach;
}

// A shooter (and its mirror images) where its lines clear the most, among a few brick cells and every set of
// directions the tileset has; none when no line reaches four bricks.
void AimShooter(Plan& plan, SeedStream& random, const TilePalette& palette) {
  const auto bricks = DrawnBricks(plan);
  if (bricks.empty()) return;
  // Enough to matter, not so much that a few hits clear the level.
  const int most = std::max(4, (plan.Count(Role::Brick) + plan.Count(Role::Fuse)) / 6);
  int best = 3;
  PlanCell chosen;
  std::pair<int, int> where;
  for (int tries = 0; tries < 10; ++tries) {
    const auto [c, r] = random.Pick(bricks);
    for (std::int32_t code = ShooterFirst; code <= ShooterLast; ++code) {
      if (palette.shooters[code] == 0) continue;
      const ShooterDirections aim = ShooterDirectionsOf(code);
      if (!EveryImageThere(palette, aim, plan.area().foldRows)) continue;
      const int reach = ShooterReach(plan, c, r, aim);
      if (reach > best && reach <= most) {
        best = reach;
        chosen = {Role::Shooter, 0, aim};
        where = {c, r};
      }
    }
  }
  if (chosen.role == Role::Shooter) plan.Put(where.first, where.second, chosen);
}

// Short metal bars below the bricks that turn the ball back up into them.
void SetDeflectors(Plan& plan, SeedStream& random) {
  int lowest = 0;
  for (int r = plan.area().top; r <= plan.area().bottom; ++r)
    for (int c = 1; c <= AxisColumn; ++c)
      if (plan.at(c, r).role != Role::Empty) lowest = r;
  const int row = lowest + 3;
  if (lowest == 0 || row > plan.area().bottom) return;
  const int length = random.Between(1, 2), gap = random.Between(2, 3);
  for (int c = AxisColumn - random.Below(2); c >= plan.area().left; c -= length + gap)
    for (int i = 0; i < length && c - i >= plan.area().left; ++i) plan.Put(c - i, row, {Role::Wall, 0, {}});
}

// Animated bricks start a frame apart from the middle outward, so a wave runs out from the axis on both sides.
std::int32_t TileFor(const Material& material, int column) {
  return material.tile + FromAxis(column) % material.frames;
}

Level LevelOf(const Plan& plan, const Dressing& dressing, const TilePalette& palette, const Arrangement& arrangement) {
  Level level;
  for (int side = Bottom; side <= Left; ++side) level.guardedSides[side] = arrangement.guarded[side] ? -1 : 0;
  for (int c = 1; c < GridColumns; ++c)
    for (int r = 1; r < GridRows; ++r) {
      const PlanCell& cell = plan.at(c, r);
      std::int32_t& tile = level.brickGrid[c][r];
      switch (cell.role) {
        case Role::Empty: break;
        case Role::Brick: tile = TileFor(dressing.tones[cell.tone % dressing.tones.size()], c); break;
        case Role::Wall: tile = dressing.metal.tile; break;
        case Role::Fuse: tile = TileFor(dressing.fuse, c); break;
        case Role::Shooter: tile = palette.shooters[ShooterCodeOf(cell.aim)]; break;
      }
    }
  return level;
}

// The rules' last word on a dressed plan: metal above a slot one row high becomes brick, and metal that seals
// bricks in becomes brick too; both are rare, and the plan stays symmetric.
void KeepRules(Plan& plan, const Dressing& dressing, const TilePalette& palette, const Arrangement& arrangement,
               const TileSet& tileSet) {
  for (int pass = 0; pass < GridRows; ++pass) {
    const Level level = LevelOf(plan, dressing, palette, arrangement);
    bool changed = false;
    for (int c = 1; c < GridColumns; ++c)
      for (int r = 2; r + 1 < GridRows; ++r)
        if (WedgesBall(level, tileSet, c, r)) {
          plan.Put(c, r - 1, {Role::Brick, 0, {}});
          changed = true;
        }
    if (!changed) break;
  }
  if (FindSealedBricks(LevelOf(plan, dressing, palette, arrangement), tileSet, tileSet.tileCount).count == 0) return;
  for (int c = 1; c < GridColumns; ++c)
    for (int r = 1; r < GridRows; ++r)
      if (plan.at(c, r).role == Role::Wall) plan.Put(c, r, {Role::Brick, 0, {}});
}

Plan Layout(SeedStream& random, int difficulty, const Area& area, const TilePalette& palette, std::string& motif) {
  std::vector<const Motif*> fitting;
  for (const Motif& m : Motifs())
    if (m.lowestDifficulty <= difficulty) fitting.push_back(&m);
  const Motif& chosen = *random.Pick(fitting);
  motif = chosen.name;
  Plan plan(area);
  chosen.draw(plan, random, difficulty);
  if (!palette.fuses.empty() && difficulty >= 3 && random.Percent(25 + 5 * difficulty)) LayFuse(plan, random);
  if (difficulty >= 4 && random.Percent(10 + 7 * difficulty)) AimShooter(plan, random, palette);
  if (difficulty >= 8 && random.Percent(40)) AimShooter(plan, random, palette);
  if (!area.foldRows && plan.Count(Role::Wall) == 0 && difficulty >= 6 && random.Percent(35)) SetDeflectors(plan, random);
  return plan;
}

// Walls made of metal need metal and charges need dynamite; without them they are bricks of the first tones.
void AdaptToTileSet(Plan& plan, const Dressing& dressing) {
  for (int c = 1; c < GridColumns; ++c)
    for (int r = 1; r < GridRows; ++r) {
      const Role role = plan.at(c, r).role;
      if (role == Role::Wall && dressing.metal.tile == 0) plan.Put(c, r, {Role::Brick, 0, {}});
      if (role == Role::Fuse && dressing.fuse.tile == 0) plan.Put(c, r, {Role::Brick, 1, {}});
    }
}

// Hits the breakable bricks take, each multi-hit brick counted from the stage it shows.
int HitsToClear(const Level& level, const TileSet& tileSet) {
  int hits = 0;
  for (int c = 1; c < GridColumns; ++c)
    for (int r = 1; r < GridRows; ++r) {
      const std::int32_t tile = level.brickGrid[c][r];
      if (tile == 0 || !MustBreak(tileSet.tiles[tile].kind)) continue;
      const TileDef& def = tileSet.tiles[tile];
      hits += def.kind == Hittable ? def.hitCount - def.hitStage + 1 : 1;
    }
  return hits;
}

// Scenery that suits a tileset (by its file name) from some difficulty on.
struct Suits {
  const char* name;
  const char* tileset;  // "" suits every tileset
  int lowest, highest;
};

constexpr std::array<Suits, 13> Backgrounds = {{
    {"DefaultBackground.bmp", "DefaultTileSet.sft", 1, 10}, {"CrystalCavern.bmp", "DefaultTileSet.sft", 1, 10},
    {"VioletNebula.bmp", "DefaultTileSet.sft", 3, 10},      {"EmberDrift.bmp", "DefaultTileSet.sft", 7, 10},
    {"Starfield.bmp", "NeonTileSet.sft", 1, 10},           {"Aurora.bmp", "NeonTileSet.sft", 1, 10},
    {"VioletNebula.bmp", "NeonTileSet.sft", 4, 10},        {"EmberDrift.bmp", "NeonTileSet.sft", 7, 10},
    {"IceField.bmp", "FrostTileSet.sft", 1, 10},           {"Aurora.bmp", "FrostTileSet.sft", 1, 10},
    {"Starfield.bmp", "FrostTileSet.sft", 5, 10},          {"CircuitBoard.bmp", "CircuitTileSet.sft", 1, 10},
    {"EmberDrift.bmp", "CircuitTileSet.sft", 8, 10},
}};

// Calmer songs for easy levels, faster ones for hard ones.
constexpr std::array<Suits, 5> Songs = {{
    {"GlassNebula.mid", "", 1, 4}, {"NeonOrbit.mid", "", 1, 6}, {"CometTrail.mid", "", 3, 8},
    {"StarShards.mid", "", 5, 10}, {"PrismRush.mid", "", 7, 10},
}};

template <std::size_t N>
std::string Choose(SeedStream& random, const std::array<Suits, N>& table, const std::vector<std::string>& offered,
                   const std::string& tileset, int difficulty, const std::string& none) {
  std::vector<std::string> usable, fitting;
  for (const std::string& name : offered)
    if (IsPlainFileName(name) && name.size() <= static_cast<std::size_t>(FixedTextLength)) usable.push_back(name);
  for (const Suits& suits : table)
    if ((std::string(suits.tileset).empty() || suits.tileset == tileset) && difficulty >= suits.lowest &&
        difficulty <= suits.highest && std::find(usable.begin(), usable.end(), suits.name) != usable.end())
      fitting.push_back(suits.name);
  if (!fitting.empty()) return random.Pick(fitting);
  return usable.empty() ? none : random.Pick(usable);
}

std::string RefusalOf(int difficulty, const TileSetChoice& choice, const TilePalette& palette) {
  if (difficulty < EasiestDifficulty || difficulty > HardestDifficulty)
    return "difficulty " + std::to_string(difficulty) + " is outside " + std::to_string(EasiestDifficulty) + " to " +
           std::to_string(HardestDifficulty);
  if (!IsPlainFileName(choice.tilesetName) || choice.tilesetName.size() > static_cast<std::size_t>(FixedTextLength))
    return "\"" + choice.tilesetName + "\" cannot be named in a level (a plain file name of at most 30 characters)";
  if (palette.plain.empty())
    return "the tileset " + choice.tilesetName + " has no brick that breaks in one hit, which every layout needs";
  return "";
}

}  // namespace

GeneratedLevel GenerateLevel(std::uint64_t seed, int difficulty, const TileSetChoice& choice) {
  GeneratedLevel out;
  const TilePalette palette = ReadTilePalette(choice.tileSet);
  out.error = RefusalOf(difficulty, choice, palette);
  if (!out.error.empty()) return out;
  SeedStream random(seed + 0xD1B54A32D192ED03u * static_cast<std::uint64_t>(difficulty));
  const Arrangement& arrangement = PickArrangement(random, difficulty);
  const Dressing dressing = ChooseDressing(random, difficulty, palette, choice.tileSet);
  for (int tries = 1; tries <= LayoutTries; ++tries) {
    Plan plan = Layout(random, difficulty, arrangement.area, palette, out.motif);
    AdaptToTileSet(plan, dressing);
    KeepRules(plan, dressing, palette, arrangement, choice.tileSet);
    out.level = LevelOf(plan, dressing, palette, arrangement);
    const int hits = HitsToClear(out.level, choice.tileSet);
    if (hits >= FewestHits && hits <= arrangement.mostHits) break;
  }
  out.level.tilesetName = choice.tilesetName;
  out.level.backgroundName =
      Choose(random, Backgrounds, choice.backgrounds, choice.tilesetName, difficulty, FallbackBackground);
  out.songName = Choose(random, Songs, choice.songs, choice.tilesetName, difficulty, "");
  return out;
}
