// The sound table's slots and states, the volume curve, the half-way guard, the data-chunk scan and the log.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/music.h"
#include "platform/sound.h"
#include "shell/start_up.h"
#include "test_support.h"

namespace {

class SoundTest : public HeadlessGameTest {
 protected:
  bool& soundOn = game->state.soundOn;
  SoundTable& table = platform.sound.soundTable;

  // A sound of the folder's Sfx, at the volume option.
  int Load(const std::string& name, bool halfGuard) {
    return LoadSound(platform, root.path() / "Sfx", name, halfGuard, SoundVolumeLevel(game->options));
  }

  // 1000 bytes a second: the play cursor advances one byte per millisecond.
  void MakeWave(const std::string& name, std::uint32_t dataBytes = 1000) {
    WriteTestWave(root.path() / "Sfx" / name, 1000, dataBytes);
  }
  void At(std::int32_t tick) { game->clock.now = tick; }
};

TEST(SoundVolumeCurve, MatchesItsFixedPoints) {
  EXPECT_EQ(SoundAttenuation(100), 0);
  EXPECT_EQ(SoundAttenuation(0), -3999);
  EXPECT_EQ(SoundAttenuation(90), -2255);
  EXPECT_EQ(SoundAttenuation(50), -3937);
}

TEST_F(SoundTest, LoadingAfterAResetGivesSlotsInLoadOrder) {
  ResetSoundTable(platform);
  for (int i = 0; i < 28; ++i) {
    MakeWave("s" + std::to_string(i) + ".wav");
    EXPECT_EQ(Load("s" + std::to_string(i) + ".wav", false), i);
  }
  EXPECT_EQ(table[27].fileName, "Sfx/s27.wav");
  EXPECT_EQ(table[27].state, "Stopped");
  EXPECT_EQ(table[27].dataLength, 1000);
}

TEST_F(SoundTest, MissingOrDamagedFilesFailWithoutGrowingTheTable) {
  EXPECT_EQ(Load("missing.wav", false), -1);
  WriteBytes(root.path() / "Sfx" / "bad.wav", {'R', 'I', 'F', 'F', 0, 0});
  EXPECT_EQ(Load("bad.wav", false), -1);
  EXPECT_EQ(table.size(), 1u);
  EXPECT_TRUE(table[0].free);
}

TEST_F(SoundTest, VolumeOptionSetsTheAttenuationAtLoad) {
  MakeWave("a.wav");
  game->options.soundVolume = 0;
  int slot = Load("a.wav", false);
  EXPECT_EQ(table[slot].volume, -3999);
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(table[slot].state, "playing");  // silent but still played
  SetSoundVolume(platform, slot, 90);
  EXPECT_EQ(table[slot].volume, -2255);
}

TEST_F(SoundTest, PlayingTwiceRestartsFromTheBeginning) {
  MakeWave("a.wav");
  int slot = Load("a.wav", false);
  At(100);
  PlaySound(platform, clock, slot, soundOn);
  At(150);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 50);
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 0);
  At(160);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 10);
}

TEST_F(SoundTest, GuardedSoundGoesOnInItsFirstHalfAndRestartsInItsSecond) {
  MakeWave("a.wav");
  int slot = Load("a.wav", true);
  At(0);
  PlaySound(platform, clock, slot, soundOn);
  At(499);
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 499);
  At(500);
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 0);
}

TEST_F(SoundTest, GuardedSoundOfOddLengthGoesOnUpToItsExactHalf) {
  MakeWave("odd.wav", 1001);
  int slot = Load("odd.wav", true);
  At(0);
  PlaySound(platform, clock, slot, soundOn);
  At(500);  // 500.5 bytes is the half: byte 500 is still before it
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 500);
  At(501);
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(SoundPlayCursor(platform, clock, slot), 0);
}

TEST_F(SoundTest, FinishedSoundStaysPlayingStateAndStartsAgain) {
  MakeWave("a.wav");
  int slot = Load("a.wav", true);
  PlaySound(platform, clock, slot, soundOn);
  At(5000);
  EXPECT_FALSE(SoundIsPlaying(platform, clock, slot));
  EXPECT_EQ(table[slot].state, "playing");
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_TRUE(SoundIsPlaying(platform, clock, slot));
}

