// The song notation: note names, timing of held notes and sixteenths, chord-following parts, and its errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "tests/defaults_audio/audio_readers.h"
#include "tools/default_content/songs/score.h"

namespace {

using namespace score;

constexpr std::uint32_t Sixteenth = TicksPerQuarter / 4;

Song TinySong(const std::string& chords, const std::string& melody, unsigned layers) {
  Song song;
  song.fileName = "tiny.mid";
  song.title = "Tiny";
  song.tempo = 120;
  song.band = {80, 9, 98, 89, 38};
  song.sections = {{chords, melody, ""}};
  song.grooves = {{"R.......5.......", "0...1...2...3...", {{Kick, "x...x...x...x..."}}, {}}};
  song.arrangement = {{0, 0, layers}};
  return song;
}

MidiSong Render(const Song& song) {
  MidiSong parsed;
  std::string problem;
  EXPECT_TRUE(ParseMidi(RenderSong(song), parsed, problem)) << problem;
  return parsed;
}

std::vector<MidiNote> NotesOn(const MidiSong& song, int channel) {
  std::vector<MidiNote> out;
  std::copy_if(song.notes.begin(), song.notes.end(), std::back_inserter(out),
               [channel](const MidiNote& n) { return n.channel == channel; });
  std::sort(out.begin(), out.end(), [](const MidiNote& a, const MidiNote& b) { return a.on < b.on; });
  return out;
}

std::string RenderError(const Song& song) {
  try {
    RenderSong(song);
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "";
}

TEST(NoteNames, CountFromMiddleCWithAccidentals) {
  EXPECT_EQ(NoteNumber("c4"), 60);
  EXPECT_EQ(NoteNumber("a4"), 69);
  EXPECT_EQ(NoteNumber("f#5"), 78);
  EXPECT_EQ(NoteNumber("bb3"), 58);
  EXPECT_EQ(NoteNumber("b3"), 59);
  EXPECT_EQ(NoteNumber("cb4"), 59);
  EXPECT_EQ(NoteNumber("e#4"), 65);
}

TEST(NoteNames, RejectWhatIsNotANote) {
  for (const char* bad : {"", "h4", "c", "c#", "c45", "4c", "."}) {
    EXPECT_THROW(NoteNumber(bad), std::invalid_argument) << '"' << bad << '"';
  }
}

TEST(MelodyTiming, HeldEighthsRestsAndSixteenths) {
  const MidiSong song = Render(TinySong("C", "c5 . . . - - d5+e5 f5", Lead));
  const auto lead = NotesOn(song, 0);
  ASSERT_EQ(lead.size(), 4u);
  EXPECT_EQ(lead[0].key, 72);
  EXPECT_EQ(lead[0].on, 0u);
  EXPECT_GT(lead[0].off, 7 * Sixteenth);  // four eighths held
  EXPECT_LE(lead[0].off, 8 * Sixteenth);
  EXPECT_EQ(lead[1].on, 12 * Sixteenth);  // after two eighths of rest
  EXPECT_LE(lead[1].off, 13 * Sixteenth);
  EXPECT_EQ(lead[2].on, 13 * Sixteenth);
  EXPECT_EQ(lead[3].on, 14 * Sixteenth);
  EXPECT_EQ(song.endTick(), 16 * Sixteenth);
}

TEST(MelodyTiming, TempoSetsTheLengthInSeconds) {
  Song song = TinySong("C | C", "c5 . . . . . . . | c5 . . . . . . .", Lead);
  song.tempo = 60;
  EXPECT_DOUBLE_EQ(Render(song).secondsAt(Render(song).endTick()), 8.0);
}

TEST(ChordParts, BassAndArpeggioFollowEachBarsChord) {
  const MidiSong song = Render(TinySong("C | Am", "", Bass | Arpeggio));
  const auto bass = NotesOn(song, 4);
  ASSERT_EQ(bass.size(), 4u);
  EXPECT_EQ(bass[0].key % 12, 0);  // C root
  EXPECT_EQ(bass[1].key % 12, 7);  // its fifth
  EXPECT_EQ(bass[2].key % 12, 9);  // A root
  EXPECT_EQ(bass[3].key % 12, 4);  // its fifth
  for (const MidiNote& n : bass) EXPECT_LT(n.key, 48);

  const auto arpeggio = NotesOn(song, 2);
  ASSERT_EQ(arpeggio.size(), 8u);
  const std::vector<int> expected = {0, 4, 7, 0, 9, 0, 4, 9};  // tones of C, then of A minor
  for (std::size_t i = 0; i < arpeggio.size(); ++i) EXPECT_EQ(arpeggio[i].key % 12, expected[i]) << i;
  EXPECT_EQ(arpeggio[3].key, arpeggio[0].key + 12);
}

TEST(ChordParts, TwoChordsInABarSplitItAndThePadHoldsEach) {
  const MidiSong song = Render(TinySong("Dm G7", "", Pad));
  const auto pad = NotesOn(song, 3);
  ASSERT_EQ(pad.size(), 7u);  // three tones, then four
  EXPECT_EQ(std::count_if(pad.begin(), pad.end(), [](const MidiNote& n) { return n.on == 0; }), 3);
  EXPECT_EQ(std::count_if(pad.begin(), pad.end(), [](const MidiNote& n) { return n.on == 8 * Sixteenth; }), 4);
  for (const MidiNote& n : pad) EXPECT_GT(n.off - n.on, 7 * Sixteenth);
}

TEST(ChordParts, CounterDoublesTheMelodyAnOctaveUpWhenItHasNoLineOfItsOwn) {
  const MidiSong song = Render(TinySong("C", "c5 . e5 . g5 . c6 .", Lead | Counter));
  const auto lead = NotesOn(song, 0), counter = NotesOn(song, 1);
  ASSERT_EQ(counter.size(), lead.size());
  for (std::size_t i = 0; i < lead.size(); ++i) {
    EXPECT_EQ(counter[i].key, lead[i].key + 12);
    EXPECT_LT(counter[i].velocity, lead[i].velocity);
  }
}

TEST(Drums, LastBarOfASectionPlaysTheFill) {
  Song song = TinySong("C | C", "", Drums);
  song.grooves[0].fill = {{Snare, "xxxxxxxxxxxxxxxx"}};
  const auto drums = NotesOn(Render(song), 9);
  const auto count = [&](int key) { return std::count_if(drums.begin(), drums.end(), [key](const MidiNote& n) { return n.key == key; }); };
  EXPECT_EQ(count(Kick), 4);     // first bar only
  EXPECT_EQ(count(Snare), 16);   // the fill
  EXPECT_EQ(count(Crash), 1);    // the section's downbeat
}

TEST(SongSheet, FieldsASheetLeavesUnsetHaveDefaults) {
  // Memory as a sheet might find it: not zero.
  alignas(Song) unsigned char memory[sizeof(Song)];
  volatile unsigned char* bytes = memory;
  for (std::size_t i = 0; i < sizeof memory; ++i) bytes[i] = 0x82;
  Song* song = new (memory) Song;  // default-initialised, as a sheet naming only some fields is
  EXPECT_EQ(song->tempo, 120);
  EXPECT_EQ(song->keySharps, 0);
  EXPECT_FALSE(song->minorKey);
  EXPECT_EQ(song->band.lead, 0);
  song->~Song();
}

TEST(NotationErrors, NameTheSongAndThePlace) {
  EXPECT_NE(RenderError(TinySong("C", "c5 . . . . . .", Lead)).find("tiny.mid"), std::string::npos);
  EXPECT_NE(RenderError(TinySong("C", "c5 . . . . . .", Lead)).find("bar 1"), std::string::npos);
  EXPECT_NE(RenderError(TinySong("Cx7", "", Pad)).find("Cx7"), std::string::npos);
  EXPECT_NE(RenderError(TinySong("C | C", "c5 . . . . . . .", Lead)).find("length"), std::string::npos);
  EXPECT_NE(RenderError(TinySong("C", "q5 . . . . . . .", Lead)).find("q5"), std::string::npos);

  Song badBass = TinySong("C", "", Bass);
  badBass.grooves[0].bass = "R.......9.......";
  EXPECT_NE(RenderError(badBass).find("bass"), std::string::npos);
  Song shortPattern = TinySong("C", "", Arpeggio);
  shortPattern.grooves[0].arpeggio = "0123";
  EXPECT_NE(RenderError(shortPattern).find("16"), std::string::npos);
  Song missingSection = TinySong("C", "", Pad);
  missingSection.arrangement = {{3, 0, Pad}};
  EXPECT_NE(RenderError(missingSection).find("section"), std::string::npos);
}

}  // namespace
