// Range lookup from sprite height.
#include "assets/range_table.h"

#include <cmath>

namespace assets {

long long RoundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    auto result = static_cast<long long>(below);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return result;
}

std::int32_t RangeForHeight(int heightPixels) {
    const long long index = RoundHalfToEven(heightPixels / 5.0);
    const long long offset = index - kRangeByHeightFirstIndex;
    if (offset < 0 || offset >= static_cast<long long>(RangeByHeight.size())) {
        return 0;
    }
    return RangeByHeight[static_cast<std::size_t>(offset)];
}

}  // namespace assets
