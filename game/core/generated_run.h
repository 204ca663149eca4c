// A game on a generated set (Endless, the Daily Challenge): the set, the levels made so far, and the thread that
// makes the next level while the current one is played.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "content/data_folders.h"
#include "content/generated_sets.h"
#include "content/level_file.h"

// A browser build without threads makes levels between them, and checks no recording in the background.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
inline constexpr bool BackgroundThreads = false;
#else
inline constexpr bool BackgroundThreads = true;
#endif

// A level as the generator made it and the proof passed it.
struct MadeLevel {
  Level level;
  std::uint64_t seed = 0;  // the seed that passed (the one asked for, or one after it)
  int difficulty = 1;
  std::string error;       // empty when the level was made
  std::string songName;    // the song in Mus that suits it; empty: any level song
};

// Makes and proves the level of a seed and difficulty. It runs on the level thread: it may read the data folders
// and nothing else of the game. Once `stop` (which may be null) is set, it gives up soon, with an error.
using LevelMaker = MadeLevel (*)(const DataFolders& folders, std::uint64_t seed, int difficulty,
                                 const std::atomic<bool>* stop);

// One level at a time, made on a thread of the game's own. A level no longer wanted (another game starts, the
// program ends) is given up rather than waited for; the level being taken is waited for. Only `mutex_` guards
// what both threads touch, besides the `stop_` flag.
class LevelThread {
 public:
  LevelThread() = default;
  ~LevelThread();
  LevelThread(const LevelThread&) = delete;
  LevelThread& operator=(const LevelThread&) = delete;

  // Starts making `number` of the set (a level already being made for this set and number goes on).
  void Start(LevelMaker maker, const DataFolders& folders, const GeneratedSet& set, std::int32_t number);
  // True when that level has been made and waits to be taken.
  bool Ready(const GeneratedSet& set, std::int32_t number) const;
  // The level, once made: waits for it, starting it first when it was not started (without threads, makes it
  // now).
  MadeLevel Take(LevelMaker maker, const DataFolders& folders, const GeneratedSet& set, std::int32_t number);

 private:
  struct Job {
    GeneratedSet set;
    std::int32_t number = 0;
    bool operator==(const Job&) const = default;
  };
  void Join();
  void GiveUp();

  std::thread thread_;
  mutable std::mutex mutex_;
  Job job_;                          // the level the thread makes or made
  std::optional<MadeLevel> result_;  // set by the thread when done
  std::atomic<bool> stop_ = false;   // the level being made is no longer wanted
};

// A level played: what it was made from and the tileset it asked for.
struct PlayedLevel {
  std::uint64_t seed = 0;
  int difficulty = 1;
  std::string tilesetName;
  std::string songName;
};

// What a game on a generated set keeps beside the set's own record.
struct GeneratedRun {
  GeneratedSet set;                  // kind None: the game plays a set of files
  std::vector<PlayedLevel> levels;   // each level played so far, in order
  LevelMaker maker = nullptr;      // set at start-up
  LevelThread thread;
};

// The local date of the computer's clock; none when the clock gives none.
std::optional<CalendarDate> LocalDateToday();
// Why there is no Daily Challenge on `today` (none, or a day out of the offered range), for the player.
std::string DailyDateProblem(const std::optional<CalendarDate>& today);
