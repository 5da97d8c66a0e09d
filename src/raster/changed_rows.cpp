// What a drawing changed in a picture, row by row.
#include "raster/changed_rows.h"

#include <algorithm>

namespace raster {

void ChangedRows::include(const Rect& rect) {
    const int top = std::max(rect.top, 0);
    if (rect.isEmpty() || rect.bottom <= top) {
        return;
    }
    include(top, rect.left, rect.right);
    include(rect.bottom - 1, rect.left, rect.right);
    for (int y = top + 1; y < rect.bottom - 1; ++y) {
        Span& span = rows_[std::size_t(y)];
        span = span.isEmpty()
                   ? Span{rect.left, rect.right}
                   : Span{std::min(span.left, rect.left), std::max(span.right, rect.right)};
    }
}

void ChangedRows::include(const ChangedRows& other) {
    for (int y = other.top_; y < other.bottom_; ++y) {
        const Span& span = other.rows_[std::size_t(y)];
        include(y, span.left, span.right);
    }
}

void ChangedRows::exclude(int y, int left, int right) {
    if (y < top_ || y >= bottom_ || right <= left) {
        return;
    }
    Span& span = rows_[std::size_t(y)];
    if (left <= span.left) {
        span.left = std::max(span.left, right);
    } else if (right >= span.right) {
        span.right = std::min(span.right, left);
    }
    if (span.isEmpty()) {
        span = Span{};
    }
}

void ChangedRows::clear() {
    std::fill(rows_.begin() + top_, rows_.begin() + bottom_, Span{});
    top_ = 0;
    bottom_ = 0;
}

Rect ChangedRows::boundingRect() const {
    Rect bounds;
    for (int y = top_; y < bottom_; ++y) {
        const Span& span = rows_[std::size_t(y)];
        if (!span.isEmpty()) {
            bounds = bounds.united(Rect{span.left, y, span.right, y + 1});
        }
    }
    return bounds;
}

}  // namespace raster
