// Level loading: the level file, its tileset and background, the level's start values and its song.
#include "loading/level_loading.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <optional>
#include <system_error>
#include <vector>

#include "content/level_file.h"
#include "content/names.h"
#include "content/tileset_file.h"
#include "core/game.h"
#include "core/game_music.h"
#include "platform/display.h"
#include "platform/music.h"

namespace {

// A smaller background is repeated into a tile this large once at load, so drawing it takes few copies.
constexpr int LeastBackgroundTile = 64;

bool Fail(Game& game, std::string problem) {
  game.world.loadingProblem = std::move(problem);
  return false;
}

// Tile numbers the tileset does not have would stay on screen as bricks no ball can break.
void DropUnknownTiles(GameWorld& world) {
  for (int c = 1; c <= PlayColumns; ++c)
    for (int r = 1; r <= PlayRows; ++r) {
      std::int32_t& cell = world.brickGrid[c][r];
      if (cell < 0 || cell > world.tileSet.tileCount) cell = 0;
    }
}

void ResetLevelValues(Game& game) {
  GameWorld& world = game.world;
  ResetPaddleAndPowers(world);
  // A level start keeps the lists' lengths.
  for (Ball& ball : world.balls) ball.active = false;
  for (Particle& particle : world.particles) particle.active = false;
}

void ChooseHomeSide(GameWorld& world) {
  for (Side side : {Bottom, Top, Right, Left}) {
    if (IsGuarded(world, side)) {
      world.homeSide = side;
      return;
    }
  }
}

void SetCornerMargins(GameWorld& world) {
  CornerMargin& margin = world.cornerMargin;
  margin = CornerMargin{};
  bool bottom = IsGuarded(world, Bottom), right = IsGuarded(world, Right);
  bool top = IsGuarded(world, Top), left = IsGuarded(world, Left);
  if (bottom && right) margin.bottom = margin.right = 18;
  if (right && top) margin.top = margin.right = 18;
  if (left && top) margin.top = margin.left = 18;
  if (bottom && left) margin.bottom = margin.left = 18;
}

void RestartClocks(Game& game) {
  GameWorld& world = game.world;
  auto now = PlayNow(game);
  world.brickAnimationClock = {80, static_cast<float>(now + 80)};
  world.explosionClock = {45, static_cast<float>(now + 45)};
  world.capsuleClock = {45, static_cast<float>(now + 45)};
  world.particleClock = {70, static_cast<float>(now + 70)};
}

bool IsLevelSong(const std::string& path) {
  if (path.size() < 3 || path.compare(path.size() - 3, 3, "mid") != 0) return false;
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
  return lower.find("sfsong1.mid") == std::string::npos;  // the front end's song
}

}  // namespace

std::vector<std::filesystem::path> LevelSongs(const Game& game) { return LevelSongs(game.folders); }

std::vector<std::filesystem::path> LevelSongs(const DataFolders& folders) {
  std::vector<std::filesystem::path> songs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folders.shipped / "Mus", error))
    if (entry.is_regular_file(error) && IsLevelSong(entry.path().string())) songs.push_back(entry.path());
  // The folder's own order is unspecified on Linux; sorting keeps seeded runs repeatable.
  std::sort(songs.begin(), songs.end());
  return songs;
}

std::filesystem::path LevelPath(const Game& game, const std::string& fileName) {
  return SetLevelPath(game.folders, game.levelSetPath, fileName);
}

std::filesystem::path TilesetPath(const Game& game, const std::string& fileName) {
  return ReadPath(game.folders, std::filesystem::path("Tls") / fileName);
}

namespace {

// The song the generator chose for a generated level, when it is one of the level songs.
std::optional<std::filesystem::path> GeneratedSong(const Game& game, const std::vector<std::filesystem::path>& songs) {
  const std::vector<PlayedLevel>& played = game.generated.levels;
  if (game.generated.set.kind == GeneratedKind::None || played.empty()) return std::nullopt;
  const auto named = std::find_if(songs.begin(), songs.end(),
                                  [&](const auto& song) { return song.filename() == played.back().songName; });
  return named == songs.end() ? std::nullopt : std::optional(*named);
}

void ChooseSong(Game& game) {
  StopSong(game.platform, game.state.musicOn);
  const std::vector<std::filesystem::path> candidates = LevelSongs(game);
  if (candidates.empty()) {
    game.state.musicOn = false;
    return;
  }
  // Drawn even when the level names its song, so that the random numbers after it are what they always were.
  auto k = static_cast<std::size_t>(RandomBetween(game, 1, static_cast<float>(candidates.size()), false));
  k = std::clamp<std::size_t>(k, 1, candidates.size());
  StartSong(game, GeneratedSong(game, candidates).value_or(candidates[k - 1]));
}

// The level's background; without one (missing or damaged) the level is played on black.
void LoadBackground(Game& game) {
  GameWorld& world = game.world;
  const std::string file = "Bgd/" + world.backgroundName;
  world.backgroundImage = IsPlainFileName(world.backgroundName)
                              ? LoadTileImage(game.platform, ReadPath(game.folders, file), LeastBackgroundTile,
                                              LeastBackgroundTile)
                              : -1;
  if (world.backgroundImage < 0)
    std::cerr << "shardfall: " << file << " is missing or damaged; the level is played on black\n";
  const ImageSize background = PictureSize(game.platform, world.backgroundImage);
  world.backgroundRepeatX = RepeatsToCover(background.width, ScreenWidth);
  world.backgroundRepeatY = RepeatsToCover(background.height, ScreenHeight);
}

}  // namespace

