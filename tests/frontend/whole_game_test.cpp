// A player's whole path on the default data: menu with music, a game lost, the name typed, the table, Exit; with
// mouse and keys, with the keyboard alone and with a gamepad alone.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "front_end_run.h"
#include "platform/dik_codes.h"
#include "platform/input.h"

namespace {

// Clicks now and then while a level waits or the end-of-game message shows; lets go in the front end.
bool PlayUntilNameEntry(FrontEndRun& run) {
  for (int frame = 0; frame < 20000; ++frame) {
    const GameState& s = run.game().state;
    if (run.frontEnd().scoreEntryPending && run.game().platform.input.edgeKeys) return true;
    const bool inGame = !s.inFrontEnd && s.frontEndReady;
    run.HoldButton(inGame && frame % 40 < 2);
    run.Frames(1);
  }
  return false;
}

// A game of one ball on the default data, from the Main Menu.
class OneBallGame : public ::testing::Test {
 protected:
  void SetUp() override {
    Options oneBall;
    oneBall.startingBalls = 1;
    std::string error;
    ASSERT_TRUE(WriteOptionsFile(run.root() / "config.bin", oneBall, error));
  }
  // `press(true)` now and then, steering with `steer(frame)`, until the name entry: the level is started, the
  // ball played until lost, and the end-of-game message left with the same press.
  bool PlayUntilNameEntry(const std::function<void(bool)>& press, const std::function<void(int)>& steer) {
    for (int frame = 0; frame < 20000; ++frame) {
      if (run.frontEnd().scoreEntryPending && run.game().platform.input.edgeKeys) return true;
      const GameState& s = run.game().state;
      const bool inGame = !s.inFrontEnd && s.frontEndReady;
      press(inGame && frame % 40 < 2);
      if (inGame) steer(frame);
      run.Frames(1);
    }
    return false;
  }
  void ExpectTheTableHolds(const std::string& name) {
    const std::string set = run.game().levelSetPath;
    const HighScoreTable table = ReadScoreTableOrEmpty(set.substr(0, set.size() - 3) + "sfh");
    EXPECT_EQ(table, (HighScoreTable{{name, run.game().world.score}}));
    EXPECT_EQ(run.frontEnd().shownScreen.rfind("High Scores - ", 0), 0u);
  }

