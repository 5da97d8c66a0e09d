// How many scenario rows each exercise draws from.
#include "exercise/scenario_table.h"

namespace exercise {

std::uint32_t ScenarioDrawCount(std::uint8_t exerciseMode) {
    return exerciseMode == 0 ? 5 : 16;
}

}  // namespace exercise
