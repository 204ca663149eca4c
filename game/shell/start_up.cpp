// The one way a game starts, used by the program, the tests and the benchmarks alike.
#include "shell/start_up.h"

#include <utility>

#include "content/renamed_sets.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "gameplay/play_frames.h"
#include "platform/input.h"
#include "shell/game_start.h"
#include "shell/recording.h"
#include "shell/verify.h"

namespace {

// The platform with its devices, and the flags that follow from them: gamma, sound, the pointer at the top left.
void StartPlatform(Game& game) {
  const Settings& settings = game.settings;
  PlatformOptions& options = game.platform.options;
  options.place = {settings.windowX, settings.windowY, settings.windowWidth, settings.windowHeight,
                   settings.fullScreen != 0};
  options.fill = settings.fillScreen != 0;
  InitPlatform(game.platform);
  GameState& state = game.state;
  state.gammaAvailable = !game.platform.options.noGamma;
  state.pointerX = state.pointerY = 0;
  state.leftButton = state.rightButton = false;
  state.soundOn = true;
}

}  // namespace

bool StartUp(Game& game, StartSettings settings, std::string& error) {
  game.folders = settings.folders;
  CarryOverRenamedLevelSets(game.folders.user / "Lvl");
  game.platform.options = settings.platform;
  game.clock.isVirtual = settings.platform.headless;
  game.clock.virtualStep = settings.step;
  if (settings.seed) SeedRandom(game.random, *settings.seed);
  game.platform.input.script.active = settings.scriptedDevices;
  // The script must be in place before the platform starts: with one, the mouse is not taken from the desktop.
  if (!settings.inputScript.empty() && !LoadInputScript(game.platform, settings.inputScript, error)) return false;
  LoadSettings(game, settings.settingsFile.empty() && !settings.platform.headless ? SettingsPath(game.folders)
                                                                                   : settings.settingsFile);
  game.runGameSpeed = settings.gameSpeed;
  game.generated.maker = settings.levelMaker;
  game.verifier = VerifyRecording;
  game.recorder.nextGameFile = settings.recordFile;
  game.recorder.everyGameFolder = settings.recordFolder;
  // Before the platform starts, like a script: a replay does not take the mouse from the desktop.
  if (settings.replay) StartReplay(game, std::move(*settings.replay));
  StartPlatform(game);
  return true;
}

ModeSteps EveryModeStep() {
  ModeSteps steps;
  steps.setUpFrontEnd = SetUpFrontEnd;
  steps.frontEndFrame = FrontEndFrame;
  steps.startGame = StartGame;
  steps.introFrame = IntroFrame;
  steps.playFrame = PlayFrame;
  return steps;
}
