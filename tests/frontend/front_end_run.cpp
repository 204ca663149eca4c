// The headless front-end runner of the tests: fixture files and frame stepping.
#include "front_end_run.h"

#include <algorithm>
#include <random>

#include "content/bitmap_file.h"
#include "content/file_io.h"
#include "content/level_set_file.h"
#include "gameplay/play_frames.h"
#include "platform/platform.h"
#include "shell/game_start.h"
#include "shell/start_up.h"

namespace {

void WritePicture(const std::filesystem::path& path, int width, int height, std::uint32_t colour) {
  Bitmap bitmap{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
  std::string error;
  WriteBitmapFile(path, bitmap, error);
}

void PutLe(Bytes& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A short 8-bit mono PCM wave.
void WriteWave(const std::filesystem::path& path) {
  const std::uint32_t samples = 800;
  Bytes bytes;
  for (char c : std::string("RIFF")) bytes.push_back(static_cast<std::uint8_t>(c));
  PutLe(bytes, 36 + samples, 4);
  for (char c : std::string("WAVEfmt ")) bytes.push_back(static_cast<std::uint8_t>(c));
  PutLe(bytes, 16, 4);
  PutLe(bytes, 1, 2);     // PCM
  PutLe(bytes, 1, 2);     // mono
  PutLe(bytes, 8000, 4);  // samples per second
  PutLe(bytes, 8000, 4);  // bytes per second
  PutLe(bytes, 1, 2);
  PutLe(bytes, 8, 2);
  for (char c : std::string("data")) bytes.push_back(static_cast<std::uint8_t>(c));
  PutLe(bytes, samples, 4);
  bytes.insert(bytes.end(), samples, 128);
  std::string error;
  WriteFileAtomically(path, bytes, error);
}

std::filesystem::path FreshFolder() {
  std::random_device random;
  auto folder = std::filesystem::temp_directory_path() / ("shardfall-frontend-" + std::to_string(random()));
  std::filesystem::create_directories(folder);
  return folder;
}

void CopyDefaultTree(const std::filesystem::path& root) {
  for (const char* folder : {"Gfx", "Sfx", "Mus", "Lvl", "Tls", "Bgd"}) {
    std::filesystem::copy(std::filesystem::path(SHARDFALL_DEFAULT_TREE) / folder, root / folder,
                          std::filesystem::copy_options::recursive);
  }
}

void WriteSmallTree(const std::filesystem::path& root) {
  for (const char* folder : {"Gfx", "Sfx", "Mus", "Lvl"}) std::filesystem::create_directories(root / folder);
  WritePicture(root / "Gfx" / "loading.bmp", 100, 40, 0x808080);
  WritePicture(root / "Gfx" / "tileback2.bmp", 64, 64, 0x204060);
  WritePicture(root / "Gfx" / "menuback.bmp", 640, 400, 0x7f7f7f);
  WritePicture(root / "Gfx" / "menuback2.bmp", 640, 400, 0x202020);
  WritePicture(root / "Gfx" / "font1.bmp", 640, 80, 0xffffff);
  WritePicture(root / "Gfx" / "menutitle.bmp", 210, 100, 0xc0c000);
  WritePicture(root / "Gfx" / "readme.bmp", 400, 200, 0x00c0c0);
  for (const char* sound : {"MenuChange.wav", "MenuSelect.wav", "ExitGame.wav", "MenuBack.wav"}) {
    WriteWave(root / "Sfx" / sound);
  }
}

}  // namespace

FrontEndRun::FrontEndRun(bool gamma, Content content) : root_(FreshFolder()), game_(std::make_unique<Game>()) {
  if (content == Content::Default) {
    CopyDefaultTree(root_);
    steps_.startGame = StartGame;
    steps_.introFrame = IntroFrame;
    steps_.playFrame = PlayFrame;
  } else {
    WriteSmallTree(root_);
  }
  Game& g = *game_;
  g.folders = SameFolders(root_);
  g.platform.options.headless = true;
  g.platform.options.noGamma = !gamma;
  g.clock.isVirtual = true;
  g.platform.input.script.active = true;  // keys come from Hold and Release
  StartPlatform(g);
  g.state.running = true;
  g.state.screenFade = -99.0f;
  steps_.setUpFrontEnd = SetUpFrontEnd;
  steps_.frontEndFrame = FrontEndFrame;
}

FrontEndRun::~FrontEndRun() {
  ShutDownPlatform(game_->platform);
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

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

void FrontEndRun::Tap(int scanCode) {
  Hold(scanCode);
  Frames(1);
  Release(scanCode);
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
