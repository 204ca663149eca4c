// Recording and replaying what the game reads.
#include "platform/tape.h"

#include <thread>

#include "platform/clock.h"

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

// The next step a replay hands back, without taking it: a Repeat unfolds into the two steps before it.
const RecordedStep* Peek(Tape& tape) {
  if (tape.unfoldLeft > 0) return &tape.steps[tape.unfoldFrom + (tape.unfoldLeft % 2 == 0 ? 0 : 1)];
  if (tape.next >= tape.steps.size()) return nullptr;
  const RecordedStep& step = tape.steps[tape.next];
  if (step.kind != Kind::Repeat) return &step;
  tape.unfoldFrom = tape.next - 2;
  tape.unfoldLeft = 2 * static_cast<std::int64_t>(step.value);
  ++tape.next;
  return Peek(tape);
}

void Pass(Tape& tape) {
  if (tape.unfoldLeft > 0) --tape.unfoldLeft;
  else ++tape.next;
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

}  // namespace

void StartRecordingTape(Platform& platform) {
  platform.tape = Tape{};
  platform.tape.mode = Tape::Mode::Recording;
}

std::vector<RecordedStep> StopRecordingTape(Platform& platform) {
  std::vector<RecordedStep> steps = std::move(platform.tape.steps);
  platform.tape = Tape{};
  return steps;
}

void StartReplayTape(Platform& platform, Clock& clock, std::vector<RecordedStep> steps) {
  platform.tape = Tape{};
  platform.tape.mode = Tape::Mode::Replaying;
  platform.tape.steps = std::move(steps);
  clock.isVirtual = true;
}

bool IsRecording(const Platform& platform) { return platform.tape.mode == Tape::Mode::Recording; }

bool IsReplaying(const Platform& platform) { return platform.tape.mode == Tape::Mode::Replaying; }

bool ReplayOver(const Platform& platform) {
  const Tape& tape = platform.tape;
  return IsReplaying(platform) &&
         ((tape.next >= tape.steps.size() && tape.unfoldLeft == 0) || !tape.divergence.empty());
}

void AdvanceGameClock(Platform& platform, Clock& clock, Kind kind) {
  if (IsReplaying(platform)) {
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
  if (!tape.divergence.empty()) return false;
  const RecordedStep* recorded = Peek(tape);
  if (!recorded) {
    tape.divergence = "the recording ends where the game asks for " + std::string(KindName(kind));
    return false;
  }
  if (!SameKind(kind, recorded->kind)) {
    tape.divergence = "the game went another way at step " + std::to_string(tape.next + 1) +
                      " of the recording: it asks for " + KindName(kind) + " where the recording holds " +
                      KindName(recorded->kind);
    return false;
  }
  step = *recorded;
  Pass(tape);
  return true;
}

void KeepStep(Platform& platform, const RecordedStep& step) {
  if (IsRecording(platform)) AppendStep(platform.tape.steps, step);
}

bool TakeQuitStep(Platform& platform) {
  Tape& tape = platform.tape;
  if (!IsReplaying(platform) || !tape.divergence.empty()) return false;
  const RecordedStep* next = Peek(tape);
  if (!next || next->kind != Kind::Quit) return false;
  Pass(tape);
  return true;
}
