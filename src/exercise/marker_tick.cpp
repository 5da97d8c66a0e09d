// The marker tick decision.
#include "exercise/marker_tick.h"

namespace exercise {

MarkerTick DecideMarkerTick(std::int32_t tag, std::uint8_t markerThreshold, bool exerciseRunning) {
    MarkerTick tick;
    tick.nextTag = tag;
    if (tag < markerThreshold) {
        tick.view = ViewChange::Disable;
    } else if (exerciseRunning) {
        tick.view = ViewChange::Enable;
    }
    if (exerciseRunning && tag <= markerThreshold) {
        // tag is at most the 8-bit threshold here, so the increment cannot overflow.
        tick.drawMarker = true;
        tick.nextTag = tag + 1;
    }
    return tick;
}

}  // namespace exercise
