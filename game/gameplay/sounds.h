// The game's 28 sounds by position in its load list, and playing one of them.
#pragma once

struct Game;

enum class SoundId : int {
  HitPaddle = 0, HitBrick, HitIndBrick, HitExpl, ShootLaser, HitCatchPaddle, ExtraLife, Death, HitWall,
  LoseBall, ShrinkPad, GrowPad, FasterBall, SlowerBall, GotCatch, SplitBalls, DoubleSplitBalls, SuperBall,
  DoublePoints, Protect, Warp, GotLaser, DynaBall, GoThru, Powerup, HitMulti, FireWork, FinishedSet,
};

// Plays the sound loaded for `id` at game start (through the world's soundIds).
void PlayGameSound(Game& game, SoundId id);
