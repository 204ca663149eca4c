// The menu framework: staged set-up, backdrop, screen dispatch, line model, panel drawing, navigation, leaving.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "content/media_files.h"
#include "core/game.h"
#include "core/game_input.h"
#include "core/game_music.h"
#include "frontend/front_end.h"
#include "platform/display.h"
#include "platform/input.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "platform/text.h"

namespace {

struct ScreenDef {
  Screen screen;
  const char* title;
  void (*run)(Game& game, bool building);
};

constexpr ScreenDef Screens[] = {
    {Screen::MainMenu, "Main Menu", RunMainMenu},       {Screen::Options, "Options", RunOptionsScreen},
    {Screen::NewGame, "New Game", RunNewGameScreen},    {Screen::HighScores, "High Scores", RunHighScoreScreens},
    {Screen::Powerups, "Powerups", RunPowerupsScreen},  {Screen::Credits, "Credits", RunCreditsScreen},
    {Screen::MoreSettings, "More Settings", RunMoreSettingsScreen},
    {Screen::Controls, "Controls", RunControlsScreen},
};

const ScreenDef& ScreenOf(Screen screen) {
  return *std::find_if(std::begin(Screens), std::end(Screens), [screen](const ScreenDef& def) { return def.screen == screen; });
}

constexpr int MaxPanelHeight = 328;
constexpr float PanelCentreY = 309.0f;
constexpr int NavRepeatMs = 160;

// Tiles of `tile` pixels needed to cover `length`; none for a missing picture.
std::int32_t TilesToCover(int length, int tile) { return tile > 0 ? (length + tile - 1) / tile : 0; }

int HalfFrameStep(const Game& game) { return static_cast<int>(std::lrint(0.5f * game.state.frameStep)); }

// Moves `value` towards `target` by at most `step`, landing exactly on it.
std::int16_t StepTowards(int value, int target, int step) {
  if (value < target) return static_cast<std::int16_t>(std::min(target, value + step));
  return static_cast<std::int16_t>(std::max(target, value - step));
}

bool ContainsNoCase(std::string text, std::string part) {
  auto lower = [](std::string& s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  lower(text);
  lower(part);
  return text.find(part) != std::string::npos;
}

void LoadMenuMusic(Game& game) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(game.folders.shipped / "Mus", error)) {
    // Load the file found, whatever its letter case: Linux file names are case-sensitive.
    if (!ContainsNoCase(entry.path().filename().string(), "SFSong1.mid")) continue;
    StartSong(game, entry.path());
    return;
  }
  game.state.musicOn = false;
}

void LoadFrontEnd(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const auto gfx = game.folders.shipped / "Gfx";
  Platform& platform = game.platform;
  frontEnd.tileImage = LoadImage(platform, gfx / "tileback2.bmp");
  frontEnd.panelImage = LoadImage(platform, gfx / "menuback.bmp");
  platform.text.menuFontImage = LoadImage(platform, gfx / "font1.bmp");
  frontEnd.titleImage = LoadImage(platform, gfx / "menutitle.bmp");
  frontEnd.plainPanelImage = LoadImage(platform, gfx / "menuback2.bmp");
  frontEnd.readMeImage = LoadImage(platform, gfx / "readme.bmp");
  const ImageSize tile = PictureSize(platform, frontEnd.tileImage);
  frontEnd.tileColumns = TilesToCover(ScreenWidth, tile.width);
  frontEnd.tileRows = TilesToCover(ScreenHeight, tile.height);
  frontEnd.shownScreen.clear();
  OpenScreen(frontEnd, frontEnd.pendingScoreFile.empty() ? Screen::MainMenu : Screen::HighScores);
  LoadOptions(game);
  ResetSoundTable(platform);
  const auto sfx = game.folders.shipped / "Sfx";
  const std::int32_t volume = SoundVolumeLevel(game.options);
  // Slots are remembered, so a missing sound cannot shift the others.
  auto load = [&](MenuSound sound, bool halfGuard) {
    return LoadSound(platform, sfx, std::string(MenuSoundFiles[sound]), halfGuard, volume);
  };
  frontEnd.menuSounds = {load(SoundChange, false), load(SoundSelect, true), load(SoundExit, true),
                         load(SoundBack, false)};
  LoadMenuMusic(game);
  game.state.inFrontEnd = true;
}

