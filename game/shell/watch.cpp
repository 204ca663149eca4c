// Watching a score table's game within the run.
#include "shell/watch.h"

#include <algorithm>
#include <utility>

#include "content/recording_file.h"
#include "core/game.h"
#include "platform/tape.h"
#include "shell/recording.h"
#include "shell/verify.h"

namespace {

bool WatchStartsNow(const Game& game) {
  const GameState& s = game.state;
  return !game.recorder.watchFile.empty() && !game.recorder.inGame && s.frontEndReady && !s.inFrontEnd &&
         !s.gameLoaded;
}

// The run goes back to the front end, which opens on the table the game was watched from.
void BackToTable(Game& game, const std::string& table, std::string note) {
  GameState& s = game.state;
  s.frontEndReady = s.inFrontEnd = s.leavingFrontEnd = s.gameLoaded = false;
  s.levelIntro = s.playing = s.gameplayFrozen = s.gameOverScreen = s.paused = s.quitToFrontEnd = false;
  s.fadingIn = s.fadingOut = s.musicFadingIn = s.musicFadingOut = false;
  FrontEnd& frontEnd = game.frontEnd;
  frontEnd.pendingScoreFile = table;
  frontEnd.scoreEntryPending = false;
  frontEnd.shownEntry = 0;
  frontEnd.shownScreen.clear();
  frontEnd.tableNotes.push_back(std::move(note));
}

std::string VerdictNote(const RecordingVerdict& verdict) {
  if (verdict.outcome == RecordingVerdict::Outcome::Verifies)
    return "The game verified: it reached " + EndDescription(verdict.reached);
  return "The game does not verify: " + verdict.problem;
}

}  // namespace

void BeginWatchIfAsked(Game& game) {
  if (!WatchStartsNow(game)) return;
  GameRecorder& recorder = game.recorder;
  const std::filesystem::path file = std::exchange(recorder.watchFile, {});
  Recording recording;
  std::string error;
  if (!PrepareReplay(game.folders, file, recording, error)) {
    BackToTable(game, game.frontEnd.pendingScoreFile, "This game cannot be watched: " + error);
    return;
  }
  recorder.watched = RunBeforeWatch{game.clock.isVirtual, game.clock.now, game.options,  game.state,
                                    game.random,          game.levelSetPath, game.generated.set,
                                    game.frontEnd.pendingScoreFile, file};
  const std::int32_t start = recording.tick;
  StartReplay(game, std::move(recording));
  ReplayViewer& viewer = game.platform.tape.viewer;
  viewer.clockOffset = static_cast<std::int64_t>(recorder.watched->clockNow) - start;
  // The key or button that chose Watch may still be down: only a new press stops or pauses.
  viewer.stopHeld = viewer.pauseHeld = true;
}

void EndWatchIfOver(Game& game) {
  GameRecorder& recorder = game.recorder;
  if (!recorder.watched || !ReplayOver(game.platform)) return;
  RunBeforeWatch before = std::move(*recorder.watched);
  recorder.watched.reset();
  RecordingVerdict verdict;
  verdict.claimed = recorder.recording.reached;
  verdict.replayed = true;
  verdict.reached = GameEndNow(game);
  verdict.problem = ReplayEndProblem(game);
  const bool playedThrough = ReplayPlayedThrough(game.platform) || !verdict.problem.empty();
  verdict.outcome = verdict.problem.empty() ? RecordingVerdict::Outcome::Verifies : RecordingVerdict::Outcome::DoesNotVerify;
  const ReplayViewer viewer = game.platform.tape.viewer;
  // The replay's clock ran on the recording's ticks; the run's goes on from where it was, plus the time watched.
  const std::int64_t watchedMs = static_cast<std::int64_t>(game.clock.now) + viewer.clockOffset + viewer.pausedMs;
  game.platform.tape = Tape{};
  if (viewer.stoppedByKey) game.platform.quitRequested = false;
  ReleaseModeAssets(game.platform, game.state.musicOn);
  recorder.replaying = recorder.inGame = recorder.gameEnded = false;
  recorder.recording = {};
  game.clock.isVirtual = before.clockVirtual;
  game.clock.now = static_cast<std::int32_t>(std::clamp<std::int64_t>(watchedMs, before.clockNow, INT32_MAX));
  game.options = before.options;
  game.state = before.state;
  game.random = before.random;
  game.levelSetPath = before.levelSetPath;
  game.generated.set = before.generated;
  game.world = GameWorld{};
  std::string note = "The game was stopped before its end";
  if (playedThrough) {
    note = VerdictNote(verdict);
    if (const auto checksum = FileChecksum(before.file)) game.checks.Remember(before.file, *checksum, verdict);
  }
  BackToTable(game, before.table, note);
}
