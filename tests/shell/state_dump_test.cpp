// The state dump: valid JSON whatever bytes the names of the files it shows hold.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "content/file_io.h"
#include "shell/state_dump.h"
#include "test_support.h"

namespace {

TEST(StateDump, NamesWithHighBytesAndControlCharactersGiveValidJson) {
  TempRoot root;
  std::unique_ptr<Game> game = MakeHeadlessGame(root.path());
  game->levelSet.levelFiles = {"caf\xE9\x01.sfl"};
  game->frontEnd.pendingScoreFile = "/Lvl/\xFF\x1F.sfh";
  std::string error;
  ASSERT_TRUE(WriteStateDump(*game, root.path() / "s.json", error)) << error;
  Bytes bytes;
  ASSERT_TRUE(ReadWholeFile(root.path() / "s.json", bytes, error)) << error;
  const nlohmann::json dump = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
  ASSERT_FALSE(dump.is_discarded());
  // Each byte 0x80-0xFF is the character U+0080-U+00FF, as the content tool writes names.
  EXPECT_EQ(dump["GameWorld"]["levelFiles"][0], "caf\u00E9\u0001.sfl");
  EXPECT_EQ(dump["FrontEnd"]["pendingScoreFile"], "/Lvl/\u00FF\u001F.sfh");
}

}  // namespace
