// The random draw of round set-up: a 32-bit linear congruential generator reseeded from the
// clock before every draw.
#pragma once

#include <cstdint>
#include <functional>

namespace exercise {

// The UTC time of day in milliseconds, ((h * 60 + m) * 60 + s) * 1000 + ms, from the system
// clock.
std::uint32_t SystemTimeOfDayMilliseconds();

class RandomDraw {
  public:
    using Clock = std::function<std::uint32_t()>;

    // Tests pass a fixed clock; the program uses the system clock.
    explicit RandomDraw(Clock clock = SystemTimeOfDayMilliseconds);

    // A value from 0 to count - 1 (0 when count is 0). The state is reseeded from the clock
    // first, so two draws within the same millisecond give the same value.
    std::uint32_t Draw(std::uint32_t count);

  private:
    Clock clock_;
};

}  // namespace exercise
