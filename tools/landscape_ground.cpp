// The grass field seen in perspective: texture sampled on the ground plane, so it is fine
// near the horizon and coarse in front, with gentle undulation and haze in the distance.
#include <cmath>

#include "landscape_canvas.h"
#include "noise.h"

namespace artwork {

namespace {

constexpr double kEyeHeight = 250.0;
constexpr double kFocalLength = 700.0;

double Terrain(double across, double distance) {
    return Fbm(across * 0.05, distance * 0.12, 31u, 3);
}

}  // namespace

void PaintGround(LandscapeCanvas& canvas) {
    const Colour lush{86, 100, 56};
    const Colour dry{140, 136, 84};
    const Colour withered{118, 106, 70};
    const Colour dark{62, 72, 42};
    const Colour haze{160, 170, 172};
    for (int y = static_cast<int>(kVanishingRow) + 4; y < canvas.height(); ++y) {
        const double below = y + 0.5 - kVanishingRow;
        const double distance = kEyeHeight / below;
        const double rowFootprint = kEyeHeight / (below * below);
        const double pixelWidth = distance / kFocalLength;
        const double nearness = std::clamp((y - 480.0) / 384.0, 0.0, 1.0);
        const double farness = std::clamp(1.0 - below / 110.0, 0.0, 1.0);
        const double hazeAmount = farness * farness * 0.4;
        for (int x = 0; x < canvas.width(); ++x) {
            const double across = (x + 0.5 - 576.0) * pixelWidth;
            // Broad patches of lusher and drier grass.
            const double patches = FilteredFbm(across * 0.09, distance * 0.35, 21u, 5,
                                               std::max(rowFootprint * 0.35, pixelWidth * 0.09));
            Colour grass = Mix(lush, dry, SmoothStep(0.3, 0.75, patches));
            const double bare = FilteredFbm(across * 0.3, distance * 1.1, 24u, 4,
                                            std::max(rowFootprint * 1.1, pixelWidth * 0.3));
            grass = Mix(grass, withered, SmoothStep(0.55, 0.8, bare) * 0.6);
            // Undulation: slopes turned towards us catch more of the overcast light.
            const double slope = Terrain(across, distance - 0.6) - Terrain(across, distance + 0.6);
            grass = Scaled(grass, 1.0 + std::clamp(slope * 3.0, -0.25, 0.25));
            // Tufts and clumps on the ground plane.
            const double clumps = FilteredFbm(across * 1.6, distance * 5.0, 22u, 6,
                                              std::max(rowFootprint * 5.0, pixelWidth * 1.6));
            grass = Mix(grass, dark, SmoothStep(0.45, 0.8, 1.0 - clumps) * 0.45);
            grass = Scaled(grass, 0.9 + 0.2 * clumps);
            // Close to us single blades show: streaks taller than wide.
            if (nearness > 0.0) {
                const double blades =
                    Fbm((x + 0.5) / 1.7, (y + 0.5) / (5.0 + 9.0 * nearness), 23u, 3);
                grass = Scaled(grass, 1.0 + (blades - 0.5) * 0.55 * nearness);
            }
            canvas.at(x, y) = Mix(grass, haze, hazeAmount);
        }
    }
}

}  // namespace artwork
