// Fixed-seed pseudo-random numbers and lattice hashes, so every run draws the same artwork.
#pragma once

#include <cstdint>

namespace artwork {

// Mixes a lattice point and a seed into 32 well-spread bits; integer arithmetic only, so the
// value is the same on every machine and compiler.
inline std::uint32_t HashPoint(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// SplitMix64: small, fast and good enough for scattering trees and flecks.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double between(double low, double high) { return low + (high - low) * unit(); }
    int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }

  private:
    std::uint64_t state_;
};

}  // namespace artwork
