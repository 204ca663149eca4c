// The game's tick count.
#include "platform/clock.h"

std::int32_t TickCount(const Clock& clock) { return clock.now; }

void AdvanceClock(Clock& clock) {
  if (clock.isVirtual) {
    clock.now += clock.virtualStep;
    return;
  }
  auto elapsed = std::chrono::steady_clock::now() - clock.start;
  clock.now = static_cast<std::int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
