// The front end's routines: menu system, screens, options and high scores.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "content/high_score_file.h"
#include "content/options_file.h"
#include "content/settings_file.h"
#include "core/front_end_state.h"
#include "core/game_input.h"

struct Game;

// The widest menu panel, and the widest line of text within its margins.
constexpr int MaxPanelWidth = 604;
constexpr int MaxPanelTextWidth = MaxPanelWidth - 36;

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
void RunHighScoreScreens(Game& game, bool building);
void RunMoreSettingsScreen(Game& game, bool building);
void RunControlsScreen(Game& game, bool building);

// A line of a screen's item table and what choosing it does; a line without an action cannot be chosen.
struct MenuChoice {
  const char* label;
  void (*choose)(Game& game);
};
// Appends the table's lines to the screen being built.
void AddChoices(FrontEnd& frontEnd, std::span<const MenuChoice> choices);
// Runs the highlighted line's action when a choice may be made and Space or Enter is down.
void RunChoice(Game& game, std::span<const MenuChoice> choices);
// The screen runs from the next frame, built with its own title.
void OpenScreen(FrontEnd& frontEnd, Screen screen);
// Back to the screen with the back sound; no choice is taken there for `pauseMs`.
void BackTo(Game& game, Screen screen, int pauseMs);
void BackToMainMenu(Game& game, int pauseMs);

// Options.
void LoadOptions(Game& game);
// Reads settings.ini from `path` (none: the defaults); a damaged file is reported once on the standard error and
// written back mended, field by field.
void LoadSettings(Game& game, const std::filesystem::path& path);
// Writes the settings where they were read from; a failed write keeps the old file.
void SaveSettings(Game& game);
void SaveOptions(Game& game);
// Shown value of the mouse speed: percent of its maximum, rounded down.
int MouseSpeedPercent(float mouseSpeed);
// Left (-1) or right (+1) on the field's row: a number moves by the row's step within the field's range, a
// switch flips whatever the direction. False when nothing changes: a number at its lower end moving down.
bool ChangeOption(Options& options, std::string_view field, int direction);

// High scores.
bool EarnsPlace(const HighScoreTable& table, std::int32_t score);
// Puts the score above every equal or lower one; a full table drops its last entry.
// Returns the entry's rank (1-based), 0 when it did not enter.
int InsertHighScore(HighScoreTable& table, const std::string& name, std::int32_t score);
// Adds the score to the file's table and writes it, one game at a time; returns the table as it now stands.
// The game's `recording` (none when empty) is kept beside the table while its entry is in it. `notes` get what
// the player should know about the files, which also goes to stderr; `rankTaken` the entry's rank (0: none).
// A game played slower than the full pace (`gameSpeed`, percent) is marked so beside the table.
HighScoreTable SaveScore(const std::filesystem::path& file, const std::string& name, std::int32_t score,
                         std::vector<std::string>& notes, const Bytes& recording = {}, int* rankTaken = nullptr,
                         std::int32_t gameSpeed = FullGameSpeed);
// The screen of one table entry's game: whether its recording is kept and verifies, and Watch.
void BuildTableGameView(Game& game);
void RunTableGameView(Game& game);
// A missing or unreadable file reads as an empty table; one cut short gives the whole entries it holds.
HighScoreTable ReadScoreTableOrEmpty(const std::filesystem::path& path);
std::string ScoreLineText(int rank, const HighScoreEntry& entry);
// " (speed 70)" beside the score of a game played at 70 per cent of the full pace; nothing at the full pace.
std::string SpeedMark(std::int32_t gameSpeed);
void EditTypedName(Game& game);
// With a gamepad: Up and Down choose a letter, A adds it (B deletes and Start commits through their keys).
void ChooseLetterWithPad(Game& game);
// The name being entered, centred at `y`; with a gamepad, the chosen letter blinks after it.
void DrawTypedName(Game& game, float y);
void WriteHiddenTable(Game& game);
const std::vector<std::string>& HiddenTableNames();

// The set's display name, or its file name when the file cannot be read.
std::string LevelSetDisplayName(const std::filesystem::path& levelSetFile);

nlohmann::json DumpFrontEnd(const Game& game);
