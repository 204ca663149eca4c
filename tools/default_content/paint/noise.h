// Seeded random numbers and tileable value noise, so textures come out the same on every run.
#pragma once
#include <cstdint>

namespace paint {

// A small fixed-seed generator (xorshift32 with a mixed seed).
class Random {
 public:
  explicit Random(std::uint32_t seed);
  std::uint32_t next();
  float uniform();                    // [0, 1)
  float between(float lo, float hi);  // [lo, hi)
  int below(int n);                   // 0 .. n - 1

 private:
  std::uint32_t state_;
};

// Smooth noise in [0, 1] on a lattice of `cellsX` x `cellsY` cells per period, repeating every
// `periodX` x `periodY` pixels, so a texture of that size tiles without a seam.
float TileableNoise(float x, float y, int periodX, int periodY, int cellsX, int cellsY, std::uint32_t seed);
// Several octaves of TileableNoise, each doubling the lattice; still tiles on the same period.
float TileableFractal(float x, float y, int periodX, int periodY, int cellsX, int cellsY, int octaves,
                      std::uint32_t seed);

}  // namespace paint
