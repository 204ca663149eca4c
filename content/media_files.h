// The pictures and sounds the game reads by name from Gfx and Sfx: the game loads them, the content tool checks
// them and the default content makes them, all from these lists. And how large a song may be.
#pragma once
#include <array>
#include <cstddef>
#include <string_view>

inline constexpr std::array<std::string_view, 27> GamePictureFiles = {
    "loading.bmp",   "Paddle.bmp",    "Paddle2.bmp",  "ball.bmp",      "Explosion.bmp", "powerups.bmp",
    "powerups2.bmp", "laser1.bmp",    "laser2.bmp",   "laser3.bmp",    "laser4.bmp",    "cannon1.bmp",
    "cannon2.bmp",   "cannon3.bmp",   "cannon4.bmp",  "numbers.bmp",   "barrier1.bmp",  "barrier2.bmp",
    "barrier3.bmp",  "barrier4.bmp",  "trail.bmp",    "font1.bmp",     "tileback2.bmp", "menuback.bmp",
    "menutitle.bmp", "menuback2.bmp", "readme.bmp"};

// The sounds of play, in game start's load order: a sound's slot is its place in the list.
enum class SoundId : int {
  HitPaddle = 0, HitBrick, HitIndBrick, HitExpl, ShootLaser, HitCatchPaddle, ExtraLife, Death, HitWall,
  LoseBall, ShrinkPad, GrowPad, FasterBall, SlowerBall, GotCatch, SplitBalls, DoubleSplitBalls, SuperBall,
  DoublePoints, Protect, Warp, GotLaser, DynaBall, GoThru, Powerup, HitMulti, FireWork, FinishedSet,
};

struct GameSound {
  SoundId id;
  std::string_view file;  // in Sfx
};

inline constexpr std::array<GameSound, 28> GameSounds = {{
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
static_assert(static_cast<std::size_t>(SoundId::FinishedSet) + 1 == GameSounds.size(), "every id has its file");

// The front end's sounds, in its load order: moving, choosing, leaving the program, going back.
enum MenuSound : int { SoundChange = 0, SoundSelect = 1, SoundExit = 2, SoundBack = 3 };
inline constexpr std::array<std::string_view, 4> MenuSoundFiles = {"MenuChange.wav", "MenuSelect.wav",
                                                                   "ExitGame.wav", "MenuBack.wav"};

// Far more events, of every kind in every track, than a song has (the game's own have about 5,000). A file with
// more is no song: refusing it bounds what reading and playing a song hold in memory (some 50 bytes an event)
// whatever the file's size.
inline constexpr std::size_t MaxSongEvents = 500'000;
