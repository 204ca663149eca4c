// What the test suites share: scratch folders, copies of the default data tree, small pictures, sounds and
// songs made on the spot, and a headless game started as the program starts one.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/game.h"
#include "fresh_folder.h"

// A fresh folder with Gfx, Sfx and Mus inside, removed again at the end of the test.
class TempRoot : public FreshFolder {
 public:
  TempRoot();
};

// The folders of the default data tree the build writes, copied into `root`.
void CopyDefaultTreeInto(const std::filesystem::path& root);
// A private copy of the default data tree in a fresh folder, for tests that change files.
class DefaultTreeCopy : public FreshFolder {
 public:
  DefaultTreeCopy() { CopyDefaultTreeInto(path()); }
};

// A window that shows nothing, with a keyboard and a mouse the test holds: what a person at a window gives the game.
class TestWindow final : public WindowDevice {
 public:
  KeyStates keys{};
  MouseState mouse;           // movement counts at the next read only
  mutable int awayReads = 0;  // the window says it is taken away (minimised, display lost) for this many asks
  bool closed = false;        // the window's close button was pressed
  std::optional<WindowPlace> place;  // where it says it is
  bool Present(const Display&) override { return false; }
  void TakeRamp(const GammaRamp&) override {}
  bool PresentIfStale(const Display&) override { return false; }
  void WaitForRefresh() override {}
  bool TakenAway() const override { return awayReads > 0 && awayReads-- > 0; }
  void PumpEvents(bool& quitRequested) override { quitRequested = quitRequested || closed; }
  KeyStates ReadKeys() override { return keys; }
  bool ReadMouse(MouseState& state) override {
    state = mouse;
    mouse.x = mouse.y = 0;
    return true;
  }
  void CaptureMouse(bool) override {}
  std::optional<WindowPlace> Place() const override { return place; }
};

// Puts a TestWindow and SDL's gamepads in place of a headless game's devices; the window stays the test's to hold.
TestWindow& UseTestWindowAndPads(Game& game);

// A game with a virtual clock at 0, no window and no sound device, started up as the program would.
std::unique_ptr<Game> MakeHeadlessGame(const std::filesystem::path& root = {});

// A headless game in a fresh program folder, with its platform and clock at hand.
class HeadlessGameTest : public ::testing::Test {
 protected:
  TempRoot root;
  std::unique_ptr<Game> game = MakeHeadlessGame(root.path());
  Platform& platform = game->platform;
  Clock& clock = game->clock;
};

// A bitmap whose pixels come from colourAt(x, y) as 0x00RRGGBB.
void WriteTestBitmap(const std::filesystem::path& path, int width, int height,
                     const std::function<std::uint32_t(int x, int y)>& colourAt);
// A PCM wave file (mono, 8-bit) of `dataBytes` samples at `rate` per second.
void WriteTestWave(const std::filesystem::path& path, std::uint32_t rate, std::uint32_t dataBytes);
// A one-track standard MIDI file whose last event is `quarters` quarter notes in, at `microsPerQuarter`.
void WriteTestMidi(const std::filesystem::path& path, int quarters, std::uint32_t microsPerQuarter = 500000);
// A one-track standard MIDI file (96 ticks a quarter) of the given events, each with its delta time, ended.
std::vector<std::uint8_t> MidiOf(std::vector<std::uint8_t> events);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// Script lines: the autopilot chord pressed for one frame at `tick`, and a click every `period` ms.
std::string AutopilotScript(int chordTick, int clickPeriod, int until);
std::string ClicksScript(int clickPeriod, int until);
