// The game's tick count: real milliseconds, or a virtual clock that headless runs advance by hand.
#pragma once
#include <chrono>
#include <cstdint>

struct Clock {
  bool isVirtual = false;
  std::int32_t virtualNow = 0;   // ms, used when isVirtual
  std::int32_t virtualStep = 16; // ms added per frame and per pass of a waiting loop
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

// Milliseconds since the clock started (the tick count every timed rule reads).
std::int32_t TickCount(const Clock& clock);
// Moves a virtual clock on by its step; a real clock is left alone.
void AdvanceVirtualClock(Clock& clock);
