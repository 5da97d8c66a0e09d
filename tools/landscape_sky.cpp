// The overcast sky: layered cloud texture that flattens and pales towards the horizon.
#include <cmath>

#include "landscape_canvas.h"
#include "noise.h"

namespace artwork {

void PaintSky(LandscapeCanvas& canvas) {
    const Colour zenith{112, 128, 152};
    const Colour horizon{186, 193, 201};
    const Colour cloudLight{206, 209, 214};
    const Colour cloudShade{128, 134, 146};
    // The cloud deck is a plane above us: rows nearer the horizon see it further away.
    const double cloudHorizonRow = 430.0;
    for (int y = 0; y < 420; ++y) {
        const double toHorizon = cloudHorizonRow - y;
        const double depth = 1400.0 / toHorizon;
        const double rowFootprint = 1400.0 / (toHorizon * toHorizon);
        const double height = y / 400.0;
        const Colour base = Mix(zenith, horizon, height * (2.0 - height));
        for (int x = 0; x < canvas.width(); ++x) {
            const double across = (x - 576.0) * depth / 900.0;
            const double footprint = std::max(rowFootprint * 1.6, depth / 900.0 * 0.8);
            // Warped sampling makes the cloud shapes soft and streaky rather than blobby.
            const double warp = FilteredFbm(across * 0.6, depth * 0.9, 11u, 4, footprint);
            const double cover =
                FilteredFbm(across * 0.8 + warp * 1.3, depth * 1.6, 12u, 6, footprint * 1.6);
            const double detail = FilteredFbm(across * 2.3, depth * 4.0, 13u, 5, footprint * 4.0);
            const double amount = SmoothStep(0.32, 0.72, cover);
            Colour sky = Mix(base, cloudLight, amount * (0.8 - 0.35 * height));
            // Darker cloud bases where the layer is thick but not lit.
            const double shade = SmoothStep(0.5, 0.8, detail) * (1.0 - amount) * 0.55 +
                                 SmoothStep(0.6, 0.85, cover) * (detail - 0.5) * 0.6;
            sky = Mix(sky, cloudShade, std::clamp(shade, 0.0, 1.0) * (1.0 - 0.6 * height));
            canvas.at(x, y) = sky;
        }
    }
}

}  // namespace artwork
