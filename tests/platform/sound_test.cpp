// The sound table's slots and states, the volume curve, the half-way guard, the data-chunk scan and the log.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

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

// A sound card that writes down what it is asked, and refuses when told to.
class RecordingAudio final : public AudioDevice {
 public:
  bool refuseLoad = false, refusePlay = false;
  std::vector<std::string> calls;

  const char* Name() const override { return "recording"; }
  std::shared_ptr<SoundBuffer> LoadSound(const Bytes&) override {
    return refuseLoad ? nullptr : std::make_shared<SoundBuffer>();
  }
  bool PlaySound(int slot, SoundBuffer&, std::int32_t attenuation) override {
    Note("play", slot, attenuation);
    return !refusePlay;
  }
  void SetSoundVolume(int slot, std::int32_t attenuation) override { Note("volume", slot, attenuation); }
  void HaltSound(int slot) override { Note("halt", slot); }
  void HaltAllSounds() override { calls.push_back("halt all"); }
  std::shared_ptr<SongData> LoadSong(const std::filesystem::path&, Bytes) override { return std::make_shared<SongData>(); }
  bool PlaySong(SongData&) override { return true; }
  void HaltSong() override {}
  bool SongPlaying(const Music&, std::int32_t) const override { return false; }
  void SetSongVolume(std::int32_t) override {}

 private:
  void Note(const char* what, int slot, std::int32_t value = 0) {
    calls.push_back(std::string(what) + " " + std::to_string(slot) + (value ? " " + std::to_string(value) : ""));
  }
};

class SoundDeviceTest : public SoundTest {
 protected:
  RecordingAudio& device = Install();
  RecordingAudio& Install() {
    auto audio = std::make_unique<RecordingAudio>();
    RecordingAudio& kept = *audio;
    platform.audio = std::move(audio);
    return kept;
  }
};

TEST_F(SoundDeviceTest, TheDeviceHearsEachSlotsVolumeItsPlaysAndItsHalts) {
  MakeWave("a.wav");
  MakeWave("b.wav");
  game->options.soundVolume = 90;
  const int a = Load("a.wav", false), b = Load("b.wav", false);
  PlaySound(platform, clock, b, soundOn);
  SetSoundVolume(platform, b, 50);
  PlaySound(platform, clock, b, soundOn);
  FreeSound(platform, a);
  ResetSoundTable(platform);
  EXPECT_EQ(device.calls, (std::vector<std::string>{"volume 0 -2255", "volume 1 -2255", "play 1 -2255",
                                                    "volume 1 -3937", "play 1 -3937", "halt 0", "halt all"}));
}

TEST_F(SoundDeviceTest, ADeviceThatRefusesASoundLeavesItUnloadedOrTurnsSoundOff) {
  MakeWave("a.wav");
  device.refuseLoad = true;
  EXPECT_EQ(Load("a.wav", false), -1);
  EXPECT_EQ(table.size(), 1u);
  EXPECT_TRUE(table[0].free);
  device.refuseLoad = false;
  device.refusePlay = true;
  const int slot = Load("a.wav", false);
  PlaySound(platform, clock, slot, soundOn);
  EXPECT_FALSE(soundOn);
  EXPECT_EQ(table[slot].state, "Stopped");
  EXPECT_TRUE(platform.sound.soundLog.empty());
  PlaySound(platform, clock, slot, soundOn);  // sound stays off: the device is not asked again
  EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), "play 0"), 1);
}

}  // namespace

namespace {

// The same rules with the mixer open on SDL's dummy audio driver (no sound card needed).
TEST(SoundThroughTheMixer, SoundsAndSongsLoadAndPlayOnTheDevice) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  TempRoot root;
  WriteTestWave(root.path() / "Sfx" / "a.wav", 8000, 80000);  // ten seconds: playing throughout the test
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
  EXPECT_EQ(game->platform.sound.soundTable[0].dataLength, 80000);
  PlaySound(game->platform, game->clock, slot, game->state.soundOn);
  EXPECT_TRUE(game->state.soundOn);
  // Each slot plays in its own channel at its own volume: 0 dB is the mixer's full volume, -40 dB a hundredth.
  const int quiet = LoadSound(game->platform, root.path() / "Sfx", "a.wav", false, 0);
  PlaySound(game->platform, game->clock, quiet, game->state.soundOn);
  EXPECT_EQ(Mix_Volume(slot, -1), MIX_MAX_VOLUME);
  EXPECT_EQ(Mix_Volume(quiet, -1), 1);
  SetSoundVolume(game->platform, slot, 0);  // while it plays
  EXPECT_EQ(Mix_Volume(slot, -1), 1);
  game->state.musicOn = true;
  LoadSong(game->platform, root.path() / "Mus" / "a.mid", game->state.musicOn);
  KeepMusicPlaying(game->platform, game->clock, game->state.musicOn);
  EXPECT_TRUE(game->state.musicOn);
  EXPECT_TRUE(SongPlaying(game->platform, game->clock));
  ShutDownPlatform(game->platform);
  EXPECT_TRUE(game->platform.sound.soundTable[0].free);
}

}  // namespace
