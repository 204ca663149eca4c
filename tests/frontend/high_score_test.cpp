// High scores: places and ties, the name entry after a game, damaged score files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <latch>
#include <thread>

#include <algorithm>
#include <cctype>

#include "content/file_io.h"
#include "front_end_run.h"
#include "platform/dik_codes.h"
#include "platform/display.h"
#include "platform/text.h"

namespace {

// Scores from `top` downwards in steps of 100.
HighScoreTable Table(int count, int top = 10000) {
  HighScoreTable table;
  for (int i = 0; i < count; ++i) table.push_back({"P" + std::to_string(i + 1), top - 100 * i});
  return table;
}

TEST(ScorePlaces, AFourteenEntryTableTakesAFifteenthAtTheEnd) {
  HighScoreTable table = Table(14);
  ASSERT_TRUE(EarnsPlace(table, 5));
  InsertHighScore(table, "Last", 5);
  ASSERT_EQ(table.size(), 15u);
  EXPECT_EQ(table.back(), (HighScoreEntry{"Last", 5}));
}

TEST(ScorePlaces, AFullTableGivesNoPlaceToALowerOrEqualLowestScore) {
  const HighScoreTable table = Table(15);
  EXPECT_FALSE(EarnsPlace(table, 10));
  EXPECT_FALSE(EarnsPlace(table, table.back().score));
  EXPECT_TRUE(EarnsPlace(table, table.back().score + 1));
}

TEST(ScorePlaces, ATieIsPlacedAboveAndTheLastEntryDrops) {
  HighScoreTable table = Table(15);
  const HighScoreEntry third = table[2];
  const HighScoreEntry fourteenth = table[13];
  InsertHighScore(table, "New", third.score);
  ASSERT_EQ(table.size(), 15u);
  EXPECT_EQ(table[2], (HighScoreEntry{"New", third.score}));
  EXPECT_EQ(table[3], third);
  EXPECT_EQ(table[14], fourteenth);
}

TEST(ScorePlaces, ANegativeScoreGoesBelowEveryEntryAndAddsNoEmptyRow) {
  HighScoreTable table = Table(3);
  ASSERT_TRUE(EarnsPlace(table, -50));
  InsertHighScore(table, "Low", -50);
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table[2].name, "P3");
  EXPECT_EQ(table[3], (HighScoreEntry{"Low", -50}));
}

// A game on "set.sfs" has just ended with `score`.
class NameEntry : public ::testing::Test {
 protected:
  void EndGame(int score) {
    run.AddLevelSet("set.sfs", "The Set");
    run.game().levelSetPath = (run.lvl() / "set.sfs").string();
    run.frontEnd().pendingScoreFile = scoreFile().string();
    run.frontEnd().scoreEntryPending = true;
    run.game().world.score = score;
  }
  std::filesystem::path scoreFile() const { return run.lvl() / "set.sfh"; }
  void Write(const HighScoreTable& table) {
    std::string error;
    ASSERT_TRUE(WriteHighScoreFile(scoreFile(), table, error));
  }
  void Type(const std::vector<int>& keys) {
    for (int key : keys) run.Tap(key);
  }
  bool InNameEntry() { return run.game().platform.input.edgeKeys; }
  // The lines up to the first empty one (what is said above the table), joined by spaces.
  std::string FirstLines() {
    std::string text;
    for (int line = 1; !run.LineText(line).empty(); ++line) text += run.LineText(line) + " ";
    return text;
  }

  FrontEndRun run;
};

TEST_F(NameEntry, TheFirstGameOnASetCreatesItsTable) {
  EndGame(0);
  run.RunUntil([&] { return InNameEntry(); });
  Type({DIK_LSHIFT, DIK_A, DIK_N, DIK_N});
  run.Hold(DIK_LSHIFT);
  run.Tap(DIK_B);
  run.Release(DIK_LSHIFT);
  run.Tap(DIK_RETURN);
  EXPECT_FALSE(run.frontEnd().scoreEntryPending);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()), (HighScoreTable{{"annB", 0}}));
  run.Frames(1);
  EXPECT_EQ(run.frontEnd().shownScreen, "High Scores - The Set");
  EXPECT_FALSE(InNameEntry());
}