MenuLine& LineAt(FrontEnd& frontEnd, int line) { return frontEnd.menuLines[line - 1]; }

int LineCount(const FrontEnd& frontEnd) { return static_cast<int>(frontEnd.menuLines.size()); }

bool AnySelectable(const FrontEnd& frontEnd) {
  return std::any_of(frontEnd.menuLines.begin(), frontEnd.menuLines.end(),
                     [](const MenuLine& line) { return line.selectable; });
}

// Steps the highlight by `direction` (-1 up, +1 down), wrapping and skipping unselectable lines.
void MoveHighlight(Game& game, int direction) {
  FrontEnd& frontEnd = game.frontEnd;
  const int count = LineCount(frontEnd);
  int& item = frontEnd.selectedItem;
  LineAt(frontEnd, item).selected = false;
  do {
    item = (item - 1 + direction + count) % count + 1;
  } while (!LineAt(frontEnd, item).selectable);
  LineAt(frontEnd, item).selected = true;
  if (direction < 0) {
    if (item < frontEnd.firstVisibleItem) frontEnd.firstVisibleItem = item;
    if (item == count) frontEnd.firstVisibleItem = count < VisibleMenuLines ? 1 : count - 7;
  } else {
    if (item > VisibleMenuLines) frontEnd.firstVisibleItem = item - 7;
    // Wrapping to the top shows the highlight also when line 1 is not selectable.
    if (item < frontEnd.firstVisibleItem) frontEnd.firstVisibleItem = item;
  }
  PlayMenuSound(game, SoundChange);
  frontEnd.navReadyTime = static_cast<float>(Now(game) + NavRepeatMs);
}

// The mouse moved up or down by a line's height (as far as it would move a pointer) moves the highlight a line;
// true when it did. Not while a name is typed.
bool FollowMouse(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const Input& input = game.platform.input;
  if (!input.mousePresent || input.edgeKeys) return false;
  frontEnd.mouseTravel += game.options.mouseSpeed * static_cast<float>(game.state.frameStep) *
                          static_cast<float>(input.mouseState.y);
  if (std::fabs(frontEnd.mouseTravel) < MenuLineHeight) return false;
  const int direction = frontEnd.mouseTravel < 0 ? -1 : +1;
  frontEnd.mouseTravel = std::fmod(frontEnd.mouseTravel, static_cast<float>(MenuLineHeight));
  MoveHighlight(game, direction);
  return true;
}

void DrawScrollArrows(Game& game) {
  const FrontEnd& frontEnd = game.frontEnd;
  const int count = LineCount(frontEnd);
  const float x = frontEnd.panelTargetWidth / 2.0f + 322.0f;
  const int font = game.platform.text.menuFontImage;
  if (frontEnd.firstVisibleItem < count - 7 && count > VisibleMenuLines) {
    DrawSprite(game.platform, font, {17, 62, 17, 15}, x, 459.0f);
  }
  if (frontEnd.firstVisibleItem > 1) DrawSprite(game.platform, font, {0, 62, 17, 15}, x, 146.0f);
}

std::string LineText(const MenuLine& line, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < line.chars.size(); ++i) text += static_cast<char>(line.chars[i]);
  return text;
}

void SetLineText(MenuLine& line, const std::string& text) {
  line.chars.clear();
  for (char c : text) line.chars.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(c)));
  line.width = static_cast<std::int16_t>(TextWidth(text));
}

// The least room between a value line's label and its value: one space.
constexpr int ValueGap = 15;

// A label that would run into its value within `room` pixels of text is cut and ends in "..." on screen; the
// item keeps the whole text.
void FitLabelBeforeValue(MenuLine& line, int room) {
  const std::string text = LineText(line, 0);
  const std::size_t markers = text.find('*');
  if (markers == std::string::npos) return;
  std::string label = text.substr(0, markers);
  label.erase(label.find_last_not_of(' ') + 1);  // the padding shows nothing
  const int labelRoom = room - ValueGap - TextWidth(text.substr(text.rfind('*') + 1));
  if (TextWidth(label) <= labelRoom) return;
  SetLineText(line, TextStartThatFits(label, labelRoom) + text.substr(markers));
}

}  // namespace

