// Verifying a recorded game: its replay, headless, must get where the recording says its game got.
#pragma once
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>

#include "content/data_folders.h"
#include "content/recording_file.h"
#include "core/recording_checks.h"

// Replays the recording headless to its end (or until `stop` is set) and compares. A recording that cannot be
// replayed here (damaged, another version, other level files) is Unreadable, with the reason.
RecordingVerdict VerifyRecording(const DataFolders& folders, LevelMaker maker, const std::filesystem::path& file,
                        const std::atomic<bool>* stop = nullptr);
// "level 3, score 4820 (tick 96480, the game over)".
std::string EndDescription(const RecordedEnd& end);
// --verify: prints what the replay reached, what the recording claims and the verdict; the exit status is 0 when
// it verifies, 1 when it does not, 2 when it cannot be read.
int RunVerify(const DataFolders& folders, LevelMaker maker, const std::filesystem::path& file);
