// Value noise built on the integer lattice hash; only + and * so results are reproducible.
#include "noise.h"

#include <cmath>

#include "random.h"

namespace artwork {

namespace {

double LatticeValue(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    return static_cast<double>(HashPoint(x, y, seed) >> 8) * (1.0 / 16777215.0);
}

// Quintic fade: continuous slope and curvature across cell borders.
double Fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

double Mix(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

double ValueNoise(double x, double y, std::uint32_t seed) {
    const double cellX = std::floor(x);
    const double cellY = std::floor(y);
    const auto ix = static_cast<std::int32_t>(cellX);
    const auto iy = static_cast<std::int32_t>(cellY);
    const double tx = Fade(x - cellX);
    const double ty = Fade(y - cellY);
    const double top = Mix(LatticeValue(ix, iy, seed), LatticeValue(ix + 1, iy, seed), tx);
    const double bottom =
        Mix(LatticeValue(ix, iy + 1, seed), LatticeValue(ix + 1, iy + 1, seed), tx);
    return Mix(top, bottom, ty);
}

double ValueNoise1D(double x, std::uint32_t seed) {
    return ValueNoise(x, 0.5, seed);
}

double Fbm(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    double frequency = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * ValueNoise(x * frequency, y * frequency, seed + 977u * octave);
        total += weight;
        weight *= 0.5;
        frequency *= 2.0;
    }
    return sum / total;
}

double Fbm1D(double x, std::uint32_t seed, int octaves) {
    return Fbm(x, 0.5, seed, octaves);
}

double FilteredFbm(double x, double y, std::uint32_t seed, int octaves, double footprint) {
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    double frequency = 1.0;
    for (int octave = 0; octave < octaves; ++octave) {
        // A layer whose cells are smaller than about two pixels would only alias.
        const double cellsPerPixel = footprint * frequency;
        double keep = 1.0;
        if (cellsPerPixel > 0.5) {
            keep = cellsPerPixel >= 1.0 ? 0.0 : (1.0 - cellsPerPixel) * 2.0;
        }
        double value = 0.5;
        if (keep > 0.0) {
            value = Mix(0.5, ValueNoise(x * frequency, y * frequency, seed + 977u * octave), keep);
        }
        sum += weight * value;
        total += weight;
        weight *= 0.5;
        frequency *= 2.0;
    }
    return sum / total;
}

}  // namespace artwork
