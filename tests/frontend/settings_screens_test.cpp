// More Settings and Controls: values moved by Left, Right and select, keys and pad buttons chosen by pressing
// them (conflicts refused, Esc or a click giving up), the defaults back, and settings.ini written on leaving.
#include <gtest/gtest.h>

#include <functional>

#include "content/settings_file.h"
#include "front_end_run.h"
#include "platform/dik_codes.h"

namespace {

class SettingsScreens : public ::testing::Test {
 protected:
  FrontEndRun run;
  std::filesystem::path file = run.root() / "settings.ini";

  void SetUp() override {
    run.game().settingsFile = file;
    run.OpenFrontEnd();
    Choose(2);  // Options
    Choose(7);  // More Settings
    ASSERT_EQ(run.frontEnd().shownScreen, "More Settings");
  }
  // Highlights the line and selects it with Enter, then lets the screen settle past any pause (360 ms at most).
  void Choose(int line) {
    SelectMenuLine(run.frontEnd(), line);
    Press(DIK_RETURN);
  }
  void Press(int key) {
    run.Tap(key);
    run.Frames(24);
  }
  void OpenControls() {
    Choose(8);
    ASSERT_EQ(run.frontEnd().shownScreen, "Controls");
  }
  Settings& settings() { return run.game().settings; }
  Settings Saved() {
    Settings saved;
    std::string problem;
    EXPECT_TRUE(ReadSettingsFile(file, saved, problem)) << problem;
    return saved;
  }
};

TEST_F(SettingsScreens, LeftRightAndSelectMoveEachValueWithinWhatItOffers) {
  const struct {
    int line, key;
    std::int32_t Settings::*field;
    std::int32_t value;
    const char* text;
  } cases[] = {
      {1, DIK_RIGHT, &Settings::gameSpeed, 100, "Game Speed:**100"},  // at the top already
      {1, DIK_LEFT, &Settings::gameSpeed, 90, "Game Speed:**90"},
      {1, DIK_RETURN, &Settings::gameSpeed, 100, "Game Speed:**100"},
      {1, DIK_RETURN, &Settings::gameSpeed, 50, "Game Speed:**50"},  // select goes round
      {1, DIK_LEFT, &Settings::gameSpeed, 50, "Game Speed:**50"},
      {2, DIK_LEFT, &Settings::confirmLeave, 1, "Confirm before leaving:**On"},  // a switch flips either way
      {2, DIK_LEFT, &Settings::confirmLeave, 0, "Confirm before leaving:**Off"},
      {3, DIK_LEFT, &Settings::menuRepeatDelay, 0, "Menu key delay:**Off"},
      {3, DIK_RIGHT, &Settings::menuRepeatDelay, 200, "Menu key delay:**200 ms"},
      {4, DIK_RETURN, &Settings::levelIntroDetails, 1, "Level intro details:**On"},
      {5, DIK_RIGHT, &Settings::finalScoreScreen, 1, "Final score screen:**On"},
      {6, DIK_RIGHT, &Settings::fullScreen, 0, "Full screen:**Off"},
      {7, DIK_RIGHT, &Settings::fillScreen, 1, "Picture:**Fill"},
  };
  for (const auto& each : cases) {
    SelectMenuLine(run.frontEnd(), each.line);
    Press(each.key);
    EXPECT_EQ(settings().*each.field, each.value) << each.text;
    EXPECT_EQ(run.LineText(each.line), each.text);
  }
  EXPECT_FALSE(std::filesystem::exists(file));  // not before leaving
  run.Hold(DIK_ESCAPE);
  run.Frames(12);  // Esc held past the screen it left does not leave Options too
  run.Release(DIK_ESCAPE);
  run.Frames(2);
  EXPECT_EQ(run.frontEnd().shownScreen, "Options");
  Press(DIK_ESCAPE);  // let go, Esc leaves Options as ever
  EXPECT_EQ(run.frontEnd().shownScreen, "Main Menu");
  const Settings saved = Saved();
  for (const auto& each : cases) EXPECT_EQ(saved.*each.field, settings().*each.field) << each.text;
}

TEST_F(SettingsScreens, AKeyOrPadButtonPressedBecomesTheActionsUnlessAnotherActionHasIt) {
  OpenControls();
  EXPECT_EQ(run.LineText(5), "Fire/Start:**Space, Left Ctrl, Pad A");
  const auto click = [&] {
    run.HoldButton(true);
    run.Frames(1);
    run.HoldButton(false);
    run.Frames(24);
  };
  const auto padPress = [&](PadButton button) {
    run.TapPad(button);
    run.Frames(24);
  };
  const struct {
    const char* what;
    std::function<void()> act;
    int listeningFor;  // the action still waiting for its key, -1: none
    const char* note;
  } steps[] = {
      {"Left chosen with Enter", [&] { Choose(1); }, 0, "Press a key or pad button..."},
      {"Down's key refused", [&] { Press(DIK_DOWN); }, 0, "Down Arrow is taken by Down"},
      {"A taken", [&] { Press(DIK_A); }, -1, ""},
      {"Fire chosen with the pad", [&] { SelectMenuLine(run.frontEnd(), 5), padPress(PadButton::A); }, 4, "Press a key or pad button..."},
      {"pad X taken", [&] { padPress(PadButton::X); }, -1, ""},
      {"Right chosen", [&] { Choose(2); }, 1, "Press a key or pad button..."},
      {"Left's pad button refused", [&] { padPress(PadButton::Left); }, 1, "Pad Left is taken by Left"},
      {"Esc gives up", [&] { Press(DIK_ESCAPE); }, -1, ""},
      {"Up chosen with a click", [&] { SelectMenuLine(run.frontEnd(), 3), click(); }, 2, "Press a key or pad button..."},
      {"a click gives up", click, -1, ""},
  };
  for (const auto& step : steps) {
    const int line = run.frontEnd().selectedItem;
    step.act();
    EXPECT_EQ(run.frontEnd().shownScreen, "Controls") << step.what;
    EXPECT_EQ(run.frontEnd().listeningFor, step.listeningFor) << step.what;
    EXPECT_EQ(run.LineText(8), step.note) << step.what;
    if (step.listeningFor < 0) {
      EXPECT_EQ(run.frontEnd().selectedItem, line) << step.what << ": the highlight stays";
    }
  }
  EXPECT_EQ(run.LineText(1), "Left:**A, Pad Left");
  EXPECT_EQ(run.LineText(2), "Right:**Right Arrow, Pad Right");
  EXPECT_EQ(run.LineText(5), "Fire/Start:**Space, Left Ctrl, Pad X");

  Choose(10);  // Back
  EXPECT_EQ(run.frontEnd().shownScreen, "More Settings");
  Settings expected;
  expected.controls[0].key = DIK_A;
  expected.controls[4].padButton = static_cast<int>(PadButton::X);
  EXPECT_EQ(EncodeSettings(Saved()), EncodeSettings(expected));

  OpenControls();
  Choose(9);  // Reset to defaults
  EXPECT_EQ(run.LineText(1), "Left:**Left Arrow, Pad Left");
  Press(DIK_ESCAPE);
  EXPECT_EQ(run.frontEnd().shownScreen, "More Settings");
  EXPECT_EQ(EncodeSettings(Saved()), EncodeSettings(Settings{}));
}

}  // namespace