int RepeatsToCover(int w, int extent) {
  if (w <= 0) return 0;
  int covered = 0;
  while (covered < extent) covered += w;
  return covered / w;
}

bool LoadLevel(Game& game, const std::string& fileName) {
  if (!IsPlainFileName(fileName)) return Fail(game, "Lvl/" + fileName + ": not a plain file name");
  Level level;
  std::string error;
  if (!ReadLevelFile(LevelPath(game, fileName), level, error)) return Fail(game, error);
  TakeLevel(game, level);
  return true;
}

void TakeLevel(Game& game, const Level& level) {
  GameWorld& world = game.world;
  world.guardedSides = level.guardedSides;
  world.tilesetName = level.tilesetName;
  world.backgroundName = level.backgroundName;
  LoadBackground(game);
  world.brickGrid = level.brickGrid;
}

bool LoadTileSet(Game& game) {
  GameWorld& world = game.world;
  const std::string& name = world.tilesetName;
  if (!IsPlainFileName(name) || name.size() < 3) return Fail(game, "Tls/" + name + ": bad name");
  std::string bitmapName = ReplaceLastThree(name, "bmp");
  world.tilesetImage = LoadImage(game.platform, TilesetPath(game, bitmapName));
  if (world.tilesetImage < 0) return Fail(game, "Tls/" + bitmapName + " is missing or damaged");
  const ImageSize tileset = PictureSize(game.platform, world.tilesetImage);
  int columns = RoundToEven(tileset.width / 32.0);
  int rows = RoundToEven(tileset.height / 16.0);
  std::string error;
  if (!ReadTileSetFile(TilesetPath(game, name), columns, rows, world.tileSet, error)) return Fail(game, error);
  return true;
}

std::string ScoreFileForSet(const Game& game, const std::filesystem::path& setFile) {
  std::filesystem::path scoreFile = ReplaceLastThree(setFile.string(), "sfh");
  // A shipped set's table cannot lie beside it in a read-only install.
  if (setFile.parent_path() == game.folders.shipped / "Lvl") scoreFile = game.folders.user / "Lvl" / scoreFile.filename();
  return scoreFile.string();
}

std::string ScoreFileOfGame(const Game& game) {
  const GeneratedSet& set = game.generated.set;
  if (set.kind == GeneratedKind::None) return ScoreFileForSet(game, game.levelSetPath);
  return (game.folders.user / "Lvl" / GeneratedTablesFolder / GeneratedTableName(set)).string();
}

bool HasLevel(const Game& game, std::int32_t number) {
  if (number < 1) return false;
  if (game.generated.set.kind == GeneratedKind::None)
    return number <= static_cast<std::int32_t>(game.levelSet.levelFiles.size());
  const std::optional<std::int32_t> count = LevelCount(game.generated.set);
  return !count || number <= *count;
}

void StartMakingLevel(Game& game, std::int32_t number) {
  GeneratedRun& run = game.generated;
  if (run.set.kind != GeneratedKind::None && HasLevel(game, number))
    run.thread.Start(run.maker, game.folders, run.set, number);
}

namespace {

// The level made meanwhile (waiting for it when it is not made yet); the one after it is begun at once.
bool TakeMadeLevel(Game& game) {
  GeneratedRun& run = game.generated;
  const std::int32_t number = game.levelSet.currentLevel;
  MadeLevel made = run.thread.Take(run.maker, game.folders, run.set, number);
  if (!made.error.empty())
    return Fail(game, "level " + std::to_string(number) + " could not be made: " + made.error);
  run.levels.push_back({made.seed, made.difficulty, made.level.tilesetName, made.songName});
  TakeLevel(game, made.level);
  StartMakingLevel(game, number + 1);
  return true;
}

bool NextLevelOfSet(Game& game) {
  LevelSet& set = game.levelSet;
  set.currentLevel += 1;
  if (!HasLevel(game, set.currentLevel))
    return Fail(game, "the level set has no level " + std::to_string(set.currentLevel));
  return true;
}

// Everything a level start does once the level's fields are in the world.
bool BeginLevel(Game& game) {
  GameWorld& world = game.world;
  if (!LoadTileSet(game)) return false;
  DropUnknownTiles(world);
  ResetLevelValues(game);
  ChooseHomeSide(world);
  ServeBall(world);
  SetCornerMargins(world);
  RestartClocks(game);
  ChooseSong(game);
  world.loadingProblem.clear();
  return true;
}

}  // namespace

bool StartLevel(Game& game) {
  if (!NextLevelOfSet(game)) return false;
  const bool generated = game.generated.set.kind != GeneratedKind::None;
  const std::int32_t number = game.levelSet.currentLevel;
  return (generated ? TakeMadeLevel(game) : LoadLevel(game, game.levelSet.levelFiles[number - 1])) && BeginLevel(game);
}

bool StartLevel(Game& game, const Level& level) {
  if (!NextLevelOfSet(game)) return false;
  TakeLevel(game, level);
  return BeginLevel(game);
}
