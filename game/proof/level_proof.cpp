// A level's proof: the static check for sealed bricks, then the game's own frames, headless and drawing nothing,
// with the autopilot switched on and the intro clicked away as a player's script would; and the generator's
// levels tried seed after seed until one passes.
#include "proof/level_proof.h"

#include <memory>

#include "content/bitmap_file.h"
#include "content/names.h"
#include "content/playfield_rules.h"
#include "content/sealed_bricks.h"
#include "content/seed_stream.h"
#include "content/tileset_file.h"
#include "core/game.h"
#include "loading/level_loading.h"
#include "platform/dik_codes.h"
#include "shell/main_loop.h"
#include "shell/start_up.h"

namespace {

constexpr std::int32_t FrameMs = 16;
constexpr std::int32_t AutopilotChordMs = FrameMs;  // read by the first intro frame's input
constexpr std::int32_t ClickEveryMs = 992;          // an intro waits for a click, at the start and after a lost ball

LevelProof Verdict(ProofVerdict verdict, std::int32_t playMs, std::string reason) {
  return {verdict, playMs, std::move(reason)};
}

// The autopilot chord (two keys down for one frame) and a click every ClickEveryMs until the time bound.
std::vector<ScriptEvent> ProofScript(std::int32_t lastMs) {
  using Kind = ScriptEvent::Kind;
  std::vector<ScriptEvent> events;
  for (bool down : {true, false})
    for (int key : {DIK_A, DIK_I}) events.push_back({AutopilotChordMs + (down ? 0 : 1), Kind::Key, key, down, 0, 0});
  for (std::int32_t ms = ClickEveryMs; ms < lastMs; ms += ClickEveryMs)
    for (bool down : {true, false}) events.push_back({ms + (down ? 0 : 1), Kind::Button, 0, down, 0, 0});
  return events;
}

bool StartProofGame(Game& game, const DataFolders& folders, const ProofSettings& settings, std::string& error) {
  StartSettings start;
  start.folders = folders;
  start.platform.headless = true;
  start.platform.drawNothing = true;
  start.step = FrameMs;
  start.seed = settings.seed;
  if (!StartUp(game, start, error)) return false;
  game.capsulesOff = true;
  ScriptedInput& script = game.platform.input.script;
  script.active = true;
  script.events = ProofScript(settings.longestMs + 2 * ClickEveryMs);
  return true;
}

// The level as the first of a set of one, in its intro, as a game start leaves it.
bool EnterLevel(Game& game, const Level& level) {
  game.levelSet = LevelSet{"Proof", {"proof.sfl"}, 0};
  game.world.spareBalls = game.options.startingBalls;
  game.world.score = 0;
  if (!StartLevel(game, level)) return false;
  GameState& state = game.state;
  state.frontEndReady = true;
  state.inFrontEnd = false;
  state.gameLoaded = true;
  state.levelIntro = true;
  return true;
}

// The level as play sees it once loaded (tiles the tileset lacks are gone): what must break, and whether it can.
LevelProof CheckBeforePlay(const Game& game) {
  const GameWorld& world = game.world;
  Level loaded;
  loaded.guardedSides = world.guardedSides;
  loaded.brickGrid = world.brickGrid;
  bool guarded = false, breakable = false;
  for (int side = Bottom; side <= Left; ++side) guarded = guarded || IsGuarded(world.guardedSides, side);
  for (int c = 1; c <= PlayColumns; ++c)
    for (int r = 1; r <= PlayRows; ++r) {
      const std::int32_t tile = world.brickGrid[c][r];
      breakable = breakable || (tile >= 1 && MustBreak(world.tileSet.tiles[tile].kind));
    }
  if (!guarded) return Verdict(ProofVerdict::Unplayable, 0, "no side is guarded by a paddle");
  if (!breakable) return Verdict(ProofVerdict::Unplayable, 0, "nothing to break");
  const SealedBricks sealed = FindSealedBricks(loaded, world.tileSet, world.tileSet.tileCount);
  if (sealed.count > 0)
    return Verdict(ProofVerdict::Sealed, 0,
                   std::to_string(sealed.count) + " breakable brick" + (sealed.count == 1 ? " is" : "s are") +
                       " sealed off by indestructible bricks, the first at column " +
                       std::to_string(sealed.firstColumn) + ", row " + std::to_string(sealed.firstRow));
  return Verdict(ProofVerdict::Cleared, 0, "");
}

// Frames until the level is cleared or a bound is met.
LevelProof Play(Game& game, const ProofSettings& settings) {
  const ModeSteps steps = EveryModeStep();
  FrameTimer timer;
  BeginFrames(game);
  const std::int32_t start = Now(game);
  std::int32_t lastScore = game.world.score, lastProgress = start;
  while (true) {
    RunFrame(game, steps, timer);
    const GameWorld& world = game.world;
    const std::int32_t now = Now(game), played = now - start;
    if (world.spareBalls < 0) return Verdict(ProofVerdict::BallsLost, played, "the autopilot lost every ball");
    if (game.state.playing && world.destructibleCount == 0 && world.levelEndRequested) {
      if (played < settings.shortestMs)
        return Verdict(ProofVerdict::TooQuick, played,
                       "cleared in " + ProofTimeText(played) + ", under " + ProofTimeText(settings.shortestMs));
      return Verdict(ProofVerdict::Cleared, played, "cleared in " + ProofTimeText(played));
    }
    if (world.score != lastScore) {
      lastScore = world.score;
      lastProgress = now;
    }
    if (now - lastProgress >= settings.stallMs)
      return Verdict(ProofVerdict::NoProgress, played,
                     "no brick hit for " + ProofTimeText(now - lastProgress) + ": the ball loops");
    if (played >= settings.longestMs)
      return Verdict(ProofVerdict::TooSlow, played, "not cleared within " + ProofTimeText(settings.longestMs));
    if ((settings.stop && settings.stop->load()) || game.platform.quitRequested || !game.state.running)
      return Verdict(ProofVerdict::Stopped, played, "stopped");
  }
}

std::int32_t CellsAcross(int pixels, int cell) { return RoundToEven(static_cast<double>(pixels) / cell); }

std::vector<std::string> NamesOf(const std::vector<std::filesystem::path>& files) {
  std::vector<std::string> names;
  for (const auto& file : files) names.push_back(file.filename().string());
  return names;
}

}  // namespace