  FrontEndRun run{true, FrontEndRun::Content::Default};
};

TEST_F(OneBallGame, TheKeyboardAlonePlaysFromTheMainMenuToTheNameEntry) {
  run.OpenFrontEnd();
  run.Tap(DIK_RETURN);  // New Game
  run.Frames(12);
  run.Tap(DIK_RETURN);  // the first set
  ASSERT_TRUE(run.RunUntil([&] { return run.game().state.gameLoaded; }, 2000));
  const float start = run.game().state.pointerX;
  float furthest = start;
  ASSERT_TRUE(PlayUntilNameEntry([&](bool down) { down ? run.Hold(DIK_SPACE) : run.Release(DIK_SPACE); },
                                 [&](int frame) {
                                   frame % 200 < 100 ? run.Hold(DIK_RIGHT) : run.Release(DIK_RIGHT);
                                   furthest = std::max(furthest, run.game().state.pointerX);
                                 }));
  run.Release(DIK_RIGHT);
  EXPECT_GT(furthest, start);  // the arrow key moved the paddle
  run.Frames(5);
  for (int key : {DIK_R, DIK_U, DIK_SPACE, DIK_T, DIK_H}) run.Tap(key);  // Space types here: it clicks in play only
  run.Tap(DIK_RETURN);
  run.Frames(2);
  ExpectTheTableHolds("ru th");
}

TEST_F(OneBallGame, AGamepadAlonePlaysFromTheMainMenuToTheNameEntry) {
  UseTestWindowAndPads(run.game());
  VirtualPad pad;
  ASSERT_TRUE(pad.Plugged());
  auto tap = [&](PadButton button) {
    pad.Press(button, true);
    run.Frames(1);
    pad.Press(button, false);
    run.Frames(1);
  };
  run.OpenFrontEnd();
  tap(PadButton::Down);  // Options, to change a value and come back
  run.Frames(12);
  tap(PadButton::A);
  run.Frames(12);
  ASSERT_EQ(run.frontEnd().shownScreen, "Options");
  tap(PadButton::Right);  // Starting Balls 1 -> 2
  EXPECT_EQ(run.game().options.startingBalls, 2);
  run.Frames(12);
  tap(PadButton::Left);
  tap(PadButton::B);  // back, saved, on New Game
  run.Frames(24);
  ASSERT_EQ(run.frontEnd().shownScreen, "Main Menu");
  tap(PadButton::A);
  run.Frames(12);
  ASSERT_EQ(run.frontEnd().shownScreen, "New Game");
  tap(PadButton::A);
  ASSERT_TRUE(run.RunUntil([&] { return run.game().state.gameLoaded; }, 2000));
  const float start = run.game().state.pointerX;
  float furthest = start;
  ASSERT_TRUE(PlayUntilNameEntry([&](bool down) { pad.Press(PadButton::A, down); },
                                 [&](int frame) {
                                   pad.Tilt(frame % 200 < 100 ? 32767 : 0, 0);
                                   furthest = std::max(furthest, run.game().state.pointerX);
                                 }));
  pad.Tilt(0, 0);
  EXPECT_GT(furthest, start);  // the stick moved the paddle
  run.Frames(5);
  for (PadButton button : {PadButton::Up, PadButton::Up, PadButton::A, PadButton::Down, PadButton::A}) tap(button);
  tap(PadButton::Start);
  run.Frames(2);
  ExpectTheTableHolds("CB");
  run.Frames(15);
  tap(PadButton::B);  // leave the table
  run.Frames(2);
  ASSERT_EQ(run.frontEnd().shownScreen, "Main Menu");
  run.Frames(15);
  tap(PadButton::Up);  // Exit
  tap(PadButton::A);
  EXPECT_TRUE(run.RunUntil([&] { return !run.game().state.running; }, 300));
}

TEST(WholeGame, APlayerLosesAGameEntersANameSeesTheTableAndQuits) {
  FrontEndRun run(true, FrontEndRun::Content::Default);
  Options short_game;
  short_game.startingBalls = 1;
  std::string error;
  ASSERT_TRUE(WriteOptionsFile(run.root() / "config.bin", short_game, error));

  run.OpenFrontEnd();
  EXPECT_EQ(run.frontEnd().shownScreen, "Main Menu");
  EXPECT_TRUE(run.game().state.musicOn);
  EXPECT_EQ(run.game().platform.music.songFile, "SFSong1.mid");

  run.Tap(DIK_RETURN);  // New Game
  run.Frames(12);
  ASSERT_EQ(run.frontEnd().shownScreen, "New Game");
  const std::string chosen = run.frontEnd().levelSets.at(0).path;
  run.Tap(DIK_RETURN);
  EXPECT_EQ(run.game().levelSetPath, chosen);
  ASSERT_TRUE(run.RunUntil([&] { return run.game().state.gameLoaded; }, 2000));

  ASSERT_TRUE(PlayUntilNameEntry(run));
  const std::int32_t score = run.game().world.score;
  const std::string scoreFile = chosen.substr(0, chosen.size() - 3) + "sfh";
  EXPECT_EQ(run.frontEnd().pendingScoreFile, scoreFile);
  run.Frames(5);
  for (int key : {DIK_R, DIK_U, DIK_T, DIK_H}) run.Tap(key);
  run.Tap(DIK_RETURN);
  run.Frames(2);
  EXPECT_EQ(run.frontEnd().shownScreen.rfind("High Scores - ", 0), 0u);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile), (HighScoreTable{{"ruth", score}}));
  ASSERT_EQ(run.frontEnd().menuLines.size(), 3u);
  EXPECT_EQ(run.LineText(1), ScoreLineText(1, {"ruth", score}));

  // The new entry is highlighted: Enter shows its game, which is checked meanwhile and then watched.
  run.Frames(15);
  run.Tap(DIK_RETURN);
  run.Frames(2);
  EXPECT_EQ(run.LineText(1), ScoreLineText(1, {"ruth", score}));
  for (int wait = 0; wait < 60000 && !run.LineText(3).starts_with("Verified"); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    run.Frames(1);
  }
  ASSERT_TRUE(run.LineText(3).starts_with("Verified")) << run.LineText(3);
  ASSERT_EQ(run.LineText(run.frontEnd().selectedItem), "Watch");
  run.Frames(15);
  run.Tap(DIK_RETURN);
  ASSERT_TRUE(run.RunUntil([&] { return run.game().recorder.watched.has_value(); }, 300));
  ASSERT_TRUE(run.RunUntil([&] { return !run.game().recorder.watched.has_value(); }, 20000));
  ASSERT_TRUE(run.RunUntil([&] { return run.frontEnd().shownScreen.starts_with("High Scores - "); }, 600));
  EXPECT_TRUE(run.LineText(1).starts_with("The game verified")) << run.LineText(1);
  EXPECT_EQ(run.LineText(run.frontEnd().selectedItem), ScoreLineText(1, {"ruth", score}));
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile), (HighScoreTable{{"ruth", score}}));  // watching saved nothing

  run.Frames(15);
  run.Tap(DIK_ESCAPE);  // leave the table
  run.Frames(2);
  ASSERT_EQ(run.frontEnd().shownScreen, "Main Menu");
  run.Frames(15);
  run.Tap(DIK_UP);  // "Exit"
  run.Tap(DIK_RETURN);
  EXPECT_TRUE(run.RunUntil([&] { return !run.game().state.running; }, 300));
}

}  // namespace
