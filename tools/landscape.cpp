// The landscape: an overcast sky, a wooded horizon and a wide grass field.
#include <algorithm>
#include <cmath>

#include "landscape_canvas.h"
#include "pictures.h"
#include "random.h"

namespace artwork {

QImage DrawLandscape() {
    LandscapeCanvas canvas(kLandscapeWidth, kLandscapeHeight);
    PaintSky(canvas);
    PaintGround(canvas);
    PaintTrees(canvas);
    QImage image(kLandscapeWidth, kLandscapeHeight, QImage::Format_RGB32);
    for (int y = 0; y < kLandscapeHeight; ++y) {
        for (int x = 0; x < kLandscapeWidth; ++x) {
            // A little per-pixel grain, as film or a sensor gives, also hides banding; the
            // ceiling keeps every pixel off pure white.
            const std::uint32_t hash = HashPoint(x, y, 0xF11Au);
            const Colour c = canvas.at(x, y);
            const double grain = ((hash & 0xFF) / 255.0 - 0.5) * 3.0;
            auto channel = [grain](double value) {
                return static_cast<int>(std::clamp(std::floor(value + grain + 0.5), 0.0, 250.0));
            };
            image.setPixel(x, y, qRgb(channel(c.red), channel(c.green), channel(c.blue)));
        }
    }
    return image;
}

}  // namespace artwork
