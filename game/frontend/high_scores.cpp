// The high-score screens: list of score tables, one table, name entry after a game, and the hidden table.
#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>
#include <utility>

#include "content/file_io.h"
#include "content/level_set_file.h"
#include "content/generated_sets.h"
#include "content/names.h"
#include "content/numbers.h"
#include "content/table_games.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"
#include "platform/text.h"

namespace {

constexpr const char* NamePrompt = "High score! Enter your name:";
constexpr const char* SetListTitle = "High Scores - Pick a level set:";
constexpr int StoredNameLength = 30;

// The set a score table belongs to: beside it, or among the shipped sets when the table is the user's.
std::filesystem::path SetFileOf(const Game& game, const std::filesystem::path& scoreFile) {
  const std::filesystem::path beside = ReplaceLastThree(scoreFile.string(), "sfs");
  std::error_code error;
  if (std::filesystem::exists(beside, error)) return beside;
  return ReadPath(game.folders, std::filesystem::path("Lvl") / beside.filename());
}

// The set's name as the lists show it: a generated set's by its table, any other by its set file.
std::string TableSetName(const Game& game, const std::filesystem::path& scoreFile) {
  if (const std::optional<GeneratedSet> generated = SetOfGeneratedTable(scoreFile))
    return GeneratedSetName(*generated);
  return LevelSetDisplayName(SetFileOf(game, scoreFile));
}

std::string ScoreTableTitle(const Game& game, const std::string& scoreFile) {
  return "High Scores - " + TableSetName(game, scoreFile);
}

std::filesystem::path HiddenTablePath(const Game& game) { return game.folders.user / "Lvl" / "muzac.sfh"; }

// The text in lines that fit the widest panel, broken between words; a word wider than that is cut at its start.
std::vector<std::string> PanelLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    if (!lines.empty() && TextWidth(lines.back() + " " + word) <= MaxPanelTextWidth) lines.back() += " " + word;
    else lines.push_back(word);
  }
  for (std::string& line : lines) line = TextEndThatFits(line, MaxPanelTextWidth);
  return lines;
}

// The games kept beside the table; none when its index cannot be read (the entry's own screen says why).
TableGames TableGamesOf(const std::filesystem::path& scoreFile) {
  TableGames games;
  std::string error;
  if (!ReadTableGames(TableGamesFolder(scoreFile), games, error)) games.clear();
  return games;
}

// The notes waiting for the table (a score not saved, a game watched), above it so that a long table does not
// scroll them out of sight; then the entries, each chosen to look at its game, and Done. The highlight goes to
// the entry of `entryToSelect`.
void BuildTableScreen(Game& game, const HighScoreTable& table) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.menuItems.clear();
  for (const std::string& note : frontEnd.tableNotes)
    for (const std::string& line : PanelLines(note)) AddMenuItem(frontEnd, line, false);
  if (!frontEnd.tableNotes.empty()) AddMenuItem(frontEnd, "", false);
  frontEnd.tableNotes.clear();
  const int firstEntryLine = static_cast<int>(frontEnd.menuItems.size()) + 1;
  const std::vector<std::optional<TableGame>> games = GamesOfEntries(table, TableGamesOf(frontEnd.pendingScoreFile));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::int32_t speed = games[i] ? games[i]->gameSpeed : FullGameSpeed;
    AddMenuItem(frontEnd, ScoreLineText(static_cast<int>(i) + 1, table[i]) + SpeedMark(speed), true, true,
                std::to_string(i + 1));
  }
  AddMenuItem(frontEnd, "", false);
  AddMenuItem(frontEnd, "Done", true);
  frontEnd.targetScreen = ScoreTableTitle(game, frontEnd.pendingScoreFile);
  BuildMenuScreen(game);
  const int rank = std::exchange(frontEnd.entryToSelect, 0);
  if (rank >= 1 && rank <= static_cast<int>(table.size())) SelectMenuLine(frontEnd, firstEntryLine + rank - 1);
}

