// A headless game in a temporary program folder with small pictures, sounds and level sets, driven frame by frame.
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/game.h"
#include "frontend/front_end.h"
#include "shell/main_loop.h"
#include "test_support.h"

class FrontEndRun {
 public:
  // Small made-up pictures and sounds, or the default data tree of the build folder with every mode wired.
  enum class Content { Small, Default };
  // `gamma` false makes the fades instant, which keeps most tests short.
  explicit FrontEndRun(bool gamma = false, Content content = Content::Small);
  ~FrontEndRun();

  Game& game() { return *game_; }
  FrontEnd& frontEnd() { return game_->frontEnd; }
  const std::filesystem::path& root() const { return root_.path(); }
  std::filesystem::path lvl() const { return root() / "Lvl"; }

  void AddLevelSet(const std::string& fileName, const std::string& setName);
  void Frames(int count);
  // Runs frames until `done` holds; false when it never did within `maxFrames`.
  bool RunUntil(const std::function<bool()>& done, int maxFrames = 600);
  // Runs until the Main Menu (or the first screen) is shown and fully faded in.
  void OpenFrontEnd();
  void Hold(int scanCode);
  void HoldButton(bool down);
  void Release(int scanCode);
  // The scripted gamepad's button, which also plugs the pad in.
  void HoldPad(PadButton button, bool down);
  // Down for one frame, up for one frame.
  void Tap(int scanCode);
  void TapPad(PadButton button);
  std::string LineText(int line) const;
  int SoundsPlayed(const std::string& name) const;

 private:
  TempRoot root_;
  std::unique_ptr<Game> game_;
  ModeSteps steps_;
  FrameTimer timer_;
};