LevelProof ProveLevel(const Level& level, const DataFolders& folders, const ProofSettings& settings) {
  auto game = std::make_unique<Game>();
  std::string error;
  if (!StartProofGame(*game, folders, settings, error)) return Verdict(ProofVerdict::Unplayable, 0, error);
  if (!EnterLevel(*game, level)) {
    ShutDown(*game);
    return Verdict(ProofVerdict::Unplayable, 0, game->world.loadingProblem);
  }
  LevelProof proof = CheckBeforePlay(*game);
  if (proof.passed()) proof = Play(*game, settings);
  ShutDown(*game);
  return proof;
}

std::string ProofTimeText(std::int32_t ms) {
  const std::int32_t tenths = ms / 100;
  const std::int32_t seconds = tenths / 10 % 60, minutes = tenths / 600;
  return std::to_string(minutes) + ":" + (seconds < 10 ? "0" : "") + std::to_string(seconds) + "." +
         std::to_string(tenths % 10);
}

bool ChooseTileSet(std::uint64_t seed, const DataFolders& folders, const std::string& tilesetName,
                   TileSetChoice& choice, std::string& error) {
  std::string name = tilesetName;
  if (name.empty()) {
    const auto shipped = ListFilesEndingWith(folders.shipped / "Tls", ".sft");
    if (shipped.empty()) {
      error = (folders.shipped / "Tls").string() + ": no tileset to build a level from";
      return false;
    }
    name = shipped[static_cast<std::size_t>(SeedStream(seed).Below(static_cast<int>(shipped.size())))].filename().string();
  }
  if (!IsPlainFileName(name) || name.size() < 4) {
    error = "\"" + name + "\": not a tileset file name";
    return false;
  }
  int width = 0, height = 0;
  if (!ReadBitmapSize(ReadPath(folders, "Tls/" + ReplaceLastThree(name, "bmp")), width, height, error)) return false;
  choice.tilesetName = name;
  if (!ReadTileSetFile(ReadPath(folders, "Tls/" + name), CellsAcross(width, TileWidth), CellsAcross(height, TileHeight),
                       choice.tileSet, error))
    return false;
  // The shipped folder's alone, as for the songs a level plays: a seed means one level for every player.
  choice.backgrounds = NamesOf(ListFilesEndingWith(folders.shipped / "Bgd", ".bmp"));
  choice.songs = NamesOf(LevelSongs(folders));
  return true;
}

ProvenLevel GenerateProvenLevel(std::uint64_t seed, int difficulty, const DataFolders& folders,
                                const std::string& tilesetName, const ProofSettings& settings) {
  ProvenLevel out;
  TileSetChoice named;
  if (!tilesetName.empty() && !ChooseTileSet(seed, folders, tilesetName, named, out.error)) return out;
  for (int attempt = 0; attempt < settings.attempts; ++attempt) {
    const std::uint64_t tried = seed + static_cast<std::uint64_t>(attempt);  // wraps after 2^64 - 1
    TileSetChoice chosen;
    if (tilesetName.empty() && !ChooseTileSet(tried, folders, "", chosen, out.error)) return out;
    const TileSetChoice& choice = tilesetName.empty() ? chosen : named;
    const GeneratedLevel generated = GenerateLevel(tried, difficulty, choice);
    if (!generated.error.empty()) {
      out.error = generated.error;
      return out;
    }
    const LevelProof proof = ProveLevel(generated.level, folders, settings);
    out.attempts = attempt + 1;
    if (proof.verdict == ProofVerdict::Stopped || proof.verdict == ProofVerdict::Unplayable) {
      out.error = "seed " + std::to_string(tried) + ": " + proof.reason;
      return out;
    }
    if (proof.passed()) {
      out.level = generated.level;
      out.tilesetName = choice.tilesetName;
      out.songName = generated.songName;
      out.motif = generated.motif;
      out.seed = tried;
      out.proofMs = proof.playMs;
      return out;
    }
  }
  out.error = "no level passed its proof in " + std::to_string(settings.attempts) + " seeds from " + std::to_string(seed);
  return out;
}
