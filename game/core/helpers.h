// Angle conversion and reflection for ball bearings, and the random numbers behind every random effect.
#pragma once
#include <cstdint>
#include <random>

#include "content/names.h"  // FileNameOf, TrimTrailingSpaces

constexpr float Pi = 3.1415927f;

float DegToRad(float degrees);
float RadToDeg(float radians);
// The modes of ReflectAngle: off a horizontal surface (a floor or ceiling) or a vertical one (a wall).
enum Mirror : int { MirrorOffHorizontal = 0, MirrorOffVertical = 1 };
// Mode 1 mirrors off a vertical surface, mode 0 off a horizontal one; any other mode gives 0.
float ReflectAngle(float angle, int mode);

// One generator for the whole run: seeded once from the clock, or from --seed for reproducible runs.
struct RandomSource {
  std::mt19937 engine{std::random_device{}()};
};
void SeedRandom(RandomSource& random, std::uint32_t seed);
// lo + (hi - lo + 1) * r with r in [0, 1); negated when randomSign and the tick count is even.
float RandomBetween(RandomSource& random, std::int32_t tickNow, float lo, float hi, bool randomSign);
