// Rectangle copies of the raster picture: scaling, clipping and the three copy modes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "toolkit/bitmap.h"

namespace toolkit {

namespace {

constexpr std::uint32_t kOpaque = Bitmap::kOpaque;

// The three copy modes as per-pixel rules on the stored 0xFFRRGGBB values, d the destination
// pixel, s the source pixel, bit by bit:
//
//   d s | SRCCOPY  SRCAND  SRCINVERT
//   0 0 |    0       0        0
//   0 1 |    1       0        1
//   1 0 |    0       0        1
//   1 1 |    1       1        0
//
// The alpha byte is 0xFF on both sides; AND keeps it, exclusive or would clear it, so the
// inverting rule sets it again and a view wrapping the pixels stays opaque.
struct PlainCopy {
    static std::uint32_t combine(std::uint32_t, std::uint32_t source) { return source; }
};
struct AndCopy {
    static std::uint32_t combine(std::uint32_t destination, std::uint32_t source) {
        return destination & source;
    }
};
struct InvertCopy {
    static std::uint32_t combine(std::uint32_t destination, std::uint32_t source) {
        return (destination ^ source) | kOpaque;
    }
};

// One axis of a scaled copy: destination step i (0 <= i < destinationLength) lands on
// destination coordinate destinationStart + i and shows source coordinate
// sourceStart + (i * sourceLength) / destinationLength. The product is taken unsigned in 64
// bits, where it cannot overflow for any pair of int rectangles.
struct Axis {
    std::int64_t destinationStart;
    std::int64_t destinationLength;
    std::int64_t sourceStart;
    std::int64_t sourceLength;

    std::int64_t destinationAt(std::int64_t step) const { return destinationStart + step; }
    std::int64_t sourceAt(std::int64_t step) const {
        const std::uint64_t scaled =
            std::uint64_t(step) * std::uint64_t(sourceLength) / std::uint64_t(destinationLength);
        return sourceStart + std::int64_t(scaled);
    }
};

struct StepRange {
    std::int64_t first = 0;
    std::int64_t end = 0;  // exclusive
    bool isEmpty() const { return end <= first; }
};

// The first step in [low, high) for which `holds` is true, `holds` being false then true
// along the range; high when it never holds.
template <typename Predicate>
std::int64_t firstStepWhere(std::int64_t low, std::int64_t high, Predicate holds) {
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (holds(middle)) {
            high = middle;
        } else {
            low = middle;
            ++low;
        }
    }
    return low;
}

// The steps whose destination lies inside [0, destinationSize) and whose source lies inside
// [0, sourceSize). Clipping only drops steps, so every kept step still shows the source pixel
// it would show unclipped. The source coordinate never decreases with the step, which makes
// the kept steps one contiguous range.
StepRange visibleSteps(const Axis& axis, int destinationSize, int sourceSize) {
    StepRange range;
    range.first = std::max<std::int64_t>(0, -axis.destinationStart);
    range.end = std::min<std::int64_t>(axis.destinationLength,
                                       std::int64_t(destinationSize) - axis.destinationStart);
    if (range.isEmpty()) {
        return {};
    }
    range.first = firstStepWhere(range.first, range.end,
                                 [&](std::int64_t step) { return axis.sourceAt(step) >= 0; });
    range.end = firstStepWhere(range.first, range.end, [&](std::int64_t step) {
        return axis.sourceAt(step) >= sourceSize;
    });
    return range;
}

struct CopyPlan {
    Axis columns;
    Axis rows;
    StepRange columnSteps;
    StepRange rowSteps;
};

// A 1:1 row under AND or exclusive or, eight pixels at a time. The compiler cannot prove the
// two rows apart, so reading all eight of each before writing is what lets it combine them
// in vector steps.
template <typename Rule>
void combineRow(std::uint32_t* target, const std::uint32_t* source, std::size_t count) {
    constexpr std::size_t kBlock = 8;
    std::size_t k = 0;
    for (; k + kBlock <= count; k += kBlock) {
        if constexpr (std::is_same_v<Rule, AndCopy>) {
            // White ANDed onto anything leaves it as it is, and the reticle is mostly white:
            // a block of white is passed over without touching the destination.
            std::uint32_t common = 0xFFFFFFFF;
            for (std::size_t j = 0; j < kBlock; ++j) {
                common &= source[k + j];
            }
            if (common == 0xFFFFFFFF) {
                continue;
            }
        }
        std::array<std::uint32_t, kBlock> combined;
        for (std::size_t j = 0; j < kBlock; ++j) {
            combined[j] = Rule::combine(target[k + j], source[k + j]);
        }
        std::memcpy(target + k, combined.data(), sizeof combined);
    }
    for (; k < count; ++k) {
        target[k] = Rule::combine(target[k], source[k]);
    }
}

template <typename Rule>
void copyRows(Bitmap& destination, const Bitmap& source, const CopyPlan& plan) {
    const int firstColumn = int(plan.columns.destinationAt(plan.columnSteps.first));
    const std::size_t count = std::size_t(plan.columnSteps.end - plan.columnSteps.first);
    const bool sameWidth = plan.columns.destinationLength == plan.columns.sourceLength;

    // Source column of every visible destination column, computed once for all rows.
    std::vector<int> sourceColumns;
    if (!sameWidth) {
        sourceColumns.resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            sourceColumns[k] = int(plan.columns.sourceAt(plan.columnSteps.first + std::int64_t(k)));
        }
    }
    const int firstSourceColumn = int(plan.columns.sourceAt(plan.columnSteps.first));

