// Key flags in held and edge modes, KeyToChar, the pointer rules, the scan-code table and scripted devices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <fstream>

#include "core/game_input.h"
#include "platform/input.h"
#include "platform/text.h"
#include "test_support.h"

namespace {

class InputTest : public ::testing::Test {
 protected:
  std::unique_ptr<Game> game = MakeHeadlessGame();
  Input& input = game->platform.input;

  void SetUp() override { input.script.active = true; }  // the scripted devices stand in for the hardware
  void Hold(int code, bool down) { input.script.keys[code] = down ? 0x80 : 0; }
  void Move(int dx, int dy) { input.script.mouse.x += dx, input.script.mouse.y += dy; }
};

TEST_F(InputTest, HeldModeReportsAHeldKeyOnEveryRead) {
  Hold(DIK_P, true);
  for (int frame = 0; frame < 3; ++frame) {
    ReadKeyboard(*game);
    EXPECT_TRUE(input.keyPressed[DIK_P]);
  }
  Hold(DIK_P, false);
  ReadKeyboard(*game);
  EXPECT_FALSE(input.keyPressed[DIK_P]);
}

TEST_F(InputTest, EdgeModeReportsEnterOnTheFirstReadOnly) {
  input.edgeKeys = true;
  Hold(DIK_RETURN, true);
  ReadKeyboard(*game);
  EXPECT_TRUE(input.keyPressed[DIK_RETURN]);
  ReadKeyboard(*game);
  EXPECT_FALSE(input.keyPressed[DIK_RETURN]);
  Hold(DIK_RETURN, false);
  ReadKeyboard(*game);
  Hold(DIK_RETURN, true);
  ReadKeyboard(*game);
  EXPECT_TRUE(input.keyPressed[DIK_RETURN]);
}

TEST_F(InputTest, EdgeModeReportsShiftOnEveryRead) {
  input.edgeKeys = true;
  Hold(DIK_LSHIFT, true);
  Hold(DIK_RSHIFT, true);
  for (int frame = 0; frame < 3; ++frame) {
    ReadKeyboard(*game);
    EXPECT_TRUE(input.keyPressed[DIK_LSHIFT]);
    EXPECT_TRUE(input.keyPressed[DIK_RSHIFT]);
  }
}

TEST_F(InputTest, KeyToCharFollowsShift) {
  EXPECT_EQ(KeyToChar(game->platform, 9), "8");
  EXPECT_EQ(KeyToChar(game->platform, 4), "3");
  EXPECT_EQ(KeyToChar(game->platform, DIK_Q), "q");
  EXPECT_EQ(KeyToChar(game->platform, DIK_APOSTROPHE), "'");
  EXPECT_EQ(KeyToChar(game->platform, DIK_SPACE), "");
  EXPECT_EQ(KeyToChar(game->platform, DIK_BACK), "");
  input.keyPressed[DIK_RSHIFT] = true;
  EXPECT_EQ(KeyToChar(game->platform, 9), "*");
  EXPECT_EQ(KeyToChar(game->platform, 4), "3");
  EXPECT_EQ(KeyToChar(game->platform, 2), "!");
  EXPECT_EQ(KeyToChar(game->platform, DIK_Q), "Q");
  EXPECT_EQ(KeyToChar(game->platform, DIK_SEMICOLON), ":");
  EXPECT_EQ(KeyToChar(game->platform, DIK_APOSTROPHE), "\"");
  EXPECT_EQ(KeyToChar(game->platform, DIK_SLASH), "?");
  EXPECT_EQ(KeyToChar(game->platform, DIK_GRAVE), "`");
}

TEST_F(InputTest, EveryLetterAndDigitKeyByNameTypesItsOwnCharacter) {
  for (const char c : std::string("abcdefghijklmnopqrstuvwxyz0123456789")) {
    const auto code = ScanCodeOf(std::string("DIK_") + static_cast<char>(std::toupper(c)));
    ASSERT_TRUE(code) << c;
    EXPECT_EQ(KeyToChar(game->platform, *code), std::string(1, c));
  }
}

TEST_F(InputTest, PointerMovesBySpeedTimesCountsTimesFrameStep) {
  game->options.mouseSpeed = 0.1f;
  game->state.frameStep = 20;
  game->state.pointerX = 100;
  game->state.pointerY = 100;
  Move(5, -3);
  ReadKeyboard(*game);
  EXPECT_FLOAT_EQ(game->state.pointerX, 110);
  EXPECT_FLOAT_EQ(game->state.pointerY, 94);
  ReadKeyboard(*game);  // movement counts once
  EXPECT_FLOAT_EQ(game->state.pointerX, 110);
}

TEST_F(InputTest, PointerNeverLeavesTheScreen) {
  game->options.mouseSpeed = 0.2f;
  game->state.frameStep = 50;
  Move(1000000, 1000000);
  ReadKeyboard(*game);
  EXPECT_EQ(game->state.pointerX, 640.0f);
  EXPECT_EQ(game->state.pointerY, 480.0f);
  Move(-1000000, -1000000);
  ReadKeyboard(*game);
  EXPECT_EQ(game->state.pointerX, 0.0f);
  EXPECT_EQ(game->state.pointerY, 0.0f);
}

TEST_F(InputTest, ButtonsZeroAndOneAreLeftAndRight) {
  input.script.mouse.buttons[1] = 0x80;
  ReadKeyboard(*game);
  EXPECT_FALSE(game->state.leftButton);
  EXPECT_TRUE(game->state.rightButton);
}

TEST(InputWithoutDevices, MouseReadFailureKeepsPointerAndButtons) {
  auto game = MakeHeadlessGame();
  game->state.pointerX = 33;
  game->state.leftButton = true;
  game->state.frameStep = 16;
  ReadKeyboard(*game);
  EXPECT_EQ(game->state.pointerX, 33.0f);
  EXPECT_TRUE(game->state.leftButton);
}

TEST(ScancodeTable, CoversEveryKeyOfAPcKeyboard) {
  std::array<bool, 256> reached{};
  for (int scancode = 0; scancode < 512; ++scancode) reached[DikFromScancode(scancode)] = true;
  for (int code = DIK_ESCAPE; code <= DIK_DECIMAL; ++code) EXPECT_TRUE(reached[code]) << code;
  for (int code : {DIK_F11, DIK_F12, DIK_NUMPADENTER, DIK_RCONTROL, DIK_DIVIDE, DIK_SYSRQ, DIK_RMENU, DIK_PAUSE,
                   DIK_HOME, DIK_UP, DIK_PRIOR, DIK_LEFT, DIK_RIGHT, DIK_END, DIK_DOWN, DIK_NEXT, DIK_INSERT,
                   DIK_DELETE, DIK_LWIN, DIK_RWIN, DIK_APPS, DIK_OEM_102})
    EXPECT_TRUE(reached[code]) << code;
}

// A value line draws its value after the '*' markers, so a label must hold none; each must draw in the menu font.
TEST(KeyNames, EveryKeyAndPadButtonHasAReadableLabelOfItsOwn) {
  std::set<std::string> labels;
  auto readable = [&labels](const std::string& label) {
    const bool drawn = !label.empty() && std::all_of(label.begin(), label.end(), [](char c) {
      return c == ' ' || (c != '*' && TextWidth(std::string(1, c)) > 0);
    });
    return drawn && labels.insert(label).second;
  };
  for (const KeyName& key : KeyNames) EXPECT_TRUE(readable(KeyLabel(key.code))) << key.name;
  for (int button = 0; button < static_cast<int>(PadButton::Count); ++button)
    EXPECT_TRUE(readable(PadButtonLabel(button))) << button;
  EXPECT_EQ(KeyLabel(84), "Key 84");
}

TEST(KeyNames, NamesAndDecimalCodesBothWork) {
  // The keys the game reads, by the codes recordings and scripts hold.
  for (const auto& [name, code] : {std::pair{"DIK_ESCAPE", 1}, {"DIK_BACK", 14}, {"DIK_P", 25}, {"DIK_RETURN", 28},
                                   {"DIK_LSHIFT", 42}, {"DIK_RSHIFT", 54}, {"DIK_SPACE", 57}, {"DIK_UP", 200},
                                   {"DIK_LEFT", 203}, {"DIK_RIGHT", 205}, {"DIK_DOWN", 208}})
    EXPECT_EQ(ScanCodeOf(name), code) << name;
  EXPECT_EQ(ScanCodeOf("57"), 57);
  EXPECT_FALSE(ScanCodeOf("DIK_NOPE"));
  EXPECT_FALSE(ScanCodeOf("0"));
  EXPECT_FALSE(ScanCodeOf("256"));
  EXPECT_FALSE(ScanCodeOf("12x"));
}

class InputScript : public ::testing::Test {
 protected:
  TempRoot root;
  std::unique_ptr<Game> game = MakeHeadlessGame(root.path());
  bool Load(const std::string& text, std::string& error) {
    std::ofstream(root.path() / "input.txt") << text;
    return LoadInputScript(game->platform, root.path() / "input.txt", error);
  }
};

TEST_F(InputScript, EventsActAtTheFirstReadAtOrAfterTheirTick) {
  std::string error;
  ASSERT_TRUE(Load("# a comment\n32 key DIK_P down  # pause\n40 button left down\n48 key 25 up\n"
                   "48 pad x down\n48 stick 40000 -200\n", error))
      << error;
  game->clock.now = 16;
  ReadKeyboard(*game);
  EXPECT_FALSE(game->platform.input.keyPressed[DIK_P]);
  game->clock.now = 32;
  ReadKeyboard(*game);
  EXPECT_TRUE(game->platform.input.keyPressed[DIK_P]);
  EXPECT_FALSE(game->state.leftButton);
  game->clock.now = 48;
  ReadKeyboard(*game);
  EXPECT_FALSE(game->platform.input.keyPressed[DIK_P]);
  EXPECT_TRUE(game->state.leftButton);
  const PadState& pad = game->platform.input.pad;
  EXPECT_TRUE(pad.connected);
  EXPECT_TRUE(PadHeld(pad, PadButton::X));
  EXPECT_EQ(pad.stickX, 32767);  // held within the stick's range
  EXPECT_EQ(pad.stickY, -200);
  EXPECT_FALSE(ScriptHasPendingEvents(game->platform));
}

TEST_F(InputScript, EitherPadEventPlugsThePadIn) {
  for (const char* line : {"0 pad a down\n", "0 stick 0 5\n"}) {
    std::string error;
    ASSERT_TRUE(Load(line, error)) << error;
    ReadKeyboard(*game);
    EXPECT_TRUE(game->platform.input.pad.connected) << line;
  }
}

TEST_F(InputScript, MovesAddUpUntilTheNextMouseRead) {
  std::string error;
  ASSERT_TRUE(Load("0 move 10 0\n0 move 5 2\n", error)) << error;
  game->options.mouseSpeed = 0.1f;
  game->state.frameStep = 10;
  ReadKeyboard(*game);
  EXPECT_FLOAT_EQ(game->state.pointerX, 15);
  EXPECT_FLOAT_EQ(game->state.pointerY, 2);
}

TEST_F(InputScript, BadLinesAreRefusedWithTheirLineNumber) {
  std::string error;
  EXPECT_FALSE(Load("0 key DIK_P down\n10 key DIK_NOPE down\n", error));
  EXPECT_NE(error.find(":2:"), std::string::npos) << error;
  EXPECT_FALSE(Load("10 key DIK_P sideways\n", error));
  EXPECT_FALSE(Load("10 button middle down\n", error));
  EXPECT_FALSE(Load("10 move 1\n", error));
  EXPECT_FALSE(Load("10 pad z down\n", error));
  EXPECT_FALSE(Load("10 stick 1\n", error));
  EXPECT_FALSE(Load("x key DIK_P down\n", error));
  EXPECT_FALSE(Load("10 key DIK_P down extra\n", error));
  EXPECT_FALSE(LoadInputScript(game->platform, root.path() / "missing.txt", error));
  EXPECT_FALSE(game->platform.input.script.active);
}

}  // namespace
