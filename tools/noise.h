// Value noise and fractal sums of it: the texture of sky, foliage and grass.
#pragma once

#include <cstdint>

namespace artwork {

// Smoothly interpolated lattice noise in [0, 1]; lattice cells are one unit wide.
double ValueNoise(double x, double y, std::uint32_t seed);
double ValueNoise1D(double x, std::uint32_t seed);

// Sum of `octaves` noise layers, each twice the frequency and half the weight of the one
// before, normalised to [0, 1].
double Fbm(double x, double y, std::uint32_t seed, int octaves);
double Fbm1D(double x, std::uint32_t seed, int octaves);

// As Fbm, but layers finer than `footprint` (the size of one picture pixel in noise units)
// fade towards their mean, so distant texture blurs instead of flickering.
double FilteredFbm(double x, double y, std::uint32_t seed, int octaves, double footprint);

}  // namespace artwork
