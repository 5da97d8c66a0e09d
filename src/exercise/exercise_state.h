// The program-wide record of exercise variables that outlives the exercise window.
#pragma once

#include <cstdint>

#include "raster/bitmap.h"

namespace toolkit {
class ImageControl;
}

struct TExerciseState {
    std::uint8_t ExerciseMode = 0;  // 0 shooting ("Стрельба"), 1 range estimation
    std::uint8_t MagnifyDen = 1;
    std::uint8_t MagnifyNum = 3;
    std::uint8_t MarkerThreshold = 1;
    std::uint8_t Suspended = 0;
    std::uint8_t NotStarted = 0;
    std::uint8_t RepeatTarget = 0;
    std::uint8_t ExerciseRunning = 0;
    // One of the exercise window's wind arrows, or none. Cleared by every creation of that
    // window before anything reads it, so it never outlives the arrow it names.
    toolkit::ImageControl* WindIndicator = nullptr;
    std::int32_t TargetX = 0;  // control coordinates
    std::int32_t TargetY = 0;
    std::int32_t ImpactX = 0;  // picture coordinates
    std::int32_t ImpactY = 0;
    std::int32_t CursorX = 0;  // control coordinates, as delivered
    std::int32_t CursorY = 0;
    raster::Rect NextDirtyRect;  // picture coordinates
    raster::Rect DirtyRect;
    std::uint8_t LensRadius = 0;  // picture pixels
    std::uint8_t ExitHover = 0;
};

// The one instance for the whole run.
extern TExerciseState ExerciseState;
