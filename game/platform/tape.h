// Recording and replaying what the game reads: the clock's ticks, the devices' reads, quits and the speed file.
#pragma once
#include <cstdint>
#include <string>

#include "content/recorded_steps.h"
#include "platform/platform.h"

struct Clock;

// From now on every tick, read, quit and speed-file value is kept.
void StartRecordingTape(Platform& platform);
// The steps kept since StartRecordingTape; recording stops.
StepLines StopRecordingTape(Platform& platform);
// From now on every tick, read, quit and speed-file value comes from `steps`, and the clock is virtual.
void StartReplayTape(Platform& platform, Clock& clock, StepLines steps);
bool IsRecording(const Platform& platform);
bool IsReplaying(const Platform& platform);
// A replay has handed back every step, the game has asked for something the recording does not hold, or the
// viewer has stopped it.
bool ReplayOver(const Platform& platform);
// A replay has handed back every step, and nothing else ended it.
bool ReplayPlayedThrough(const Platform& platform);

// The next tick for a frame or a pass of the pause loop (kind Frame or Wait): the recorded one when replaying
// (shown in real time when there is a window, held while the viewer pauses), otherwise the clock's own, kept
// when recording.
void AdvanceGameClock(Platform& platform, Clock& clock, RecordedStep::Kind kind);
// Replaying: the next step, which must be of `kind`; false (and the replay over) when it is not.
bool TakeStep(Platform& platform, RecordedStep::Kind kind, RecordedStep& step);
// Recording: keeps the step.
void KeepStep(Platform& platform, const RecordedStep& step);
// Replaying: true (and the step taken) when the recording was asked to stop at this point.
bool TakeQuitStep(Platform& platform);
