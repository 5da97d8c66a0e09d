// Bilinear resampling of a picture to another size, a destination rectangle at a time.
//
// A destination row is made from two source rows blended with one weight, then its pixels
// from neighbouring pairs of that blend. Both steps are straight loops over a row that the
// compiler turns into vector instructions (this file is built with -O3); the view's halving
// of each row gets its own loop, as it is what every mouse move repaints.
#include "raster/smooth_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

std::pair<int, int> SmoothScale::Axis::reach(int from, int to) const {
    from = std::max(from, 0);
    to = std::min(to, int(firstReaderFrom.size()));
    if (from >= to) {
        return {0, 0};
    }
    return {firstReaderFrom[std::size_t(from)], endOfReadersUpTo[std::size_t(to - 1)]};
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
    const QRect inside =
        area & QRect(QPoint(0, 0), destination_) & target.rect().translated(-origin);
    if (inside.isEmpty() || picture.width() != source_.width() ||
        picture.height() != source_.height()) {
        return;
    }
    // The source columns the area's pixels read.
    const int firstColumn = columns_.taps[std::size_t(inside.left())].first;
    const Tap& lastTap = columns_.taps[std::size_t(inside.right())];
    const int endColumn = std::min(lastTap.first + 2, source_.width());
    const std::size_t width = std::size_t(endColumn - firstColumn);
    thread_local std::vector<std::uint32_t> blended;
    blended.resize(width);

    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const Tap& rowTap = rows_.taps[std::size_t(y)];
        const std::uint32_t* row = picture.scanLine(rowTap.first) + firstColumn;
        if (rowTap.weight > 0) {
            BlendRows(reinterpret_cast<std::uint8_t*>(blended.data()),
                      reinterpret_cast<const std::uint8_t*>(row),
                      reinterpret_cast<const std::uint8_t*>(picture.scanLine(rowTap.first + 1) +
                                                            firstColumn),
                      rowTap.weight, width * sizeof(std::uint32_t));
            row = blended.data();
        }
        auto* out = reinterpret_cast<std::uint32_t*>(target.scanLine(origin.y() + y)) + origin.x() +
                    inside.left();
        const std::size_t count = std::size_t(inside.width());
        if (columns_.halves) {
            HalveRow(out, row, count);
        } else if (columns_.same) {
            std::memcpy(out, row, count * sizeof(std::uint32_t));
        } else {
            for (std::size_t k = 0; k < count; ++k) {
                const Tap& tap = columns_.taps[std::size_t(inside.left()) + k];
                const std::uint32_t a = row[tap.first - firstColumn];
                out[k] = tap.weight > 0
                             ? BlendPixels(a, row[tap.first + 1 - firstColumn], tap.weight)
                             : a;
            }
        }
    }
}

}  // namespace raster
