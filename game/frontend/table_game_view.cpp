// The screen of one score table entry's game: whether its recording is kept and verifies, and Watch.
#include <sstream>

#include "content/table_games.h"
#include "core/game.h"
#include "frontend/front_end.h"
#include "platform/input.h"
#include "platform/text.h"

namespace {

constexpr const char* WatchLine = "Watch";
constexpr const char* BackLine = "Back";

std::string EndText(const RecordedEnd& end) {
  return "level " + std::to_string(end.level) + ", score " + std::to_string(end.score);
}

// What is known of the shown game's recording; a check begins when nothing is known yet.
std::string GameStatus(Game& game) {
  const FrontEnd& frontEnd = game.frontEnd;
  if (!frontEnd.shownGameProblem.empty()) return frontEnd.shownGameProblem;
  if (!frontEnd.shownGameChecksum) return "Its recording is missing or cannot be read";
  const std::filesystem::path file = frontEnd.shownGameFile;
  const std::optional<RecordingVerdict> verdict = game.checks.Result(file, *frontEnd.shownGameChecksum);
  if (!verdict) {
    if (!BackgroundThreads) return "Not checked yet: watching it checks it";
    game.checks.Start(game.verifier, game.folders, game.generated.maker, file, *frontEnd.shownGameChecksum);
    return "Checking its recording...";
  }
  switch (verdict->outcome) {
    case RecordingVerdict::Outcome::Verifies:
      return "Verified: its replay reaches " + EndText(verdict->reached);
    case RecordingVerdict::Outcome::DoesNotVerify:
      return "Does not verify: " + verdict->problem;
    default:
      return "Its recording cannot be replayed: " + verdict->problem;
  }
}

// The shown entry's recording as the table's index names it; a problem instead when there is none.
void FindShownGame(Game& game, const HighScoreTable& table) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.shownGameFile.clear();
  frontEnd.shownGameChecksum.reset();
  frontEnd.shownGameProblem.clear();
  const std::filesystem::path folder = TableGamesFolder(frontEnd.pendingScoreFile);
  TableGames games;
  std::string error;
  if (!ReadTableGames(folder, games, error)) {
    frontEnd.shownGameProblem = "The list of this table's games cannot be read: " + error;
    return;
  }
  const std::optional<TableGame> found = GamesOfEntries(table, games)[frontEnd.shownEntry - 1];
  if (!found) {
    frontEnd.shownGameProblem = "No recording of this game was kept";
    return;
  }
  frontEnd.shownGameFile = (folder / found->recording).string();
  frontEnd.shownGameChecksum = FileChecksum(frontEnd.shownGameFile);
}

// The text in lines that fit the widest panel, broken between words.
std::vector<std::string> StatusLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream words(text);
  for (std::string word; words >> word;) {
    if (!lines.empty() && TextWidth(lines.back() + " " + word) <= MaxPanelTextWidth) lines.back() += " " + word;
    else lines.push_back(TextEndThatFits(word, MaxPanelTextWidth));
  }
  return lines;
}

// The entry, what is known of its game, Watch when there is a recording, and Back; the highlight stays on the
// line of the same text.
void BuildLines(Game& game, const HighScoreEntry& entry, const std::string& status) {
  FrontEnd& frontEnd = game.frontEnd;
  const int selected = frontEnd.selectedItem;
  const std::string selectedText =
      selected >= 1 && selected <= static_cast<int>(frontEnd.menuItems.size()) ? frontEnd.menuItems[selected - 1].text
                                                                                : WatchLine;
  frontEnd.menuItems.clear();
  AddMenuItem(frontEnd, ScoreLineText(frontEnd.shownEntry, entry), false, true);
  AddMenuItem(frontEnd, "", false);
  for (const std::string& line : StatusLines(status)) AddMenuItem(frontEnd, line, false);
  AddMenuItem(frontEnd, "", false);
  if (frontEnd.shownGameChecksum) AddMenuItem(frontEnd, WatchLine, true);
  AddMenuItem(frontEnd, BackLine, true);
  frontEnd.shownGameStatus = status;
  BuildMenuScreen(game);
  for (int line = 1; line <= static_cast<int>(frontEnd.menuItems.size()); ++line)
    if (frontEnd.menuItems[line - 1].selectable && frontEnd.menuItems[line - 1].text == selectedText)
      SelectMenuLine(frontEnd, line);
}

void BackToTheTable(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.entryToSelect = frontEnd.shownEntry;
  frontEnd.shownEntry = 0;
  frontEnd.shownScreen.clear();
  PlayMenuSound(game, SoundBack);
  frontEnd.actionReadyTime = Now(game) + 180;
}

// The run leaves the menus to replay the game, and comes back to the table with the entry highlighted.
void Watch(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  game.recorder.watchFile = frontEnd.shownGameFile;
  frontEnd.entryToSelect = frontEnd.shownEntry;
  game.state.leavingFrontEnd = true;
  game.state.gameLoaded = false;
  PlayMenuSound(game, SoundSelect);
}

}  // namespace

void BuildTableGameView(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const HighScoreTable table = ReadScoreTableOrEmpty(frontEnd.pendingScoreFile);
  // The table may have changed meanwhile (another game saved to it): its entry is gone, back to the table.
  if (frontEnd.shownEntry > static_cast<int>(table.size())) {
    frontEnd.shownEntry = 0;
    return;
  }
  frontEnd.shownGameEntry = table[frontEnd.shownEntry - 1];
  FindShownGame(game, table);
  frontEnd.selectedItem = 0;
  BuildLines(game, frontEnd.shownGameEntry, GameStatus(game));
}

void RunTableGameView(Game& game) {
  FrontEnd& frontEnd = game.frontEnd;
  const std::string status = GameStatus(game);
  if (status != frontEnd.shownGameStatus) BuildLines(game, frontEnd.shownGameEntry, status);
  const int line = frontEnd.selectedItem;
  const std::string chosen = line >= 1 && line <= static_cast<int>(frontEnd.menuItems.size())
                                 ? frontEnd.menuItems[line - 1].text
                                 : std::string();
  if (KeyDown(game, DIK_ESCAPE) || (ActionReady(game) && frontEnd.selectPressed && chosen == BackLine)) {
    BackToTheTable(game);
  } else if (ActionReady(game) && frontEnd.selectPressed && chosen == WatchLine && !game.state.leavingFrontEnd) {
    Watch(game);
  }
}
