// The kinds of brick a tile can be: one row each, and what play, the editor and the content check ask of a kind.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

enum TileKind : std::int32_t {
  Hittable = 1,
  Indestructible = 2,
  GoThrough = 3,
  Dynamite = 4,
  ShooterFirst = 5,  // 5 .. 19: shooters, the code names the set of directions
  ShooterLast = 19,
};

struct BrickKind {
  std::int32_t firstCode, lastCode;  // the shooters span one code per set of directions
  std::string_view label;            // the tileset builder's option
  bool mustBreak;                    // the level ends only once every such brick is gone
  bool letsBallThrough;              // balls and laser shots pass through it
  bool blasts;                       // struck, it clears the cells around it or along its lines
};

// A new kind is one row here, plus what it does in play.
inline constexpr std::array<BrickKind, 5> BrickKinds = {{
    {Hittable, Hittable, "Hittable", true, false, false},
    {Indestructible, Indestructible, "Indestruct.", false, false, false},
    {GoThrough, GoThrough, "Go-thru", true, true, false},
    {Dynamite, Dynamite, "Dynamite", true, false, true},
    {ShooterFirst, ShooterLast, "Shooter", true, false, true},
}};
inline constexpr std::int32_t FirstBrickCode = BrickKinds.front().firstCode;
inline constexpr std::int32_t LastBrickCode = BrickKinds.back().lastCode;

// The place of the kind of `code` in BrickKinds; -1 when no kind has that code (0 is an unassigned tile).
constexpr int BrickKindPlace(std::int32_t code) {
  for (std::size_t place = 0; place < BrickKinds.size(); ++place)
    if (code >= BrickKinds[place].firstCode && code <= BrickKinds[place].lastCode) return static_cast<int>(place);
  return -1;
}
constexpr bool IsBrickKind(std::int32_t code) { return BrickKindPlace(code) >= 0; }
constexpr bool IsShooter(std::int32_t code) { return code >= ShooterFirst && code <= ShooterLast; }
// Play counts every brick toward the level's end unless its kind says otherwise; a tile of no kind counts too.
constexpr bool MustBreak(std::int32_t code) { return !IsBrickKind(code) || BrickKinds[BrickKindPlace(code)].mustBreak; }
constexpr bool LetsBallThrough(std::int32_t code) {
  return IsBrickKind(code) && BrickKinds[BrickKindPlace(code)].letsBallThrough;
}
constexpr bool Blasts(std::int32_t code) { return IsBrickKind(code) && BrickKinds[BrickKindPlace(code)].blasts; }
// Play fires a code past every kind as a shooter without directions: it scores and sounds, and clears nothing.
constexpr bool FiresAsShooter(std::int32_t code) { return IsShooter(code) || code > LastBrickCode; }

// Directions of a shooter code, as {up, right, down, left}; all false for other kinds.
struct ShooterDirections { bool up = false, right = false, down = false, left = false; };
ShooterDirections ShooterDirectionsOf(std::int32_t kind);
// The shooter code for a set of directions; 0 when no direction is set.
std::int32_t ShooterCodeOf(ShooterDirections directions);