// The user's tables of every level set, then those of the generated sets (Endless, the latest days first).
std::vector<std::filesystem::path> ScoreTables(const Game& game) {
  std::vector<std::filesystem::path> tables = ListDataFiles(game.folders, "Lvl", "sfh");
  std::vector<std::filesystem::path> generated;
  std::error_code failure;
  const std::filesystem::path folder = game.folders.user / "Lvl" / GeneratedTablesFolder;
  for (const auto& entry : std::filesystem::directory_iterator(folder, failure))
    if (SetOfGeneratedTable(entry.path())) generated.push_back(entry.path());
  // "Endless.sfh" sorts after every "Daily-..." name; the reverse order puts it first and the latest day next.
  std::sort(generated.rbegin(), generated.rend());
  tables.insert(tables.end(), generated.begin(), generated.end());
  return tables;
}

void BuildSetList(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.menuItems.clear();
  for (const auto& scoreFile : ScoreTables(game)) {
    AddMenuItem(frontEnd, TableSetName(game, scoreFile), true, false, scoreFile.string());
  }
  AddMenuItem(frontEnd, "", false);
  AddMenuItem(frontEnd, "Cancel", true);
  frontEnd.targetScreen = SetListTitle;
  BuildMenuScreen(game);
}

void RunSetList(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  if (!ActionReady(game)) return;
  const MenuItemDef& item = frontEnd.menuItems[frontEnd.selectedItem - 1];
  const bool onCancel = frontEnd.selectedItem == static_cast<int>(frontEnd.menuItems.size());
  if (KeyDown(game, DIK_ESCAPE) || (onCancel && frontEnd.selectPressed)) {
    BackToMainMenu(game, 180);
  } else if (frontEnd.selectPressed && !item.data.empty()) {
    frontEnd.pendingScoreFile = item.data;
    frontEnd.shownScreen.clear();
    PlayMenuSound(game, SoundSelect);
    frontEnd.actionReadyTime = Now(game) + 180;
  }
}

void BuildTableView(Game& game) {
  BuildTableScreen(game, ReadScoreTableOrEmpty(game.frontEnd.pendingScoreFile));
}

// The entry of the highlighted line (its rank), or 0 on any other line.
int HighlightedRank(const FrontEnd& frontEnd) {
  const int line = frontEnd.selectedItem;
  if (line < 1 || line > static_cast<int>(frontEnd.menuItems.size())) return 0;
  int rank = 0;
  const std::string& data = frontEnd.menuItems[line - 1].data;
  return ParseWholeNumber(data, rank) ? rank : 0;
}

void RunTableView(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const int rank = HighlightedRank(frontEnd);
  if (!KeyDown(game, DIK_ESCAPE) && ActionReady(game) && frontEnd.selectPressed && rank > 0) {
    frontEnd.shownEntry = rank;
    frontEnd.shownScreen.clear();
    PlayMenuSound(game, SoundSelect);
    frontEnd.actionReadyTime = Now(game) + 180;
    return;
  }
  if (!KeyDown(game, DIK_ESCAPE) && !(ActionReady(game) && frontEnd.selectPressed)) return;
  // The hidden table is shown once only.
  if (std::filesystem::path(frontEnd.pendingScoreFile) == HiddenTablePath(game)) {
    std::error_code ignored;
    std::filesystem::remove(frontEnd.pendingScoreFile, ignored);
  }
  frontEnd.pendingScoreFile.clear();
  BackToMainMenu(game, 180);
}

// A table that cannot be read is renamed out of the way, so that writing the new one does not destroy it.
bool SetAsideDamagedTable(const std::filesystem::path& file, std::filesystem::path& keptAs, std::string& error) {
  std::error_code failure;
  keptAs = file.string() + ".damaged";
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(keptAs, failure)); ++n)
    keptAs = file.string() + ".damaged" + std::to_string(n);
  std::filesystem::rename(file, keptAs, failure);
  if (failure) error = FileError(file, "cannot be set aside (" + failure.message() + ")");
  return !failure;
}

