// The screens: New Game's list of sets, the information screens, leaving the front end, the hidden table.
#include <algorithm>
#include <fstream>

#include <gtest/gtest.h>

#include "content/version.h"
#include "loading/level_loading.h"
#include "front_end_run.h"
#include "platform/dik_codes.h"
#include "platform/display.h"

namespace {

void OpenFromMainMenu(FrontEndRun& run, int line) {
  for (int i = 1; i < line; ++i) {
    run.Tap(DIK_DOWN);
    run.Frames(10);
  }
  run.Tap(DIK_RETURN);
  run.Frames(2);
}

TEST(LevelSetList, ListsSetsInFileNameOrderWithBackLast) {
  FrontEndRun run;
  run.AddLevelSet("b.sfs", "Second");
  run.AddLevelSet("a.sfs", "First");
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 1);
  ASSERT_EQ(run.frontEnd().menuLines.size(), 6u);
  EXPECT_EQ(run.LineText(1), "First");
  EXPECT_EQ(run.LineText(2), "Second");
  EXPECT_EQ(run.LineText(3), "Endless");
  EXPECT_EQ(run.LineText(4), "Daily Challenge");
  EXPECT_EQ(run.LineText(5), "");
  EXPECT_EQ(run.LineText(6), "Back");
}

TEST(LevelSetList, OnlyNamesEndingInLowerCaseSfsAreListed) {
  FrontEndRun run;
  run.AddLevelSet("upper.SFS", "Upper");
  run.AddLevelSet("nodotsfs", "No Dot");
  run.AddLevelSet("other.sfl", "Level");
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 1);
  ASSERT_EQ(run.frontEnd().levelSets.size(), 3u);  // and Endless, the Daily Challenge
  EXPECT_EQ(run.frontEnd().levelSets[0].name, "No Dot");
}

TEST(LevelSetList, AnUnreadableSetIsListedUnderItsFileName) {
  FrontEndRun run;
  std::filesystem::create_directory(run.lvl() / "broken.sfs");  // cannot be read as a file
  std::ofstream(run.lvl() / "empty.sfs").close();
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 1);
  ASSERT_GE(run.frontEnd().menuLines.size(), 3u);
  EXPECT_EQ(run.LineText(1), "empty.sfs");
}

TEST(LevelSetList, WithNoSetsEnterOnBackReturnsAtOnce) {
  FrontEndRun run;
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 1);
  EXPECT_EQ(run.frontEnd().selectedItem, 1);  // "Endless"
  run.Tap(DIK_UP);
  EXPECT_EQ(run.frontEnd().selectedItem, 4);  // "Back"
  run.Tap(DIK_RETURN);
  run.Frames(2);
  EXPECT_EQ(run.frontEnd().shownScreen, "Main Menu");
}

TEST(LevelSetList, TheDailyChallengeWaitsForAClockThatGivesARightDate) {
  const struct {
    CalendarDate today;
    std::string line;
    bool selectable;
  } cases[] = {{{2026, 12, 8}, "Daily Challenge", true},
               {{1970, 1, 1}, "Daily Challenge (set the clock)", false},
               {{9999, 12, 31}, "Daily Challenge (set the clock)", false}};
  for (const auto& each : cases) {
    FrontEndRun run;
    run.game().today = each.today;
    run.OpenFrontEnd();
    ::testing::internal::CaptureStderr();
    OpenFromMainMenu(run, 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(run.LineText(2), each.line);
    EXPECT_EQ(run.frontEnd().menuLines.at(1).selectable, each.selectable) << each.line;
    EXPECT_EQ(said.find("set the clock") != std::string::npos, !each.selectable) << said;
  }
}

TEST(GeneratedGames, TheDailyChallengePlaysTheDaysLevelsAndItsTableIsListedByDate) {
  FrontEndRun run(false, FrontEndRun::Content::Default);
  const CalendarDate today{2026, 12, 8};
  run.game().today = today;
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 1);
  while (run.LineText(run.frontEnd().selectedItem) != "Daily Challenge") {
    run.Tap(DIK_DOWN);
    run.Frames(10);
  }
  run.Tap(DIK_RETURN);
  ASSERT_TRUE(run.RunUntil([&] { return run.game().state.gameLoaded; }, 2000));
  EXPECT_EQ(run.game().generated.set, DailySet(today));
  EXPECT_EQ(run.game().world.loadingProblem, "");
  EXPECT_EQ(run.game().levelSet.currentLevel, 1);
  EXPECT_EQ(ScoreFileOfGame(run.game()),
            (run.game().folders.user / "Lvl" / "Generated" / "Daily-2026-12-08.sfh").string());

  std::string error;
  std::filesystem::create_directories(run.game().folders.user / "Lvl" / "Generated");
  ASSERT_TRUE(WriteHighScoreFile(ScoreFileOfGame(run.game()), {{"Ann", 5}}, error)) << error;
  run.game().frontEnd.pendingScoreFile.clear();
  run.game().state.quitToFrontEnd = true;
  ASSERT_TRUE(run.RunUntil([&] { return run.frontEnd().shownScreen == "Main Menu"; }, 2000));
  OpenFromMainMenu(run, 3);
  bool listed = false;
  for (int line = 1; line <= static_cast<int>(run.frontEnd().menuLines.size()); ++line)
    listed = listed || run.LineText(line) == "Daily Challenge 2026-12-08";
  EXPECT_TRUE(listed);
}

