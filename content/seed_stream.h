// The generator's random numbers: SplitMix64 on whole numbers alone, so a seed gives the same numbers on every
// machine, compiler and build (the standard library's distributions differ between them; floating point may).
#pragma once
#include <cstdint>
#include <vector>

class SeedStream {
 public:
  explicit SeedStream(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // 0 .. n - 1 for n >= 1 (0 otherwise); the bias of the remainder is below 2^-32 for the small n used here.
  int Below(int n) { return n <= 1 ? 0 : static_cast<int>((Next() >> 32) % static_cast<std::uint64_t>(n)); }
  // lo .. hi, both included.
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Percent(int chance) { return Below(100) < chance; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) { return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))]; }

 private:
  std::uint64_t state_;
};
