// Rectangle copies of the raster picture: scaling, clipping and the three copy modes.
//
// Every copy is planned the same way (which destination steps are visible and which source
// pixel each shows) and then run row by row. The general run looks up the source pixel of
// every destination pixel; the fast runs cover what the sight draws at every mouse move (1:1
// rows in all three modes, enlargements under plain copy) as straight loops over a row that
// the compiler turns into vector instructions. This file is built with -O3 for that. Under
// AND and exclusive or a 1:1 copy runs only over the source's ink, the runs of its rows that
// change anything, which a picture finds once and keeps until it changes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

#include "raster/bitmap.h"
#include "raster/bitmap_copy_general.h"
#include "raster/changed_rows.h"
#include "raster/row_search.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace raster {

// The runs of a picture's rows that a copy under AND or exclusive or changes anything with:
// row y's runs are spans[rowStarts[y]] up to spans[rowStarts[y + 1]], left to right. Each
// run begins and ends on ink. Their pixels are kept one run after the other, so that a copy
// reads them straight through instead of picking them out of the whole picture.
struct InkRows {
    struct Span {
        int left = 0;
        int right = 0;               // exclusive
        std::size_t firstPixel = 0;  // of pixels
    };
    std::vector<std::size_t> rowStarts;
    std::vector<Span> spans;
    std::vector<std::uint32_t> pixels;
};

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
    static constexpr std::uint32_t kLeavesAlone = 0xFFFFFFFF;  // white
    static constexpr CopyMode kMode = CopyMode::SrcAnd;
};
struct InvertCopy {
    static std::uint32_t combine(std::uint32_t destination, std::uint32_t source) {
        return (destination ^ source) | kOpaque;
    }
    static constexpr std::uint32_t kLeavesAlone = kOpaque;  // black
    static constexpr CopyMode kMode = CopyMode::SrcInvert;
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

// The source coordinates of consecutive steps of an axis: the quotient and remainder of
// step * sourceLength / destinationLength move on by those of sourceLength /
// destinationLength, without a division per step.
class SourceWalk {
  public:
    SourceWalk(const Axis& axis, std::int64_t firstStep)
        : destination_(std::uint64_t(axis.destinationLength)),
          quotientStep_(std::int64_t(std::uint64_t(axis.sourceLength) / destination_)),
          remainderStep_(std::uint64_t(axis.sourceLength) % destination_) {
        const std::uint64_t start = std::uint64_t(firstStep) * std::uint64_t(axis.sourceLength);
        source_ = axis.sourceStart + std::int64_t(start / destination_);
        remainder_ = start % destination_;
    }
    std::int64_t source() const { return source_; }
    void next() {
        source_ += quotientStep_;
        remainder_ += remainderStep_;
        if (remainder_ >= destination_) {
            remainder_ -= destination_;
            ++source_;
        }
    }

  private:
    std::uint64_t destination_;
    std::int64_t quotientStep_;
    std::uint64_t remainderStep_;
    std::int64_t source_ = 0;
    std::uint64_t remainder_ = 0;
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
    // Most copies lie inside their source: two lookups instead of two searches.
    if (axis.sourceAt(range.first) >= 0 && axis.sourceAt(range.end - 1) < sourceSize) {
        return range;
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

    int firstColumn() const { return int(columns.destinationAt(columnSteps.first)); }
    std::size_t columnCount() const { return std::size_t(columnSteps.end - columnSteps.first); }
    int firstSourceColumn() const { return int(columns.sourceAt(columnSteps.first)); }
    bool oneToOneColumns() const { return columns.destinationLength == columns.sourceLength; }
    Rect written() const {
        return Rect{firstColumn(), int(rows.destinationAt(rowSteps.first)),
                    int(columns.destinationAt(columnSteps.end)),
                    int(rows.destinationAt(rowSteps.end))};
    }
};

// False when nothing of the copy lies inside both pictures.
bool planCopy(const Bitmap& destination, const Rect& to, const Bitmap& source, const Rect& from,
              CopyPlan& plan) {
    if (destination.isEmpty() || source.isEmpty() || to.isEmpty() || from.isEmpty()) {
        return false;
    }
    plan.columns = Axis{to.left, std::int64_t(to.right) - to.left, from.left,
                        std::int64_t(from.right) - from.left};
    plan.rows = Axis{to.top, std::int64_t(to.bottom) - to.top, from.top,
                     std::int64_t(from.bottom) - from.top};
    plan.columnSteps = visibleSteps(plan.columns, destination.width(), source.width());
    plan.rowSteps = visibleSteps(plan.rows, destination.height(), source.height());
    return !plan.columnSteps.isEmpty() && !plan.rowSteps.isEmpty();
}

// The source column of every visible destination column; reused between copies, which run
// one at a time on the thread that draws.
const std::vector<int>& sourceColumnsOf(const CopyPlan& plan) {
    thread_local std::vector<int> columns;
    columns.resize(plan.columnCount());
    SourceWalk walk(plan.columns, plan.columnSteps.first);
    for (int& column : columns) {
        column = int(walk.source());
        walk.next();
    }
    return columns;
}

// The rows of a picture a copy writes: the picture is told once that it changes, not at
// every row.
class WritableRows {
  public:
    explicit WritableRows(Bitmap& picture)
        : first_(picture.scanLine(0)), stride_(std::size_t(picture.width())) {}
    std::uint32_t* operator()(std::int64_t y) const { return first_ + std::size_t(y) * stride_; }

