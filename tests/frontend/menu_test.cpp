// The menu framework: navigation, pauses, the panel and value lines.
#include <gtest/gtest.h>

#include "front_end_run.h"
#include "platform/dik_codes.h"
#include "platform/display.h"
#include "platform/text.h"

namespace {

int MarkedLines(const FrontEnd& frontEnd) {
  int marked = 0;
  for (const MenuLine& line : frontEnd.menuLines) marked += line.selected ? 1 : 0;
  return marked;
}

TEST(MenuNavigation, OpensOnTheMainMenuWithItsSixLines) {
  FrontEndRun run;
  run.OpenFrontEnd();
  EXPECT_EQ(run.frontEnd().shownScreen, "Main Menu");
  ASSERT_EQ(run.frontEnd().menuLines.size(), 6u);
  EXPECT_EQ(run.LineText(1), "New Game");
  EXPECT_EQ(run.LineText(6), "Exit");
  EXPECT_EQ(run.frontEnd().selectedItem, 1);
}

TEST(MenuNavigation, UpOnTheFirstLineWrapsToTheLastAndDownWrapsBack) {
  FrontEndRun run;
  run.OpenFrontEnd();
  run.Tap(DIK_UP);
  EXPECT_EQ(run.frontEnd().selectedItem, 6);
  run.Frames(10);
  run.Tap(DIK_DOWN);
  EXPECT_EQ(run.frontEnd().selectedItem, 1);
  EXPECT_EQ(MarkedLines(run.frontEnd()), 1);
  EXPECT_EQ(run.SoundsPlayed("MenuChange.wav"), 2);
}

TEST(MenuNavigation, HeldDownMovesOneLineEvery160Ms) {
  FrontEndRun run;  // 16 ms a frame
  run.OpenFrontEnd();
  run.Hold(DIK_DOWN);
  run.Frames(1);
  EXPECT_EQ(run.frontEnd().selectedItem, 2);
  run.Frames(9);  // 144 ms later: still waiting
  EXPECT_EQ(run.frontEnd().selectedItem, 2);
  run.Frames(1);  // 160 ms
  EXPECT_EQ(run.frontEnd().selectedItem, 3);
  run.Frames(10);
  EXPECT_EQ(run.frontEnd().selectedItem, 4);
}

TEST(MenuNavigation, AHeldKeyWaitsThePlayersDelayAfterItsFirstMoveAndALetGoKeyMovesAtOnce) {
  struct Case {
    int delayMs, framesHeld, line;  // frames of 16 ms after the first move, the line then highlighted
  };
  const Case cases[] = {{0, 9, 2}, {0, 10, 3}, {400, 10, 2}, {400, 24, 2}, {400, 25, 3}, {400, 35, 4}};
  for (const Case& c : cases) {
    FrontEndRun run;
    run.game().settings.menuRepeatDelay = c.delayMs;
    run.OpenFrontEnd();
    run.Hold(DIK_DOWN);
    run.Frames(1);
    ASSERT_EQ(run.frontEnd().selectedItem, 2);
    run.Frames(c.framesHeld);
    EXPECT_EQ(run.frontEnd().selectedItem, c.line) << c.delayMs << " ms, held " << c.framesHeld << " frames";
    run.Release(DIK_DOWN);
    run.Frames(10);
    run.Hold(DIK_DOWN);
    run.Frames(1);
    EXPECT_EQ(run.frontEnd().selectedItem, c.line + 1) << "a new press waits for no delay";
  }
}

TEST(MenuNavigation, UnselectableLinesAreSkipped) {
  FrontEndRun run;
  run.AddLevelSet("a.sfs", "Alpha");
  run.OpenFrontEnd();
  run.Tap(DIK_RETURN);  // New Game: "Alpha", "Endless", "Daily Challenge", "", "Back"
  run.Frames(2);
  ASSERT_EQ(run.frontEnd().shownScreen, "New Game");
  run.Release(DIK_RETURN);
  run.Tap(DIK_UP);
  EXPECT_EQ(run.frontEnd().selectedItem, 5);
  run.Frames(10);
  run.Tap(DIK_UP);
  EXPECT_EQ(run.frontEnd().selectedItem, 3);
}

TEST(MenuNavigation, LongListsScrollToKeepTheHighlightVisible) {
  FrontEndRun run;
  for (char c = 'a'; c < 'a' + 10; ++c) run.AddLevelSet(std::string(1, c) + ".sfs", std::string("Set ") + c);
  run.OpenFrontEnd();
  run.Tap(DIK_RETURN);
  run.Frames(2);
  ASSERT_EQ(run.frontEnd().menuLines.size(), 14u);  // ten sets, Endless, Daily Challenge, "", "Back"
  run.Tap(DIK_UP);  // wraps to "Back"
  EXPECT_EQ(run.frontEnd().selectedItem, 14);
  EXPECT_EQ(run.frontEnd().firstVisibleItem, 7);
  run.Frames(10);
  run.Tap(DIK_DOWN);  // wraps to the top and scrolls back
  EXPECT_EQ(run.frontEnd().selectedItem, 1);
  EXPECT_EQ(run.frontEnd().firstVisibleItem, 1);
}

TEST(ScreenPauses, HeldEnterOpensAScreenAndActsAgainAfterItsPause) {
  FrontEndRun run;
  run.AddLevelSet("a.sfs", "Alpha");
  run.OpenFrontEnd();
  run.Hold(DIK_RETURN);
  run.Frames(3);
  EXPECT_EQ(run.frontEnd().shownScreen, "New Game");
  EXPECT_FALSE(run.game().state.leavingFrontEnd);
  const std::int32_t ready = run.frontEnd().actionReadyTime;
  ASSERT_TRUE(run.RunUntil([&] { return run.game().state.leavingFrontEnd; }, 30));
  EXPECT_GE(Now(run.game()), ready);
  EXPECT_EQ(run.game().levelSetPath, (run.lvl() / "a.sfs").string());
  EXPECT_FALSE(run.game().state.gameLoaded);
}

TEST(ScreenPauses, EscReturnsFromCreditsAtOnceWhileEnterWaits) {
  FrontEndRun run;
  run.OpenFrontEnd();
  OpenScreen(run.frontEnd(), Screen::Credits);
  run.frontEnd().actionReadyTime = Now(run.game()) + 10000;
  run.Frames(2);
  run.Tap(DIK_RETURN);
  run.Frames(1);
  EXPECT_EQ(run.frontEnd().shownScreen, "Credits");
  run.Tap(DIK_ESCAPE);
  run.Frames(1);
  EXPECT_EQ(run.frontEnd().shownScreen, "Main Menu");
  EXPECT_EQ(run.SoundsPlayed("MenuBack.wav"), 1);
}

TEST(MenuPanel, GrowsFromThePreviousScreensSize) {
  FrontEndRun run;
  run.OpenFrontEnd();
  run.Frames(60);
  const int mainWidth = run.frontEnd().panelWidth;
  ASSERT_EQ(mainWidth, run.frontEnd().panelTargetWidth);
  OpenScreen(run.frontEnd(), Screen::Powerups);  // 400-pixel picture: a wider panel
  run.Frames(2);
  const int target = run.frontEnd().panelTargetWidth;
  EXPECT_EQ(target, 436);
  EXPECT_GT(run.frontEnd().panelWidth, mainWidth);
  EXPECT_LE(run.frontEnd().panelWidth, mainWidth + 8);
  run.Frames(60);
  EXPECT_EQ(run.frontEnd().panelWidth, target);
  EXPECT_EQ(run.frontEnd().panelHeight, 6 * 37 + 32);
}

// Once grown, the dark title band, the panel's title bar and its body are each centred on x = 320: on a row of
// each, exactly the columns they cover differ from the plain backdrop. The Main Menu and the High Scores list.
TEST(MenuPanel, TheDarkRegionsAreCentredAtTheirFullSize) {
  FrontEndRun run;
  WriteTestBitmap(run.root() / "Gfx" / "menuback.bmp", 640, 400, [](int, int) { return 0x3f3f3fu; });
  run.OpenFrontEnd();
  const FrontEnd& frontEnd = run.frontEnd();
  const auto expectCentredRegions = [&](const std::string& screen) {
    ASSERT_TRUE(run.RunUntil([&] {
      return frontEnd.shownScreen == screen && frontEnd.titleBackWidth == 580 &&
             frontEnd.panelWidth == frontEnd.panelTargetWidth && frontEnd.panelHeight == frontEnd.panelTargetHeight;
    })) << screen;
    run.Frames(1);
    const int width = frontEnd.panelWidth, top = 309 - frontEnd.panelHeight / 2;
    const std::vector<std::uint32_t> shown = ShownPicture(run.game().platform);
    const std::uint32_t backdrop = shown[479 * ScreenWidth];
    const struct {
      const char* name;
      int row, width;
    } regions[] = {{"title band", 30, 580}, {"title bar", top - 38, width}, {"panel body", top + 2, width}};
    for (const auto& [name, row, regionWidth] : regions) {
      const int left = static_cast<int>(std::nearbyint(320 - regionWidth / 2.0f));
      for (int x = 0; x < ScreenWidth; ++x)
        ASSERT_EQ(shown[row * ScreenWidth + x] != backdrop, x >= left && x < left + regionWidth)
            << screen << ": " << name << " " << x;
    }
  };
  expectCentredRegions("Main Menu");
  for (const int key : {DIK_DOWN, DIK_DOWN, DIK_RETURN}) {
    run.Tap(key);
    run.Frames(10);
  }
  expectCentredRegions("High Scores - Pick a level set:");
}

TEST(MenuPanel, AWideTitleWidensThePanelBeyondTheUsualLimit) {
  FrontEndRun run;
  FrontEnd& frontEnd = run.frontEnd();
  frontEnd.targetScreen = "WWWWWWWWWWWWWWWWWWWWWWWWWWWW";  // 28 x 30 - 1 = 839 pixels
  AddMenuItem(frontEnd, "Back", true);
  BuildMenuScreen(run.game());
  EXPECT_EQ(frontEnd.panelTargetWidth, TextWidth(frontEnd.targetScreen) + 36);
  EXPECT_GT(frontEnd.panelTargetWidth, 604);
  EXPECT_EQ(frontEnd.panelTargetHeight, 37 + 32);
}

TEST(MenuPanel, HeightAndWidthStopAtTheirLimits) {
  FrontEndRun run;
  FrontEnd& frontEnd = run.frontEnd();
  frontEnd.targetScreen = "T";
  for (int i = 0; i < 12; ++i) AddMenuItem(frontEnd, std::string(60, 'W'), true);
  BuildMenuScreen(run.game());
  EXPECT_EQ(frontEnd.panelTargetHeight, 328);
  EXPECT_EQ(frontEnd.panelTargetWidth, 604);
}

class ValueLine : public ::testing::Test {
 protected:
  void Build(const std::string& text) {
    run.frontEnd().targetScreen = "Options";
    AddMenuItem(run.frontEnd(), text, true, true);
    BuildMenuScreen(run.game());
  }
  FrontEndRun run;
};

TEST_F(ValueLine, AShorterValueKeepsTheLabelAndBlanksTheRest) {
  Build("Sound Volume:    ****100");
  SetMenuItemValue(run.frontEnd(), 1, "99");
  EXPECT_EQ(run.LineText(1), "Sound Volume:    **** 99");
}

TEST_F(ValueLine, ALongerValueOverwritesMarkersFromTheRight) {
  Build("Detail:**Low");
  SetMenuItemValue(run.frontEnd(), 1, "High");
  EXPECT_EQ(run.LineText(1), "Detail:*High");
}

TEST_F(ValueLine, LabelStartsAtTheLeftMarginAndValueEndsAtTheRight) {
  Build("Starting Balls:**3");
  FrontEnd& frontEnd = run.frontEnd();
  frontEnd.penX = 0.0f;
  DrawMenuChar(run.game(), 1, 1);
  const float left = 320.0f - frontEnd.panelTargetWidth / 2.0f + 18.0f;
  EXPECT_FLOAT_EQ(frontEnd.penX, left + TextWidth("S") + 1);
  for (int p = 2; p <= 18; ++p) DrawMenuChar(run.game(), 1, p);
  // The pen stops one gap after the last glyph, whose right edge is the right margin.
  EXPECT_FLOAT_EQ(frontEnd.penX, 320.0f + frontEnd.panelTargetWidth / 2.0f - 18.0f + 1.0f);
}

}  // namespace
