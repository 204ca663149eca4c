// Seeded random numbers and tileable value noise.
#include "tools/default_content/paint/noise.h"

#include <cmath>

namespace paint {

namespace {

std::uint32_t Hash(std::uint32_t v) {
  v ^= v >> 16;
  v *= 0x7feb352dU;
  v ^= v >> 15;
  v *= 0x846ca68bU;
  v ^= v >> 16;
  return v;
}

float LatticeValue(int x, int y, std::uint32_t seed) {
  const std::uint32_t h = Hash(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^ Hash(static_cast<std::uint32_t>(y) ^ seed));
  return (h >> 8) / 16777216.0f;
}

float SmoothStep(float t) { return t * t * (3 - 2 * t); }

int Wrap(int v, int n) { return ((v % n) + n) % n; }

}  // namespace

Random::Random(std::uint32_t seed) : state_(Hash(seed) | 1U) {}

std::uint32_t Random::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

float Random::uniform() { return (next() >> 8) / 16777216.0f; }
float Random::between(float lo, float hi) { return lo + (hi - lo) * uniform(); }
int Random::below(int n) { return static_cast<int>(uniform() * n); }

float TileableNoise(float x, float y, int periodX, int periodY, int cellsX, int cellsY, std::uint32_t seed) {
  const float u = x * cellsX / periodX, v = y * cellsY / periodY;
  const int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
  const float fu = SmoothStep(u - i), fv = SmoothStep(v - j);
  const auto at = [&](int a, int b) { return LatticeValue(Wrap(a, cellsX), Wrap(b, cellsY), seed); };
  const float top = at(i, j) + (at(i + 1, j) - at(i, j)) * fu;
  const float bottom = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * fu;
  return top + (bottom - top) * fv;
}

float TileableFractal(float x, float y, int periodX, int periodY, int cellsX, int cellsY, int octaves,
                      std::uint32_t seed) {
  float sum = 0, weight = 1, total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * TileableNoise(x, y, periodX, periodY, cellsX << o, cellsY << o, seed + 977U * o);
    total += weight;
    weight *= 0.5f;
  }
  return sum / total;
}

}  // namespace paint
