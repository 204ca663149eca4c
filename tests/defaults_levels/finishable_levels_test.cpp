// Every shipped level can be finished: the game plays it headless with the autopilot and no capsules, from a
// fixed seed, and must end it by clearing it within its set's bound of virtual time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <memory>
#include <nlohmann/json.hpp>

#include "fresh_folder.h"
#include "tools/default_content/levels/level_sources.h"

namespace {

namespace fs = std::filesystem;

constexpr int Seed = 1;
constexpr int FrameMs = 16;
constexpr int AutopilotOnMs = 6400;  // after the game start, within the first level intro; a multiple of FrameMs
constexpr int ClickEveryMs = 992;    // an intro waits for a click, at the start and after a lost ball
const std::string ClearedMessage = "You finished this set of levels!";

struct ShippedLevel {
  std::string setName;
  std::string levelFile;
  int minutes = 0;
};

void PrintTo(const ShippedLevel& level, std::ostream* out) { *out << level.setName << ": " << level.levelFile; }

std::vector<ShippedLevel> ShippedLevels() {
  std::string error;
  std::vector<ShippedLevel> levels;
  for (const ShippedLevelSet& set : ShippedLevelSets(error))
    for (const std::string& file : set.levelSet.levelFiles)
      levels.push_back({set.levelSet.levelSetName, file, set.clearedWithinMinutes});
  return levels;
}

// A chord is two keys down for exactly one frame read.
std::string InputScript(int lastMs) {
  std::ostringstream script;
  for (const char* key : {"DIK_A", "DIK_I"}) script << AutopilotOnMs << " key " << key << " down\n";
  for (const char* key : {"DIK_A", "DIK_I"}) script << AutopilotOnMs + 1 << " key " << key << " up\n";
  for (int ms = AutopilotOnMs + ClickEveryMs; ms < lastMs; ms += ClickEveryMs)
    script << ms << " button left down\n" << ms + 1 << " button left up\n";
  return script.str();
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class FinishableLevel : public testing::TestWithParam<ShippedLevel> {
 protected:
  // A program folder of the built data with no options or scores of its own, so every run starts alike.
  void SetUp() override {
    folder_ = std::make_unique<FreshFolder>();
    root_ = folder_->path();
    for (const char* folder : {"Gfx", "Sfx", "Mus", "Tls", "Lvl", "Bgd"})
      fs::create_directory_symlink(fs::path(SHARDFALL_PROGRAM_FOLDER) / folder, root_ / folder);
  }
  void TearDown() override { folder_.reset(); }

  // Plays a set of this one level; returns the game's state dump at the end of the bound.
  nlohmann::json Play(int minutes) {
    const int lastMs = minutes * 60000;
    std::ofstream(root_ / "Proof.sfs", std::ios::binary) << "Proof\r\n 1 \r\n" << GetParam().levelFile << "\r\n";
    std::ofstream(root_ / "input.txt") << InputScript(lastMs);
    const std::string command = std::string(SHARDFALL_EXECUTABLE) + " --root " + Quoted(root_) +
                                " --headless --no-capsules --seed " + std::to_string(Seed) + " --play " +
                                Quoted(root_ / "Proof.sfs") + " --input " + Quoted(root_ / "input.txt") +
                                " --frames " + std::to_string(lastMs / FrameMs) + " --dump-state " +
                                Quoted(root_ / "state.json") + " >" + Quoted(root_ / "out.txt") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << std::ifstream(root_ / "out.txt").rdbuf();
    std::ifstream dump(root_ / "state.json");
    return nlohmann::json::parse(dump, nullptr, false);
  }

  std::unique_ptr<FreshFolder> folder_;
  fs::path root_;
};

TEST_P(FinishableLevel, TheAutopilotClearsItWithinItsSetsBound) {
  const ShippedLevel& level = GetParam();
  ASSERT_GT(level.minutes, 0) << level.setName << " states no bound";
  const nlohmann::json state = Play(level.minutes);
  ASSERT_TRUE(state.is_object()) << "no state dump";
  const nlohmann::json& world = state["GameWorld"];
  // A Warp capsule would end the level with bricks left: only an empty field counts, and capsules are off.
  EXPECT_EQ(world["endMessage"], ClearedMessage) << level.levelFile << " after " << level.minutes << " minutes";
  EXPECT_EQ(world["destructibleCount"], 0) << level.levelFile << ": bricks left; spare balls "
                                           << world["spareBalls"] << ", score " << world["score"];
}

INSTANTIATE_TEST_SUITE_P(Shipped, FinishableLevel, testing::ValuesIn(ShippedLevels()),
                         [](const testing::TestParamInfo<ShippedLevel>& info) {
                           return info.param.levelFile.substr(0, info.param.levelFile.rfind('.'));
                         });

}  // namespace
