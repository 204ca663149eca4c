// "settings.ini": each field read on its own, so one damaged line costs only that field.
#include <gtest/gtest.h>

#include "content/settings_file.h"
#include "content_test_support.h"

using SettingsFile = ScratchFolder;

TEST(SettingsText, EachFieldIsKeptOrPutBackOnItsOwn) {
  struct Case {
    const char* text;
    std::int32_t gameSpeed, confirmLeave, fireKey;
    bool clean;
  };
  const Case cases[] = {
      {"", 100, 0, 57, true},
      {"gameSpeed = 70\nconfirmLeave=1\nkey.fire = 28\n", 70, 1, 28, true},
      {"# a comment\n\n  gameSpeed\t=  50  \r\nunknownName = 3\n", 50, 0, 57, true},
      {"gameSpeed = 75\nconfirmLeave = 1\n", 100, 1, 57, false},  // off the 10 % steps
      {"gameSpeed = 40\nkey.fire = 256\n", 100, 0, 57, false},
      {"gameSpeed = seventy\nconfirmLeave = 1x\n", 100, 0, 57, false},
      {"gameSpeed 70\nconfirmLeave = 1\n", 100, 1, 57, false},
  };
  for (const Case& c : cases) {
    Settings read;
    read.gameSpeed = 1;  // every field is set, defaults included
    std::string problem;
    EXPECT_EQ(DecodeSettings(c.text, read, problem), c.clean) << c.text;
    EXPECT_EQ(problem.empty(), c.clean) << c.text;
    EXPECT_EQ(read.gameSpeed, c.gameSpeed) << c.text;
    EXPECT_EQ(read.confirmLeave, c.confirmLeave) << c.text;
    EXPECT_EQ(read.controls[static_cast<int>(ControlAction::Fire)].key, c.fireKey) << c.text;
  }
}

TEST(SettingsText, WrittenSettingsReadBackTheSame) {
  Settings changed;
  changed.gameSpeed = 60;
  changed.windowX = 1920;
  changed.controls[static_cast<int>(ControlAction::Pause)] = {0x19, 0x39, -1};
  Settings read;
  std::string problem;
  ASSERT_TRUE(DecodeSettings(EncodeSettings(changed), read, problem)) << problem;
  EXPECT_EQ(EncodeSettings(read), EncodeSettings(changed));
  EXPECT_NE(EncodeSettings(read), EncodeSettings(Settings{}));
}

TEST_F(SettingsFile, DamagedFilesAreReportedWithTheirNameAndLine) {
  std::string problem;
  Settings read;
  put("settings.ini", Bytes{'g', 'a', 'm', 'e', 'S', 'p', 'e', 'e', 'd', '=', '9', '0', '\n', 0});
  EXPECT_FALSE(ReadSettingsFile(file("settings.ini"), read, problem));
  EXPECT_EQ(read.gameSpeed, 100);
  EXPECT_NE(problem.find("settings.ini"), std::string::npos) << problem;
  put("settings.ini", "x\ny\nz\nw\n");
  EXPECT_FALSE(ReadSettingsFile(file("settings.ini"), read, problem));
  EXPECT_NE(problem.find("line 1: "), std::string::npos) << problem;
  EXPECT_NE(problem.find("line 3: "), std::string::npos) << problem;
  EXPECT_EQ(problem.find("line 4"), std::string::npos) << "three lines are named" << problem;
  EXPECT_NE(problem.find("and 1 more"), std::string::npos) << problem;
  EXPECT_FALSE(ReadSettingsFile(file("missing.ini"), read, problem));
}