bool ActionReady(const Game& game) { return Now(game) >= game.frontEnd.actionReadyTime; }

void OpenScreen(FrontEnd& frontEnd, Screen screen) {
  frontEnd.screen = screen;
  frontEnd.targetScreen = ScreenOf(screen).title;
}

void BackTo(Game& game, Screen screen, int pauseMs) {
  OpenScreen(game.frontEnd, screen);
  PlayMenuSound(game, SoundBack);
  game.frontEnd.actionReadyTime = Now(game) + pauseMs;
}

void BackToMainMenu(Game& game, int pauseMs) { BackTo(game, Screen::MainMenu, pauseMs); }

void AddChoices(FrontEnd& frontEnd, std::span<const MenuChoice> choices) {
  for (const MenuChoice& choice : choices) AddMenuItem(frontEnd, choice.label, choice.choose != nullptr);
}

void RunChoice(Game& game, std::span<const MenuChoice> choices) {
  const FrontEnd& frontEnd = game.frontEnd;
  if (!ActionReady(game) || !frontEnd.selectPressed) return;
  const int line = frontEnd.selectedItem;
  if (line < 1 || line > static_cast<int>(choices.size()) || !choices[line - 1].choose) return;
  choices[line - 1].choose(game);
}

void PlayMenuSound(Game& game, MenuSound sound) {
  PlaySound(game.platform, game.clock, game.frontEnd.menuSounds[sound], game.state.soundOn);
}

void DrawDarkRegion(Game& game, int width, int height, float x, float y) {
  if (width <= 0 || height <= 0) return;
  const auto w = static_cast<std::int16_t>(width), h = static_cast<std::int16_t>(height);
  if (game.platform.display.ropAvailable) {
    DrawImageRop(game.platform, w, h, x, y, game.frontEnd.panelImage, 0, 0, SRCAND);
  }
  // A failed copy above clears ropAvailable; the plain picture stands in from this frame on.
  if (!game.platform.display.ropAvailable) {
    DrawSprite(game.platform, game.frontEnd.plainPanelImage, {0, 0, width, height}, x, y);
  }
}

void SetUpFrontEnd(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  GameState& state = game.state;
  if (!frontEnd.setUpStarted) {
    frontEnd.setUpStarted = true;
    ResetSurfaceTable(game.platform);
    frontEnd.loadingImage = LoadImage(game.platform, game.folders.shipped / "Gfx" / "loading.bmp");
    DrawCentredImage(game.platform, frontEnd.loadingImage);
    state.fadingIn = true;
    return;
  }
  if (!state.inFrontEnd) {
    if (state.screenFade == 0.0f) LoadFrontEnd(game);
    DrawCentredImage(game.platform, frontEnd.loadingImage);
    return;
  }
  DrawCentredImage(game.platform, frontEnd.loadingImage);
  state.fadingOut = true;
  if (state.screenFade == -99.0f) {
    state.frontEndReady = true;
    frontEnd.setUpStarted = false;
  }
}

void FrontEndFrame(Game& game) {
  GameState& state = game.state;
  if (state.screenFade < 0.0f && !state.leavingFrontEnd) state.fadingIn = true;
  if (state.musicOn) KeepMusicPlaying(game.platform, game.clock, state.musicOn);
  DrawFrontEndBackground(game);
  RunFrontEndScreen(game);
  if (state.leavingFrontEnd) {
    RequestFadeOut(game);
    if (FadesEnded(game)) {
      if (state.quitChosen) {
        state.running = false;
      } else {
        LeaveFrontEnd(game);
        state.leavingFrontEnd = false;
        state.inFrontEnd = false;
      }
    }
  }
  FrontEndNavigation(game);
}

