// Whether a recorded game verifies (its replay gets where the recording says its game got), and the thread that
// finds out for the front end while its screens go on.
#pragma once
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "content/data_folders.h"
#include "content/recording_file.h"
#include "core/generated_run.h"

struct RecordingVerdict {
  enum class Outcome { Verifies, DoesNotVerify, Unreadable, Stopped };
  Outcome outcome = Outcome::Unreadable;
  std::string setName;                 // the level set the recording names
  std::optional<RecordedEnd> claimed;  // where the recording says its game got (none before format 2)
  bool replayed = false;               // the replay ran, so `reached` holds where it got
  RecordedEnd reached;                 // where the replay got
  std::string problem;                 // why it does not verify or cannot be read
};

// Replays the recording headless until its end or until `stop` is set. It runs on the check thread: it may read
// the data folders and the file, and nothing else of the game.
using RecordingVerifier = RecordingVerdict (*)(const DataFolders& folders, LevelMaker maker,
                                      const std::filesystem::path& file, const std::atomic<bool>* stop);

// One check at a time on a thread of the game's own; a new one stops the last. Verdicts are kept by file and
// checksum, so a file that changes is checked again. Only `mutex_` guards what both threads touch.
class CheckThread {
 public:
  CheckThread() = default;
  ~CheckThread();
  CheckThread(const CheckThread&) = delete;
  CheckThread& operator=(const CheckThread&) = delete;

  // Starts checking the file (with this checksum) unless its verdict is known or it is being checked.
  void Start(RecordingVerifier verifier, const DataFolders& folders, LevelMaker maker,
             const std::filesystem::path& file, std::uint32_t checksum);
  // The verdict, once known.
  std::optional<RecordingVerdict> Result(const std::filesystem::path& file, std::uint32_t checksum) const;
  // A verdict found another way (a watched replay that played through).
  void Remember(const std::filesystem::path& file, std::uint32_t checksum, const RecordingVerdict& verdict);
  // Stops the check under way and waits for the thread.
  void Stop();

 private:
  using Key = std::pair<std::string, std::uint32_t>;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  Key running_;                      // the check the thread runs; guarded
  std::map<Key, RecordingVerdict> verdicts_;  // guarded
};
