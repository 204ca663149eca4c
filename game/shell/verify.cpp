// Verifying a recorded game by replaying it headless.
#include "shell/verify.h"

#include <iostream>
#include <memory>

#include "content/level_set_file.h"
#include "core/game.h"
#include "platform/tape.h"
#include "shell/main_loop.h"
#include "shell/recording.h"
#include "shell/start_up.h"

namespace {

RecordingVerdict Unreadable(std::string problem) {
  RecordingVerdict verdict;
  verdict.problem = std::move(problem);
  return verdict;
}

// Frames until the replay is over, the game has quit or `stop` is set.
void ReplayToItsEnd(Game& game, const std::atomic<bool>* stop) {
  const ModeSteps steps = EveryModeStep();
  FrameTimer timer;
  BeginFrames(game);
  while (game.state.running && !ReplayOver(game.platform) && !(stop && stop->load())) {
    RunFrame(game, steps, timer);
    if (game.platform.quitRequested) game.state.running = false;
  }
  ShutDown(game);
}

}  // namespace

RecordingVerdict VerifyRecording(const DataFolders& folders, LevelMaker maker, const std::filesystem::path& file,
                        const std::atomic<bool>* stop) {
  Recording recording;
  std::string error;
  Bytes bytes;
  if (ReadWholeFile(file, bytes, error) && RecordingChangedSinceSealed(bytes)) {
    RecordingVerdict changed;
    changed.outcome = RecordingVerdict::Outcome::DoesNotVerify;
    changed.problem = "the recording was changed after its game was recorded (its checksum does not match)";
    return changed;
  }
  if (!PrepareReplay(folders, file, recording, error)) return Unreadable(error);
  RecordingVerdict verdict;
  verdict.setName = recording.generated ? GeneratedSetName(*recording.generated) : recording.levelSet;
  std::string setName;
  if (!recording.generated && ReadLevelSetName(recording.levelSet, setName, error)) verdict.setName = setName;
  verdict.claimed = recording.reached;
  StartSettings settings;
  settings.folders = folders;
  settings.platform.headless = true;
  settings.replay = std::move(recording);
  settings.levelMaker = maker;
  auto game = std::make_unique<Game>();
  if (!StartUp(*game, std::move(settings), error)) return Unreadable(file.string() + ": " + error);
  ReplayToItsEnd(*game, stop);
  verdict.replayed = true;
  verdict.reached = GameEndNow(*game);
  if (stop && stop->load()) {
    verdict.outcome = RecordingVerdict::Outcome::Stopped;
    return verdict;
  }
  verdict.problem = ReplayEndProblem(*game);
  if (verdict.problem.empty() && !verdict.claimed) verdict.problem = "the recording does not say where its game got";
  if (verdict.problem.empty() && !ReplayPlayedThrough(game->platform)) verdict.problem = "the replay stopped early";
  verdict.outcome = verdict.problem.empty() ? RecordingVerdict::Outcome::Verifies : RecordingVerdict::Outcome::DoesNotVerify;
  return verdict;
}

std::string EndDescription(const RecordedEnd& end) {
  return "level " + std::to_string(end.level) + ", score " + std::to_string(end.score) + " (tick " +
         std::to_string(end.tick) + (end.over ? ", the game over)" : ", the game still running)");
}

int RunVerify(const DataFolders& folders, LevelMaker maker, const std::filesystem::path& file) {
  const RecordingVerdict verdict = VerifyRecording(folders, maker, file);
  if (verdict.outcome == RecordingVerdict::Outcome::Unreadable) {
    std::cerr << "shardfall: " << verdict.problem << "\n";
    return 2;
  }
  std::cout << file.string() << "\n";
  if (verdict.replayed)
    std::cout << "  set      " << verdict.setName << "\n  reached  " << EndDescription(verdict.reached)
              << "\n  claimed  " << (verdict.claimed ? EndDescription(*verdict.claimed) : "nothing (format 1)") << "\n";
  if (verdict.outcome == RecordingVerdict::Outcome::Verifies) {
    std::cout << "  verified: the replay gets where the recording says\n";
    return 0;
  }
  std::cout << "  does not verify: " << verdict.problem << "\n";
  return 1;
}
