// A player's whole path on the default data: menu with music, a game lost, the name typed, the table, Exit.
#include <gtest/gtest.h>

#include "front_end_run.h"
#include "platform/dik_codes.h"

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

  run.Frames(15);
  run.Tap(DIK_RETURN);  // leave the table
  run.Frames(2);
  ASSERT_EQ(run.frontEnd().shownScreen, "Main Menu");
  run.Frames(15);
  run.Tap(DIK_UP);  // "Exit"
  run.Tap(DIK_RETURN);
  EXPECT_TRUE(run.RunUntil([&] { return !run.game().state.running; }, 300));
}

}  // namespace
