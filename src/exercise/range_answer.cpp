// The range tolerance.
#include "exercise/range_answer.h"

#include <cstdint>

namespace exercise {

bool RangeAnswerHits(int answerMetres, int rangeMetres) {
    const std::int64_t difference = std::int64_t{answerMetres} - rangeMetres;
    return difference >= -99 && difference <= 99;
}

}  // namespace exercise
