// What one tick of the target marker timer does, decided from its Tag alone.
#pragma once

#include <cstdint>

namespace exercise {

enum class ViewChange {
    Unchanged,
    Disable,
    Enable,
};

struct MarkerTick {
    ViewChange view = ViewChange::Unchanged;
    // Draw the tiny target and lay the frame by exclusive-or, then advance the Tag.
    bool drawMarker = false;
    std::int32_t nextTag = 0;
};

// The first two ticks of a running round mark the target: the first disables the view and
// lays the frame, the second lays it again (which takes it away) and enables the view. From
// then on a tick only keeps the view enabled. A tick with no round running never enables the
// view and never advances the Tag; below the threshold it still disables the view.
MarkerTick DecideMarkerTick(std::int32_t tag, std::uint8_t markerThreshold, bool exerciseRunning);

}  // namespace exercise
