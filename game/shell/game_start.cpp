// Starting a game in three phases: the loading picture fades in, everything loads, the picture fades out.
#include "shell/game_start.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

#include "content/file_io.h"
#include "content/level_set_file.h"
#include "content/numbers.h"
#include "core/game.h"
#include "core/game_input.h"
#include "frontend/front_end.h"
#include "gameplay/score.h"
#include "gameplay/sounds.h"
#include "loading/level_loading.h"
#include "platform/dik_codes.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/tape.h"
#include "platform/text.h"

namespace {

constexpr int ProblemMargin = 4;  // pixels kept free at each side of a line of the loading problem

std::filesystem::path PicturePath(const Game& game, const std::string& name) { return game.folders.shipped / "Gfx" / name; }

bool LoadPicture(Game& game, const std::string& name, int& id) {
  id = LoadImage(game.platform, PicturePath(game, name));
  if (id < 0) game.world.loadingProblem = "Gfx/" + name + " is missing or damaged";
  return id >= 0;
}

bool LoadPerSide(Game& game, const std::string& stem, std::array<int, 5>& ids) {
  for (int side = 1; side <= 4; ++side)
    if (!LoadPicture(game, stem + std::to_string(side) + ".bmp", ids[side])) return false;
  return true;
}

// The 21 game pictures, in their fixed order after "loading.bmp".
bool LoadGamePictures(Game& game) {
  GameImages& images = game.world.images;
  int font = -1;
  bool loaded = LoadPicture(game, "Paddle.bmp", images.paddleImage) &&
                LoadPicture(game, "Paddle2.bmp", images.paddle2Image) &&
                LoadPicture(game, "ball.bmp", images.ballImage) &&
                LoadPicture(game, "Explosion.bmp", images.explosionImage) &&
                LoadPicture(game, "powerups.bmp", images.powerupsImage) &&
                LoadPicture(game, "powerups2.bmp", images.powerups2Image) &&
                LoadPerSide(game, "laser", images.laserImages) && LoadPerSide(game, "cannon", images.cannonImages) &&
                LoadPicture(game, "numbers.bmp", images.numbersImage) &&
                LoadPerSide(game, "barrier", images.barrierImages) &&
                LoadPicture(game, "trail.bmp", images.trailImage) && LoadPicture(game, "font1.bmp", font);
  game.platform.text.gameFontImage = font;
  return loaded;
}

bool LoadGameSounds(Game& game) {
  ResetSoundTable(game.platform);
  const auto sfx = game.folders.shipped / "Sfx";
  for (const GameSound& sound : GameSounds) {
    const std::string file(sound.file);
    int slot = LoadSound(game.platform, sfx, file, false, SoundVolumeLevel(game.options));
    if (slot < 0) {
      game.world.loadingProblem = "Sfx/" + file + " is missing or damaged";
      return false;
    }
    game.world.soundIds[static_cast<int>(sound.id)] = static_cast<std::int16_t>(slot);
  }
  return true;
}

bool ContainsSpeedFileName(std::string name) {
  for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return name.find("speedhack.txt") != std::string::npos;
}

constexpr const char* BadSpeedFile = "speedhack.txt does not hold a whole number";

// A file whose name contains "speedhack.txt" makes the one named exactly so fix the frame step.
bool ReadSpeedFileFromDisk(Game& game) {
  std::error_code error;
  bool present = false;
  for (const auto& entry : std::filesystem::directory_iterator(game.folders.user, error))
    if (entry.is_regular_file(error) && ContainsSpeedFileName(entry.path().filename().string())) present = true;
  if (!present) return true;
  Bytes bytes;
  std::string readError;
  if (!ReadWholeFile(game.folders.user / "speedhack.txt", bytes, readError, 4096)) return true;  // only a look-alike
  std::string field;
  FieldReader reader(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  reader.next(field);
  while (!field.empty() && std::isspace(static_cast<unsigned char>(field.back()))) field.pop_back();
  std::int32_t value = 0;
  if (!ParseWholeNumber(field, value)) {
    game.world.loadingProblem = BadSpeedFile;
    return false;
  }
  game.state.speedOverride = value;
  return true;
}

// The speed file as the recorded game found it when replaying; kept when recording.
bool ReadSpeedFile(Game& game) {
  using Kind = RecordedStep::Kind;
  RecordedStep step;
  if (IsReplaying(game.platform)) {
    if (!TakeStep(game.platform, Kind::SpeedFile, step)) return false;
    if (step.kind == Kind::BadSpeedFile) game.world.loadingProblem = BadSpeedFile;
    else game.state.speedOverride = step.value;
    return step.kind == Kind::SpeedFile;
  }
  const bool read = ReadSpeedFileFromDisk(game);
  KeepStep(game.platform, {read ? Kind::SpeedFile : Kind::BadSpeedFile, game.state.speedOverride, {}});
  return read;
}

void DrawLoadingPicture(Game& game) { DrawCentredImage(game.platform, game.world.loadingImage); }

// A line too wide for the screen is cut at its start, so the end of a path (the file and what went wrong) shows.
void DrawCentredLine(Game& game, const std::string& text, float y) {
  const std::string shown = TextEndThatFits(text, ScreenWidth - 2 * ProblemMargin);
  DrawText(game.platform, shown, std::max(CentredTextX(shown), static_cast<float>(ProblemMargin)), y);
}

// Once, when the load has failed: the font the message needs (the failure may have come before it was loaded),
// and the message on stderr too, unless a replay that went another way failed it (the replay's own message says
// where).
void PrepareLoadingProblem(Game& game) {
  std::string& problem = game.world.loadingProblem;
  if (problem.empty()) problem = "a file could not be read";
  int& font = game.platform.text.gameFontImage;
  if (font < 0) font = LoadImage(game.platform, PicturePath(game, "font1.bmp"));
  if (game.platform.tape.divergence.empty()) std::cerr << "shardfall: cannot start the game: " << problem << '\n';
}

// What could not be loaded, and the way back; Esc returns to the front end.
void ShowLoadingProblem(Game& game) {
  DrawCentredLine(game, "Cannot start the game:", 360.0f);
  DrawCentredLine(game, game.world.loadingProblem, 395.0f);
  DrawCentredLine(game, "Press Esc to go back", 430.0f);
  ReadKeyboard(game);
  if (!KeyDown(game, DIK_ESCAPE)) return;
  game.world.loadingScreenShown = false;
  game.state.fadingIn = false;
  game.state.frontEndReady = false;
  EndGame(game);
}

void ShowLoadingPicture(Game& game) {
  GameWorld& world = game.world;
  world.loadingScreenShown = true;
  ResetSurfaceTable(game.platform);
  world.powerups.assign(1, Powerup{});
  world.particles.assign(1, Particle{});
  world.loadingImage = LoadImage(game.platform, PicturePath(game, "loading.bmp"));
  world.loadingProblem.clear();
  DrawLoadingPicture(game);
  game.state.fadingIn = true;
  // A generated first level is made while the picture fades in.
  StartMakingLevel(game, 1);
}

// Every step; false at the first failure, with loadingProblem naming it.
bool LoadEverything(Game& game) {
  GameWorld& world = game.world;
  // Each game start begins from a fresh table holding only the loading picture, so failures never grow it.
  ResetSurfaceTable(game.platform);
  game.platform.text.gameFontImage = -1;
  world.loadingImage = LoadImage(game.platform, PicturePath(game, "loading.bmp"));
  if (!ReadLevelSetList(game)) return false;
  if (!LoadGamePictures(game)) return false;
  if (!LoadGameSounds(game)) return false;
  if (!ReadSpeedFile(game)) return false;
  world.spareBalls = game.options.startingBalls;
  world.score = 0;
  game.state.paused = false;
  // A game left by Esc while its level-end fade ran would hand the new game a frozen, ending first level.
  world.levelEndRequested = false;
  game.state.gameplayFrozen = false;
  if (!StartLevel(game)) return false;
  world.autopilot = false;
  game.state.levelIntro = true;
  return true;
}

// Everything loads once the picture has faded in. A failed load is not tried again: its message stays on
// screen until the player goes back.
void LoadGame(Game& game) {
  const bool failed = !game.world.loadingProblem.empty();
  if (game.state.screenFade == 0.0f && !failed && !LoadEverything(game)) PrepareLoadingProblem(game);
  DrawLoadingPicture(game);
  if (!game.world.loadingProblem.empty()) ShowLoadingProblem(game);
}

void FadeOutLoadingPicture(Game& game) {
  DrawLoadingPicture(game);
  game.state.fadingOut = true;
  if (game.state.screenFade == -99.0f) {
    game.state.gameLoaded = true;
    game.world.loadingScreenShown = false;
  }
}

}  // namespace

bool ReadLevelSetList(Game& game) {
  const GeneratedSet& generated = game.generated.set;
  if (generated.kind != GeneratedKind::None) {
    game.levelSet = LevelSet{GeneratedSetName(generated), {}, 0};
    return true;
  }
  std::string error;
  if (!ReadLevelSetFile(game.levelSetPath, game.levelSet, error)) {
    game.world.loadingProblem = error;
    return false;
  }
  game.levelSet.currentLevel = 0;
  return true;
}

void StartGame(Game& game) {
  if (!game.world.loadingScreenShown) ShowLoadingPicture(game);
  else if (!game.state.levelIntro) LoadGame(game);
  else FadeOutLoadingPicture(game);
}

namespace {

// The loop begins at game start with the player's options.
void BeginAtGameStart(Game& game) {
  LoadOptions(game);
  game.state.frontEndReady = true;
  game.state.inFrontEnd = false;
  game.state.gameLoaded = false;
}

}  // namespace

void PlayLevelSetAtOnce(Game& game, const std::filesystem::path& levelSetFile) {
  std::error_code error;
  game.levelSetPath = std::filesystem::absolute(levelSetFile, error).string();
  game.generated.set = {};
  BeginAtGameStart(game);
}

void PlayGeneratedSetAtOnce(Game& game, const GeneratedSet& set) {
  game.levelSetPath.clear();
  game.generated.set = set;
  BeginAtGameStart(game);
}
