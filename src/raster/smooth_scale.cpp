// Bilinear resampling of a picture to another size, a destination rectangle at a time.
//
// A destination row is made from two source rows blended with one weight, then its pixels
// from neighbouring pairs of that blend. Both steps are straight loops over a row that the
// compiler turns into vector instructions (this file is built with -O3); the view's halving
// of each row gets its own loop, as it is what every mouse move repaints. Where the processor
// has SSE2 (every x86-64 one), that halving also blends the two rows in the same pass, with
// the same arithmetic, rather than writing the blend out and reading it back; an x86-64
// processor with AVX2 runs the same pass eight pixels a step, chosen when the program runs,
// as the program is built for the baseline every classroom PC has.
#include "raster/smooth_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// GCC and Clang compile a function for AVX2 on its own and tell at run time whether the
// processor has it; elsewhere, and on 32-bit builds, the SSE2 pass stays.
#if defined(__SSE2__) && defined(__x86_64__) && defined(__GNUC__)
#define SIGHT_AVX2_PASS 1
#include <immintrin.h>
#endif

namespace raster {

namespace {

constexpr int kWeightOne = 256;

// Each byte of the row between `a` and `b`, `weight` of 256 towards `b`, rounded.
void BlendRows(std::uint8_t* out, const std::uint8_t* a, const std::uint8_t* b, int weight,
               std::size_t bytes) {
    const auto towardsB = std::uint16_t(weight);
    const auto towardsA = std::uint16_t(kWeightOne - weight);
    for (std::size_t k = 0; k < bytes; ++k) {
        // At most 255 * 256 + 128: the sum stays within 16 bits, so vector steps can keep it
        // there.
        const auto sum = std::uint16_t(a[k] * towardsA + b[k] * towardsB + 128);
        out[k] = std::uint8_t(sum >> 8);
    }
}

// Each pixel the rounded mean of a pair, channel by channel, without carries between them.
void HalveRow(std::uint32_t* out, const std::uint32_t* pairs, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint32_t a = pairs[2 * k];
        const std::uint32_t b = pairs[2 * k + 1];
        out[k] = (a | b) - (((a ^ b) >> 1) & 0x7F7F7F7Fu);
    }
}

#if defined(__SSE2__)
// Eight channels, 16 bits each, between `a` and `b`: BlendRows' sum, which stays within 16 bits.
__m128i BlendChannels(__m128i a, __m128i b, __m128i towardsA, __m128i towardsB) {
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a, towardsA), _mm_mullo_epi16(b, towardsB));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

// Four pixels of the row between `a` and `b`, byte by byte as BlendRows does.
__m128i BlendFour(__m128i a, __m128i b, __m128i towardsA, __m128i towardsB) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low =
        BlendChannels(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), towardsA, towardsB);
    const __m128i high =
        BlendChannels(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), towardsA, towardsB);
    return _mm_packus_epi16(low, high);
}

// The rounded mean of each pair of the eight pixels in `first` and `second`: pavgb rounds
// up, as HalveRow does.
__m128i HalveEight(__m128i first, __m128i second) {
    const __m128 one = _mm_castsi128_ps(first);
    const __m128 two = _mm_castsi128_ps(second);
    return _mm_avg_epu8(_mm_castps_si128(_mm_shuffle_ps(one, two, _MM_SHUFFLE(2, 0, 2, 0))),
                        _mm_castps_si128(_mm_shuffle_ps(one, two, _MM_SHUFFLE(3, 1, 3, 1))));
}

// HalveRow of the blend of rows `a` and `b` (BlendRows with `weight`), in one pass. A row of
// four pixels or more ends with a step over its last four, some of them again: the same
// values into the same places, cheaper than finishing pixel by pixel.
void BlendAndHalveRows(std::uint32_t* out, const std::uint32_t* a, const std::uint32_t* b,
                       int weight, std::size_t count) {
    const __m128i towardsA = _mm_set1_epi16(short(kWeightOne - weight));
    const __m128i towardsB = _mm_set1_epi16(short(weight));
    const auto step = [&](std::size_t k) {
        const auto* rowA = reinterpret_cast<const __m128i*>(a + 2 * k);
        const auto* rowB = reinterpret_cast<const __m128i*>(b + 2 * k);
        const __m128i first =
            BlendFour(_mm_loadu_si128(rowA), _mm_loadu_si128(rowB), towardsA, towardsB);
        const __m128i second =
            BlendFour(_mm_loadu_si128(rowA + 1), _mm_loadu_si128(rowB + 1), towardsA, towardsB);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), HalveEight(first, second));
    };
    if (count < 4) {
        std::uint32_t blended[6];
        BlendRows(
            reinterpret_cast<std::uint8_t*>(blended), reinterpret_cast<const std::uint8_t*>(a),
            reinterpret_cast<const std::uint8_t*>(b), weight, 2 * count * sizeof(std::uint32_t));
        HalveRow(out, blended, count);
        return;
    }
    for (std::size_t k = 0; k + 4 < count; k += 4) {
        step(k);
    }
    step(count - 4);
}

