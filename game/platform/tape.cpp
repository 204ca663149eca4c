// Recording and replaying what the game reads.
#include "platform/tape.h"

#include <algorithm>
#include <thread>

#include "platform/clock.h"
#include "platform/input.h"

namespace {

using Kind = RecordedStep::Kind;

constexpr const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::Frame: return "a frame";
    case Kind::Wait: return "a pause";
    case Kind::Read: return "a read of the devices";
    case Kind::Quit: return "a quit";
    case Kind::SpeedFile:
    case Kind::BadSpeedFile: return "the speed file";
    case Kind::Repeat: return "a repeat";
  }
  return "?";
}

bool SameKind(Kind asked, Kind recorded) {
  auto speed = [](Kind kind) { return kind == Kind::SpeedFile || kind == Kind::BadSpeedFile; };
  return asked == recorded || (speed(asked) && speed(recorded));
}

// A window shows the replay at the pace it was played; a stall longer than a moment is skipped.
void PaceReplay(Platform& platform, const Clock& clock) {
  Tape& tape = platform.tape;
  if (platform.options.headless) return;
  const auto now = std::chrono::steady_clock::now();
  if (!tape.paced) {
    tape.paced = true;
    tape.paceStart = now;
    tape.paceTick = clock.now;
    return;
  }
  const auto due = tape.paceStart + std::chrono::milliseconds(clock.now - tape.paceTick);
  if (due - now > std::chrono::milliseconds(250)) tape.paceStart -= due - now;
  else if (due > now) std::this_thread::sleep_until(due);
}

// Esc (or the pad's B or Back) and P (or Start), each acting when it goes down.
void LookAtViewerKeys(Platform& platform, const Clock& clock) {
  ReplayViewer& viewer = platform.tape.viewer;
  const std::int64_t watched = std::clamp<std::int64_t>(clock.now + viewer.clockOffset + viewer.pausedMs, 0, INT32_MAX);
  const DeviceRead live = ReadLiveDevices(platform, static_cast<std::int32_t>(watched));
  auto pad = [&live](PadButton button) { return live.padConnected && (live.padButtons & PadBit(button)) != 0; };
  const bool rightButton = live.mousePresent && (live.mouseButtons & 2) != 0;
  const bool stop = live.keys[DIK_ESCAPE] || pad(PadButton::B) || pad(PadButton::Back) || rightButton;
  const bool pause = live.keys[DIK_P] || pad(PadButton::Start);
  if (stop && !viewer.stopHeld) viewer.stopped = viewer.stoppedByKey = true;
  if (pause && !viewer.pauseHeld) viewer.paused = !viewer.paused;
  viewer.stopHeld = stop;
  viewer.pauseHeld = pause;
}

// One pass of a paused replay: the window kept alive, the time counted; false when nothing can end the pause.
bool PausedPass(Platform& platform, const Clock& clock) {
  if (PumpWindowEvents(platform)) return false;
  NoteFrame(platform.frameStats, platform.window->PresentIfStale(platform.display));
  if (platform.input.script.active) {
    if (!ScriptHasPendingEvents(platform)) return false;
    platform.tape.viewer.pausedMs += clock.virtualStep;
  } else {
    platform.window->WaitForRefresh();
  }
  return true;
}

// The viewer's keys before each tick: a pause holds the replay here, and its pace starts afresh after it.
void FollowViewer(Platform& platform, const Clock& clock) {
  ReplayViewer& viewer = platform.tape.viewer;
  LookAtViewerKeys(platform, clock);
  while (viewer.paused && !viewer.stopped) {
    if (!PausedPass(platform, clock)) viewer.stopped = true;
    else LookAtViewerKeys(platform, clock);
    platform.tape.paced = false;
  }
  if (viewer.stopped) RequestQuit(platform);
}

}  // namespace

void StartRecordingTape(Platform& platform) {
  platform.tape = Tape{};
  platform.tape.mode = Tape::Mode::Recording;
}

StepLines StopRecordingTape(Platform& platform) {
  StepLines steps = std::move(platform.tape.steps);
  platform.tape = Tape{};
  return steps;
}

void StartReplayTape(Platform& platform, Clock& clock, StepLines steps) {
  platform.tape = Tape{};
  platform.tape.mode = Tape::Mode::Replaying;
  platform.tape.steps = std::move(steps);
  clock.isVirtual = true;
}

bool IsRecording(const Platform& platform) { return platform.tape.mode == Tape::Mode::Recording; }

bool IsReplaying(const Platform& platform) { return platform.tape.mode == Tape::Mode::Replaying; }

bool ReplayOver(const Platform& platform) {
  const Tape& tape = platform.tape;
  return IsReplaying(platform) && (tape.cursor.AtEnd(tape.steps) || !tape.divergence.empty() || tape.viewer.stopped);
}

bool ReplayPlayedThrough(const Platform& platform) {
  const Tape& tape = platform.tape;
  return IsReplaying(platform) && tape.cursor.AtEnd(tape.steps) && tape.divergence.empty() && !tape.viewer.stopped;
}

void AdvanceGameClock(Platform& platform, Clock& clock, Kind kind) {
  if (IsReplaying(platform)) {
    FollowViewer(platform, clock);
    RecordedStep step;
    if (TakeStep(platform, kind, step)) clock.now += step.value;
    PaceReplay(platform, clock);
    return;
  }
  const std::int32_t before = clock.now;
  AdvanceClock(clock);
  KeepStep(platform, {kind, clock.now - before, {}});
}

bool TakeStep(Platform& platform, Kind kind, RecordedStep& step) {
  Tape& tape = platform.tape;
  if (!tape.divergence.empty() || tape.viewer.stopped) return false;
  const RecordedStep* recorded = tape.cursor.Peek(tape.steps);
  if (!recorded) {
    tape.divergence = "the recording ends where the game asks for " + std::string(KindName(kind));
    return false;
  }
  if (!SameKind(kind, recorded->kind)) {
    tape.divergence = "the game went another way at step " + std::to_string(tape.cursor.LineNumber()) +
                      " of the recording: it asks for " + KindName(kind) + " where the recording holds " +
                      KindName(recorded->kind);
    return false;
  }
  step = *recorded;
  tape.cursor.Pass();
  return true;
}

void KeepStep(Platform& platform, const RecordedStep& step) {
  if (IsRecording(platform)) platform.tape.steps.Append(step);
}

bool TakeQuitStep(Platform& platform) {
  Tape& tape = platform.tape;
  if (!IsReplaying(platform) || !tape.divergence.empty() || tape.viewer.stopped) return false;
  const RecordedStep* next = tape.cursor.Peek(tape.steps);
  if (!next || next->kind != Kind::Quit) return false;
  tape.cursor.Pass();
  return true;
}
