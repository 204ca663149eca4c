// Play with the keyboard and a gamepad: they reach the paddles and the left button as the mouse does.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/game.h"
#include "core/game_input.h"
#include "gameplay/player_input.h"
#include "platform/input.h"
#include "test_support.h"

namespace {

// A game in play, read through a window whose keys and mouse the test holds and SDL's gamepads, on which a
// software pad is plugged in and pulled out.
class PlayControls : public ::testing::Test {
 protected:
  std::unique_ptr<Game> game = MakeHeadlessGame();
  TestWindow& window = UseTestWindowAndPads(*game);
  GameState& state = game->state;

  void SetUp() override {
    state.playing = true;
    state.frameStep = 16;
    state.pointerX = 300.0f;
    state.pointerY = 200.0f;
    game->options.mouseSpeed = 0.1f;
  }

  // What one play input step did: the paddles' move along x and y, and the left button.
  struct Step {
    float dx = 0.0f, dy = 0.0f;
    bool left = false;
  };
  Step Read() {
    const float x = state.pointerX, y = state.pointerY;
    ReadPlayerInput(*game);
    return {state.pointerX - x, state.pointerY - y, state.leftButton};
  }
  void Hold(const std::vector<int>& keys, bool down) {
    for (int key : keys) window.keys[key] = down ? 0x80 : 0;
  }
  void Press(VirtualPad& pad, std::initializer_list<PadButton> buttons, bool down) {
    for (PadButton button : buttons) pad.Press(button, down);
  }
  static void ExpectSame(const Step& got, const Step& mouse) {
    EXPECT_FLOAT_EQ(got.dx, mouse.dx);
    EXPECT_FLOAT_EQ(got.dy, mouse.dy);
    EXPECT_EQ(got.left, mouse.left);
  }
};

TEST_F(PlayControls, KeysAndPadMoveThePaddlesAndClickAsTheMouseDoes) {
  window.mouse = {3, 3, {0x80}};  // what a key just pressed stands for
  const Step mouse = Read();
  window.mouse = {10, 10, {}};  // what the stick tilted all the way stands for
  const Step fastMouse = Read();
  ASSERT_GT(mouse.dx, 0.0f);
  ASSERT_TRUE(mouse.left);

  Hold({DIK_RIGHT, DIK_DOWN, DIK_SPACE}, true);
  ExpectSame(Read(), mouse);
  Hold({DIK_RIGHT, DIK_DOWN, DIK_SPACE}, false);
  Read();
  Hold({DIK_LCONTROL}, true);
  EXPECT_TRUE(Read().left);
  Hold({DIK_LCONTROL}, false);

  VirtualPad pad;
  ASSERT_TRUE(pad.Plugged());
  Press(pad, {PadButton::Right, PadButton::Down, PadButton::A}, true);
  ExpectSame(Read(), mouse);
  Press(pad, {PadButton::Right, PadButton::Down, PadButton::A}, false);
  pad.Tilt(32767, 32767);
  ExpectSame(Read(), fastMouse);
}

TEST_F(PlayControls, AHeldArrowKeySpeedsUpAtThePaceOfTheMouseSpeed) {
  state.pointerX = 0.0f;
  Hold({DIK_RIGHT}, true);
  std::vector<float> moves;
  for (int read = 0; read < 40; ++read) moves.push_back(Read().dx);
  EXPECT_NEAR(moves.front(), 0.1f * 3 * 16, 1e-4);
  EXPECT_NEAR(moves.back(), 0.1f * 10 * 16, 1e-4);  // at full speed after 400 ms
  EXPECT_TRUE(std::is_sorted(moves.begin(), moves.end()));
  EXPECT_LT(moves[10], moves.back());

  Hold({DIK_RIGHT}, false);
  Read();
  game->options.mouseSpeed = 0.2f;
  Hold({DIK_UP}, true);
  EXPECT_NEAR(Read().dy, -0.2f * 3 * 16, 1e-4);  // twice the Mouse Speed, twice the move; a new hold starts slow
}

TEST_F(PlayControls, APadPluggedInOrPulledOutDuringPlayPausesNothingAndLosesNothing) {
  Read();
  VirtualPad pad;  // after the game started: found at the next read
  ASSERT_TRUE(pad.Plugged());
  Press(pad, {PadButton::A, PadButton::Right}, true);
  const Step held = Read();
  EXPECT_TRUE(held.left);
  EXPECT_GT(held.dx, 0.0f);
  pad.Unplug();  // while held
  const float x = state.pointerX;
  const Step after = Read();
  EXPECT_FALSE(after.left);  // nothing stays held
  EXPECT_EQ(state.pointerX, x);
  EXPECT_FALSE(state.paused);
  EXPECT_TRUE(state.playing);
  Hold({DIK_RIGHT}, true);
  EXPECT_GT(Read().dx, 0.0f);  // the keyboard plays on
}

TEST_F(PlayControls, PadStartPausesAsPDoesAndBLeavesAsEscDoes) {
  VirtualPad pad;
  pad.Press(PadButton::Start, true);
  Read();
  EXPECT_TRUE(state.paused);
  pad.Press(PadButton::Start, false);
  pad.Press(PadButton::B, true);
  Read();
  EXPECT_TRUE(state.quitToFrontEnd);
  EXPECT_FALSE(state.paused);
}

TEST_F(PlayControls, ThePlayersKeysAndButtonsStandForTheOnesTheyReplace) {
  VirtualPad pad;
  ASSERT_TRUE(pad.Plugged());
  const int none = -1;
  const struct {
    const char* what;
    ControlAction action;
    ControlBinding binding;
    std::vector<int> keys;
    std::vector<PadButton> buttons;
    int way;  // the paddle's move along x: -1, 0 or +1
    bool fire;
  } cases[] = {
      {"a chosen key moves the paddle", ControlAction::Left, {DIK_A, 0, 8}, {DIK_A}, {}, -1, false},
      {"the key it replaced does not", ControlAction::Left, {DIK_A, 0, 8}, {DIK_LEFT}, {}, 0, false},
      {"a chosen fire key", ControlAction::Fire, {DIK_F, 0, 0}, {DIK_F}, {}, 0, true},
      {"both fire keys replaced", ControlAction::Fire, {DIK_F, 0, 0}, {DIK_SPACE, DIK_LCONTROL}, {}, 0, false},
      {"a chosen pad button", ControlAction::Fire, {DIK_SPACE, 0, int(PadButton::X)}, {}, {PadButton::X}, 0, true},
      {"the pad button it replaced", ControlAction::Fire, {DIK_SPACE, 0, int(PadButton::X)}, {}, {PadButton::A}, 0, false},
      {"a direction on a button", ControlAction::Right, {DIK_RIGHT, 0, int(PadButton::Y)}, {}, {PadButton::Y}, +1, false},
      {"no button at all", ControlAction::Right, {DIK_RIGHT, 0, none}, {}, {PadButton::Right}, 0, false},
  };
  for (const auto& each : cases) {
    game->settings = Settings{};
    game->settings.controls[static_cast<int>(each.action)] = each.binding;
    ApplyControls(*game);
    Hold(each.keys, true);
    for (PadButton button : each.buttons) pad.Press(button, true);
    const Step step = Read();
    EXPECT_EQ((step.dx > 0) - (step.dx < 0), each.way) << each.what;
    EXPECT_EQ(step.left, each.fire) << each.what;
    // A chosen key or button is its action's alone: it no longer reads as itself.
    const ControlBinding& own = Settings{}.controls[static_cast<int>(each.action)];
    if (each.binding.key != own.key) {
      EXPECT_FALSE(KeyDown(*game, each.binding.key)) << each.what;
    }
    if (each.binding.padButton >= 0 && each.binding.padButton != own.padButton) {
      EXPECT_FALSE(PadHeld(game->platform.input.pad, static_cast<PadButton>(each.binding.padButton))) << each.what;
    }
    Hold(each.keys, false);
    for (PadButton button : each.buttons) pad.Press(button, false);
    state.leftButton = false;
    Read();
    state.leftButton = false;
  }
}

TEST_F(PlayControls, ByDefaultEveryKeyIsItselfAndAChosenKeyStillTypesItsLetter) {
  for (int code = 1; code <= MaxScanCode; ++code) {
    Hold({code}, true);
    Read();
    Hold({code}, false);
    const auto& pressed = game->platform.input.keyPressed;
    EXPECT_TRUE(pressed[code] && std::count(pressed.begin(), pressed.end(), true) == 1) << KeyLabel(code);
  }
  game->settings.controls[static_cast<int>(ControlAction::Left)].key = DIK_A;
  ApplyControls(*game);
  game->platform.input.edgeKeys = true;  // a name is typed
  Hold({DIK_A}, true);
  Read();
  EXPECT_TRUE(KeyDown(*game, DIK_A));
  EXPECT_FALSE(KeyDown(*game, DIK_LEFT));
  EXPECT_EQ(KeyToChar(game->platform, DIK_A), "a");
}

}  // namespace