// The table the score joins: the file's, or none when there is no file. A file that cannot be read is set aside
// first; false when even that fails, and then nothing may be written over it.
bool TableToExtend(const std::filesystem::path& file, HighScoreTable& table, std::vector<std::string>& notes,
                   std::string& error) {
  std::error_code failure;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, failure))) return true;
  if (ReadHighScoreFile(file, table, error, ShortTable::KeepWholeEntries)) return true;
  std::cerr << "shardfall: " << error << '\n';
  std::filesystem::path keptAs;
  if (!SetAsideDamagedTable(file, keptAs, error)) return false;
  notes.push_back("The unreadable table was kept as " + keptAs.filename().string());
  std::cerr << "shardfall: the unreadable table was kept as " << keptAs.string() << '\n';
  return true;
}

}  // namespace

HighScoreTable SaveScore(const std::filesystem::path& file, const std::string& name, std::int32_t score,
                         std::vector<std::string>& notes, const Bytes& recording, int* rankTaken,
                         std::int32_t gameSpeed) {
  HighScoreTable table;
  std::string error;
  const bool folderMade = MakeFolderFor(file, error);
  // Another game may be saving to the same table: it is read, extended and replaced by one game at a time.
  const FileLock lock(file);
  const bool writable = folderMade && TableToExtend(file, table, notes, error);
  const int rank = InsertHighScore(table, name, score);
  if (rankTaken) *rankTaken = rank;
  // A failed write leaves the old file whole.
  if (writable && WriteHighScoreFile(file, table, error)) {
    const std::size_t before = notes.size();
    UpdateTableGames(file, table, rank, recording, notes, gameSpeed);
    for (std::size_t i = before; i < notes.size(); ++i) std::cerr << "shardfall: " << notes[i] << '\n';
  } else {
    // The screen's title names the set already; the reason is what follows the file's path.
    const std::string pathPrefix = file.string() + ": ";
    const bool named = error.starts_with(pathPrefix);
    notes.insert(notes.end(), {"Your score could not be saved", named ? error.substr(pathPrefix.size()) : error});
    std::cerr << "shardfall: Your score could not be saved: " << error << '\n';
  }
  return table;
}

namespace {

void CommitName(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  game.platform.input.edgeKeys = false;
  const GameRecorder& recorder = game.recorder;
  // The game that ended is the one recorded last, unless it went unrecorded.
  const bool recorded = !recorder.lastGame.empty() && recorder.lastGameScore == game.world.score;
  const HighScoreTable table = SaveScore(frontEnd.pendingScoreFile, frontEnd.enteredName, game.world.score,
                                         frontEnd.tableNotes, recorded ? recorder.lastGame : Bytes{},
                                         &frontEnd.entryToSelect, recorder.recording.settings.gameSpeed);
  if (const std::optional<GeneratedSet> set = SetOfGeneratedTable(frontEnd.pendingScoreFile);
      set && set->kind == GeneratedKind::Daily)
    KeepLatestDailyTables(std::filesystem::path(frontEnd.pendingScoreFile).parent_path());
  BuildTableScreen(game, table);
  frontEnd.scoreEntryPending = false;
  frontEnd.actionReadyTime = Now(game) + 180;
}

void DrawNameEntry(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const int target = std::max(TextWidth(frontEnd.enteredName), TextWidth(NamePrompt)) + 36;
  if (frontEnd.panelWidth < target) {
    frontEnd.panelWidth = static_cast<std::int16_t>(
        std::min<long>(target, frontEnd.panelWidth + std::lrint(0.5f * game.state.frameStep)));
  } else {
    frontEnd.panelWidth = static_cast<std::int16_t>(target);
  }
  DrawDarkRegion(game, frontEnd.panelWidth, 106, 320.0f - frontEnd.panelWidth / 2.0f, 256.0f);
  DrawCentredMenuText(game.platform, NamePrompt, 272.0f);
}

// One frame of the name entry; the table is tested every frame, since the file may change meanwhile.
void RunNameEntry(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  if (std::filesystem::exists(frontEnd.pendingScoreFile)) {
    frontEnd.scoreEntryPending = false;
    if (!EarnsPlace(ReadScoreTableOrEmpty(frontEnd.pendingScoreFile), game.world.score)) return;
    frontEnd.scoreEntryPending = true;
  }
  game.platform.input.edgeKeys = true;
  DrawNameEntry(game);
  EditTypedName(game);
  if (frontEnd.enteredName.size() > MaxNameLength) frontEnd.enteredName.resize(MaxNameLength);
  DrawTypedName(game, 309.0f);
  if (KeyDown(game, DIK_RETURN) || game.state.leftButton || game.state.rightButton) CommitName(game);
}

}  // namespace