  private:
    std::uint32_t* first_;
    std::size_t stride_;
};

// ---- Row kernels: straight loops over one row, no branch inside ----

template <typename Rule>
void combineRow(std::uint32_t* target, const std::uint32_t* source, std::size_t count) {
#if defined(__SSE2__)
    // The reticle's runs of ink are short, a dozen pixels: four at a step, and the last four
    // once more rather than one by one, which under AND changes nothing a second time.
    if constexpr (std::is_same_v<Rule, AndCopy>) {
        if (count >= 4) {
            const auto step = [target, source](std::size_t k) {
                auto* at = reinterpret_cast<__m128i*>(target + k);
                _mm_storeu_si128(
                    at,
                    _mm_and_si128(_mm_loadu_si128(at),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + k))));
            };
            for (std::size_t k = 0; k + 4 < count; k += 4) {
                step(k);
            }
            step(count - 4);
            return;
        }
    }
#endif
    for (std::size_t k = 0; k < count; ++k) {
        target[k] = Rule::combine(target[k], source[k]);
    }
}

template <typename Rule>
void lookUpRow(std::uint32_t* target, const std::uint32_t* sourceRow, const int* sourceColumns,
               std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) {
        target[k] = Rule::combine(target[k], sourceRow[sourceColumns[k]]);
    }
}

// Enlargement repeats each source pixel over a run of destination pixels. With runs of at
// most four, each source pixel is stored four times at the start of its run and the next run
// overwrites the surplus: one vector store a source pixel, whatever the ratio.
constexpr std::size_t kLongestRun = 4;

void enlargeRow(std::uint32_t* target, const std::uint32_t* source, const int* runStarts,
                std::size_t runs) {
    for (std::size_t r = 0; r < runs; ++r) {
        std::array<std::uint32_t, kLongestRun> repeated;
        repeated.fill(source[r]);
        std::memcpy(target + runStarts[r], repeated.data(), sizeof repeated);
    }
}

#if defined(__SSE2__)
// The lens's centre, and its first and last rings across, are three times their source
// exactly: each four source pixels make three vector stores, every one of them needed.
void tripleRow(std::uint32_t* target, const std::uint32_t* source, std::size_t count) {
    std::size_t k = 0;
    for (; k + 4 <= count; k += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + k));
        auto* out = reinterpret_cast<__m128i*>(target + 3 * k);
        _mm_storeu_si128(out, _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 0, 0, 0)));
        _mm_storeu_si128(out + 1, _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 1, 1)));
        _mm_storeu_si128(out + 2, _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 2)));
    }
    for (; k < count; ++k) {
        target[3 * k] = target[3 * k + 1] = target[3 * k + 2] = source[k];
    }
}
#endif

// A plain copy of a row. The rows a move copies are mostly short (the lens's bands repeated
// below themselves, a dozen pixels; the slivers a move puts back): four pixels at a step and
// the last four once more cost less than a call of memcpy.
void copyRow(std::uint32_t* target, const std::uint32_t* source, std::size_t count) {
#if defined(__SSE2__)
    if (count >= 4 && count <= 32) {
        const auto step = [target, source](std::size_t k) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(target + k),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + k)));
        };
        for (std::size_t k = 0; k + 4 < count; k += 4) {
            step(k);
        }
        step(count - 4);
        return;
    }
#endif
    // Putting back in place passes a row onto itself.
    std::memmove(target, source, count * sizeof(std::uint32_t));
}

