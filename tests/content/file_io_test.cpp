// Whole-file reads refuse what is not a plain readable file; atomic writes replace or leave things as they were.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "content/file_io.h"
#include "content_test_support.h"

using FileIo = ScratchFolder;

TEST_F(FileIo, MissingFileErrorNamesTheFile) {
  Bytes bytes{1, 2, 3};
  std::string error;
  EXPECT_FALSE(ReadWholeFile(file("absent.sfl"), bytes, error));
  EXPECT_NE(error.find("absent.sfl"), std::string::npos);
  EXPECT_NE(error.find("not found"), std::string::npos);
  EXPECT_EQ(bytes, (Bytes{1, 2, 3}));
}

TEST_F(FileIo, RefusesFoldersAndFifosWithoutBlocking) {
  std::string error;
  Bytes bytes;
  EXPECT_FALSE(ReadWholeFile(dir, bytes, error));
  ASSERT_EQ(mkfifo(file("pipe.sfl").c_str(), 0600), 0);
  EXPECT_FALSE(ReadWholeFile(file("pipe.sfl"), bytes, error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos);
}

TEST_F(FileIo, RefusesFilesAboveTheLimit) {
  put("big.bin", Bytes(100, 7));
  Bytes bytes;
  std::string error;
  EXPECT_FALSE(ReadWholeFile(file("big.bin"), bytes, error, 99));
  EXPECT_TRUE(ReadWholeFile(file("big.bin"), bytes, error, 100));
  EXPECT_EQ(bytes.size(), 100u);
}

TEST_F(FileIo, AtomicWriteReplacesAndLeavesNoTemporary) {
  put("a.bin", Bytes{9, 9, 9, 9});
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file("a.bin"), Bytes{1, 2}, error)) << error;
  EXPECT_EQ(bytesOf(file("a.bin")), (Bytes{1, 2}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
}

TEST_F(FileIo, FailedWriteKeepsTheTargetAndCleansUp) {
  std::filesystem::create_directories(file("target.sfl") / "inside");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(file("target.sfl"), Bytes{1}, error));
  EXPECT_NE(error.find("target.sfl"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(file("target.sfl") / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  EXPECT_FALSE(WriteFileAtomically(file("no-such-folder") / "x.sfl", Bytes{1}, error));
  EXPECT_NE(error.find("x.sfl"), std::string::npos);
  EXPECT_FALSE(WriteFileAtomically(dir / "", Bytes{1}, error));
  EXPECT_EQ(error, (dir / "").string() + ": no file name given");
}

// What a killed writer left: temporary files of our naming that nobody holds and that have lain a while.
TEST_F(FileIo, AWriteRemovesTheTemporaryFilesKilledWritersLeftInItsFolder) {
  const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  const struct {
    const char* name;
    bool old;
    bool held;  // by a writer still at work
    bool removed;
  } cases[] = {
      {".scores.sfh.tmp4242-0", true, false, true},
      {".config.bin.tmp17-12", true, false, true},
      {".game.sfr.tmp99-3", false, false, false},  // just made: its writer may not hold it yet
      {".scores.sfh.tmp4243-0", true, true, false},
      {"notes.tmp4242-0", true, false, false},
      {".scores.sfh.tmp4242", true, false, false},
      {".scores.sfh.tmpx-0", true, false, false},
      {".scores.sfh.lock", true, false, false},
  };
  std::vector<int> held;
  for (const auto& c : cases) {
    put(c.name, "partial");
    if (c.old) std::filesystem::last_write_time(file(c.name), anHourAgo);
    if (c.held) {
      held.push_back(open(file(c.name).c_str(), O_RDWR));
      ASSERT_EQ(flock(held.back(), LOCK_EX), 0);
    }
  }
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file("other.sfl"), Bytes{1}, error)) << error;
  for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(file(c.name)), !c.removed) << c.name;
  for (int fd : held) close(fd);
}

TEST_F(FileIo, ANewFileNeverReplacesOneThatIsThere) {
  put("taken.sfr", Bytes{1});
  std::string error;
  bool taken = false;
  EXPECT_FALSE(WriteNewFile(file("taken.sfr"), Bytes{2, 2}, error, taken));
  EXPECT_TRUE(taken);
  EXPECT_EQ(bytesOf(file("taken.sfr")), Bytes{1});
  EXPECT_TRUE(WriteNewFile(file("free.sfr"), Bytes{3}, error, taken)) << error;
  EXPECT_FALSE(taken);
  EXPECT_EQ(bytesOf(file("free.sfr")), Bytes{3});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 2);
}