void DrawFrontEndBackground(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const ImageSize tile = PictureSize(game.platform, frontEnd.tileImage);
  for (int c = 0; c <= frontEnd.tileColumns; ++c) {
    for (int r = 0; r <= frontEnd.tileRows + 1; ++r) {
      DrawWholeImage(game.platform, frontEnd.tileImage, (c - 1) * tile.width + frontEnd.scrollX,
                     (r - 1) * tile.height + frontEnd.scrollY);
    }
  }
  frontEnd.scrollX += 0.03f * game.state.frameStep;
  frontEnd.scrollY -= 0.03f * game.state.frameStep;
  if (frontEnd.scrollX > tile.width) frontEnd.scrollX -= tile.width;
  if (frontEnd.scrollY < -tile.height) frontEnd.scrollY += tile.height;

  const int grow = HalfFrameStep(game);
  frontEnd.titleBackWidth = static_cast<std::int16_t>(
      frontEnd.titleBackWidth >= 580 ? 580 : frontEnd.titleBackWidth + grow);
  frontEnd.titleBackHeight = static_cast<std::int16_t>(
      frontEnd.titleBackHeight >= 58 ? 58 : frontEnd.titleBackHeight + grow);
  DrawDarkRegion(game, frontEnd.titleBackWidth, frontEnd.titleBackHeight,
                 320.0f - frontEnd.titleBackWidth / 2.0f, 54.0f - frontEnd.titleBackHeight / 2.0f);
  DrawWholeImage(game.platform, frontEnd.titleImage, 215.0f, -1.0f);
}

void RunFrontEndScreen(Game& game) {
  const FrontEnd& frontEnd = game.frontEnd;
  ScreenOf(frontEnd.screen).run(game, frontEnd.shownScreen != frontEnd.targetScreen);
}

void FrontEndNavigation(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  ReadKeyboard(game);
  frontEnd.selectPressed = KeyDown(game, DIK_SPACE) || KeyDown(game, DIK_RETURN);
  frontEnd.escapeHeldOver = frontEnd.escapeHeldOver && KeyDown(game, DIK_ESCAPE);
  const int direction = KeyDown(game, DIK_UP) ? -1 : KeyDown(game, DIK_DOWN) ? +1 : 0;
  if (direction == 0) frontEnd.navHoldStart = -1;
  // No line to move to (the name entry builds none): nothing to navigate.
  if (!AnySelectable(frontEnd) || frontEnd.selectedItem < 1 || frontEnd.selectedItem > LineCount(frontEnd)) {
    return;
  }
  if (frontEnd.listeningFor >= 0) return;  // the key pressed is the one being chosen
  if (FollowMouse(game)) return;
  // A held key waits the player's delay after its first move before it repeats.
  const bool holdWaits = frontEnd.navHoldStart >= 0 && Now(game) < frontEnd.navHoldStart + game.settings.menuRepeatDelay;
  if (Now(game) < frontEnd.navReadyTime || holdWaits) {
    LineAt(frontEnd, frontEnd.selectedItem).selected = true;
    return;
  }
  if (direction == 0) return;
  MoveHighlight(game, direction);
  if (frontEnd.navHoldStart < 0) frontEnd.navHoldStart = Now(game);
}

void AddMenuItem(FrontEnd& frontEnd, std::string text, bool selectable, bool valueItem, std::string data) {
  frontEnd.menuItems.push_back({std::move(text), selectable, valueItem, std::move(data)});
}

void BuildMenuScreen(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const int count = static_cast<int>(frontEnd.menuItems.size());
  frontEnd.panelTargetHeight = std::min(count * MenuLineHeight + 32, MaxPanelHeight);
  int widest = 0;
  frontEnd.menuLines.clear();
  for (const MenuItemDef& item : frontEnd.menuItems) {
    MenuLine line;
    SetLineText(line, item.text);
    line.selectable = item.selectable;
    line.valueItem = item.valueItem;
    widest = std::max<int>(widest, line.width);
    frontEnd.menuLines.push_back(std::move(line));
  }
  frontEnd.panelTargetWidth = std::min(widest + 36, MaxPanelWidth);
  frontEnd.titleWidth = static_cast<std::int16_t>(TextWidth(frontEnd.targetScreen));
  // A long title widens the panel beyond the usual limit.
  if (frontEnd.panelTargetWidth - 36 < frontEnd.titleWidth) frontEnd.panelTargetWidth = frontEnd.titleWidth + 36;
  for (MenuLine& line : frontEnd.menuLines)
    if (line.valueItem) FitLabelBeforeValue(line, frontEnd.panelTargetWidth - 36);
  frontEnd.shownScreen = frontEnd.targetScreen;
  const auto first = std::find_if(frontEnd.menuLines.begin(), frontEnd.menuLines.end(),
                                  [](const MenuLine& line) { return line.selectable; });
  frontEnd.selectedItem = first == frontEnd.menuLines.end()
                              ? 0
                              : static_cast<std::int32_t>(first - frontEnd.menuLines.begin()) + 1;
  if (frontEnd.selectedItem > 0) SelectMenuLine(frontEnd, frontEnd.selectedItem);
}