TEST_F(NameEntry, NamesStopAtTwentyFiveCharacters) {
  EndGame(500);
  run.RunUntil([&] { return InNameEntry(); });
  for (int i = 0; i < 30; ++i) run.Tap(DIK_Q);
  EXPECT_EQ(run.frontEnd().enteredName, std::string(25, 'q'));
}

TEST_F(NameEntry, BackspaceOnAnEmptyNameDoesNothing) {
  EndGame(500);
  run.RunUntil([&] { return InNameEntry(); });
  Type({DIK_BACK, DIK_X, DIK_BACK, DIK_BACK, DIK_SPACE, DIK_Y});
  EXPECT_EQ(run.frontEnd().enteredName, " y");
}

// The panel darkens a white background: it is as wide as the longest line plus its margins, and 106 high.
TEST_F(NameEntry, ThePanelFitsTheNameBeingTyped) {
  WriteTestBitmap(run.root() / "Gfx" / "tileback2.bmp", 64, 64, [](int, int) { return 0xffffffu; });
  EndGame(500);
  run.RunUntil([&] { return InNameEntry(); });
  for (int i = 0; i < 12; ++i) run.Tap(DIK_W);
  run.Frames(40);
  const std::vector<Pixel>& frame = run.game().platform.display.shownFrame;
  const Pixel panel = ToPixel(0x7f7f7f);
  const int width = run.frontEnd().panelWidth;
  EXPECT_GT(width, 300);
  EXPECT_LT(width, 600);
  const auto runOf = [&](int x, int y, int dx, int dy) {
    int length = 0;
    while (x >= 0 && x < ScreenWidth && y >= 0 && y < ScreenHeight && frame[y * ScreenWidth + x] == panel)
      ++length, x += dx, y += dy;
    return length;
  };
  const int left = static_cast<int>(std::find(frame.begin() + 356 * ScreenWidth, frame.end(), panel) - frame.begin()) % ScreenWidth;
  EXPECT_EQ(runOf(left, 356, 1, 0), width);
  EXPECT_EQ(runOf(left + 2, 256, 0, 1), 106);
}

TEST_F(NameEntry, AHeldKeyTypesOnce) {
  EndGame(500);
  run.RunUntil([&] { return InNameEntry(); });
  run.Hold(DIK_W);
  run.Frames(20);
  EXPECT_EQ(run.frontEnd().enteredName, "w");
}

TEST_F(NameEntry, AMouseButtonCommitsLikeEnter) {
  EndGame(700);
  Write(Table(3));
  run.RunUntil([&] { return InNameEntry(); });
  run.Tap(DIK_Z);
  run.game().platform.input.script.mouse.buttons[0] = 0x80;
  run.Frames(2);
  run.game().platform.input.script.mouse.buttons[0] = 0;
  const HighScoreTable table = ReadScoreTableOrEmpty(scoreFile());
  ASSERT_EQ(table.size(), 4u);
  EXPECT_EQ(table.back(), (HighScoreEntry{"z", 700}));
}

TEST_F(NameEntry, APadChoosesLettersAddsAndDeletesThemAndEntersTheName) {
  EndGame(400);
  run.RunUntil([&] { return InNameEntry(); });
  for (PadButton button : {PadButton::Up, PadButton::Up, PadButton::A, PadButton::A, PadButton::Down, PadButton::A,
                           PadButton::B})
    run.TapPad(button);
  EXPECT_EQ(run.frontEnd().enteredName, "CC");
  run.HoldPad(PadButton::Down, true);  // held: a letter every 160 ms, from "B" down past "A" to the last
  run.Frames(12);
  run.HoldPad(PadButton::Down, false);
  run.TapPad(PadButton::A);
  EXPECT_EQ(run.frontEnd().enteredName, "CC'");
  run.TapPad(PadButton::Start);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()), (HighScoreTable{{"CC'", 400}}));
}

