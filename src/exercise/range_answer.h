// Whether a typed range answer counts as a hit.
#pragma once

namespace exercise {

// Within 99 m of the true range either way; 100 m off or more misses. Any int answer is
// accepted: the difference is taken in 64 bits.
bool RangeAnswerHits(int answerMetres, int rangeMetres);

}  // namespace exercise