void SelectMenuLine(FrontEnd& frontEnd, int line) {
  for (MenuLine& each : frontEnd.menuLines) each.selected = false;
  frontEnd.selectedItem = line;
  LineAt(frontEnd, line).selected = true;
  frontEnd.firstVisibleItem = line > VisibleMenuLines ? line - 7 : 1;
}

void DrawMenuPanel(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const int step = HalfFrameStep(game);
  frontEnd.panelWidth = StepTowards(frontEnd.panelWidth, frontEnd.panelTargetWidth, step);
  frontEnd.panelHeight = StepTowards(frontEnd.panelHeight, frontEnd.panelTargetHeight, step);
  const float left = 320.0f - frontEnd.panelWidth / 2.0f;
  const float top = PanelCentreY - frontEnd.panelHeight / 2.0f;
  DrawDarkRegion(game, frontEnd.panelWidth, frontEnd.panelHeight, left, top);
  DrawDarkRegion(game, frontEnd.panelWidth, 33, left, top - 39.0f);
  DrawMenuText(game.platform, frontEnd.shownScreen, 320.0f - frontEnd.titleWidth / 2.0f,
               PanelCentreY - frontEnd.panelTargetHeight / 2.0f - 35.0f);
  const int last = std::min(frontEnd.firstVisibleItem + 7, LineCount(frontEnd));
  for (int k = frontEnd.firstVisibleItem; k <= last; ++k) {
    const MenuLine& line = LineAt(frontEnd, k);
    frontEnd.penX = 320.0f - line.width / 2.0f;
    for (int p = 1; p <= static_cast<int>(line.chars.size()); ++p) DrawMenuChar(game, k, p);
  }
  frontEnd.wavePhase += 0.018f * game.state.frameStep;
  DrawScrollArrows(game);
}

void DrawMenuChar(Game& game, int line, int position) {
  FrontEnd& frontEnd = game.frontEnd;
  const MenuLine& menuLine = LineAt(frontEnd, line);
  float y = PanelCentreY - frontEnd.panelTargetHeight / 2.0f + 18.0f +
            static_cast<float>((line - frontEnd.firstVisibleItem) * MenuLineHeight);
  if (menuLine.selected) y += 5.0f * std::sin(0.5f * (frontEnd.penX - frontEnd.wavePhase));
  if (menuLine.valueItem && position == 1) frontEnd.penX = 320.0f - frontEnd.panelTargetWidth / 2.0f + 18.0f;
  const std::string character(1, static_cast<char>(menuLine.chars[position - 1]));
  if (menuLine.valueItem && character == "*") {
    // The rest of the line ends at the right margin.
    frontEnd.penX = 320.0f + frontEnd.panelTargetWidth / 2.0f - 18.0f -
                    static_cast<float>(TextWidth(LineText(menuLine, static_cast<std::size_t>(position))));
    return;
  }
  if (character != " ") DrawMenuText(game.platform, character, frontEnd.penX, y);
  frontEnd.penX += static_cast<float>(TextWidth(character) + 1);
}

void SetMenuItemValue(FrontEnd& frontEnd, int line, const std::string& valueText) {
  std::vector<std::int16_t>& chars = LineAt(frontEnd, line).chars;
  std::size_t remaining = valueText.size();
  for (std::size_t i = chars.size(); i-- > 0;) {
    if (remaining > 0) {
      chars[i] = static_cast<std::int16_t>(static_cast<unsigned char>(valueText[--remaining]));
    } else if (chars[i] == '*') {
      return;
    } else {
      chars[i] = ' ';
    }
  }
}

void LeaveFrontEnd(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  ReleaseModeAssets(game.platform, game.state.musicOn);
  frontEnd.menuSounds = {-1, -1, -1, -1};
  frontEnd.setUpStarted = false;
  game.state.quitChosen = false;
  frontEnd.panelWidth = 0;
  frontEnd.panelHeight = 0;
  frontEnd.titleBackWidth = 0;
}
