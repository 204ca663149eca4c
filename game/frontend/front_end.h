// The front end's state (menu lines, panel, timing, high-score hand-over) and its routines.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "content/high_score_file.h"
#include "content/options_file.h"
#include "shell/game_input.h"

struct Game;

// One line as a screen defines it.
struct MenuItemDef {
  std::string text;
  bool selectable = false;
  bool valueItem = false;  // label left, the part after the '*' markers right
  std::string data;        // the high-score screens keep a file path here
};

// The display form of one line.
struct MenuLine {
  std::vector<std::int16_t> chars;
  bool selectable = false;
  bool selected = false;
  std::int16_t width = 0;
  bool valueItem = false;
};

struct LevelSetEntry {
  std::string name;
  std::string path;
};

constexpr int NoImage = -1;
constexpr int VisibleMenuLines = 8;
constexpr int MenuLineHeight = 37;
constexpr int MaxNameLength = 25;

// The four menu sounds, in load order.
enum MenuSound : int { SoundChange = 0, SoundSelect = 1, SoundExit = 2, SoundBack = 3 };

struct FrontEnd {
  bool setUpStarted = false;
  int tileImage = NoImage, panelImage = NoImage, titleImage = NoImage,  // the font is Text::menuFontImage
      loadingImage = NoImage, plainPanelImage = NoImage, readMeImage = NoImage;
  std::array<int, 4> menuSounds{-1, -1, -1, -1};  // SoundTable slot of each MenuSound; -1 = not loaded
  std::int32_t tileColumns = 0, tileRows = 0;
  float scrollX = 0.0f, scrollY = 0.0f;
  std::int16_t titleBackWidth = 0, titleBackHeight = 0;
  std::string targetScreen;
  std::string shownScreen;  // empty = none built
  std::int16_t titleWidth = 0;
  std::int16_t panelWidth = 0, panelHeight = 0;
  std::int32_t panelTargetWidth = 0, panelTargetHeight = 0;
  float penX = 0.0f;
  float wavePhase = 0.0f;
  std::int32_t selectedItem = 0;      // 1-based
  std::int32_t firstVisibleItem = 1;  // 1-based
  float navReadyTime = 0.0f;
  std::int32_t actionReadyTime = 0;
  bool selectPressed = false;
  // Lines 1..N are stored at [0..N-1]; routines speak of 1-based line numbers.
  std::vector<MenuItemDef> menuItems;
  std::vector<MenuLine> menuLines;
  std::vector<LevelSetEntry> levelSets;
  std::string pendingScoreFile;  // score file to show or update; empty = the list of sets
  bool scoreEntryPending = false;
  std::string enteredName;  // kept for the next entry of the run
};

// Menu system.
void SetUpFrontEnd(Game& game);
void FrontEndFrame(Game& game);  // the main loop's step while inFrontEnd
void DrawFrontEndBackground(Game& game);
void RunFrontEndScreen(Game& game);
void FrontEndNavigation(Game& game);
void BuildMenuScreen(Game& game);
void DrawMenuPanel(Game& game);
void DrawMenuChar(Game& game, int line, int position);
void SetMenuItemValue(FrontEnd& frontEnd, int line, const std::string& valueText);
void LeaveFrontEnd(Game& game);
// Appends one line to the screen being built.
void AddMenuItem(FrontEnd& frontEnd, std::string text, bool selectable, bool valueItem = false,
                 std::string data = {});
// Moves the highlight to `line` (after a build that should not start on the first line).
void SelectMenuLine(FrontEnd& frontEnd, int line);
// True when a screen action may run now.
bool ActionReady(const Game& game);
// The top-left region of "menuback.bmp" darkening what lies below, or of "menuback2.bmp" when that fails.
void DrawDarkRegion(Game& game, int width, int height, float x, float y);
void PlayMenuSound(Game& game, MenuSound sound);

// Screens.
void RunMainMenu(Game& game, bool building);
void RunOptionsScreen(Game& game, bool building);
void RunNewGameScreen(Game& game, bool building);
void RunPowerupsScreen(Game& game, bool building);
void RunCreditsScreen(Game& game, bool building);
void RunHighScoreScreens(Game& game);

// Options.
void LoadOptions(Game& game);
void SaveOptions(Game& game);
// Shown value of the mouse speed: percent of its maximum, rounded down.
int MouseSpeedPercent(float mouseSpeed);
float RaiseMouseSpeed(float mouseSpeed);
float LowerMouseSpeed(float mouseSpeed);

// High scores.
bool EarnsPlace(const HighScoreTable& table, std::int32_t score);
// Puts the score above every equal or lower one; a full table drops its last entry.
void InsertHighScore(HighScoreTable& table, const std::string& name, std::int32_t score);
// A damaged or missing file reads as an empty table.
HighScoreTable ReadScoreTableOrEmpty(const std::filesystem::path& path);
std::string ScoreLineText(int rank, const HighScoreEntry& entry);
void EditTypedName(Game& game);
void WriteHiddenTable(Game& game);
// The score table of a level set: beside it, or in the user's Lvl for a shipped set.
std::string ScoreFileForSet(const Game& game, const std::filesystem::path& setFile);
const std::vector<std::string>& HiddenTableNames();

// The set's display name, or its file name when the file cannot be read.
std::string LevelSetDisplayName(const std::filesystem::path& levelSetFile);

nlohmann::json DumpFrontEnd(const Game& game);