bool EarnsPlace(const HighScoreTable& table, std::int32_t score) {
  if (table.size() < MaxHighScores) return true;
  return std::any_of(table.begin(), table.end(), [score](const auto& entry) { return entry.score < score; });
}

int InsertHighScore(HighScoreTable& table, const std::string& name, std::int32_t score) {
  auto place = std::find_if(table.begin(), table.end(), [score](const auto& entry) { return entry.score <= score; });
  if (place == table.end() && table.size() >= MaxHighScores) return 0;
  const int rank = static_cast<int>(place - table.begin()) + 1;
  table.insert(place, HighScoreEntry{name.substr(0, StoredNameLength), score});
  if (table.size() > MaxHighScores) table.resize(MaxHighScores);
  return rank;
}

HighScoreTable ReadScoreTableOrEmpty(const std::filesystem::path& path) {
  HighScoreTable table;
  std::string error;
  if (!ReadHighScoreFile(path, table, error, ShortTable::KeepWholeEntries)) table.clear();
  return table;
}

std::string SpeedMark(std::int32_t gameSpeed) {
  // The font has no per cent sign.
  return gameSpeed == FullGameSpeed ? "" : " (speed " + std::to_string(gameSpeed) + ")";
}

std::string ScoreLineText(int rank, const HighScoreEntry& entry) {
  std::string name = entry.name.substr(0, StoredNameLength);
  name.resize(StoredNameLength, ' ');
  return std::to_string(rank) + ". " + name + "*******" + std::to_string(entry.score);
}

void EditTypedName(Game& game) {
  std::string& name = game.frontEnd.enteredName;
  for (int code = 0; code <= 122; ++code) {
    if (KeyDown(game, code)) name += KeyToChar(game.platform, code);
  }
  if (KeyDown(game, DIK_BACK) && !name.empty()) name.pop_back();
  if (KeyDown(game, DIK_SPACE)) name += ' ';
  ChooseLetterWithPad(game);
}

const std::vector<std::string>& HiddenTableNames() {
  static const std::vector<std::string> names = {
      "Velvet Lantern Choir", "Copper Moth Parade",   "The Ninth Orchard",   "Neon Tidepool Society",
      "Paper Comet Brigade",  "Glass Harbour Kings",  "Midnight Abacus",     "Rust and Honey Machine",
      "Quiet Avalanche Club", "Lemon Satellite Drift"};
  return names;
}

void WriteHiddenTable(Game& game) {
  HighScoreTable table;
  for (std::size_t i = 0; i < HiddenTableNames().size(); ++i) {
    table.push_back({HiddenTableNames()[i], static_cast<std::int32_t>(100000 - 10000 * i)});
  }
  std::string error;
  std::filesystem::path path;
  if (PrepareWritePath(game.folders, "Lvl/muzac.sfh", path, error)) WriteHighScoreFile(path, table, error);
}

void RunHighScoreScreens(Game& game, bool building) {
  FrontEnd& frontEnd = game.frontEnd;
  if (building) {
    if (frontEnd.pendingScoreFile.empty()) {
      BuildSetList(game);
    } else if (!frontEnd.scoreEntryPending && frontEnd.shownEntry > 0) {
      BuildTableGameView(game);
    } else if (!frontEnd.scoreEntryPending) {
      BuildTableView(game);
    } else {
      RunNameEntry(game);
    }
    return;
  }
  DrawMenuPanel(game);
  if (frontEnd.pendingScoreFile.empty()) {
    RunSetList(game);
  } else if (frontEnd.shownEntry > 0) {
    RunTableGameView(game);
  } else {
    RunTableView(game);
  }
}