// The part of a row from the first to the last pixel the copy can change: where a plain
// copy's source differs from the row, where an AND's source is not white, where an exclusive
// or's is not black (the other pixels leave the row as it is).
template <typename Rule>
DifferingPart changedPart(const std::uint32_t* target, const std::uint32_t* source,
                          std::size_t count) {
    if constexpr (std::is_same_v<Rule, PlainCopy>) {
        return FindDifferingPart(target, OtherRow{source}, count);
    } else {
        return FindDifferingPart(source, SameValue{Rule::kLeavesAlone}, count);
    }
}

// Copies one 1:1 row; with `changed`, only its changed part, which is reported as row y.
template <typename Rule>
void copyOneToOneRow(std::uint32_t* target, const std::uint32_t* source, std::size_t count, int y,
                     int firstColumn, ChangedRows* changed) {
    if (changed == nullptr) {
        if constexpr (std::is_same_v<Rule, PlainCopy>) {
            std::memcpy(target, source, count * sizeof(std::uint32_t));
        } else {
            combineRow<Rule>(target, source, count);
        }
        return;
    }
    const DifferingPart part = changedPart<Rule>(target, source, count);
    if (part.first >= part.end) {
        return;
    }
    if constexpr (std::is_same_v<Rule, PlainCopy>) {
        copyRow(target + part.first, source + part.first, part.end - part.first);
    } else {
        combineRow<Rule>(target + part.first, source + part.first, part.end - part.first);
    }
    changed->include(y, firstColumn + int(part.first), firstColumn + int(part.end));
}

// ---- Whole copies ----

template <typename Rule>
void copyGeneral(Bitmap& destination, const Bitmap& source, const CopyPlan& plan) {
    const WritableRows rows(destination);
    const std::vector<int>& sourceColumns = sourceColumnsOf(plan);
    const int firstColumn = plan.firstColumn();
    SourceWalk sourceRow(plan.rows, plan.rowSteps.first);
    for (std::int64_t step = plan.rowSteps.first; step < plan.rowSteps.end; ++step) {
        lookUpRow<Rule>(rows(plan.rows.destinationAt(step)) + firstColumn,
                        source.scanLine(int(sourceRow.source())), sourceColumns.data(),
                        sourceColumns.size());
        sourceRow.next();
    }
}

// Runs of an enlargement of the visible columns: where in the row each source column's run
// starts, and how many runs can take the four-pixel store without passing the row's end.
struct Runs {
    const std::vector<int>& starts;
    std::size_t stored;
};

Runs runsOf(const std::vector<int>& sourceColumns) {
    thread_local std::vector<int> starts;
    starts.clear();
    for (std::size_t k = 0; k < sourceColumns.size(); ++k) {
        if (k == 0 || sourceColumns[k] != sourceColumns[k - 1]) {
            starts.push_back(int(k));
        }
    }
    std::size_t stored = starts.size();
    while (stored > 0 && std::size_t(starts[stored - 1]) + kLongestRun > sourceColumns.size()) {
        --stored;
    }
    return Runs{starts, stored};
}

// An enlargement under plain copy: each source row once, with the four-pixel stores, and its
// repeats as whole-row copies of the row just written.
void copyEnlarged(Bitmap& destination, const Bitmap& source, const CopyPlan& plan,
                  ChangedRows* changed) {
    const WritableRows rows(destination);
    const std::size_t count = plan.columnCount();
    const int firstColumn = plan.firstColumn();
    const int firstSourceColumn = plan.firstSourceColumn();
#if defined(__SSE2__)
    // Whole rows three times their source need no lookup of the source columns.
    const bool triples = plan.columns.destinationLength == 3 * plan.columns.sourceLength &&
                         plan.columnSteps.first == 0 &&
                         plan.columnSteps.end == plan.columns.destinationLength;
#else
    constexpr bool triples = false;
#endif
    static const std::vector<int> kNone;
    const std::vector<int>& sourceColumns = triples ? kNone : sourceColumnsOf(plan);
    const Runs runs = runsOf(sourceColumns);
    const std::size_t tail = runs.stored < runs.starts.size() ? runs.starts[runs.stored] : count;

    std::int64_t previousSourceRow = -1;
    const std::uint32_t* previousRow = nullptr;
    SourceWalk walk(plan.rows, plan.rowSteps.first);
    for (std::int64_t step = plan.rowSteps.first; step < plan.rowSteps.end; ++step, walk.next()) {
        const int y = int(plan.rows.destinationAt(step));
        const std::int64_t sourceRow = walk.source();
        std::uint32_t* target = rows(y) + firstColumn;
        if (sourceRow == previousSourceRow) {
            copyRow(target, previousRow, count);
        } else {
            const std::uint32_t* from = source.scanLine(int(sourceRow));
            if (triples) {
#if defined(__SSE2__)
                tripleRow(target, from + firstSourceColumn, count / 3);
#endif
            } else {
                enlargeRow(target, from + firstSourceColumn, runs.starts.data(), runs.stored);
                lookUpRow<PlainCopy>(target + tail, from, sourceColumns.data() + tail,
                                     count - tail);
            }
            previousSourceRow = sourceRow;
            previousRow = target;
        }
        if (changed != nullptr) {
            changed->include(y, firstColumn, firstColumn + int(count));
        }
    }
}

