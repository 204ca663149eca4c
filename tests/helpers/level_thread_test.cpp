// The level thread: a level no longer wanted is given up, the one being taken is waited for.
#include <gtest/gtest.h>

#include <thread>

#include "core/generated_run.h"

namespace {

// Makes nothing until told to stop, as a proof that would run for ever.
MadeLevel UntilStopped(const DataFolders&, std::uint64_t seed, int difficulty, const std::atomic<bool>* stop) {
  while (!stop || !*stop) std::this_thread::yield();
  return {{}, seed, difficulty, "stopped", ""};
}

MadeLevel AtOnce(const DataFolders&, std::uint64_t seed, int difficulty, const std::atomic<bool>*) {
  return {{}, seed, difficulty, "", "song.mid"};
}

}  // namespace

TEST(LevelThread, AnotherGameGivesUpTheLevelBeingMadeAndTakesItsOwn) {
  LevelThread thread;
  const GeneratedSet endless{GeneratedKind::Endless, 5, {}};
  const GeneratedSet other{GeneratedKind::Endless, 6, {}};
  thread.Start(UntilStopped, {}, endless, 2);
  // Were the first level waited for, this would never return.
  const MadeLevel made = thread.Take(AtOnce, {}, other, 1);
  EXPECT_EQ(made.error, "");
  EXPECT_EQ(made.songName, "song.mid");
  EXPECT_FALSE(thread.Ready(endless, 2));
  thread.Start(UntilStopped, {}, endless, 3);  // and the program's end gives it up too
}