TEST_F(SoundTest, FreedSlotIsEmptyAndTakenFirst) {
  MakeWave("a.wav");
  MakeWave("b.wav");
  Load("a.wav", false);
  Load("b.wav", false);
  FreeSound(platform, 0);
  EXPECT_EQ(table[0].state, "empty");
  EXPECT_TRUE(table[0].fileName.empty());
  PlaySound(platform, clock, 0, soundOn);  // a free slot plays nothing
  EXPECT_TRUE(game->platform.sound.soundLog.empty());
  EXPECT_EQ(Load("b.wav", false), 0);
}

TEST_F(SoundTest, SoundOffPlaysNothing) {
  MakeWave("a.wav");
  int slot = Load("a.wav", false);
  game->state.soundOn = false;
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_EQ(table[slot].state, "Stopped");
}

TEST_F(SoundTest, LogKeepsTheLastTwoHundredNamesOldestFirst) {
  MakeWave("a.wav");
  MakeWave("b.wav");
  int a = Load("a.wav", false), b = Load("b.wav", false);
  PlaySound(platform, clock, a, soundOn);
  for (int i = 0; i < 200; ++i) PlaySound(platform, clock, b, soundOn);
  const auto& log = game->platform.sound.soundLog;
  ASSERT_EQ(log.size(), 200u);
  EXPECT_EQ(log.front(), "b.wav");
  PlaySound(platform, clock, a, soundOn);
  EXPECT_EQ(log.back(), "a.wav");
}

TEST(WaveDataLength, ScansBytesNotChunks) {
  TempRoot root;
  // "data" hidden inside a LIST chunk before the real one is found first.
  WriteBytes(root.path() / "odd.wav", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'L', 'I', 'S', 'T', 8, 0, 0,
                                       0, 'd', 'a', 't', 'a', 7, 0, 0, 0, 'd', 'a', 't', 'a', 9, 0, 0, 0});
  EXPECT_EQ(WaveDataLength(root.path() / "odd.wav"), 7);
  WriteBytes(root.path() / "none.wav", {'R', 'I', 'F', 'F', 'd', 'a', 't'});
  EXPECT_EQ(WaveDataLength(root.path() / "none.wav"), 0);
  EXPECT_EQ(WaveDataLength(root.path() / "missing.wav"), 0);
  // The scan starts at the fifth byte: a file beginning with "data" does not count it.
  WriteBytes(root.path() / "head.wav", {'d', 'a', 't', 'a', 5, 0, 0, 0});
  EXPECT_EQ(WaveDataLength(root.path() / "head.wav"), 0);
}

}  // namespace

namespace {

// The same rules with the mixer open on SDL's dummy audio driver (no sound card needed).
TEST(SoundThroughTheMixer, SoundsAndSongsLoadAndPlayOnTheDevice) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  TempRoot root;
  WriteTestWave(root.path() / "Sfx" / "a.wav", 8000, 4000);
  WriteTestMidi(root.path() / "Mus" / "a.mid", 4);
  auto game = std::make_unique<Game>();
  StartSettings settings;
  settings.folders = SameFolders(root.path());
  settings.platform.windowed = true;
  std::string error;
  StartUp(*game, settings, error);
  if (std::string(game->platform.audio->Name()) == "none") GTEST_SKIP() << "no audio driver at all";
  int slot = LoadSound(game->platform, root.path() / "Sfx", "a.wav", false, SoundVolumeLevel(game->options));
  ASSERT_EQ(slot, 0);
  EXPECT_EQ(game->platform.sound.soundTable[0].dataLength, 4000);
  PlaySound(game->platform, game->clock, slot, game->state.soundOn);
  EXPECT_TRUE(game->state.soundOn);
  game->state.musicOn = true;
  LoadSong(game->platform, root.path() / "Mus" / "a.mid", game->state.musicOn);
  KeepMusicPlaying(game->platform, game->clock, game->state.musicOn);
  EXPECT_TRUE(game->state.musicOn);
  EXPECT_TRUE(SongPlaying(game->platform, game->clock));
  ShutDownPlatform(game->platform);
  EXPECT_TRUE(game->platform.sound.soundTable[0].free);
}

}  // namespace