TEST(LeavingFrontEnd, ChoosingASetHandsOverAfterTheFadeAndFreesTheFrontEnd) {
  FrontEndRun run(true);
  run.AddLevelSet("a.sfs", "Alpha");
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 1);
  run.Frames(12);
  run.Tap(DIK_RETURN);
  ASSERT_TRUE(run.game().state.leavingFrontEnd);
  ASSERT_TRUE(run.RunUntil([&] { return !run.game().state.inFrontEnd; }, 200));
  EXPECT_TRUE(run.game().state.running);
  EXPECT_FALSE(run.game().state.leavingFrontEnd);
  EXPECT_EQ(run.frontEnd().panelWidth, 0);
  for (const SoundSlot& slot : run.game().platform.sound.soundTable) EXPECT_TRUE(slot.free);
}

TEST(InformationScreens, PowerupsAndCreditsHoldTheHighlightOnBack) {
  for (int line : {4, 5}) {
    FrontEndRun run;
    run.OpenFrontEnd();
    OpenFromMainMenu(run, line);
    const int back = line == 4 ? 6 : 8;
    EXPECT_EQ(run.frontEnd().selectedItem, back);
    EXPECT_EQ(run.LineText(back), "Back");
    run.Frames(12);
    run.Tap(DIK_UP);
    EXPECT_EQ(run.frontEnd().selectedItem, back);
    run.Frames(12);
    run.Tap(DIK_DOWN);
    EXPECT_EQ(run.frontEnd().selectedItem, back);
    EXPECT_EQ(run.SoundsPlayed("MenuChange.wav"), line - 1 + 2);
  }
}

TEST(InformationScreens, CreditsNameTheTeamThePlayersAndTheVersion) {
  FrontEndRun run;
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 5);
  EXPECT_EQ(run.LineText(3), "The Shardfall team");
  EXPECT_EQ(run.LineText(6), "Everyone who plays");
  EXPECT_EQ(run.LineText(7), "Version " + std::string(ShardfallVersion()));
}

TEST(InformationScreens, ATallReadMePictureTakesMoreLinesAndEndsClearOfBack) {
  FrontEndRun run;
  const Pixel picture = ToPixel(0x00c0c0), text = ToPixel(0xffffff);  // the small tree's font is white
  WriteTestBitmap(run.root() / "Gfx" / "readme.bmp", 600, 256, [](int, int) { return 0x00c0c0u; });
  run.OpenFrontEnd();
  OpenFromMainMenu(run, 4);
  run.Frames(80);  // the panel has grown to its size
  EXPECT_EQ(run.frontEnd().menuLines.size(), 8u);
  const std::vector<Pixel>& frame = run.game().platform.display.shownFrame;
  const auto rowHolds = [&frame](int y, Pixel colour) {
    return std::find(frame.begin() + y * ScreenWidth, frame.begin() + (y + 1) * ScreenWidth, colour) !=
           frame.begin() + (y + 1) * ScreenWidth;
  };
  int top = 0, bottom = ScreenHeight - 1;
  while (top < ScreenHeight && !rowHolds(top, picture)) ++top;
  while (bottom > top && !rowHolds(bottom, picture)) --bottom;
  int back = top;  // the first text below the picture's top
  while (back < ScreenHeight && !rowHolds(back, text)) ++back;
  EXPECT_EQ(bottom - top + 1, 256);
  EXPECT_GE(back, bottom + 5) << "the picture reaches \"Back\"";
  EXPECT_LT(back, ScreenHeight);
}

TEST(HiddenTable, TheChordWritesItAndViewingItDeletesIt) {
  FrontEndRun run;
  run.OpenFrontEnd();
  run.Hold(DIK_M);
  run.Hold(DIK_Z);
  run.Frames(2);
  run.Release(DIK_M);
  run.Release(DIK_Z);
  const auto file = run.lvl() / "muzac.sfh";
  HighScoreTable table = ReadScoreTableOrEmpty(file);
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table.front().score, 100000);
  EXPECT_EQ(table.back().score, 10000);
  run.Frames(1);
  OpenFromMainMenu(run, 3);  // High Scores: the list of tables
  ASSERT_EQ(run.frontEnd().shownScreen, "High Scores - Pick a level set:");
  EXPECT_EQ(run.LineText(1), "My Favorite Bands");
  run.Frames(12);
  run.Tap(DIK_RETURN);
  run.Frames(2);
  EXPECT_EQ(run.frontEnd().shownScreen, "High Scores - My Favorite Bands");
  EXPECT_EQ(run.frontEnd().menuLines.size(), 12u);
  run.Tap(DIK_ESCAPE);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(run.frontEnd().pendingScoreFile.empty());
}

}  // namespace