TEST_F(NameEntry, AFullTableAndALowerScoreShowTheTableWithoutEntry) {
  EndGame(5);
  Write(Table(15));
  run.OpenFrontEnd();
  EXPECT_EQ(run.frontEnd().shownScreen, "High Scores - The Set");
  EXPECT_FALSE(run.frontEnd().scoreEntryPending);
  EXPECT_EQ(run.frontEnd().menuLines.size(), 17u);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()), Table(15));
}

TEST_F(NameEntry, ADamagedTableIsReadAsEmptyAndRewrittenWhole) {
  EndGame(300);
  std::string error;
  const Bytes countTooLarge = {0x09, 0, 0, 0, 'A', 'B'};
  ASSERT_TRUE(WriteFileAtomically(scoreFile(), countTooLarge, error));
  run.RunUntil([&] { return InNameEntry(); });
  Type({DIK_K, DIK_RETURN});
  HighScoreTable table;
  ASSERT_TRUE(ReadHighScoreFile(scoreFile(), table, error)) << error;
  EXPECT_EQ(table, (HighScoreTable{{"k", 300}}));
}

TEST_F(NameEntry, AScoreThatCannotBeSavedIsSaidOnScreenAndOnStderr) {
  EndGame(300);
  // The table's folder is a file: nothing can be written there, whoever runs the test.
  WriteBytes(run.lvl() / "blocked", {1});
  run.frontEnd().pendingScoreFile = (run.lvl() / "blocked" / "set.sfh").string();
  run.RunUntil([&] { return InNameEntry(); });
  ::testing::internal::CaptureStderr();
  Type({DIK_K, DIK_RETURN});
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("Your score could not be saved"), std::string::npos) << said;
  EXPECT_NE(said.find("Not a directory"), std::string::npos) << said;
  EXPECT_EQ(run.LineText(1), "Your score could not be saved");
  EXPECT_NE(FirstLines().find("(Not a directory)"), std::string::npos) << FirstLines();
}

TEST_F(NameEntry, ATableShorterThanItsCountKeepsItsWholeEntries) {
  EndGame(300);
  Write(Table(3));
  Bytes bytes;
  std::string error;
  ASSERT_TRUE(ReadWholeFile(scoreFile(), bytes, error)) << error;
  bytes[0] = 5;  // the count says five
  WriteBytes(scoreFile(), bytes);
  run.RunUntil([&] { return InNameEntry(); });
  Type({DIK_K, DIK_RETURN});
  HighScoreTable expected = Table(3);
  expected.push_back({"k", 300});
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()), expected);
}

TEST_F(NameEntry, AnUnreadableTableIsSetAsideBeforeTheNewOneIsWritten) {
  EndGame(300);
  const Bytes unreadable = {0xFE, 0xFF, 0xFF, 0xFF, 'A', 'B'};  // a negative count
  WriteBytes(scoreFile(), unreadable);
  run.RunUntil([&] { return InNameEntry(); });
  Type({DIK_K, DIK_RETURN});
  Bytes kept;
  std::string error;
  ASSERT_TRUE(ReadWholeFile(run.lvl() / "set.sfh.damaged", kept, error)) << error;
  EXPECT_EQ(kept, unreadable);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()), (HighScoreTable{{"k", 300}}));
  EXPECT_NE(FirstLines().find("set.sfh.damaged"), std::string::npos) << FirstLines();
}

// Types letters and spaces, with Shift for capitals.
void TypeText(FrontEndRun& run, const std::string& text) {
  for (char c : text) {
    const bool capital = std::isupper(static_cast<unsigned char>(c));
    if (capital) run.Hold(DIK_LSHIFT);
    run.Tap(c == ' ' ? DIK_SPACE : *ScanCodeOf(std::string("DIK_") + static_cast<char>(std::toupper(c))));
    if (capital) run.Release(DIK_LSHIFT);
  }
}

// Draws a value line as the panel does and returns the gap between the label's last glyph and the value's
// first.
float GapBeforeValue(FrontEndRun& run, int line) {
  const MenuLine& drawn = run.frontEnd().menuLines.at(line - 1);
  float labelEnd = 0.0f, valueStart = 1e9f;
  bool inValue = false;
  for (int p = 1; p <= static_cast<int>(drawn.chars.size()); ++p) {
    const char c = static_cast<char>(drawn.chars[p - 1]);
    DrawMenuChar(run.game(), line, p);
    inValue = inValue || c == '*';
    if (c == ' ' || c == '*') continue;
    const float glyphStart = run.frontEnd().penX - 1.0f - static_cast<float>(TextWidth(std::string(1, c)));
    if (inValue) valueStart = std::min(valueStart, glyphStart);
    else labelEnd = run.frontEnd().penX - 1.0f;
  }
  return valueStart - labelEnd;
}

