// The shooter codes and their directions.
#include "content/brick_kinds.h"

#include <algorithm>

namespace {

// Shooter codes 5 .. 19 in order, as {up, right, down, left}.
constexpr std::array<std::array<bool, 4>, ShooterLast - ShooterFirst + 1> ShooterTable{{
    {true, false, false, false},   // 5
    {false, true, false, false},   // 6
    {false, false, true, false},   // 7
    {false, false, false, true},   // 8
    {true, true, false, false},    // 9
    {false, true, true, false},    // 10
    {false, false, true, true},    // 11
    {true, false, false, true},    // 12
    {true, true, false, true},     // 13
    {true, true, true, false},     // 14
    {false, true, true, true},     // 15
    {true, false, true, true},     // 16
    {true, true, true, true},      // 17
    {false, true, false, true},    // 18
    {true, false, true, false},    // 19
}};

}  // namespace

ShooterDirections ShooterDirectionsOf(std::int32_t kind) {
  if (!IsShooter(kind)) return {};
  const auto& d = ShooterTable[static_cast<std::size_t>(kind - ShooterFirst)];
  return {d[0], d[1], d[2], d[3]};
}

std::int32_t ShooterCodeOf(ShooterDirections directions) {
  std::array<bool, 4> wanted{directions.up, directions.right, directions.down, directions.left};
  auto found = std::find(ShooterTable.begin(), ShooterTable.end(), wanted);
  if (found == ShooterTable.end()) return 0;
  return ShooterFirst + static_cast<std::int32_t>(found - ShooterTable.begin());
}