// A 1:1 copy under AND or exclusive or, run by run of the source's ink: what lies between the
// runs would leave the destination as it is, so it is neither read nor written.
template <typename Rule>
void copyInk(Bitmap& destination, const Bitmap& source, const CopyPlan& plan,
             ChangedRows* changed) {
    const WritableRows rows(destination);
    const InkRows& ink = source.inkRows(Rule::kMode);
    const std::int64_t shift = plan.columns.destinationStart - plan.columns.sourceStart;
    const int firstSourceColumn = plan.firstSourceColumn();
    const int endSourceColumn = firstSourceColumn + int(plan.columnCount());
    SourceWalk sourceRow(plan.rows, plan.rowSteps.first);
    for (std::int64_t step = plan.rowSteps.first; step < plan.rowSteps.end;
         ++step, sourceRow.next()) {
        const auto y = std::size_t(sourceRow.source());
        int first = endSourceColumn;
        int end = firstSourceColumn;
        std::uint32_t* target = nullptr;
        for (std::size_t k = ink.rowStarts[y]; k < ink.rowStarts[y + 1]; ++k) {
            const InkRows::Span& span = ink.spans[k];
            const std::uint32_t* pixels = ink.pixels.data() + span.firstPixel;
            const auto pixel = [&](int x) { return pixels[x - span.left]; };
            int left = std::max(span.left, firstSourceColumn);
            int right = std::min(span.right, endSourceColumn);
            // A run holds short gaps; cut where the copy's edge falls in one, so that what is
            // reported changed begins and ends on ink.
            if (left != span.left) {
                while (left < right && pixel(left) == Rule::kLeavesAlone) {
                    ++left;
                }
            }
            if (right != span.right) {
                while (right > left && pixel(right - 1) == Rule::kLeavesAlone) {
                    --right;
                }
            }
            if (left >= right) {
                continue;
            }
            if (target == nullptr) {
                target = rows(plan.rows.destinationAt(step));
            }
            combineRow<Rule>(target + (left + shift), pixels + (left - span.left),
                             std::size_t(right - left));
            first = std::min(first, left);
            end = std::max(end, right);
        }
        if (changed != nullptr && first < end) {
            changed->include(int(plan.rows.destinationAt(step)), int(first + shift),
                             int(end + shift));
        }
    }
}

template <typename Rule>
void copyOneToOne(Bitmap& destination, const Bitmap& source, const CopyPlan& plan,
                  ChangedRows* changed) {
    if constexpr (!std::is_same_v<Rule, PlainCopy>) {
        copyInk<Rule>(destination, source, plan, changed);
        return;
    }
    const WritableRows rows(destination);
    const int firstColumn = plan.firstColumn();
    const int firstSourceColumn = plan.firstSourceColumn();
    const std::size_t count = plan.columnCount();
    SourceWalk sourceRow(plan.rows, plan.rowSteps.first);
    for (std::int64_t step = plan.rowSteps.first; step < plan.rowSteps.end; ++step) {
        const int y = int(plan.rows.destinationAt(step));
        copyOneToOneRow<Rule>(rows(y) + firstColumn,
                              source.scanLine(int(sourceRow.source())) + firstSourceColumn, count,
                              y, firstColumn, changed);
        sourceRow.next();
    }
}

