// The thread that verifies recorded games for the front end.
#include "core/recording_checks.h"

CheckThread::~CheckThread() { Stop(); }

void CheckThread::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  stop_ = false;
  std::lock_guard lock(mutex_);
  running_ = {};
}

void CheckThread::Start(RecordingVerifier verifier, const DataFolders& folders, LevelMaker maker,
                        const std::filesystem::path& file, std::uint32_t checksum) {
  const Key key{file.string(), checksum};
  {
    std::lock_guard lock(mutex_);
    if (verdicts_.contains(key) || (running_ == key && thread_.joinable())) return;
  }
  Stop();
  if (!verifier || !BackgroundThreads) return;
  std::lock_guard lock(mutex_);
  running_ = key;
  thread_ = std::thread([this, verifier, folders, maker, file, key] {
    const RecordingVerdict verdict = verifier(folders, maker, file, &stop_);
    std::lock_guard done(mutex_);
    if (verdict.outcome != RecordingVerdict::Outcome::Stopped) verdicts_[key] = verdict;
  });
}

std::optional<RecordingVerdict> CheckThread::Result(const std::filesystem::path& file, std::uint32_t checksum) const {
  std::lock_guard lock(mutex_);
  const auto found = verdicts_.find({file.string(), checksum});
  if (found == verdicts_.end()) return std::nullopt;
  return found->second;
}

void CheckThread::Remember(const std::filesystem::path& file, std::uint32_t checksum, const RecordingVerdict& verdict) {
  std::lock_guard lock(mutex_);
  verdicts_[{file.string(), checksum}] = verdict;
}
