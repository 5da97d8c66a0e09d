// Floating-point colour picture on which the landscape is painted before it is quantised.
#pragma once

#include <algorithm>
#include <vector>

namespace artwork {

struct Colour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

inline Colour Mix(Colour a, Colour b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}
inline Colour Scaled(Colour c, double factor) {
    return {c.red * factor, c.green * factor, c.blue * factor};
}
inline double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

class LandscapeCanvas {
  public:
    LandscapeCanvas(int width, int height)
        : width_(width), height_(height), pixels_(std::size_t(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[std::size_t(y) * width_ + x]; }
    const Colour& at(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }

  private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// The picture's layout: sky down to the tree line, trees, then grass to the bottom.
constexpr int kLandscapeWidth = 1152;
constexpr int kLandscapeHeight = 864;
// Where the ground plane would meet the sky if nothing stood on it; sets the perspective.
constexpr double kVanishingRow = 386.0;

void PaintSky(LandscapeCanvas& canvas);
void PaintGround(LandscapeCanvas& canvas);
void PaintTrees(LandscapeCanvas& canvas);

}  // namespace artwork