template <typename Rule>
void copyFastest(Bitmap& destination, const Bitmap& source, const CopyPlan& plan,
                 ChangedRows* changed) {
    if (plan.oneToOneColumns()) {
        copyOneToOne<Rule>(destination, source, plan, changed);
        return;
    }
    const bool enlarges =
        plan.columns.destinationLength > plan.columns.sourceLength &&
        plan.columns.destinationLength <= std::int64_t(kLongestRun) * plan.columns.sourceLength;
    if constexpr (std::is_same_v<Rule, PlainCopy>) {
        if (enlarges) {
            copyEnlarged(destination, source, plan, changed);
            return;
        }
    }
    copyGeneral<Rule>(destination, source, plan);
    if (changed != nullptr) {
        changed->include(plan.written());
    }
}

enum class Path { Fastest, General };

template <typename Rule>
void run(Path path, Bitmap& destination, const Bitmap& source, const CopyPlan& plan,
         ChangedRows* changed) {
    if (path == Path::General) {
        copyGeneral<Rule>(destination, source, plan);
    } else {
        copyFastest<Rule>(destination, source, plan, changed);
    }
}

Rect copyRectBy(Path path, Bitmap& destination, const Rect& to, const Bitmap& source,
                const Rect& from, ChangedRows* changed) {
    if (&source == &destination) {
        // Overlapping parts of one picture would read pixels this copy already wrote.
        const Bitmap snapshot = source;
        return copyRectBy(path, destination, to, snapshot, from, changed);
    }
    CopyPlan plan{};
    if (!planCopy(destination, to, source, from, plan)) {
        return {};
    }
    switch (destination.copyMode()) {
        case CopyMode::SrcCopy:
            run<PlainCopy>(path, destination, source, plan, changed);
            break;
        case CopyMode::SrcAnd:
            run<AndCopy>(path, destination, source, plan, changed);
            break;
        case CopyMode::SrcInvert:
            run<InvertCopy>(path, destination, source, plan, changed);
            break;
    }
    return plan.written();
}

// The columns of `area` that `kept` leaves to copy on rows [top, bottom), which every kept
// rectangle covers either whole or not at all: the gaps between the kept spans.
std::vector<ChangedRows::Span>& gapsOf(const Rect& area, std::span<const Rect> kept, int top,
                                       int bottom) {
    thread_local std::vector<ChangedRows::Span> covered;
    thread_local std::vector<ChangedRows::Span> gaps;
    covered.clear();
    for (const Rect& rect : kept) {
        if (!rect.isEmpty() && rect.top <= top && rect.bottom >= bottom && rect.left < area.right &&
            rect.right > area.left) {
            covered.push_back({std::max(rect.left, area.left), std::min(rect.right, area.right)});
        }
    }
    std::sort(covered.begin(), covered.end(),
              [](const auto& a, const auto& b) { return a.left < b.left; });
    gaps.clear();
    int next = area.left;
    for (const ChangedRows::Span& span : covered) {
        if (span.left > next) {
            gaps.push_back({next, span.left});
        }
        next = std::max(next, span.right);
    }
    if (next < area.right) {
        gaps.push_back({next, area.right});
    }
    return gaps;
}

