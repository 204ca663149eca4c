// The front end's record: menu lines, panel, timing and the high-score hand-over from a finished game.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "content/generated_sets.h"
#include "content/high_score_file.h"

// The front end's screens.
enum class Screen { MainMenu, Options, NewGame, HighScores, Powerups, Credits, MoreSettings, Controls };

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
  std::string path;  // empty for a generated set
  GeneratedKind generated = GeneratedKind::None;
};

constexpr int NoImage = -1;
constexpr int VisibleMenuLines = 8;
constexpr int MenuLineHeight = 37;
constexpr int MaxNameLength = 25;

struct FrontEnd {
  bool setUpStarted = false;
  int tileImage = NoImage, panelImage = NoImage, titleImage = NoImage,  // the font is Text::menuFontImage
      loadingImage = NoImage, plainPanelImage = NoImage, readMeImage = NoImage;
  std::array<int, 4> menuSounds{-1, -1, -1, -1};  // SoundTable slot of each MenuSound; -1 = not loaded
  std::int32_t tileColumns = 0, tileRows = 0;
  float scrollX = 0.0f, scrollY = 0.0f;
  std::int16_t titleBackWidth = 0, titleBackHeight = 0;
  Screen screen = Screen::MainMenu;  // the screen that runs
  std::string targetScreen;          // the title it is to be built with
  std::string shownScreen;  // empty = none built
  std::int16_t titleWidth = 0;
  std::int16_t panelWidth = 0, panelHeight = 0;
  std::int32_t panelTargetWidth = 0, panelTargetHeight = 0;
  float penX = 0.0f;
  float wavePhase = 0.0f;
  std::int32_t selectedItem = 0;      // 1-based
  std::int32_t firstVisibleItem = 1;  // 1-based
  float navReadyTime = 0.0f;
  std::int32_t navHoldStart = -1;  // the tick a held Up or Down first moved the highlight; -1: none held
  std::int32_t actionReadyTime = 0;
  bool selectPressed = false;
  // Lines 1..N are stored at [0..N-1]; routines speak of 1-based line numbers.
  std::vector<MenuItemDef> menuItems;
  std::vector<MenuLine> menuLines;
  std::vector<LevelSetEntry> levelSets;
  std::string pendingScoreFile;  // score file to show or update; empty = the list of sets
  bool scoreEntryPending = false;
  std::string enteredName;  // kept for the next entry of the run
  std::vector<std::string> tableNotes;  // shown above the next table built (a score not saved, a game watched)
  int shownEntry = 0;       // the table entry (rank) whose game is shown; 0: the table itself
  int entryToSelect = 0;    // the rank to highlight when the table is next built; 0: the first line
  HighScoreEntry shownGameEntry;                    // the entry whose game is shown
  std::string shownGameFile;                        // its recording; empty when none is kept
  std::optional<std::uint32_t> shownGameChecksum;   // the recording's, when it can be read
  std::string shownGameProblem;                     // why there is no recording to look at
  std::string shownGameStatus;                      // what the screen says of it
  float mouseTravel = 0.0f;     // pointer movement up (-) or down (+) not yet turned into a highlight step
  int mouseButtonsHeld = 3;     // bit 0 left, bit 1 right: held at the last menu read (or when the menus came up)
  int padLetter = 0;                 // the letter a gamepad's A adds to the name, in PadLetters
  float padLetterReadyTime = 0.0f;   // tick before which a held direction does not choose again
  // The Controls screen: the action whose new key or button is awaited (-1: none; the highlight then stays put),
  // whether every key, button and click has been let go since the screen last acted, and what it says of the
  // last choice.
  int listeningFor = -1;
  bool escapeHeldOver = false;  // the Esc that left More Settings, not yet let go: it does not leave Options too
  bool keysLetGo = false;
  std::string controlsNote;
};
