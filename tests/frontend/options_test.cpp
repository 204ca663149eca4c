// Options: "config.bin" defaults and damage, the screen's limits, and settings kept across runs.
#include <gtest/gtest.h>

#include <algorithm>

#include "content/file_io.h"
#include "front_end_run.h"
#include "platform/dik_codes.h"
#include "platform/sound.h"

namespace {

Bytes ConfigBytes(const FrontEndRun& run) {
  Bytes bytes;
  std::string error;
  ReadWholeFile(run.root() / "config.bin", bytes, error);
  return bytes;
}

const Bytes DefaultConfig = {0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x42, 0x00, 0x00,
                             0xAA, 0x42, 0x01, 0xCB, 0x10, 0xC7, 0x3D, 0xFF, 0xFF};

void OpenOptions(FrontEndRun& run) {
  run.OpenFrontEnd();
  run.Tap(DIK_DOWN);
  run.Frames(10);
  run.Tap(DIK_RETURN);
  run.Frames(2);
  ASSERT_EQ(run.frontEnd().shownScreen, "Options");
}

// Holds the key on the highlighted line for the given time.
void HoldFor(FrontEndRun& run, int scanCode, int ms) {
  run.Hold(scanCode);
  run.Frames(ms / 16);
  run.Release(scanCode);
  run.Frames(2);
}

TEST(OptionsFile, AMissingFileIsWrittenWithTheDefaults) {
  FrontEndRun run;
  run.OpenFrontEnd();
  EXPECT_EQ(ConfigBytes(run), DefaultConfig);
}

TEST(OptionsFile, ADamagedFileIsReplacedByTheDefaults) {
  for (Bytes damaged : {Bytes{1, 2, 3}, Bytes{0x09, 0, 0, 0, 0, 0, 0xC8, 0x42, 0, 0, 0xAA, 0x42, 1, 0xCB, 0x10,
                                              0xC7, 0x3D, 0xFF, 0xFF}}) {
    FrontEndRun run;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(run.root() / "config.bin", damaged, error));
    OpenOptions(run);
    EXPECT_EQ(ConfigBytes(run), DefaultConfig);
    EXPECT_EQ(run.LineText(1), "Starting Balls:**3");
  }
}

TEST(OptionsFile, ALongerFileKeepsItsNineteenBytesAndOnlyAValueOutOfRangeIsReset) {
  Bytes longer = DefaultConfig;
  longer[0] = 5;          // five starting balls
  longer.push_back(0x7);  // and one byte too many
  {
    FrontEndRun run;
    WriteBytes(run.root() / "config.bin", longer);
    run.OpenFrontEnd();
    EXPECT_EQ(run.game().options.startingBalls, 5);
    EXPECT_EQ(ConfigBytes(run), longer);  // nothing was reset, so nothing was written
  }
  Bytes outOfRange = DefaultConfig;
  outOfRange[0] = 9;                                   // nine balls: too many
  outOfRange[10] = 0x20, outOfRange[11] = 0x42;        // music volume 40
  FrontEndRun run;
  WriteBytes(run.root() / "config.bin", outOfRange);
  run.OpenFrontEnd();
  EXPECT_EQ(run.game().options.startingBalls, 3);
  EXPECT_EQ(run.game().options.musicVolume, 40.0f);
  Bytes expected = outOfRange;
  expected[0] = 3;
  EXPECT_EQ(ConfigBytes(run), expected);
}

TEST(OptionsScreen, BuildsItsSixValueLinesFromTheDefaults) {
  FrontEndRun run;
  OpenOptions(run);
  EXPECT_EQ(run.LineText(2), "Sound Volume:    ****100");
  EXPECT_EQ(run.LineText(3), "Music Volume:****85");
  EXPECT_EQ(run.LineText(4), "Detail:**High");
  EXPECT_EQ(run.LineText(5), "Mouse Speed:****48");
  EXPECT_EQ(run.LineText(6), "Background:**On");
  EXPECT_EQ(run.LineText(8), "Back");
}

TEST(OptionsScreen, StartingBallsStayBetweenOneAndEight) {
  FrontEndRun run;
  OpenOptions(run);
  HoldFor(run, DIK_RIGHT, 3000);
  EXPECT_EQ(run.game().options.startingBalls, 8);
  EXPECT_EQ(run.LineText(1), "Starting Balls:**8");
  HoldFor(run, DIK_LEFT, 3000);
  EXPECT_EQ(run.game().options.startingBalls, 1);
  EXPECT_EQ(run.LineText(1), "Starting Balls:**1");
}

