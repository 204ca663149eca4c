// The kinds of capsule: one row each, with what the game, its sounds and the Read Me screen ask of a kind.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "content/media_files.h"  // SoundId

// A kind's number is its row in the capsule pictures and stands in dumps as it is, so the kind converts to its
// number; the names stay in their own namespace.
namespace powerup {
enum Kind : std::int32_t {
  SuperBall = 1, DynaBall, Catch, Laser, DoublePoints, Protect, DoubleSplitBalls, GrowPad, ShrinkPad,
  SplitBalls, Warp, Death, FasterBall, SlowerBall, ExtraLife,
};
}  // namespace powerup
using PowerupKind = powerup::Kind;

struct CapsuleKind {
  PowerupKind kind;
  int keepChance;           // n of the chance 1/n that a drop keeps this kind once drawn
  SoundId sound;            // played when a paddle catches it
  std::string_view name;    // on the Read Me screen
  std::string_view effect;  // what it does, on the Read Me screen
};

// A new kind is one row here, its picture and what it does in play.
inline constexpr std::array<CapsuleKind, 15> CapsuleKinds = {{
    {powerup::SuperBall, 3, SoundId::SuperBall, "Super Ball", "Smashes through every brick"},
    {powerup::DynaBall, 3, SoundId::DynaBall, "Dyna Ball", "Every brick it hits explodes"},
    {powerup::Catch, 1, SoundId::GotCatch, "Catch", "Balls stick; click to launch"},
    {powerup::Laser, 3, SoundId::GotLaser, "Laser", "Hold the button to fire lasers"},
    {powerup::DoublePoints, 1, SoundId::DoublePoints, "Double Points", "Every point counts twice"},
    {powerup::Protect, 2, SoundId::Protect, "Protect", "Walls guard every paddle side"},
    {powerup::DoubleSplitBalls, 4, SoundId::DoubleSplitBalls, "Double Split", "Every ball becomes four"},
    {powerup::GrowPad, 1, SoundId::GrowPad, "Grow", "Longer paddles"},
    {powerup::ShrinkPad, 1, SoundId::ShrinkPad, "Shrink", "Shorter paddles"},
    {powerup::SplitBalls, 2, SoundId::SplitBalls, "Split Balls", "Every ball becomes two"},
    {powerup::Warp, 9, SoundId::Warp, "Warp", "Straight on to the next level"},
    {powerup::Death, 1, SoundId::Death, "Death", "Destroys every ball in play"},
    {powerup::FasterBall, 1, SoundId::FasterBall, "Faster", "Balls speed up"},
    {powerup::SlowerBall, 1, SoundId::SlowerBall, "Slower", "Balls slow down"},
    {powerup::ExtraLife, 6, SoundId::ExtraLife, "Extra Life", "One more spare ball"},
}};
inline constexpr int CapsuleKindCount = static_cast<int>(CapsuleKinds.size());

constexpr bool EachCapsuleInItsPlace() {
  for (std::size_t place = 0; place < CapsuleKinds.size(); ++place)
    if (static_cast<std::size_t>(CapsuleKinds[place].kind) != place + 1) return false;
  return true;
}
static_assert(EachCapsuleInItsPlace(), "kind n is row n of the table, numbered from 1");

// The row of a kind 1 .. CapsuleKindCount.
constexpr const CapsuleKind& CapsuleKindOf(PowerupKind kind) { return CapsuleKinds[static_cast<std::size_t>(kind) - 1]; }
