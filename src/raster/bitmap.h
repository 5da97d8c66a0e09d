// A raster picture of 0xRRGGBB pixels with a copy mode, the one drawing surface of the sight.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace raster {

class ChangedRows;
struct InkRows;

// The three raster operations a drawing surface can be set to; the values are those of the
// Windows graphics interface the sight was first designed on.
enum class CopyMode : std::uint32_t {
    SrcCopy = 0xCC0020,
    SrcAnd = 0x8800C6,
    SrcInvert = 0x660046,
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Inverted rectangles count as empty, as they cover no pixel.
    bool isEmpty() const { return right <= left || bottom <= top; }
    // The common part; an empty Rect{} when there is none.
    Rect intersected(const Rect& other) const;
    // The smallest rectangle holding both; an empty side does not count.
    Rect united(const Rect& other) const;
    bool operator==(const Rect&) const = default;
};

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, std::uint32_t fill = 0xFFFFFF);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }

    // Pixels are read and written as 0xRRGGBB; the copy mode does not apply. Points outside
    // the picture read as 0 and are not written.
    // Inline: the sprites are drawn pixel by pixel on every mouse move.
    std::uint32_t pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) {
            return 0;
        }
        return pixels_[std::size_t(y) * width_ + x] & kRgbMask;
    }
    void setPixel(int x, int y, std::uint32_t rgb) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) {
            return;
        }
        pixels_[std::size_t(y) * width_ + x] = (rgb & kRgbMask) | kOpaque;
        changed();
    }

    CopyMode copyMode() const { return mode_; }
    void setCopyMode(CopyMode mode) { mode_ = mode; }

    // Copies `source`'s rectangle `from` onto this picture's rectangle `to` under this
    // picture's copy mode, scaling by repeating pixels. Whatever lies outside either picture
    // is clipped. Returns the part of this picture that changed (empty if nothing did).
    Rect copyRect(const Rect& to, const Bitmap& source, const Rect& from);
    // The same, and for each row of this picture the columns the copy changed go into
    // `changed`. A row copied 1:1 is cut to the part from the first to the last pixel it can
    // change (where a plain copy's source differs from this picture, an AND's is not white,
    // an exclusive or's is not black); its ends are not written at all, which spares a
    // reticle under AND its white corners.
    Rect copyRect(const Rect& to, const Bitmap& source, const Rect& from, ChangedRows& changed);
    // The part of this picture copyRect(to, source, from) would write, without writing it.
    Rect copiedArea(const Rect& to, const Bitmap& source, const Rect& from) const;
    // Copies the rectangle `area` of `source` onto the same rectangle of this picture, at 1:1
    // under this picture's copy mode, except the pixels inside any of `kept`; for each row the
    // columns it changed go into `changed`, cut as above. Putting back an old frame's area but
    // for what the new frame covers anyway costs only the uncovered part.
    // With `within`, only the columns of each row inside its span there are copied: where
    // the caller knows the rest of `area` already equals `source`.
    void copyRectExcept(const Rect& area, const Bitmap& source, std::span<const Rect> kept,
                        ChangedRows& changed, const ChangedRows* within = nullptr);
    // Draws the whole of `source` at its own size with its top-left at (left, top).
    Rect draw(int left, int top, const Bitmap& source);
    Rect draw(int left, int top, const Bitmap& source, ChangedRows& changed);
    // The whole picture as a rectangle at (0, 0).
    Rect rect() const { return Rect{0, 0, width_, height_}; }

    // Row-major storage, each pixel 0xFFRRGGBB, so a view can be wrapped without a copy by a
    // 32-bit RGB image. Write through a row only before this picture is next copied from.
    const std::uint32_t* scanLine(int y) const { return pixels_.data() + std::size_t(y) * width_; }
    std::uint32_t* scanLine(int y) {
        changed();
        return pixels_.data() + std::size_t(y) * width_;
    }
    const std::uint32_t* bits() const { return pixels_.data(); }

    bool operator==(const Bitmap& other) const;

    // Where this picture, as the source of a copy under AND (white leaves the destination
    // alone) or exclusive or (black does), changes anything: the runs of other colours, row
    // by row. Found on first use and kept until the picture changes, so a reticle copied at
    // every mouse move is read once, not its whole square at every move. Under plain copy
    // every pixel counts, and this is never asked for.
    const InkRows& inkRows(CopyMode mode) const;

    // A number that stands for this picture's pixels: two pictures with the same stamp hold
    // the same pixels (a copy keeps its original's until either changes), and a picture
    // changed in any way since a stamp was read has another one. Lets a drawing that keeps
    // track of what it left in a picture tell whether anything else has drawn there since.
    std::uint64_t stamp() const;

    // The stored alpha byte, always opaque, and the colour bits beneath it.
    static constexpr std::uint32_t kOpaque = 0xFF000000;
    static constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

  private:
    int width_ = 0;
    int height_ = 0;
    CopyMode mode_ = CopyMode::SrcCopy;
    std::vector<std::uint32_t> pixels_;
    // One thread draws, so finding the runs lazily in a const picture needs no lock; a copy of
    // the picture shares them, as it shares the pixels they describe.
    mutable std::shared_ptr<const InkRows> andInk_;
    mutable std::shared_ptr<const InkRows> invertInk_;
    // 0 until a stamp is asked for, and again after every change: a row written through
    // scanLine costs a store here, not a fresh number.
    mutable std::uint64_t stamp_ = 0;
    void changed() {
        stamp_ = 0;
        andInk_.reset();
        invertInk_.reset();
    }
};

}  // namespace raster
