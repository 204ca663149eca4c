// The name entry with a gamepad: letters chosen with the directions, added with A.
#include <string_view>

#include "core/game.h"
#include "core/game_input.h"
#include "frontend/front_end.h"
#include "platform/text.h"

namespace {

// Every letter the menu font draws, in the order Up steps through them.
constexpr std::string_view PadLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .-!?&'";
constexpr int LetterRepeatMs = 160;  // a held direction steps as often as the menus' highlight
constexpr int LetterBlinkMs = 300;

std::string ChosenLetter(const FrontEnd& frontEnd) {
  return std::string(1, PadLetters[static_cast<std::size_t>(frontEnd.padLetter)]);
}

}  // namespace

void ChooseLetterWithPad(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  if (!PadConnected(game)) return;
  const int step = (PadDown(game, PadButton::Up) ? 1 : 0) - (PadDown(game, PadButton::Down) ? 1 : 0);
  const auto now = static_cast<float>(Now(game));
  if (step == 0) {
    frontEnd.padLetterReadyTime = 0.0f;  // the next push acts at once
  } else if (now >= frontEnd.padLetterReadyTime) {
    const int count = static_cast<int>(PadLetters.size());
    frontEnd.padLetter = ((frontEnd.padLetter + step) % count + count) % count;
    frontEnd.padLetterReadyTime = now + LetterRepeatMs;
    PlayMenuSound(game, SoundChange);
  }
  if (PadWentDown(game, PadButton::A)) frontEnd.enteredName += ChosenLetter(frontEnd);
}

void DrawTypedName(Game& game, float y) {
  const FrontEnd& frontEnd = game.frontEnd;
  const std::string& name = frontEnd.enteredName;
  if (!PadConnected(game)) {
    DrawCentredMenuText(game.platform, name, y);
    return;
  }
  // Centred with the letter, so the name stays put while the letter blinks.
  const std::string letter = ChosenLetter(frontEnd);
  const float x = CentredTextX(name + letter);
  DrawMenuText(game.platform, name, x, y);
  if ((Now(game) / LetterBlinkMs) % 2 == 0)
    DrawMenuText(game.platform, letter, x + static_cast<float>(TextWidth(name) + 1), y);
}