template <typename Rule>
void copyExcept(Bitmap& destination, const Bitmap& source, const Rect& area,
                std::span<const Rect> kept, ChangedRows& changed, const ChangedRows* within) {
    const WritableRows rows(destination);
    // The kept rectangles start and end covering rows only at these rows.
    thread_local std::vector<int> edges;
    edges.assign({area.top, area.bottom});
    for (const Rect& rect : kept) {
        for (const int edge : {rect.top, rect.bottom}) {
            if (edge > area.top && edge < area.bottom) {
                edges.push_back(edge);
            }
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    for (std::size_t band = 0; band + 1 < edges.size(); ++band) {
        const std::vector<ChangedRows::Span>& gaps =
            gapsOf(area, kept, edges[band], edges[band + 1]);
        for (int y = edges[band]; y < edges[band + 1]; ++y) {
            ChangedRows::Span limit{area.left, area.right};
            if (within != nullptr) {
                limit = within->span(y);
                if (limit.isEmpty()) {
                    continue;
                }
            }
            std::uint32_t* target = rows(y);
            const std::uint32_t* from = source.scanLine(y);
            for (const ChangedRows::Span& gap : gaps) {
                const int left = std::max(gap.left, limit.left);
                const int right = std::min(gap.right, limit.right);
                if (left < right) {
                    copyOneToOneRow<Rule>(target + left, from + left, std::size_t(right - left), y,
                                          left, &changed);
                }
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

namespace {
// Runs closer than this are kept as one: combining the few pixels between them changes
// nothing and costs less than starting another run.
constexpr int kShortestGap = 16;

std::shared_ptr<const InkRows> findInk(const Bitmap& picture, std::uint32_t leavesAlone) {
    auto ink = std::make_shared<InkRows>();
    ink->rowStarts.reserve(std::size_t(picture.height()) + 1);
    const SameValue alone{leavesAlone};
    const auto width = std::size_t(picture.width());
    for (int y = 0; y < picture.height(); ++y) {
        ink->rowStarts.push_back(ink->spans.size());
        const std::uint32_t* row = picture.scanLine(y);
        std::size_t x = FirstDifference(row, alone, width);
        while (x < width) {
            std::size_t end = x + 1;
            while (end < width && row[end] != leavesAlone) {
                ++end;
            }
            const std::size_t rowFirstSpan = ink->rowStarts.back();
            if (ink->spans.size() > rowFirstSpan &&
                int(x) - ink->spans.back().right < kShortestGap) {
                const int gapStart = ink->spans.back().right;
                ink->pixels.insert(ink->pixels.end(), row + gapStart, row + end);
                ink->spans.back().right = int(end);
            } else {
                ink->spans.push_back({int(x), int(end), ink->pixels.size()});
                ink->pixels.insert(ink->pixels.end(), row + x, row + end);
            }
            x = end + FirstDifference(row + end, alone, width - end);
        }
    }
    ink->rowStarts.push_back(ink->spans.size());
    return ink;
}
}  // namespace

const InkRows& Bitmap::inkRows(CopyMode mode) const {
    std::shared_ptr<const InkRows>& ink = mode == CopyMode::SrcInvert ? invertInk_ : andInk_;
    if (!ink) {
        ink = findInk(
            *this, mode == CopyMode::SrcInvert ? InvertCopy::kLeavesAlone : AndCopy::kLeavesAlone);
    }
    return *ink;
}

Rect Bitmap::copyRect(const Rect& to, const Bitmap& source, const Rect& from) {
    return copyRectBy(Path::Fastest, *this, to, source, from, nullptr);
}

Rect Bitmap::copyRect(const Rect& to, const Bitmap& source, const Rect& from,
                      ChangedRows& changed) {
    return copyRectBy(Path::Fastest, *this, to, source, from, &changed);
}

Rect CopyRectGeneral(Bitmap& destination, const Rect& to, const Bitmap& source, const Rect& from) {
    return copyRectBy(Path::General, destination, to, source, from, nullptr);
}

Rect Bitmap::copiedArea(const Rect& to, const Bitmap& source, const Rect& from) const {
    CopyPlan plan{};
    return planCopy(*this, to, source, from, plan) ? plan.written() : Rect{};
}

void Bitmap::copyRectExcept(const Rect& area, const Bitmap& source, std::span<const Rect> kept,
                            ChangedRows& changed, const ChangedRows* within) {
    const Rect inside = area.intersected(rect()).intersected(source.rect());
    if (inside.isEmpty()) {
        return;
    }
    // In place is no harm: each pixel is combined only with the pixel at its own place.
    switch (mode_) {
        case CopyMode::SrcCopy:
            copyExcept<PlainCopy>(*this, source, inside, kept, changed, within);
            break;
        case CopyMode::SrcAnd:
            copyExcept<AndCopy>(*this, source, inside, kept, changed, within);
            break;
        case CopyMode::SrcInvert:
            copyExcept<InvertCopy>(*this, source, inside, kept, changed, within);
            break;
    }
}

namespace {
// The rectangles of a whole-picture draw. Far right or low, the end of the picture would pass
// the largest int; both sides are cut alike so the copy stays 1:1 (what is cut lies outside
// every picture anyway).
struct DrawRects {
    Rect to;
    Rect from;
};
DrawRects drawRects(int left, int top, const Bitmap& source) {
    constexpr std::int64_t kLargest = std::numeric_limits<int>::max();
    const int right = int(std::min(std::int64_t(left) + source.width(), kLargest));
    const int bottom = int(std::min(std::int64_t(top) + source.height(), kLargest));
    return {Rect{left, top, right, bottom}, Rect{0, 0, right - left, bottom - top}};
}
}  // namespace

Rect Bitmap::draw(int left, int top, const Bitmap& source) {
    const DrawRects rects = drawRects(left, top, source);
    return copyRect(rects.to, source, rects.from);
}

Rect Bitmap::draw(int left, int top, const Bitmap& source, ChangedRows& changed) {
    const DrawRects rects = drawRects(left, top, source);
    return copyRect(rects.to, source, rects.from, changed);
}

}  // namespace raster
