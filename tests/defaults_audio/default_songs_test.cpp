// The default songs: well-formed MIDI files for the menu and the levels, a minute or more, looping on a bar line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "fresh_folder.h"
#include "tests/defaults_audio/audio_readers.h"
#include "tools/default_content/build_default.h"

namespace {

namespace fs = std::filesystem;

constexpr int DrumChannel = 9;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The game's rule for a level song: the path ends in lower-case "mid" and is not the menu theme.
bool IsLevelSong(const std::string& path) {
  return path.size() >= 3 && path.compare(path.size() - 3, 3, "mid") == 0 &&
         Lower(path).find("sfsong1.mid") == std::string::npos;
}

class DefaultSongs : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new FreshFolder("shardfall-songs");
    root_ = new fs::path(folder_->path());
    std::string error;
    built_ = BuildDefaultSongs(*root_, error);
    buildError_ = new std::string(error);
  }
  static void TearDownTestSuite() {
    delete folder_;
    delete root_;
    delete buildError_;
  }
  void SetUp() override { ASSERT_TRUE(built_) << *buildError_; }

  static std::vector<fs::path> songFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(*root_ / "Mus")) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
  }

  static MidiSong load(const fs::path& file) {
    MidiSong song;
    std::string problem;
    EXPECT_TRUE(ParseMidi(ReadBytes(file), song, problem)) << file.filename() << ": " << problem;
    return song;
  }

  static FreshFolder* folder_;
  static fs::path* root_;
  static std::string* buildError_;
  static bool built_;
};

FreshFolder* DefaultSongs::folder_ = nullptr;
fs::path* DefaultSongs::root_ = nullptr;
std::string* DefaultSongs::buildError_ = nullptr;
bool DefaultSongs::built_ = false;

TEST_F(DefaultSongs, MenuThemeAndAtLeastFourLevelSongsAreWritten) {
  EXPECT_TRUE(fs::is_regular_file(*root_ / "Mus" / "SFSong1.mid"));
  const auto files = songFiles();
  const auto levelSongs = std::count_if(files.begin(), files.end(), [](const fs::path& p) { return IsLevelSong(p.string()); });
  EXPECT_GE(levelSongs, 4);
  EXPECT_EQ(static_cast<std::size_t>(levelSongs) + 1, files.size()) << "every other file should be a level song";
}

TEST_F(DefaultSongs, AreWellFormedMultiTrackFiles) {
  for (const fs::path& file : songFiles()) {
    const MidiSong song = load(file);
    EXPECT_TRUE(song.format == 0 || song.format == 1) << file.filename();
    EXPECT_EQ(song.trackEnds.size(), static_cast<std::size_t>(song.declaredTracks)) << file.filename();
    EXPECT_FALSE(song.hangingNotes) << file.filename() << " leaves a note sounding at its end";
  }
}

TEST_F(DefaultSongs, EachPlaysForAMinuteOrMore) {
  for (const fs::path& file : songFiles()) {
    const MidiSong song = load(file);
    const double seconds = song.secondsAt(song.endTick());
    EXPECT_GE(seconds, 60.0) << file.filename();
    EXPECT_LT(seconds, 300.0) << file.filename();
  }
}

TEST_F(DefaultSongs, EndOnABarLineWithEveryNoteReleased) {
  // A restart at the end then falls on the next downbeat with nothing left ringing across it.
  for (const fs::path& file : songFiles()) {
    const MidiSong song = load(file);
    const std::uint32_t bar = static_cast<std::uint32_t>(song.division * song.beatsPerBar);
    EXPECT_EQ(song.endTick() % bar, 0u) << file.filename();
    for (std::uint32_t end : song.trackEnds) EXPECT_EQ(end, song.endTick()) << file.filename();
    const auto last = std::max_element(song.notes.begin(), song.notes.end(),
                                       [](const MidiNote& a, const MidiNote& b) { return a.off < b.off; });
    ASSERT_NE(last, song.notes.end());
    EXPECT_LE(last->off, song.endTick()) << file.filename();
    EXPECT_GT(last->off + bar, song.endTick()) << file.filename() << " ends with a silent bar";
  }
}

TEST_F(DefaultSongs, StartPlayingOnTheFirstBeat) {
  for (const fs::path& file : songFiles()) {
    const MidiSong song = load(file);
    const auto first = std::min_element(song.notes.begin(), song.notes.end(),
                                        [](const MidiNote& a, const MidiNote& b) { return a.on < b.on; });
    ASSERT_NE(first, song.notes.end());
    EXPECT_EQ(first->on, 0u) << file.filename();
  }
}

TEST_F(DefaultSongs, HaveMelodyHarmonyBassAndDrums) {
  for (const fs::path& file : songFiles()) {
    const MidiSong song = load(file);
    std::map<int, std::vector<MidiNote>> byChannel;
    for (const MidiNote& n : song.notes) byChannel[n.channel].push_back(n);
    EXPECT_GE(byChannel[DrumChannel].size(), 100u) << file.filename() << " drums";
    bool bass = false, melody = false, chords = false;
    for (const auto& [channel, notes] : byChannel) {
      if (channel == DrumChannel || notes.empty()) continue;
      double sum = 0;
      std::map<std::uint32_t, int> startsAt;
      for (const MidiNote& n : notes) {
        sum += n.key;
        ++startsAt[n.on];
      }
      const double average = sum / static_cast<double>(notes.size());
      bass |= average < 48;
      melody |= average > 70 && startsAt.size() == notes.size() && notes.size() >= 100;
      chords |= std::any_of(startsAt.begin(), startsAt.end(), [](const auto& s) { return s.second >= 3; });
      EXPECT_GE(song.programs[static_cast<std::size_t>(channel)], 0) << file.filename() << " channel " << channel;
    }
    EXPECT_TRUE(bass) << file.filename();
    EXPECT_TRUE(melody) << file.filename();
    EXPECT_TRUE(chords) << file.filename();
  }
}

TEST_F(DefaultSongs, EachHasItsOwnKeyOrTempo) {
  std::set<std::tuple<int, int, std::uint32_t>> seen;
  for (const fs::path& file : songFiles()) {
    const MidiSong song = load(file);
    ASSERT_FALSE(song.tempos.empty()) << file.filename();
    EXPECT_TRUE(seen.emplace(song.keySharps, song.keyMinor, song.tempos.front().second).second) << file.filename();
  }
}

TEST_F(DefaultSongs, SameBytesOnEveryBuild) {
  const fs::path again = *root_ / "again";
  std::string error;
  ASSERT_TRUE(BuildDefaultSongs(again, error)) << error;
  for (const fs::path& file : songFiles()) {
    EXPECT_EQ(ReadBytes(again / "Mus" / file.filename()), ReadBytes(file)) << file.filename();
  }
}

}  // namespace
