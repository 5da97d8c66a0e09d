// The running grade from the hits and attempts-left counters.
#pragma once

namespace exercise {

// 5 - floor(m / 2) with misses m = 10 - hits - attemptsLeft, the halving done in floating
// point and rounded toward minus infinity: 5 for no misses, 0 for ten. The formula is kept as
// it is outside that range too: attempts that went below zero give a negative m and a grade
// above 5 (m = -1 gives 6). m is taken in 64 bits; for any two int counters the grade itself
// lies within the int range.
int Grade(int hits, int attemptsLeft);

}  // namespace exercise