TEST_F(NameEntry, ALongNameIsCutWithAnEllipsisClearOfItsScoreAndKeptWholeInTheFile) {
  const std::string longName = "Maximilian Wolfgang Mayer";
  Write({{std::string(25, 'W'), 2147483647}, {"Bob", 40000}});
  EndGame(23950);
  run.RunUntil([&] { return InNameEntry(); });
  TypeText(run, longName);
  run.Tap(DIK_RETURN);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()).at(2), (HighScoreEntry{longName, 23950}));
  const struct {
    int line;
    std::string shownStart;
  } lines[] = {{1, "1. WWWWW"}, {2, "2. Bob    "}, {3, "3. Maximilian Wolfgang"}};
  for (const auto& [line, shownStart] : lines) {
    const std::string shown = run.LineText(line);
    EXPECT_TRUE(shown.starts_with(shownStart)) << shown;
    EXPECT_EQ(shown.find("...") != std::string::npos, line != 2) << shown;
    EXPECT_GE(GapBeforeValue(run, line), 15.0f) << shown;
  }
}

TEST_F(NameEntry, TheNameIsKeptForTheNextEntryOfTheRun) {
  EndGame(100);
  run.frontEnd().enteredName = "Kim";
  run.RunUntil([&] { return InNameEntry(); });
  run.Tap(DIK_RETURN);
  EXPECT_EQ(ReadScoreTableOrEmpty(scoreFile()).front().name, "Kim");
}

// Several games saving to one table at the same moment, as two players finishing on one machine do.
TEST(ScoreSaving, GamesSavingToOneTableAtOnceKeepEveryScore) {
  const FreshFolder folder;
  const std::filesystem::path file = folder / "Lvl" / "set.sfh";
  constexpr int Games = 3, ScoresEach = MaxHighScores / Games;
  std::latch start(Games);
  std::vector<std::thread> games;
  for (int g = 0; g < Games; ++g)
    games.emplace_back([&, g] {
      start.arrive_and_wait();
      for (int i = 0; i < ScoresEach; ++i) {
        std::vector<std::string> notes;
        SaveScore(file, "game " + std::to_string(g), 100 * g + i, notes);
      }
    });
  for (std::thread& game : games) game.join();
  EXPECT_EQ(ReadScoreTableOrEmpty(file).size(), static_cast<std::size_t>(Games * ScoresEach));
}

TEST(ScoreSaving, AFolderThatCannotBeMadeIsReportedWithTheSystemsReason) {
  const FreshFolder folder;
  std::filesystem::create_directory_symlink(folder / "gone", folder / "link");  // a link to nothing
  std::filesystem::create_directory(folder / "read-only");
  std::filesystem::permissions(folder / "read-only", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {folder / "link/shardfall/Lvl/set.sfh", "cannot make its folder (File exists)"},
      {folder / "read-only/shardfall/Lvl/set.sfh", "cannot make its folder (Permission denied)"},
  };
  for (const auto& [file, reason] : cases) {
    if (reason.ends_with("(Permission denied)") && ::geteuid() == 0) continue;  // nothing is read-only to root
    std::vector<std::string> notes;
    ::testing::internal::CaptureStderr();
    SaveScore(file, "k", 300, notes);
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(notes.size(), 2u) << file;
    EXPECT_NE(notes[1].find(reason), std::string::npos) << notes[1];
  }
}

}  // namespace

