// The game's 28 sounds: each id with its file, in load order, and playing one of them.
#pragma once
#include <array>
#include <string_view>

#include "core/world.h"  // GameSoundCount

struct Game;

enum class SoundId : int {
  HitPaddle = 0, HitBrick, HitIndBrick, HitExpl, ShootLaser, HitCatchPaddle, ExtraLife, Death, HitWall,
  LoseBall, ShrinkPad, GrowPad, FasterBall, SlowerBall, GotCatch, SplitBalls, DoubleSplitBalls, SuperBall,
  DoublePoints, Protect, Warp, GotLaser, DynaBall, GoThru, Powerup, HitMulti, FireWork, FinishedSet,
};

struct GameSound {
  SoundId id;
  std::string_view file;  // in Sfx
};

// The load order of game start: a sound's slot is its place in this list.
inline constexpr std::array<GameSound, GameSoundCount> GameSounds = {{
    {SoundId::HitPaddle, "HitPaddle.wav"},
    {SoundId::HitBrick, "HitBrick.wav"},
    {SoundId::HitIndBrick, "HitIndBrick.wav"},
    {SoundId::HitExpl, "HitExpl.wav"},
    {SoundId::ShootLaser, "ShootLaser.wav"},
    {SoundId::HitCatchPaddle, "HitCatchPaddle.wav"},
    {SoundId::ExtraLife, "ExtraLife.wav"},
    {SoundId::Death, "Death.wav"},
    {SoundId::HitWall, "HitWall.wav"},
    {SoundId::LoseBall, "LoseBall.wav"},
    {SoundId::ShrinkPad, "ShrinkPad.wav"},
    {SoundId::GrowPad, "GrowPad.wav"},
    {SoundId::FasterBall, "FasterBall.wav"},
    {SoundId::SlowerBall, "SlowerBall.wav"},
    {SoundId::GotCatch, "GotCatch.wav"},
    {SoundId::SplitBalls, "SplitBalls.wav"},
    {SoundId::DoubleSplitBalls, "DoubleSplitBalls.wav"},
    {SoundId::SuperBall, "SuperBall.wav"},
    {SoundId::DoublePoints, "DoublePoints.wav"},
    {SoundId::Protect, "Protect.wav"},
    {SoundId::Warp, "Warp.wav"},
    {SoundId::GotLaser, "GotLaser.wav"},
    {SoundId::DynaBall, "DynaBall.wav"},
    {SoundId::GoThru, "GoThru.wav"},
    {SoundId::Powerup, "Powerup.wav"},
    {SoundId::HitMulti, "HitMulti.wav"},
    {SoundId::FireWork, "FireWork.wav"},
    {SoundId::FinishedSet, "FinishedSet.wav"},
}};

constexpr bool EachSoundInItsPlace() {
  for (std::size_t place = 0; place < GameSounds.size(); ++place)
    if (static_cast<std::size_t>(GameSounds[place].id) != place) return false;
  return true;
}
static_assert(EachSoundInItsPlace(), "a sound's id is its place in the load order");
static_assert(static_cast<int>(SoundId::FinishedSet) + 1 == GameSoundCount, "every id has its file");

// Plays the sound loaded for `id` at game start (through the world's soundIds).
void PlayGameSound(Game& game, SoundId id);
