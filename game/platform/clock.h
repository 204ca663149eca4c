// The game's tick count: taken once per frame and per waiting pass, from real milliseconds or a virtual clock
// that headless runs and replays move on by hand.
#pragma once
#include <chrono>
#include <cstdint>

struct Clock {
  bool isVirtual = false;
  std::int32_t now = 0;           // ms: the tick every timed rule reads until the clock is advanced again
  std::int32_t virtualStep = 16;  // ms a virtual clock moves per frame and per pass of a waiting loop
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

// The tick the clock was last advanced to (the tick count every timed rule reads).
std::int32_t TickCount(const Clock& clock);
// Takes the next tick: real milliseconds since the clock started, or a virtual clock moved on by its step. A frame
// reads one tick throughout, so what it does depends only on that tick and a replay can give it back.
void AdvanceClock(Clock& clock);
