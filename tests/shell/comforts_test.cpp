// The player's comforts end to end: a slower game moves everything its share slower, is recorded and replayed at
// its pace and marked in its table; the leave question goes on or leaves and still offers the score; what the
// settings draw appears only when they are on.
#include <gtest/gtest.h>

#include <cmath>

#include "content/bitmap_file.h"
#include "content/table_games.h"
#include "program_run.h"

#ifdef SHARDFALL_EXECUTABLE
namespace {

using Comforts = ProgramRun;

// A click at 6 s starts the level; 25 frames of 16 ms later the ball has flown free for 400 ms of the clock.
TEST_F(Comforts, ABallCoversItsPacesShareOfTheDistanceInTheSameTicks) {
  Write("click.txt", "6000 button left down\n6020 button left up\n");
  const struct {
    int speed;
    double distance;  // 0.35 px/ms over 400 ms at the pace
  } cases[] = {{100, 140}, {90, 126}, {70, 98}, {50, 70}};
  for (const auto& c : cases) {
    double x[2], y[2];
    for (int i = 0; i < 2; ++i) {
      ASSERT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --seed 1 --input " + Path("click.txt") +
                    " --game-speed " + std::to_string(c.speed) + " --frames " + std::to_string(378 + 25 * i) +
                    " --dump-state " + Path("ball.json")),
                0)
          << Text("out.txt");
      const nlohmann::json dump = Json("ball.json");
      ASSERT_TRUE(dump["GameState"]["playing"]);
      x[i] = dump["GameWorld"]["balls"][0]["x"];
      y[i] = dump["GameWorld"]["balls"][0]["y"];
    }
    EXPECT_NEAR(std::hypot(x[1] - x[0], y[1] - y[0]), c.distance, 0.01) << c.speed << " %";
  }
}

// Esc asks; N and Esc go on, Y leaves. The viewer's own settings are the defaults, yet the replay asks and moves
// as the game did; the score left that way enters the table, marked with the game's pace.
TEST_F(Comforts, ASlowerGameThatAsksBeforeLeavingReplaysByItsSettingsAndIsMarkedInItsTable) {
  StartWith(1);
  Write("s.ini", "confirmLeave = 1\n");
  std::string keys = "6000 button left down\n6020 button left up\n";
  for (const auto& [at, key] : {std::pair{7000, "DIK_ESCAPE"}, {7500, "DIK_N"}, {9000, "DIK_ESCAPE"},
                                {9500, "DIK_ESCAPE"}, {11000, "DIK_ESCAPE"}, {11500, "DIK_Y"}})
    keys += std::to_string(at) + " key " + key + " down\n" + std::to_string(at + 50) + " key " + key + " up\n";
  Write("leave.txt", keys);
  const std::string play = "--play " + Path("Lvl/1-WarmUp.sfs") + " --seed 3 --game-speed 70 --settings " +
                           Path("s.ini") + " ";
  const nlohmann::json left = PlayAndReplay(play + "--frames 3000 --input " + Path("leave.txt"));
  EXPECT_NE(Text("game.sfr").find("\nsettings gameSpeed=70 confirmLeave=1\nstate "), std::string::npos);
  const int end = left["tick"];
  EXPECT_GT(end, 11500) << "an answer that goes on left the game";
  EXPECT_LT(end, 13000);
  EXPECT_FALSE(left["GameState"]["playing"]);
  EXPECT_TRUE(left["FrontEnd"]["scoreEntryPending"]);

  Write("name.txt", keys + std::to_string(end + 3000) + " key DIK_S down\n" + std::to_string(end + 3050) +
                        " key DIK_S up\n" + std::to_string(end + 3400) + " key DIK_RETURN down\n" +
                        std::to_string(end + 3450) + " key DIK_RETURN up\n");
  ASSERT_EQ(Run(play + "--frames " + std::to_string((end + 5000) / 16) + " --input " + Path("name.txt") +
                " --dump-state " + Path("table.json")),
            0)
      << Text("out.txt");
  TableGames index;
  std::string error;
  ASSERT_TRUE(ReadTableGames(root / "Lvl" / "1-WarmUp.games", index, error)) << error;
  ASSERT_EQ(index.size(), 1u);
  EXPECT_EQ(index[0].gameSpeed, 70);
  const nlohmann::json lines = Json("table.json")["FrontEnd"]["menuLines"];
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const nlohmann::json& line) {
    return line.get<std::string>().starts_with("1. s") && line.get<std::string>().ends_with(" (speed 70)");
  })) << lines;
}

// What a setting adds to the picture: the band where it draws differs from the same moment without it, and
// without it the picture is the defaults' own.
TEST_F(Comforts, TheLeaveQuestionIntroDetailsAndFinalScoreAreDrawnOnlyWhenTheyAreOn) {
  const std::string click = "6000 button left down\n6020 button left up\n";
  const std::string esc = "7000 key DIK_ESCAPE down\n7050 key DIK_ESCAPE up\n";
  std::string clicks;
  for (int at = 6000; at < 30000; at += 3000)
    clicks += std::to_string(at) + " button left down\n" + std::to_string(at + 20) + " button left up\n";
  const struct {
    std::string name, onSettings, offSettings, onScript, offScript;
    int tick, top, bottom;  // the band the setting draws in
  } cases[] = {
      {"the leave question", "confirmLeave = 1\n", "confirmLeave = 1\n", click + esc, click, 7000, 215, 255},
      {"the intro's details", "levelIntroDetails = 1\n", "", click, click, 5000, 375, 415},
      {"the final score", "finalScoreScreen = 1\n", "", clicks, clicks, 100000, 255, 290},
  };
  auto picture = [this](const std::string& settings, const std::string& script, int tick) {
    Write("s.ini", settings);
    Write("keys.txt", script);
    EXPECT_EQ(Run("--play " + Path("Lvl/1-WarmUp.sfs") + " --seed 3 --settings " + Path("s.ini") + " --input " +
                  Path("keys.txt") + " --frames " + std::to_string(tick / 16 + 2) + " --screenshot " +
                  std::to_string(tick) + ":" + Path("shot.bmp")),
              0)
        << Text("out.txt");
    Bitmap shot;
    std::string error;
    EXPECT_TRUE(ReadBitmapFile(root / "shot.bmp", shot, error)) << error;
    return shot;
  };
  for (const auto& c : cases) {
    const Bitmap on = picture(c.onSettings, c.onScript, c.tick), off = picture(c.offSettings, c.offScript, c.tick);
    ASSERT_EQ(on.pixels.size(), off.pixels.size()) << c.name;
    auto band = [&c](const Bitmap& shot) {
      return std::vector<std::uint32_t>(shot.pixels.begin() + c.top * shot.width,
                                        shot.pixels.begin() + c.bottom * shot.width);
    };
    EXPECT_NE(band(on), band(off)) << c.name << " is not drawn";
    if (!c.offSettings.empty()) {
      EXPECT_TRUE(off.pixels == picture("", c.offScript, c.tick).pixels) << c.name << " is drawn unasked";
    }
  }
}

}  // namespace
#endif