    std::int64_t previousSourceRow = -1;
    const std::uint32_t* previousDestinationRow = nullptr;
    for (std::int64_t step = plan.rowSteps.first; step < plan.rowSteps.end; ++step) {
        const std::int64_t sourceRow = plan.rows.sourceAt(step);
        std::uint32_t* target =
            destination.scanLine(int(plan.rows.destinationAt(step))) + firstColumn;
        const std::uint32_t* from = source.scanLine(int(sourceRow));

        if constexpr (std::is_same_v<Rule, PlainCopy>) {
            // An enlarged row repeats the one just written: copy it whole.
            if (sourceRow == previousSourceRow) {
                std::memcpy(target, previousDestinationRow, count * sizeof(std::uint32_t));
                continue;
            }
            previousSourceRow = sourceRow;
            previousDestinationRow = target;
            if (sameWidth) {
                std::memcpy(target, from + firstSourceColumn, count * sizeof(std::uint32_t));
                continue;
            }
        }

        if (sameWidth) {
            combineRow<Rule>(target, from + firstSourceColumn, count);
        } else {
            for (std::size_t k = 0; k < count; ++k) {
                target[k] = Rule::combine(target[k], from[sourceColumns[k]]);
            }
        }
    }
}

}  // namespace

Rect Rect::intersected(const Rect& other) const {
    const Rect common{std::max(left, other.left), std::max(top, other.top),
                      std::min(right, other.right), std::min(bottom, other.bottom)};
    return common.isEmpty() ? Rect{} : common;
}

Rect Rect::united(const Rect& other) const {
    if (isEmpty()) {
        return other.isEmpty() ? Rect{} : other;
    }
    if (other.isEmpty()) {
        return *this;
    }
    return Rect{std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
}

Rect Bitmap::copyRect(const Rect& to, const Bitmap& source, const Rect& from) {
    if (isEmpty() || source.isEmpty() || to.isEmpty() || from.isEmpty()) {
        return {};
    }
    if (&source == this) {
        // Overlapping parts of one picture would read pixels this copy already wrote.
        const Bitmap snapshot = source;
        return copyRect(to, snapshot, from);
    }

    CopyPlan plan{
        Axis{to.left, std::int64_t(to.right) - to.left, from.left,
             std::int64_t(from.right) - from.left},
        Axis{to.top, std::int64_t(to.bottom) - to.top, from.top,
             std::int64_t(from.bottom) - from.top},
        {},
        {},
    };
    plan.columnSteps = visibleSteps(plan.columns, width_, source.width_);
    plan.rowSteps = visibleSteps(plan.rows, height_, source.height_);
    if (plan.columnSteps.isEmpty() || plan.rowSteps.isEmpty()) {
        return {};
    }

    switch (mode_) {
        case CopyMode::SrcCopy:
            copyRows<PlainCopy>(*this, source, plan);
            break;
        case CopyMode::SrcAnd:
            copyRows<AndCopy>(*this, source, plan);
            break;
        case CopyMode::SrcInvert:
            copyRows<InvertCopy>(*this, source, plan);
            break;
    }
    return Rect{int(plan.columns.destinationAt(plan.columnSteps.first)),
                int(plan.rows.destinationAt(plan.rowSteps.first)),
                int(plan.columns.destinationAt(plan.columnSteps.end)),
                int(plan.rows.destinationAt(plan.rowSteps.end))};
}

Rect Bitmap::draw(int left, int top, const Bitmap& source) {
    // Far right or low, the end of the picture would pass the largest int; cut both sides
    // alike so the copy stays 1:1 (what is cut lies outside every picture anyway).
    constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
    const int right = int(std::min(std::int64_t(left) + source.width(), kLargest));
    const int bottom = int(std::min(std::int64_t(top) + source.height(), kLargest));
    return copyRect(Rect{left, top, right, bottom}, source, Rect{0, 0, right - left, bottom - top});
}

}  // namespace toolkit
