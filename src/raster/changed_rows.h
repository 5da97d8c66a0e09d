// What a drawing changed in a picture, row by row: one span of columns per row, which follows
// a round lens far closer than its bounding square and costs as little to keep.
#pragma once

#include <vector>

#include "raster/bitmap.h"

namespace raster {

class ChangedRows {
  public:
    struct Span {
        int left = 0;
        int right = 0;  // exclusive
        bool isEmpty() const { return right <= left; }
    };

    // Adds the columns [left, right) of row y, or every row of `rect`, to what changed; a row
    // keeps the smallest span that holds all added to it. Negative rows are left out: the
    // drawings clip to the picture before they report.
    void include(int y, int left, int right) {
        if (y < 0 || right <= left) {
            return;
        }
        if (std::size_t(y) >= rows_.size()) {
            rows_.resize(std::size_t(y) + 1);
        }
        Span& span = rows_[std::size_t(y)];
        if (span.isEmpty()) {
            span = Span{left, right};
        } else {
            span.left = left < span.left ? left : span.left;
            span.right = right > span.right ? right : span.right;
        }
        if (isEmpty()) {
            top_ = y;
            bottom_ = y + 1;
        } else {
            top_ = y < top_ ? y : top_;
            bottom_ = y + 1 > bottom_ ? y + 1 : bottom_;
        }
    }
    void include(const Rect& rect);
    // Adds every span of `other`.
    void include(const ChangedRows& other);
    // Takes the columns [left, right) out of row y's span where what is left is one span
    // (or none); where they lie inside it, the row keeps its whole span, which still holds
    // all that was added to it.
    void exclude(int y, int left, int right);
    // Forgets every span; the rows stay allocated for the next drawing.
    void clear();

    bool isEmpty() const { return bottom_ <= top_; }
    // The rows that hold a span lie in [top(), bottom()).
    int top() const { return top_; }
    int bottom() const { return bottom_; }
    Span span(int y) const { return y >= top_ && y < bottom_ ? rows_[std::size_t(y)] : Span{}; }
    Rect boundingRect() const;

  private:
    std::vector<Span> rows_;
    int top_ = 0;
    int bottom_ = 0;
};

}  // namespace raster
