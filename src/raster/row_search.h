// Where a row of pixels first and last differs from another row, or from one pixel value
// repeated: how a copy finds the part of a row it changes, about as fast as the row is read.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {

// The pixels a row is compared with: another row...
struct OtherRow {
    const std::uint32_t* pixels;
    std::uint32_t at(std::size_t i) const { return pixels[i]; }
#if defined(__SSE2__)
    __m128i four(std::size_t i) const {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + i));
    }
#endif
};

// ...or one value all along.
struct SameValue {
    std::uint32_t value;
    std::uint32_t at(std::size_t) const { return value; }
#if defined(__SSE2__)
    __m128i four(std::size_t) const {
        return _mm_set1_epi32(int(value));
    }
#endif
};

#if defined(__SSE2__)
// One bit per byte of eight pixels from `i` on, set where `row` equals `other`: the search
// compares eight pixels in four instructions, and the first or last clear bit tells where.
template <typename Other>
unsigned EqualBytes(const std::uint32_t* row, const Other& other, std::size_t i) {
    const auto four = [row](std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + at));
    };
    const __m128i low = _mm_cmpeq_epi32(four(i), other.four(i));
    const __m128i high = _mm_cmpeq_epi32(four(i + 4), other.four(i + 4));
    return unsigned(_mm_movemask_epi8(low)) | (unsigned(_mm_movemask_epi8(high)) << 16);
}
#endif

// The first of the `count` pixels of `row` that differs from `other`; `count` if none does.
template <typename Other>
std::size_t FirstDifference(const std::uint32_t* row, const Other& other, std::size_t count) {
    std::size_t i = 0;
#if defined(__SSE2__)
    for (; i + 8 <= count; i += 8) {
        const unsigned equal = EqualBytes(row, other, i);
        if (equal != ~0u) {
            return i + std::size_t(std::countr_one(equal)) / 4;
        }
    }
#endif
    while (i < count && row[i] == other.at(i)) {
        ++i;
    }
    return i;
}

// One past the last pixel of `row` in [first, count) that differs from `other`; `first` if
// none does.
template <typename Other>
std::size_t EndOfDifferences(const std::uint32_t* row, const Other& other, std::size_t first,
                             std::size_t count) {
    std::size_t end = count;
#if defined(__SSE2__)
    for (; end >= first + 8; end -= 8) {
        const unsigned equal = EqualBytes(row, other, end - 8);
        if (equal != ~0u) {
            return end - std::size_t(std::countl_one(equal)) / 4;
        }
    }
#endif
    while (end > first && row[end - 1] == other.at(end - 1)) {
        --end;
    }
    return end;
}

// The pixels [first, end) of `row` from its first to its last that differs from `other`;
// empty (first == end) where none does.
struct DifferingPart {
    std::size_t first;
    std::size_t end;
};
template <typename Other>
DifferingPart FindDifferingPart(const std::uint32_t* row, const Other& other, std::size_t count) {
    const std::size_t first = FirstDifference(row, other, count);
    return DifferingPart{first, EndOfDifferences(row, other, first, count)};
}

}  // namespace raster
