// The clock-seeded linear congruential draw.
#include "exercise/random_draw.h"

#include <chrono>
#include <utility>

namespace exercise {

std::uint32_t SystemTimeOfDayMilliseconds() {
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now());
    const auto sinceMidnight = now - floor<days>(now);
    return static_cast<std::uint32_t>(sinceMidnight.count());
}

RandomDraw::RandomDraw(Clock clock) : clock_(std::move(clock)) {}

std::uint32_t RandomDraw::Draw(std::uint32_t count) {
    const std::uint32_t seed = clock_();
    const std::uint32_t state = seed * 134775813u + 1u;  // unsigned arithmetic wraps at 2^32
    return static_cast<std::uint32_t>((std::uint64_t{state} * count) >> 32);
}

}  // namespace exercise
