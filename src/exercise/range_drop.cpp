// The range drop and the shot into the sky.
#include "exercise/range_drop.h"

namespace exercise {

int RangeDrop(int rangeMetres) {
    switch (rangeMetres) {
        case 200:
            return 2;
        case 300:
            return 32;
        case 400:
            return 60;
        case 500:
            return 95;
        default:
            return 0;
    }
}

std::int32_t ShotIntoSky(std::int32_t impactY) {
    if (impactY >= 400) {
        return impactY;
    }
    // C++ % truncates toward zero, so the remainder has the sign of impactY.
    return 700 + 10 * (impactY % 7);
}

std::int32_t ImpactYAfterDrop(std::int32_t impactY, int rangeMetres) {
    return ShotIntoSky(impactY + RangeDrop(rangeMetres));
}

}  // namespace exercise
