// The master-volume rule, song timing from MIDI files, looping, the music fades and failures.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/music.h"
#include "test_support.h"
#include "shell/fades.h"

namespace {

class MusicTest : public HeadlessGameTest {
 protected:
  bool& musicOn = game->state.musicOn;
  Music& music = platform.music;
  std::filesystem::path Song(const char* name) { return root.path() / "Mus" / name; }
};

TEST_F(MusicTest, MasterVolumeIsFortyTwoPerLevelFromMinusThreeThousand) {
  SetMusicVolume(platform, 0, musicOn);
  EXPECT_EQ(music.masterVolume, -3000);
  SetMusicVolume(platform, 40, musicOn);
  EXPECT_EQ(music.masterVolume, -1320);
  SetMusicVolume(platform, 85, musicOn);
  EXPECT_EQ(music.masterVolume, 570);
  SetMusicVolume(platform, 100, musicOn);
  EXPECT_EQ(music.masterVolume, 1200);
}

TEST(MidiFileLength, FollowsTheTempoMap) {
  TempRoot root;
  WriteTestMidi(root.path() / "a.mid", 4);  // four quarters at 120 per minute
  EXPECT_EQ(MidiFileLength(root.path() / "a.mid"), 2000);
  WriteTestMidi(root.path() / "b.mid", 2, 250000);
  EXPECT_EQ(MidiFileLength(root.path() / "b.mid"), 500);
}

TEST(MidiFileLength, RefusesDamagedFiles) {
  TempRoot root;
  WriteTestMidi(root.path() / "a.mid", 4);
  std::vector<std::uint8_t> bytes;
  {
    std::ifstream file(root.path() / "a.mid", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), {});
  }
  for (std::size_t cut : {std::size_t{3}, std::size_t{13}, std::size_t{20}, bytes.size() - 3}) {
    WriteBytes(root.path() / "cut.mid", std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
    EXPECT_EQ(MidiFileLength(root.path() / "cut.mid"), -1) << cut;
  }
  WriteBytes(root.path() / "text.mid", {'h', 'e', 'l', 'l', 'o'});
  EXPECT_EQ(MidiFileLength(root.path() / "text.mid"), -1);
  EXPECT_EQ(MidiFileLength(root.path() / "missing.mid"), -1);
}

// A track without its End of Track event, its length fitted to what it holds.
Bytes UnendedTrack(const std::vector<std::uint8_t>& events) {
  Bytes midi = MidiOf(events);
  midi.resize(midi.size() - 4);
  for (int i = 0; i < 4; ++i) midi[18 + i] = static_cast<std::uint8_t>(events.size() >> (24 - 8 * i));
  return midi;
}

// The reader stays within each track: what claims more than its track holds refuses the file, and the events of
// a track that simply stops are read as they stand.
TEST(MidiFileLength, EveryEventStaysWithinItsTrack) {
  Bytes twoTracks = UnendedTrack({0, 0x90, 60, 100});
  const Bytes second = MidiOf({0x60, 0xC1, 7});
  twoTracks.insert(twoTracks.end(), second.begin() + 14, second.end());
  const struct {
    const char* name;
    Bytes midi;
    std::int32_t length;  // -1: refused
  } cases[] = {
      {"a meta event longer than its track", MidiOf({0, 0xFF, 0x01, 0x10, 'a'}), -1},
      {"a SysEx longer than its track", MidiOf({0, 0xF0, 0x10, 1}), -1},
      {"running status with nothing to run on", MidiOf({0, 60, 100}), -1},
      {"a delta time of five bytes", MidiOf({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100}), -1},
      {"a note cut off by the track's end", UnendedTrack({0, 0x90, 60}), -1},
      {"a delta time cut off by the track's end", UnendedTrack({0x81}), -1},
      {"a track that stops without its end, then another", twoTracks, 500},
  };
  for (const auto& [name, midi, length] : cases) {
    EXPECT_EQ(MidiLength(midi), length) << name;
    EXPECT_EQ(MidiInstruments(midi).size(), length < 0 ? 0u : 2u) << name;
  }
}

TEST(MidiFileLength, ASongOfMoreEventsThanAnySongHasIsRefused) {
  for (const auto& [count, taken] : {std::pair{MaxSongEvents, true}, std::pair{MaxSongEvents + 1, false}}) {
    // Notes on and off by running status, then the end of the track: `count` events in all.
    std::vector<std::uint8_t> events = {0x00, 0x90, 60, 100};
    for (std::size_t i = 2; i < count; ++i) events.insert(events.end(), {0x00, 60, static_cast<std::uint8_t>(i % 2 * 100)});
    const Bytes midi = MidiOf(events);
    EXPECT_EQ(MidiLength(midi) >= 0, taken) << count;
    EXPECT_EQ(MidiInstruments(midi).empty(), !taken) << count;
  }
}

TEST(MidiInstruments, FollowProgramsAndBanksPerChannelWithTheKeysPlayed) {
  const Bytes midi = MidiOf({
      0, 0xC0, 5,        0, 0x90, 60, 100,  // channel 1: program 5, key 60
      0, 0xB1, 0, 8,     0, 0xC1, 16,       // channel 2: bank 8, program 16
      0, 0x91, 64, 100,  0, 0x91, 65, 0,    // key 64; a note-on at velocity 0 is a note-off
      0, 0xB9, 0, 5,     0, 0x99, 36, 100,  // channel 10 keeps the drum bank whatever is selected
      0, 0xC0, 6,                           // selected, never played
      0, 0x92, 48, 100,                     // channel 3 plays the default instrument
  });
  const std::vector<MidiInstrument> instruments = MidiInstruments(midi);
  ASSERT_EQ(instruments.size(), 5u);
  const int expected[5][3] = {{0, 5, 60}, {8, 16, 64}, {128, 0, 36}, {0, 6, -1}, {0, 0, 48}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(instruments[i].bank, expected[i][0]) << i;
    EXPECT_EQ(instruments[i].program, expected[i][1]) << i;
    EXPECT_EQ(instruments[i].keys.count(), expected[i][2] < 0 ? 0u : 1u) << i;
    if (expected[i][2] >= 0) {
      EXPECT_TRUE(instruments[i].keys.test(expected[i][2])) << i;
    }
  }
  EXPECT_TRUE(MidiInstruments({'n', 'o'}).empty());
}

TEST_F(MusicTest, KeepMusicPlayingStartsTheSongAndRestartsItWhenItEnds) {
  WriteTestMidi(Song("a.mid"), 2);  // one second
  LoadSong(platform, Song("a.mid"), musicOn);
  game->state.musicOn = true;
  EXPECT_FALSE(SongPlaying(platform, clock));
  KeepMusicPlaying(platform, clock, musicOn);
  EXPECT_TRUE(SongPlaying(platform, clock));
  game->clock.now = 999;
  KeepMusicPlaying(platform, clock, musicOn);
  EXPECT_EQ(music.songLog.size(), 1u);
  game->clock.now = 1000;
  KeepMusicPlaying(platform, clock, musicOn);
  EXPECT_EQ(music.songStartTick, 1000);
  ASSERT_EQ(music.songLog.size(), 2u);
  EXPECT_EQ(music.songLog.back(), "a.mid");
  EXPECT_TRUE(game->state.musicOn);
}

TEST_F(MusicTest, StoppedSongStartsAgainOnTheNextKeep) {
  WriteTestMidi(Song("a.mid"), 8);
  LoadSong(platform, Song("a.mid"), musicOn);
  PlaySong(platform, clock, musicOn);
  StopSong(platform, musicOn);
  EXPECT_FALSE(SongPlaying(platform, clock));
  KeepMusicPlaying(platform, clock, musicOn);
  EXPECT_TRUE(SongPlaying(platform, clock));
}

TEST_F(MusicTest, FailuresSwitchMusicOff) {
  game->state.musicOn = true;
  LoadSong(platform, Song("missing.mid"), musicOn);
  EXPECT_FALSE(game->state.musicOn);
  game->state.musicOn = true;
  KeepMusicPlaying(platform, clock, musicOn);  // nothing loaded
  EXPECT_FALSE(game->state.musicOn);
}

TEST_F(MusicTest, FadeOutLandsExactlyOnZero) {
  game->options.musicVolume = 85;
  game->state.musicFade = 85;
  game->state.musicFadingOut = true;
  game->state.frameStep = 16;
  int steps = 0;
  while (game->state.musicFadingOut && steps < 1000) MusicFadeOutStep(*game), ++steps;
  EXPECT_EQ(game->state.musicFade, 0.0f);
  EXPECT_EQ(steps, 67);  // 85 / 1.28, about 1.1 s
  EXPECT_EQ(music.masterVolume, -3000);
}

TEST_F(MusicTest, FadeInStopsAtTheOption) {
  game->options.musicVolume = 85;
  game->state.musicFadingIn = true;
  game->state.frameStep = 16;
  int steps = 0;
  while (game->state.musicFadingIn && steps < 1000) MusicFadeInStep(*game), ++steps;
  EXPECT_EQ(game->state.musicFade, 85.0f);
  EXPECT_EQ(steps, 178);  // 0.48 per step, about 2.8 s
  EXPECT_EQ(music.masterVolume, 570);
}

}  // namespace