// A table whose games are missing, unreadable or were never kept: each entry says so, and the screen goes on.
class TableGameScreen : public NameEntry {
 protected:
  void Open(const HighScoreTable& table, const std::string& index) {
    run.AddLevelSet("set.sfs", "The Set");
    Write(table);
    std::filesystem::create_directories(run.lvl() / "set.games");
    WriteBytes(run.lvl() / "set.games" / "index.txt", Bytes(index.begin(), index.end()));
    WriteBytes(run.lvl() / "set.games" / "junk.sfr", {'j', 'u', 'n', 'k'});
    run.frontEnd().pendingScoreFile = scoreFile().string();
    run.OpenFrontEnd();
  }
  // The entry's screen once its status is known (a check may run meanwhile).
  std::string Status(int rank) {
    run.frontEnd().shownEntry = rank;
    run.frontEnd().shownScreen.clear();
    run.Frames(1);
    for (int wait = 0; wait < 30000 && StatusText().starts_with("Checking"); ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
      run.Frames(1);
    }
    return StatusText();
  }
  // The status's lines, from the third to the next empty one.
  std::string StatusText() {
    std::string text;
    for (int line = 3; !run.LineText(line).empty(); ++line) text += run.LineText(line) + " ";
    return text;
  }
  bool Watchable() {
    for (int line = 1; line <= static_cast<int>(run.frontEnd().menuLines.size()); ++line)
      if (run.LineText(line) == "Watch") return true;
    return false;
  }
};

TEST_F(TableGameScreen, EachEntrySaysWhatIsKnownOfItsGame) {
  Open({{"Ann", 300}, {"Bo", 200}, {"Cy", 100}},
       "shardfall-table-games 1\ngame score=300 recording=gone.sfr name=Ann\n"
       "game score=200 recording=junk.sfr name=Bo\n");
  const struct {
    int rank;
    std::string status;
    bool watchable;
  } entries[] = {{1, "Its recording is missing", false},
                 {2, "Its recording cannot be replayed", true},
                 {3, "No recording of this game was kept", false}};
  for (const auto& entry : entries) {
    EXPECT_TRUE(Status(entry.rank).starts_with(entry.status)) << entry.rank << ": " << StatusText();
    EXPECT_EQ(Watchable(), entry.watchable) << entry.rank;
  }
  // Watching the unreadable one comes back to the table, which says why.
  Status(2);
  run.Frames(15);
  ASSERT_EQ(run.LineText(run.frontEnd().selectedItem), "Watch");
  run.Tap(DIK_RETURN);
  ASSERT_FALSE(run.game().recorder.watchFile.empty());
  ASSERT_TRUE(run.RunUntil([&] { return !run.game().state.inFrontEnd; }, 2000));
  ASSERT_TRUE(run.RunUntil([&] { return run.game().recorder.watchFile.empty(); }, 2000));
  ASSERT_TRUE(run.RunUntil([&] { return run.frontEnd().shownScreen == "High Scores - The Set"; }, 2000));
  EXPECT_TRUE(run.LineText(1).starts_with("This game cannot be watched")) << FirstLines();
  EXPECT_EQ(run.frontEnd().shownEntry, 0);
}

TEST_F(TableGameScreen, ADamagedListOfGamesIsSaidOnEveryEntry) {
  Open({{"Ann", 300}}, "not an index\n");
  EXPECT_TRUE(Status(1).starts_with("The list of this table's games cannot be read")) << StatusText();
  EXPECT_FALSE(Watchable());
  run.Tap(DIK_ESCAPE);
  run.Frames(2);
  EXPECT_EQ(run.LineText(run.frontEnd().selectedItem), ScoreLineText(1, {"Ann", 300}));
}

// "Done" leaves the table for the menus; it is not taken for an entry.
TEST_F(TableGameScreen, DoneLeavesTheTable) {
  Open({{"Ann", 300}, {"Bo", 200}}, "shardfall-table-games 1\n");
  run.Frames(15);
  int done = 1;
  while (done < static_cast<int>(run.frontEnd().menuLines.size()) && run.LineText(done) != "Done") ++done;
  ASSERT_EQ(run.LineText(done), "Done") << FirstLines();
  run.frontEnd().selectedItem = done;
  run.Tap(DIK_RETURN);
  ASSERT_TRUE(run.RunUntil([&] { return run.frontEnd().shownScreen == "Main Menu"; }, 600)) << FirstLines();
  EXPECT_EQ(run.frontEnd().shownEntry, 0);
}
