// Bilinear resampling of a picture to another size, a destination rectangle at a time, and
// which destination pixels read a given part of the picture: what an image control needs to
// repaint exactly the part of itself that a drawing changed.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "raster/bitmap.h"
#include "raster/changed_rows.h"

namespace raster {

class SmoothScale {
  public:
    SmoothScale() = default;
    SmoothScale(QSize source, QSize destination);

    QSize source() const { return source_; }
    QSize destination() const { return destination_; }

    // Writes the destination pixels of `area` (destination coordinates) into `target`, a
    // 32-bit image, with the destination's top-left at `origin` of the image; what falls
    // outside the destination or the image is left out. Each destination pixel is the source
    // sampled at its centre, between the four nearest source pixels: two source pixels become
    // one exactly, and at equal sizes a pixel stays itself.
    void scale(const Bitmap& picture, const QRect& area, QImage& target, QPoint origin) const;
    // The same for each of `areas`: what a repaint of a region of many rectangles needs,
    // with the target's rows and the source's columns found once, not once a rectangle.
    void scale(const Bitmap& picture, std::span<const QRect> areas, QImage& target,
               QPoint origin) const;

    // The destination pixels whose value reads any of the source pixels in `sourceArea`.
    QRect reach(const Rect& sourceArea) const;
    // The destination rows [first, second) that read any row `sourceRows` holds a span on.
    std::pair<int, int> rowsReaching(const ChangedRows& sourceRows) const {
        return rows_.reach(sourceRows.top(), sourceRows.bottom());
    }
    // On destination row y, the smallest span holding every pixel whose value reads any of
    // the source pixels `sourceRows` holds: what reach() gives for the spans of the one or
    // two source rows the row reads. Inline, as a repaint asks it for every row of each part.
    ChangedRows::Span reachOnRow(const ChangedRows& sourceRows, int y) const {
        const Tap& tap = rows_.taps[std::size_t(y)];
        ChangedRows::Span span = sourceRows.span(tap.first);
        if (tap.weight > 0) {
            // The columns reading a span only move right with it, so the smallest span
            // holding the two rows' spans reaches what the two reach.
            const ChangedRows::Span next = sourceRows.span(tap.first + 1);
            if (span.isEmpty()) {
                span = next;
            } else if (!next.isEmpty()) {
                span.left = std::min(span.left, next.left);
                span.right = std::max(span.right, next.right);
            }
        }
        if (span.isEmpty()) {
            return {};
        }
        const auto [left, right] = columns_.reach(span.left, span.right);
        return {left, right};
    }

  private:
    // Destination pixel i of an axis reads source pixels `first` and, with `weight` (of 256)
    // above zero, first + 1.
    struct Tap {
        int first = 0;
        int weight = 0;
    };
    struct Axis {
        std::vector<Tap> taps;  // by destination pixel
        // By source pixel s: the first destination pixel that reads s or a later source pixel,
        // and one past the last that reads s or an earlier one. The taps only move forward, so
        // the pixels between read something of a source range from s to t.
        std::vector<int> firstReaderFrom;
        std::vector<int> endOfReadersUpTo;
        bool halves = false;  // the source twice the destination: each pixel one pair
        bool same = false;    // equal lengths: pixel for pixel

        Axis() = default;
        Axis(int sourceLength, int destinationLength);
        // Destination pixels [first, second) reading source pixels [from, to).
        std::pair<int, int> reach(int from, int to) const {
            from = std::max(from, 0);
            to = std::min(to, int(firstReaderFrom.size()));
            if (from >= to) {
                return {0, 0};
            }
            return {firstReaderFrom[std::size_t(from)], endOfReadersUpTo[std::size_t(to - 1)]};
        }
    };

    QSize source_;
    QSize destination_;
    Axis columns_;
    Axis rows_;
};

}  // namespace raster