TEST(OptionsScreen, HeldRightRaisesSoundVolumeEvery45MsAndAppliesIt) {
  FrontEndRun run;
  run.OpenFrontEnd();
  run.game().options.soundVolume = 50.0f;
  OpenOptions(run);
  run.Tap(DIK_DOWN);
  run.Frames(10);
  HoldFor(run, DIK_RIGHT, 480);  // 30 frames of 16 ms: a step every third frame
  EXPECT_EQ(run.game().options.soundVolume, 60.0f);
  EXPECT_EQ(run.LineText(2), "Sound Volume:    ****60");
  EXPECT_EQ(run.game().platform.sound.soundTable[run.frontEnd().menuSounds[SoundChange]].volume,
            SoundAttenuation(60));
}

TEST(OptionsScreen, MusicVolumeZeroSwitchesTheMusicOff) {
  FrontEndRun run;
  run.OpenFrontEnd();
  run.game().options.musicVolume = 2.0f;
  OpenOptions(run);
  run.Tap(DIK_DOWN);
  run.Frames(10);
  run.Tap(DIK_DOWN);
  run.Frames(10);
  HoldFor(run, DIK_LEFT, 480);
  EXPECT_EQ(run.game().options.musicVolume, 0.0f);
  EXPECT_FALSE(run.game().state.musicOn);
  run.Tap(DIK_RIGHT);
  run.Frames(4);
  EXPECT_TRUE(run.game().state.musicOn);
}

TEST(OptionsScreen, LeavingAfterLoweringTheMusicFadesOutFromTheLoweredLevel) {
  FrontEndRun run;
  WriteTestMidi(run.root() / "Mus" / "SFSong1.mid", 400);
  OpenOptions(run);
  ASSERT_TRUE(run.RunUntil([&] { return run.game().state.musicFade == 85.0f; }));
  run.Tap(DIK_DOWN);
  run.Frames(10);
  run.Tap(DIK_DOWN);
  run.Frames(10);
  HoldFor(run, DIK_LEFT, 480);
  const std::int32_t lowered = run.game().platform.music.masterVolume;
  ASSERT_LT(run.game().options.musicVolume, 85.0f);
  run.game().state.leavingFrontEnd = true;
  run.game().state.quitChosen = true;
  std::int32_t loudest = lowered;
  while (run.game().state.running) {
    run.Frames(1);
    loudest = std::max(loudest, run.game().platform.music.masterVolume);
  }
  EXPECT_EQ(loudest, lowered);
}

TEST(OptionsScreen, MouseSpeedShowsPercentOfItsLimit) {
  EXPECT_EQ(MouseSpeedPercent(Options{}.mouseSpeed), 48);
  EXPECT_EQ(MouseSpeedPercent(0.2f), 100);
  EXPECT_EQ(MouseSpeedPercent(0.0f), 0);
  Options options;
  options.mouseSpeed = 0.1995f;
  EXPECT_TRUE(ChangeOption(options, "mouseSpeed", +1));
  EXPECT_EQ(options.mouseSpeed, 0.2f);
  EXPECT_TRUE(ChangeOption(options, "mouseSpeed", +1));
  EXPECT_EQ(options.mouseSpeed, 0.2f);
  options.mouseSpeed = 0.0005f;
  EXPECT_TRUE(ChangeOption(options, "mouseSpeed", -1));
  EXPECT_EQ(options.mouseSpeed, 0.0f);
  EXPECT_FALSE(ChangeOption(options, "mouseSpeed", -1));
}

TEST(OptionsScreen, EnterTogglesDetailEvery180MsWhileHeld) {
  FrontEndRun run;
  OpenOptions(run);
  for (int i = 0; i < 3; ++i) {
    run.Tap(DIK_DOWN);
    run.Frames(10);
  }
  run.Hold(DIK_RETURN);
  run.Frames(2);
  EXPECT_EQ(run.game().options.detailHigh, 0);
  EXPECT_EQ(run.LineText(4), "Detail:** Low");
  run.Frames(12);
  EXPECT_EQ(run.game().options.detailHigh, 1);
}

TEST(OptionsScreen, ChangesAreWrittenOnLeavingAndReadByTheNextRun) {
  Bytes kept;
  std::string error;
  {
    FrontEndRun run;
    OpenOptions(run);
    HoldFor(run, DIK_LEFT, 1000);
    EXPECT_EQ(run.game().options.startingBalls, 1);
    EXPECT_EQ(ConfigBytes(run), DefaultConfig);  // not yet written
    run.Tap(DIK_ESCAPE);
    run.Frames(2);
    EXPECT_EQ(run.frontEnd().shownScreen, "Main Menu");
    ASSERT_TRUE(ReadWholeFile(run.root() / "config.bin", kept, error)) << error;
  }
  FrontEndRun next;
  ASSERT_TRUE(WriteFileAtomically(next.root() / "config.bin", kept, error)) << error;
  OpenOptions(next);
  EXPECT_EQ(next.game().options.startingBalls, 1);
  EXPECT_EQ(next.LineText(1), "Starting Balls:**1");
}

}  // namespace
