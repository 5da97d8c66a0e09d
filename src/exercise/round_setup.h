// The clock behind the random draws of round set-up, replaceable so tests are deterministic.
#pragma once

#include "exercise/random_draw.h"

namespace exercise {

RandomDraw& RoundRandom();
void SetRoundClock(RandomDraw::Clock clock);

}  // namespace exercise
