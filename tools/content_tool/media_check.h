// What the game reads by name from Gfx, Sfx and Mus, and whether a picture, sound or song file is usable.
#pragma once
#include <array>
#include <string>

#include "content/file_io.h"

// The pictures the game start and the front end load from Gfx.
inline constexpr std::array<const char*, 27> GamePictureFiles = {
    "loading.bmp",   "Paddle.bmp",    "Paddle2.bmp",  "ball.bmp",      "Explosion.bmp", "powerups.bmp",
    "powerups2.bmp", "laser1.bmp",    "laser2.bmp",   "laser3.bmp",    "laser4.bmp",    "cannon1.bmp",
    "cannon2.bmp",   "cannon3.bmp",   "cannon4.bmp",  "numbers.bmp",   "barrier1.bmp",  "barrier2.bmp",
    "barrier3.bmp",  "barrier4.bmp",  "trail.bmp",    "font1.bmp",     "tileback2.bmp", "menuback.bmp",
    "menutitle.bmp", "menuback2.bmp", "readme.bmp"};

// The sounds the game start and the front end load from Sfx.
inline constexpr std::array<const char*, 32> GameSoundFiles = {
    "HitPaddle.wav",  "HitBrick.wav",     "HitIndBrick.wav",      "HitExpl.wav",      "ShootLaser.wav",
    "HitCatchPaddle.wav", "ExtraLife.wav", "Death.wav",           "HitWall.wav",      "LoseBall.wav",
    "ShrinkPad.wav",  "GrowPad.wav",      "FasterBall.wav",       "SlowerBall.wav",   "GotCatch.wav",
    "SplitBalls.wav", "DoubleSplitBalls.wav", "SuperBall.wav",    "DoublePoints.wav", "Protect.wav",
    "Warp.wav",       "GotLaser.wav",     "DynaBall.wav",         "GoThru.wav",       "Powerup.wav",
    "HitMulti.wav",   "FireWork.wav",     "FinishedSet.wav",      "MenuChange.wav",   "MenuSelect.wav",
    "ExitGame.wav",   "MenuBack.wav"};

// Empty when the bytes are a picture the game can show; otherwise what is wrong. A well-formed picture of a
// kind the game does not read (1-bit, run-length coded, ...) is an "unsupported format", not a damaged file.
std::string PictureProblem(const Bytes& bytes, int& width, int& height);
// Empty when the bytes are a RIFF/WAVE sound the game can play; otherwise what is wrong.
std::string SoundProblem(const Bytes& bytes);
// Empty when the bytes are a standard MIDI file whose tracks read to their end; otherwise what is wrong.
std::string SongProblem(const Bytes& bytes);
