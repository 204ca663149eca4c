// The thread that makes a generated set's next level, and today's date.
#include "core/generated_run.h"

#include <ctime>

LevelThread::~LevelThread() { GiveUp(); }

void LevelThread::Join() {
  if (thread_.joinable()) thread_.join();
}

void LevelThread::GiveUp() {
  stop_ = true;
  Join();
  stop_ = false;
}

void LevelThread::Start(LevelMaker maker, const DataFolders& folders, const GeneratedSet& set, std::int32_t number) {
  const Job job{set, number};
  {
    std::lock_guard lock(mutex_);
    if (thread_.joinable() && job_ == job) return;
  }
  GiveUp();
  std::lock_guard lock(mutex_);
  job_ = job;
  result_.reset();
  const int difficulty = LevelDifficulty(set, number);
  if (!maker) {
    result_ = MadeLevel{{}, 0, difficulty, "no level generator in this program", ""};
    return;
  }
  if (!BackgroundThreads) return;  // Take makes it
  thread_ = std::thread([this, maker, folders, seed = LevelSeed(set, number), difficulty] {
    MadeLevel made = maker(folders, seed, difficulty, &stop_);
    made.difficulty = difficulty;
    std::lock_guard done(mutex_);
    result_ = std::move(made);
  });
}

bool LevelThread::Ready(const GeneratedSet& set, std::int32_t number) const {
  std::lock_guard lock(mutex_);
  return job_ == Job{set, number} && result_.has_value();
}

MadeLevel LevelThread::Take(LevelMaker maker, const DataFolders& folders, const GeneratedSet& set,
                            std::int32_t number) {
  Start(maker, folders, set, number);
  Join();
  std::lock_guard lock(mutex_);
  MadeLevel made = result_ ? std::move(*result_) : maker(folders, LevelSeed(set, number), LevelDifficulty(set, number), nullptr);
  made.difficulty = LevelDifficulty(set, number);
  result_.reset();
  job_ = Job{};
  return made;
}

std::optional<CalendarDate> LocalDateToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || !localtime_r(&now, &local)) return std::nullopt;
  const CalendarDate date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  if (!IsValidDate(date)) return std::nullopt;
  return date;
}

std::string DailyDateProblem(const std::optional<CalendarDate>& today) {
  if (!today) return "the computer's clock gives no date: set the clock to play the Daily Challenge";
  return "the date is " + DateText(*today) + ": set the clock to today's date to play the Daily Challenge (it is "
         "offered from " + DateText(FirstDailyDate) + " to " + DateText(LastDailyDate) + ")";
}
