// The headless front-end runner of the tests: fixture files and frame stepping.
#include "front_end_run.h"

#include <algorithm>

#include "content/level_set_file.h"
#include "content/media_files.h"
#include "proof/level_maker.h"
#include "shell/start_up.h"

namespace {

// Small pictures of one colour each, and four short sounds: what the front end loads, and no more.
void WriteSmallTree(const std::filesystem::path& root) {
  for (const char* folder : {"Gfx", "Sfx", "Mus", "Lvl"}) std::filesystem::create_directories(root / folder);
  auto solid = [](std::uint32_t colour) { return [colour](int, int) { return colour; }; };
  WriteTestBitmap(root / "Gfx" / "loading.bmp", 100, 40, solid(0x808080));
  WriteTestBitmap(root / "Gfx" / "tileback2.bmp", 64, 64, solid(0x204060));
  WriteTestBitmap(root / "Gfx" / "menuback.bmp", 640, 400, solid(0x7f7f7f));
  WriteTestBitmap(root / "Gfx" / "menuback2.bmp", 640, 400, solid(0x202020));
  WriteTestBitmap(root / "Gfx" / "font1.bmp", 640, 80, solid(0xffffff));
  WriteTestBitmap(root / "Gfx" / "menutitle.bmp", 210, 100, solid(0xc0c000));
  WriteTestBitmap(root / "Gfx" / "readme.bmp", 400, 200, solid(0x00c0c0));
  for (std::string_view sound : MenuSoundFiles) WriteTestWave(root / "Sfx" / sound, 8000, 800);
}

}  // namespace

FrontEndRun::FrontEndRun(bool gamma, Content content) : game_(std::make_unique<Game>()) {
  steps_ = EveryModeStep();
  if (content == Content::Default) {
    CopyDefaultTreeInto(root());
  } else {
    WriteSmallTree(root());
    // Only the menus: a game chosen here is not started.
    steps_.startGame = steps_.introFrame = steps_.playFrame = nullptr;
  }
  StartSettings settings;
  settings.folders = SameFolders(root());
  settings.platform.headless = true;
  settings.levelMaker = MakeProvenLevel;
  settings.platform.noGamma = !gamma;
  settings.scriptedDevices = true;  // keys come from Hold and Release
  std::string error;
  StartUp(*game_, settings, error);
  BeginFrames(*game_);
}

FrontEndRun::~FrontEndRun() { ShutDownPlatform(game_->platform); }

void FrontEndRun::AddLevelSet(const std::string& fileName, const std::string& setName) {
  LevelSet set{setName, {"one.sfl"}, 0};
  std::string error;
  WriteLevelSetFile(lvl() / fileName, set, error);
}

void FrontEndRun::Frames(int count) {
  for (int i = 0; i < count && game_->state.running; ++i) RunFrame(*game_, steps_, timer_);
}

bool FrontEndRun::RunUntil(const std::function<bool()>& done, int maxFrames) {
  for (int i = 0; i < maxFrames; ++i) {
    if (done()) return true;
    Frames(1);
  }
  return done();
}

void FrontEndRun::OpenFrontEnd() {
  RunUntil([this] {
    const GameState& s = game_->state;
    return s.frontEndReady && s.inFrontEnd && s.screenFade == 0.0f && !frontEnd().shownScreen.empty();
  });
}

void FrontEndRun::HoldButton(bool down) { game_->platform.input.script.mouse.buttons[0] = down ? 0x80 : 0; }
void FrontEndRun::Hold(int scanCode) { game_->platform.input.script.keys[scanCode] = 0x80; }
void FrontEndRun::Release(int scanCode) { game_->platform.input.script.keys[scanCode] = 0; }

void FrontEndRun::HoldPad(PadButton button, bool down) {
  PadState& pad = game_->platform.input.script.pad;
  pad.connected = true;
  pad.buttons = static_cast<std::uint16_t>(down ? pad.buttons | PadBit(button) : pad.buttons & ~PadBit(button));
}

void FrontEndRun::Tap(int scanCode) {
  Hold(scanCode);
  Frames(1);
  Release(scanCode);
  Frames(1);
}

void FrontEndRun::TapPad(PadButton button) {
  HoldPad(button, true);
  Frames(1);
  HoldPad(button, false);
  Frames(1);
}

std::string FrontEndRun::LineText(int line) const {
  std::string text;
  for (std::int16_t c : game_->frontEnd.menuLines.at(line - 1).chars) text += static_cast<char>(c);
  return text;
}

int FrontEndRun::SoundsPlayed(const std::string& name) const {
  const auto& log = game_->platform.sound.soundLog;
  return static_cast<int>(std::count(log.begin(), log.end(), name));
}
