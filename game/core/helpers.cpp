// Angle conversion, reflection and random numbers.
#include "core/helpers.h"

#include <cmath>

float DegToRad(float degrees) { return Pi / 180.0f * degrees; }

float RadToDeg(float radians) { return radians / (Pi / 180.0f); }

float ReflectAngle(float angle, int mode) {
  float d = RadToDeg(angle);
  if (mode == MirrorOffVertical) return DegToRad(360.0f - d);
  if (mode == MirrorOffHorizontal) {
    float t = std::fabs(d - 180.0f);
    return d > 180.0f ? DegToRad(360.0f - t) : DegToRad(t);
  }
  return 0.0f;
}

void SeedRandom(RandomSource& random, std::uint32_t seed) { random.engine.seed(seed); }

float RandomBetween(RandomSource& random, std::int32_t tickNow, float lo, float hi, bool randomSign) {
  // The generator is seeded once per run rather than from the clock at every call, so draws within one
  // millisecond differ and seeded runs repeat exactly.
  // 24 random bits give a float in [0, 1) exactly; a float distribution may round up to 1.
  float r = static_cast<float>(random.engine() >> 8) * (1.0f / 16777216.0f);
  float result = lo + (hi - lo + 1.0f) * r;
  // Float rounding can land on hi + 1 itself; keep the range half-open so truncating callers stay in range.
  float top = lo + (hi - lo + 1.0f);
  if (top > lo && result >= top) result = std::nextafter(top, lo);
  if (randomSign && tickNow % 2 == 0) result = -result;
  return result;
}
