// The wind arrows by Tag.
#include "assets/wind_arrows.h"

namespace assets {

WindArrow WindArrowFromTag(int tag) {
    if (tag >= static_cast<int>(WindArrow::Wind) &&
        tag <= static_cast<int>(WindArrow::Wind_diag_l)) {
        return static_cast<WindArrow>(tag);
    }
    return WindArrow::None;
}

}  // namespace assets
