// Recordings as text: steps folded as they are kept and walked back as they came, a reader that refuses what no
// game records (every number bounded, at most a day of play) and whose memory stays near the file's size. The
// fuzz target checks that what it reads it writes back the same.
#include <gtest/gtest.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "content/recording_file.h"

// Counts the bytes the test binary holds, and the most it held, so a test can bound what a reader needs.
namespace {
std::atomic<std::size_t> heldBytes{0}, mostHeldBytes{0};
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  const std::size_t held = heldBytes += malloc_usable_size(block);
  for (std::size_t most = mostHeldBytes; held > most && !mostHeldBytes.compare_exchange_weak(most, held);) {
  }
  return block;
}
void operator delete(void* block) noexcept {
  if (!block) return;
  heldBytes -= malloc_usable_size(block);
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using Kind = RecordedStep::Kind;

RecordedStep Frame(int ms) { return {Kind::Frame, ms, {}}; }
RecordedStep MouseRead(int x, int key = -1) {
  RecordedStep step{Kind::Read, 0, {}};
  step.read.mouseX = x;
  if (key >= 0) step.read.keys[static_cast<std::size_t>(key)] = true;
  return step;
}

std::vector<RecordedStep> Walk(const StepLines& lines) {
  std::vector<RecordedStep> steps;
  StepCursor cursor;
  while (const RecordedStep* step = cursor.Peek(lines)) {
    steps.push_back(*step);
    cursor.Pass();
  }
  EXPECT_TRUE(cursor.AtEnd(lines));
  return steps;
}

TEST(StepLines, RepeatedPairsAreFoldedAndWalkedBackAsTheyCame) {
  const RecordedStep f = Frame(16), r = MouseRead(0), moved = MouseRead(3), key = MouseRead(0, 57);
  struct Case {
    std::vector<RecordedStep> steps;
    std::string text;
  };
  const Case cases[] = {
      {{f, r, f, r}, "f 16\nr\n* 1\n"},
      {{f, r, f, r, f, r, f, r}, "f 16\nr\n* 3\n"},
      {{f, moved, f, moved, f}, "f 16\nr m3,0\n* 1\nf 16\n"},
      {{f, key, f, key, f, r, f, r}, "f 16\nr +57\n* 1\nf 16\nr -57\n* 1\n"},
  };
  for (const Case& c : cases) {
    StepLines lines;
    for (const RecordedStep& step : c.steps) lines.Append(step);
    EXPECT_EQ(lines.text(), c.text);
    EXPECT_EQ(lines.count(), static_cast<std::size_t>(std::count(c.text.begin(), c.text.end(), '\n')));
    EXPECT_EQ(Walk(lines), c.steps) << c.text;
  }
}

// A recording of format 2: everything up to "steps", then `steps`, closed by its end line and checksum.
std::string Sealed(const std::string& header, const std::string& steps) {
  const std::string body = header + "steps\n" + steps;
  const auto lines = std::count(steps.begin(), steps.end(), '\n');
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08x", Crc32(reinterpret_cast<const std::uint8_t*>(body.data()), body.size()));
  return body + "end " + std::to_string(lines) + " " + crc + "\n";
}

const std::string Options = "options startingBalls=3 soundVolume=100 musicVolume=85 detailHigh=1 mouseSpeed=0.0972 "
                            "backgroundOn=-1\n";
const std::string Header = "shardfall-recording 2\nprogram 0.1\nset Lvl/WarmUp.sfs\nseed 7\ntick 100\n" + Options +
                           "state running=1\nsong Comet.mid\nreached tick=164 level=1 score=20 over=0\n";
const std::string Steps = "f 16\nr\n* 3\n";
const std::string WithoutEnd = Header.substr(0, Header.find("reached"));

// The header with the first line that starts like `line` replaced by it.
std::string HeaderWith(const std::string& line) {
  std::string header = Header;
  const std::size_t at = header.find(line.substr(0, line.find_first_of(" =") + 1));
  return header.replace(at, header.find('\n', at) - at, line);
}

bool Decode(const std::string& text, Recording& recording, std::string& problem) {
  return DecodeRecording(Bytes(text.begin(), text.end()), "", recording, problem);
}

TEST(RecordingReader, RefusesNumbersNoGameRecords) {
  struct Case {
    std::string header, steps, problem;
  };
  const std::string day = "f 16\nr\n* 100000000\n";  // 26 days of frames
  const Case cases[] = {
      {HeaderWith("options startingBalls=1000000 soundVolume=100 musicVolume=85 detailHigh=1 mouseSpeed=0.0972 "
                  "backgroundOn=-1"),
       Steps, "expected the options"},
      {HeaderWith("options startingBalls=3 soundVolume=100 musicVolume=85 detailHigh=1 mouseSpeed=nan "
                  "backgroundOn=-1"),
       Steps, "expected the options"},
      {HeaderWith("tick -2147483648"), Steps, "start tick"},
      {HeaderWith("reached tick=-1 level=1 score=20 over=0"), Steps, "expected reached"},
      {WithoutEnd, Steps, "unexpected steps"},  // format 2 without its end
      {Header, "f 2147483647\n", "24 hours"},
      {Header, day, "24 hours"},
      {Header, "f 0\nr\n* 2147483647\n", "24 hours"},  // frames that take no time count too
      {Header, "f -16\n", "damaged (line 11)"},
      {Header, "* 1\n", "damaged (line 11)"},
      {Header, "f 16\nr m16777217,0\n", "damaged (line 12)"},
      {Header, "r p1024\n", "damaged (line 11)"},
  };
  for (const Case& c : cases) {
    Recording recording;
    std::string problem;
    EXPECT_FALSE(Decode(Sealed(c.header, c.steps), recording, problem)) << c.header << c.steps;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

// Every field, at its odd values: the extremes (a whole day of play), negatives, a vertical-only mouse move, zero-length frames, a file
// without a checksum; and a format 1 recording with nothing in its lists.
TEST(RecordingFile, EveryFieldComesBackAsItWasWritten) {
  Recording full;
  full.program = "0.1-dev";
  full.levelSet = "/home/x y/Odd.sfs";
  full.seed = UINT32_MAX;
  full.tick = MaxStartTick;
  full.options = {8, 0.0f, 100.0f, 0, 0.2f, 0};
  full.state = {{"running", "1"}, {"pointerX", "-0.5"}};
  full.files = {{"set", "Odd.sfs", 0u}, {"level", "a b.sfl", std::nullopt}, {"bitmap", "T.bmp", UINT32_MAX}};
  full.songs = {"A.mid", "B C.mid"};
  full.reached = RecordedEnd{INT32_MAX, 0, -5, true};
  RecordedStep held{Kind::Read, 0, {}}, moved = held, released = held;
  held.read.keys[0] = held.read.keys[255] = true;
  held.read.mouseY = -7;  // a vertical move alone
  held.read.mouseButtons = 3;
  held.read.mousePresent = false;
  held.read.padConnected = true;
  held.read.padButtons = (1 << RecordedPadButtons) - 1;
  held.read.stickX = INT16_MIN;
  held.read.stickY = INT16_MAX;
  moved = held;
  moved.read.mouseX = MaxMouseCount;
  moved.read.mouseY = -MaxMouseCount;
  const std::vector<RecordedStep> steps = {
      Frame(0), {Kind::Wait, 0, {}}, Frame(MaxPlayMs - 50), held, moved, released, {Kind::Wait, 50, {}},
      {Kind::SpeedFile, -3, {}}, {Kind::SpeedFile, 0, {}}, {Kind::BadSpeedFile, 0, {}}, {Kind::Quit, 0, {}}};
  for (const RecordedStep& step : steps) full.steps.Append(step);
  Recording empty;
  empty.program = "1";
  empty.levelSet = "s";

  for (const Recording* written : {&full, &empty}) {
    Recording read;
    std::string problem;
    ASSERT_TRUE(DecodeRecording(EncodeRecording(*written), written->program, read, problem)) << problem;
    EXPECT_EQ(read.program, written->program);
    EXPECT_EQ(read.levelSet, written->levelSet);
    EXPECT_EQ(read.seed, written->seed);
    EXPECT_EQ(read.tick, written->tick);
    EXPECT_EQ(EncodeOptions(read.options), EncodeOptions(written->options));
    ASSERT_EQ(read.state.size(), written->state.size());
    for (std::size_t i = 0; i < read.state.size(); ++i) {
      EXPECT_EQ(read.state[i].name, written->state[i].name);
      EXPECT_EQ(read.state[i].value, written->state[i].value);
    }
    ASSERT_EQ(read.files.size(), written->files.size());
    for (std::size_t i = 0; i < read.files.size(); ++i) {
      EXPECT_EQ(read.files[i].role, written->files[i].role);
      EXPECT_EQ(read.files[i].name, written->files[i].name);
      EXPECT_EQ(read.files[i].checksum, written->files[i].checksum);
    }
    EXPECT_EQ(read.songs, written->songs);
    EXPECT_EQ(read.reached, written->reached);
    EXPECT_EQ(read.steps.text(), written->steps.text());
    EXPECT_EQ(read.steps.count(), written->steps.count());
  }
  EXPECT_EQ(Walk(full.steps), steps);
}

// The lines and the end line with its count and CRC-32, as docs/recordings.md gives them.
TEST(RecordingFile, TheWriterWritesTheDocumentedLines) {
  Recording recording;
  recording.program = "0.1";
  recording.levelSet = "Lvl/WarmUp.sfs";
  recording.seed = 7;
  recording.tick = 100;
  recording.state = {{"running", "1"}};
  recording.files = {{"set", "WarmUp.sfs", 0x2Au}, {"level", "a.sfl", std::nullopt}};
  recording.songs = {"Comet.mid"};
  recording.reached = RecordedEnd{164, 1, 20, false};
  for (const RecordedStep& step : {Frame(16), MouseRead(0), Frame(16), MouseRead(0), Frame(16)})
    recording.steps.Append(step);
  std::string header = Header;
  header.insert(header.find("song"), "file set 0000002a WarmUp.sfs\nfile level - a.sfl\n");
  const Bytes bytes = EncodeRecording(recording);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), Sealed(header, "f 16\nr\n* 1\nf 16\n"));
}

// A byte changed anywhere, in the opening lines, the header, the steps or the end line, and the file is refused;
// past the opening lines, by its checksum.
TEST(RecordingFile, TheChecksumRefusesAByteChangedAnywhere) {
  const std::string sealed = Sealed(Header, "f 16\nr m0,-3\n* 2\nq\n");
  Recording recording;
  std::string problem;
  ASSERT_TRUE(Decode(sealed, recording, problem)) << problem;
  const std::size_t afterOpening = sealed.find("set "), endLine = sealed.rfind("\nend ");
  for (std::size_t at = 0; at < sealed.size(); ++at) {
    std::string changed = sealed;
    changed[at] = static_cast<char>(changed[at] ^ 1);
    EXPECT_FALSE(Decode(changed, recording, problem)) << "byte " << at << " of\n" << changed;
    if (at >= afterOpening && at < endLine) {
      EXPECT_NE(problem.find("checksum"), std::string::npos) << problem;
    }
  }
}

// The settings that shape a game are written only when one differs from its default, then in format 4; a reader
// takes them back and refuses values no setting holds, the defaults spelt out, and the line in an older format.
TEST(RecordingFile, ASlowerGameOrOneThatAsksBeforeLeavingCarriesItsSettings) {
  std::string withSettings = Header;
  withSettings.replace(0, 21, "shardfall-recording 4");
  withSettings.insert(withSettings.find("state "), "settings gameSpeed=70 confirmLeave=1\n");
  struct Case {
    RecordedSettings settings;
    int format;
  };
  for (const Case& c : {Case{{}, 2}, Case{{70, 0}, 4}, Case{{100, 1}, 4}, Case{{50, 1}, 4}}) {
    Recording recording;
    recording.program = "0.1";
    recording.levelSet = "s";
    recording.reached = RecordedEnd{};
    recording.settings = c.settings;
    const Bytes bytes = EncodeRecording(recording);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, 22), "shardfall-recording " + std::to_string(c.format) + "\n");
    EXPECT_EQ(text.find("settings") != std::string::npos, c.format == 4) << text;
    Recording read;
    std::string problem;
    ASSERT_TRUE(DecodeRecording(bytes, "", read, problem)) << problem;
    EXPECT_EQ(read.settings, c.settings);
  }
  Recording read;
  std::string problem;
  ASSERT_TRUE(Decode(Sealed(withSettings, Steps), read, problem)) << problem << withSettings;
  EXPECT_EQ(read.settings, (RecordedSettings{70, 1}));
  const std::string refused[] = {"gameSpeed=75 confirmLeave=1", "gameSpeed=40 confirmLeave=0",
                                 "gameSpeed=110 confirmLeave=0", "gameSpeed=70 confirmLeave=2",
                                 "gameSpeed=100 confirmLeave=0", "confirmLeave=1 gameSpeed=70", "gameSpeed=70"};
  for (const std::string& values : refused) {
    std::string text = withSettings;
    text.replace(text.find("gameSpeed=70 confirmLeave=1"), 27, values);
    EXPECT_FALSE(Decode(Sealed(text, Steps), read, problem)) << values;
    EXPECT_NE(problem.find("expected settings"), std::string::npos) << values << ": " << problem;
  }
  std::string older = withSettings;
  older.replace(0, 21, "shardfall-recording 3");
  EXPECT_FALSE(Decode(Sealed(older, Steps), read, problem));
  EXPECT_NE(problem.find("expected the start state"), std::string::npos) << problem;
}

TEST(RecordingReader, NeedsLittleMoreMemoryThanTheFileHolds) {
  // Steps that never fold, each line a few bytes: the most steps a file of this size can hold.
  std::string steps;
  for (int i = 1; steps.size() < (4u << 20); ++i) steps += "f 1\nr m" + std::to_string(i % 1000) + ",0\n";
  const std::string text = Sealed(Header, steps);
  const Bytes bytes(text.begin(), text.end());
  const std::size_t before = heldBytes;
  mostHeldBytes = before;
  Recording recording;
  std::string problem;
  ASSERT_TRUE(DecodeRecording(bytes, "", recording, problem)) << problem;
  EXPECT_LT(mostHeldBytes - before, 2 * bytes.size());
}

}  // namespace
