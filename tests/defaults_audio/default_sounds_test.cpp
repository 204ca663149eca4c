// The default sound effects: every file the game and the menu load, in a format they can play, evenly loud.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "content/media_files.h"
#include "fresh_folder.h"
#include "tests/defaults_audio/audio_readers.h"
#include "tools/default_content/build_default.h"

namespace {

namespace fs = std::filesystem;

// The game's sounds in load order, then the menu's four.
std::vector<std::string> AllSoundFiles() {
  std::vector<std::string> files;
  for (const GameSound& sound : GameSounds) files.emplace_back(sound.file);
  for (std::string_view name : MenuSoundFiles) files.emplace_back(name);
  return files;
}
const std::vector<std::string> SoundFiles = AllSoundFiles();

// Sounds that can fire many times a second while the ball is in play.
const std::vector<std::string> ContactSounds = {"HitPaddle.wav", "HitBrick.wav", "HitWall.wav", "HitMulti.wav",
                                                 "HitCatchPaddle.wav", "GoThru.wav", "MenuChange.wav"};

double Decibels(double level) { return 20.0 * std::log10(level); }

double PeakOf(const WaveSound& s) {
  double peak = 0.0;
  for (double v : s.samples) peak = std::max(peak, std::fabs(v));
  return peak;
}

// Zero crossings per second: a rough measure of how bright a sound is.
double CrossingRate(const WaveSound& s) {
  int crossings = 0;
  for (std::size_t i = 1; i < s.samples.size(); ++i) crossings += (s.samples[i - 1] < 0) != (s.samples[i] < 0);
  return crossings / s.seconds();
}

class DefaultSounds : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = new FreshFolder("shardfall-sounds");
    root_ = new fs::path(folder_->path());
    std::string error;
    built_ = BuildDefaultSounds(*root_, error);
    buildError_ = new std::string(error);
  }
  static void TearDownTestSuite() {
    delete folder_;
    delete root_;
    delete buildError_;
  }
  void SetUp() override { ASSERT_TRUE(built_) << *buildError_; }

  static WaveSound load(const std::string& name) {
    WaveSound sound;
    std::string problem;
    EXPECT_TRUE(ParseWave(ReadBytes(*root_ / "Sfx" / name), sound, problem)) << name << ": " << problem;
    return sound;
  }

  static FreshFolder* folder_;
  static fs::path* root_;
  static std::string* buildError_;
  static bool built_;
};

FreshFolder* DefaultSounds::folder_ = nullptr;
fs::path* DefaultSounds::root_ = nullptr;
std::string* DefaultSounds::buildError_ = nullptr;
bool DefaultSounds::built_ = false;

TEST_F(DefaultSounds, EveryGameAndMenuSoundIsWrittenAndNothingElse) {
  std::vector<std::string> written;
  for (const auto& entry : fs::directory_iterator(*root_ / "Sfx")) written.push_back(entry.path().filename().string());
  std::vector<std::string> expected = SoundFiles;
  std::sort(written.begin(), written.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(written, expected);
}

TEST_F(DefaultSounds, AreSixteenBitPcmAtAPlayableRate) {
  for (const std::string& name : SoundFiles) {
    const WaveSound s = load(name);
    EXPECT_EQ(s.formatTag, 1) << name;
    EXPECT_EQ(s.bitsPerSample, 16) << name;
    EXPECT_TRUE(s.channels == 1 || s.channels == 2) << name;
    EXPECT_TRUE(s.sampleRate == 22050 || s.sampleRate == 44100) << name;
  }
}

TEST_F(DefaultSounds, ByteScanForDataFindsTheRealDataChunk) {
  // The game measures a sound by scanning for the first "data" bytes, not by walking chunks.
  for (const std::string& name : SoundFiles) {
    const FileBytes bytes = ReadBytes(*root_ / "Sfx" / name);
    EXPECT_EQ(ScannedDataLength(bytes), load(name).dataBytes) << name;
  }
}

TEST_F(DefaultSounds, NeverClipAndAreNeverSilent) {
  for (const std::string& name : SoundFiles) {
    const double peak = PeakOf(load(name));
    EXPECT_LT(Decibels(peak), -0.5) << name << " reaches full scale";
    EXPECT_GT(Decibels(peak), -12.0) << name << " is too quiet";
  }
}

TEST_F(DefaultSounds, ShareOneLoudnessWithinThreeDecibels) {
  std::map<std::string, double> loudness;
  for (const std::string& name : SoundFiles) loudness[name] = Decibels(LoudestWindowRms(load(name)));
  const auto [quietest, loudest] = std::minmax_element(
      loudness.begin(), loudness.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  EXPECT_LT(loudest->second - quietest->second, 3.0) << quietest->first << " against " << loudest->first;
}

TEST_F(DefaultSounds, AreShortAndContactSoundsShortest) {
  int underHalfASecond = 0;
  for (const std::string& name : SoundFiles) {
    const double seconds = load(name).seconds();
    EXPECT_GT(seconds, 0.03) << name;
    EXPECT_LT(seconds, 3.0) << name;
    underHalfASecond += seconds < 0.5;
  }
  EXPECT_GT(underHalfASecond, static_cast<int>(SoundFiles.size()) / 2);
  for (const std::string& name : ContactSounds) EXPECT_LT(load(name).seconds(), 0.3) << name;
}

TEST_F(DefaultSounds, EndQuietlySoTheyStopWithoutAClick) {
  for (const std::string& name : SoundFiles) {
    const WaveSound s = load(name);
    ASSERT_FALSE(s.samples.empty()) << name;
    EXPECT_LT(std::fabs(s.samples.back()), 0.01) << name;
  }
}

TEST_F(DefaultSounds, SetPiecesOutlastTheHitsTheyFollow) {
  // The lost game and the finished set are events, not contacts: they ring on.
  const double longestContact = std::max({load("HitPaddle.wav").seconds(), load("HitBrick.wav").seconds(),
                                          load("HitIndBrick.wav").seconds(), load("HitWall.wav").seconds()});
  EXPECT_GT(load("Death.wav").seconds(), 3 * longestContact);
  EXPECT_GT(load("FinishedSet.wav").seconds(), 3 * longestContact);
}

TEST_F(DefaultSounds, BrickHitIsBrighterThanPaddleHit) {
  EXPECT_GT(CrossingRate(load("HitBrick.wav")), 2 * CrossingRate(load("HitPaddle.wav")));
}

TEST_F(DefaultSounds, NoTwoSoundsAreTheSame) {
  std::map<FileBytes, std::string> seen;
  for (const std::string& name : SoundFiles) {
    const auto [it, fresh] = seen.emplace(ReadBytes(*root_ / "Sfx" / name), name);
    EXPECT_TRUE(fresh) << name << " equals " << it->second;
  }
}

TEST_F(DefaultSounds, SameBytesOnEveryBuild) {
  const fs::path again = *root_ / "again";
  std::string error;
  ASSERT_TRUE(BuildDefaultSounds(again, error)) << error;
  for (const std::string& name : SoundFiles) {
    EXPECT_EQ(ReadBytes(again / "Sfx" / name), ReadBytes(*root_ / "Sfx" / name)) << name;
  }
}

}  // namespace