#if defined(SIGHT_AVX2_PASS)
// BlendFour for eight pixels, in each 128-bit half as there.
__attribute__((target("avx2"))) __m256i BlendEight(const std::uint32_t* a, const std::uint32_t* b,
                                                   __m256i towardsA, __m256i towardsB) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i rounding = _mm256_set1_epi16(128);
    const __m256i rowA = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
    const __m256i rowB = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
    const __m256i low =
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(rowA, zero), towardsA),
                         _mm256_mullo_epi16(_mm256_unpacklo_epi8(rowB, zero), towardsB));
    const __m256i high =
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(rowA, zero), towardsA),
                         _mm256_mullo_epi16(_mm256_unpackhi_epi8(rowB, zero), towardsB));
    return _mm256_packus_epi16(_mm256_srli_epi16(_mm256_add_epi16(low, rounding), 8),
                               _mm256_srli_epi16(_mm256_add_epi16(high, rounding), 8));
}

// Eight output pixels from sixteen of each row: the pairs' means as HalveEight takes them,
// then the halves' middle quarters swapped back into order.
__attribute__((target("avx2"))) void BlendAndHalveSixteen(std::uint32_t* out,
                                                          const std::uint32_t* a,
                                                          const std::uint32_t* b, __m256i towardsA,
                                                          __m256i towardsB) {
    const __m256 first = _mm256_castsi256_ps(BlendEight(a, b, towardsA, towardsB));
    const __m256 second = _mm256_castsi256_ps(BlendEight(a + 8, b + 8, towardsA, towardsB));
    const __m256i means = _mm256_avg_epu8(
        _mm256_castps_si256(_mm256_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0))),
        _mm256_castps_si256(_mm256_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1))));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out),
                        _mm256_permute4x64_epi64(means, _MM_SHUFFLE(3, 1, 2, 0)));
}

// BlendAndHalveRows eight pixels a step; a row of eight or more ends with a step over its
// last eight, shorter rows go the SSE2 way.
__attribute__((target("avx2"))) void BlendAndHalveRowsAvx2(std::uint32_t* out,
                                                           const std::uint32_t* a,
                                                           const std::uint32_t* b, int weight,
                                                           std::size_t count) {
    if (count < 8) {
        BlendAndHalveRows(out, a, b, weight, count);
        return;
    }
    const __m256i towardsA = _mm256_set1_epi16(short(kWeightOne - weight));
    const __m256i towardsB = _mm256_set1_epi16(short(weight));
    for (std::size_t k = 0; k + 8 < count; k += 8) {
        BlendAndHalveSixteen(out + k, a + 2 * k, b + 2 * k, towardsA, towardsB);
    }
    const std::size_t last = count - 8;
    BlendAndHalveSixteen(out + last, a + 2 * last, b + 2 * last, towardsA, towardsB);
}
#endif

// The blend-and-halve pass this processor runs fastest.
using BlendAndHalvePass = void (*)(std::uint32_t*, const std::uint32_t*, const std::uint32_t*, int,
                                   std::size_t);
BlendAndHalvePass ChooseBlendAndHalvePass() {
#if defined(SIGHT_AVX2_PASS)
    if (__builtin_cpu_supports("avx2")) {
        return BlendAndHalveRowsAvx2;
    }
#endif
    return BlendAndHalveRows;
}
#endif

std::uint32_t BlendPixels(std::uint32_t a, std::uint32_t b, int weight) {
    const auto towardsB = std::uint32_t(weight);
    const auto towardsA = std::uint32_t(kWeightOne - weight);
    // Two channels at a time, 16 bits apart, each sum below 2^16.
    const std::uint32_t redBlue =
        (((a & 0xFF00FFu) * towardsA + (b & 0xFF00FFu) * towardsB + 0x800080u) >> 8) & 0xFF00FFu;
    const std::uint32_t alphaGreen =
        (((a >> 8) & 0xFF00FFu) * towardsA + ((b >> 8) & 0xFF00FFu) * towardsB + 0x800080u) &
        0xFF00FF00u;
    return redBlue | alphaGreen;
}

}  // namespace

