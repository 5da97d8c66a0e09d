// The grade formula.
#include "exercise/grade.h"

#include <cmath>
#include <cstdint>

namespace exercise {

int Grade(int hits, int attemptsLeft) {
    const std::int64_t misses = std::int64_t{10} - hits - attemptsLeft;
    const double grade = 5.0 - std::floor(static_cast<double>(misses) / 2.0);
    return static_cast<int>(grade);
}

}  // namespace exercise
