// The game program run headless on a private copy of the default data tree, as a player's machine runs it.
#pragma once
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "content/options_file.h"
#include "test_support.h"

#ifdef SHARDFALL_EXECUTABLE
class ProgramRun : public ::testing::Test {
 protected:
  DefaultTreeCopy tree;
  const std::filesystem::path root = tree.path();

  // The program's exit status; what it wrote to stdout and stderr is in out.txt. `shell` comes first.
  int Run(const std::string& options, const std::string& shell = "") {
    const std::string command = shell + std::string(SHARDFALL_EXECUTABLE) + " --root " + root.string() +
                                " --headless " + options + " > " + Path("out.txt") + " 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Path(const std::string& name) const { return (root / name).string(); }
  std::string Text(const std::string& name) const {
    std::ifstream file(root / name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(root / name, std::ios::binary) << text;
  }
  void StartWith(int balls) const {
    Options options;
    options.startingBalls = balls;
    std::string error;
    ASSERT_TRUE(WriteOptionsFile(root / "config.bin", options, error)) << error;
  }
  nlohmann::json Json(const std::string& name) const { return nlohmann::json::parse(Text(name), nullptr, false); }
  // Plays with `options` until the game ends, recording into game.sfr, then replays it: both dumps must be the
  // same bytes.
  nlohmann::json PlayAndReplay(const std::string& options) {
    EXPECT_EQ(Run(options + " --until-game-ends --record " + Path("game.sfr") + " --dump-state " + Path("played.json")),
              0)
        << Text("out.txt");
    EXPECT_EQ(Run("--replay " + Path("game.sfr") + " --dump-state " + Path("replayed.json")), 0) << Text("out.txt");
    const std::string played = Text("played.json");
    EXPECT_FALSE(played.empty());
    EXPECT_TRUE(played == Text("replayed.json")) << "the replay ended elsewhere";
    return nlohmann::json::parse(played, nullptr, false);
  }
};
#endif