SmoothScale::Axis::Axis(int sourceLength, int destinationLength)
    : taps(std::size_t(std::max(destinationLength, 0))),
      firstReaderFrom(std::size_t(std::max(sourceLength, 0)), destinationLength),
      endOfReadersUpTo(std::size_t(std::max(sourceLength, 0)), 0),
      halves(sourceLength == 2 * destinationLength),
      same(sourceLength == destinationLength) {
    if (sourceLength <= 0 || destinationLength <= 0) {
        return;
    }
    // Destination pixel i samples the source at its centre: (i + 1/2) * source / destination
    // - 1/2, in 256ths, kept inside the source.
    const std::int64_t last = std::int64_t(sourceLength - 1) * kWeightOne;
    for (int i = 0; i < destinationLength; ++i) {
        const std::int64_t centre = (2 * std::int64_t(i) + 1) * sourceLength * kWeightOne /
                                        (2 * std::int64_t(destinationLength)) -
                                    kWeightOne / 2;
        const std::int64_t at = std::clamp<std::int64_t>(centre, 0, last);
        Tap& tap = taps[std::size_t(i)];
        tap.first = int(at / kWeightOne);
        tap.weight = int(at % kWeightOne);
    }
    // The taps only move forward: walking forwards, each destination pixel is the first to
    // read the source pixels after those read before it, up to its last one; walking
    // backwards, the last to read those down to its first one.
    int next = 0;
    for (int i = 0; i < destinationLength; ++i) {
        const Tap& tap = taps[std::size_t(i)];
        const int lastRead = tap.first + (tap.weight > 0 ? 1 : 0);
        for (; next <= lastRead; ++next) {
            firstReaderFrom[std::size_t(next)] = i;
        }
    }
    next = sourceLength - 1;
    for (int i = destinationLength - 1; i >= 0; --i) {
        for (; next >= taps[std::size_t(i)].first; --next) {
            endOfReadersUpTo[std::size_t(next)] = i + 1;
        }
    }
}

SmoothScale::SmoothScale(QSize source, QSize destination)
    : source_(source),
      destination_(destination),
      columns_(source.width(), destination.width()),
      rows_(source.height(), destination.height()) {}

QRect SmoothScale::reach(const Rect& sourceArea) const {
    const auto [left, right] = columns_.reach(sourceArea.left, sourceArea.right);
    const auto [top, bottom] = rows_.reach(sourceArea.top, sourceArea.bottom);
    if (left >= right || top >= bottom) {
        return {};
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void SmoothScale::scale(const Bitmap& picture, const QRect& area, QImage& target,
                        QPoint origin) const {
    scale(picture, std::span<const QRect>(&area, 1), target, origin);
}

void SmoothScale::scale(const Bitmap& picture, std::span<const QRect> areas, QImage& target,
                        QPoint origin) const {
    if (picture.width() != source_.width() || picture.height() != source_.height() ||
        target.isNull()) {
        return;
    }
    // What of the destination lies inside the image, in destination coordinates.
    const int insideLeft = std::max(0, -origin.x());
    const int insideTop = std::max(0, -origin.y());
    const int insideRight = std::min(destination_.width(), target.width() - origin.x());
    const int insideBottom = std::min(destination_.height(), target.height() - origin.y());
    const qsizetype stride = target.bytesPerLine();
    uchar* const bits = target.bits();
    thread_local std::vector<std::uint32_t> blended;
#if defined(__SSE2__)
    static const BlendAndHalvePass blendAndHalve = ChooseBlendAndHalvePass();
#endif

    for (const QRect& area : areas) {
        const int left = std::max(area.left(), insideLeft);
        const int top = std::max(area.top(), insideTop);
        const int right = std::min(area.left() + area.width(), insideRight);
        const int bottom = std::min(area.top() + area.height(), insideBottom);
        if (left >= right || top >= bottom) {
            continue;
        }
        // The source columns the area's pixels read.
        const int firstColumn = columns_.taps[std::size_t(left)].first;
        const Tap& lastTap = columns_.taps[std::size_t(right - 1)];
        const int endColumn = std::min(lastTap.first + 2, source_.width());
        const std::size_t width = std::size_t(endColumn - firstColumn);
        const std::size_t count = std::size_t(right - left);

        for (int y = top; y < bottom; ++y) {
            const Tap& rowTap = rows_.taps[std::size_t(y)];
            const std::uint32_t* row = picture.scanLine(rowTap.first) + firstColumn;
            auto* out = reinterpret_cast<std::uint32_t*>(bits + (origin.y() + y) * stride) +
                        origin.x() + left;
            if (columns_.halves) {
                if (rowTap.weight == 0) {
                    HalveRow(out, row, count);
                    continue;
                }
#if defined(__SSE2__)
                blendAndHalve(out, row, picture.scanLine(rowTap.first + 1) + firstColumn,
                              rowTap.weight, count);
                continue;
#endif
            }
            if (rowTap.weight > 0) {
                if (blended.size() < width) {
                    blended.resize(width);
                }
                BlendRows(reinterpret_cast<std::uint8_t*>(blended.data()),
                          reinterpret_cast<const std::uint8_t*>(row),
                          reinterpret_cast<const std::uint8_t*>(picture.scanLine(rowTap.first + 1) +
                                                                firstColumn),
                          rowTap.weight, width * sizeof(std::uint32_t));
                row = blended.data();
            }
            if (columns_.halves) {
                HalveRow(out, row, count);
            } else if (columns_.same) {
                std::memcpy(out, row, count * sizeof(std::uint32_t));
            } else {
                for (std::size_t k = 0; k < count; ++k) {
                    const Tap& tap = columns_.taps[std::size_t(left) + k];
                    const std::uint32_t a = row[tap.first - firstColumn];
                    out[k] = tap.weight > 0
                                 ? BlendPixels(a, row[tap.first + 1 - firstColumn], tap.weight)
                                 : a;
                }
            }
        }
    }
}

}  // namespace raster
