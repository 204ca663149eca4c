// The game's tick count.
#include "platform/clock.h"

std::int32_t TickCount(const Clock& clock) {
  if (clock.isVirtual) return clock.virtualNow;
  auto elapsed = std::chrono::steady_clock::now() - clock.start;
  return static_cast<std::int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void AdvanceVirtualClock(Clock& clock) {
  if (clock.isVirtual) clock.virtualNow += clock.virtualStep;
}
