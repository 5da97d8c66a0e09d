// An image control: a rectangle showing a Bitmap, scaled into it, that handlers draw on.
#include "toolkit/image_control.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "raster/bitmap_image.h"
#include "toolkit/qt_compat.h"

namespace toolkit {

QRect ProportionalRect(QSize picture, QSize area) {
    if (picture.isEmpty() || area.isEmpty()) {
        return {};
    }
    // The longer side of the picture fills its side of the area first; integer arithmetic
    // keeps exact ratios exact.
    const qint64 pictureWidth = picture.width();
    const qint64 pictureHeight = picture.height();
    qint64 width = 0;
    qint64 height = 0;
    if (pictureWidth > pictureHeight) {
        width = area.width();
        height = width * pictureHeight / pictureWidth;
        if (height > area.height()) {
            height = area.height();
            width = height * pictureWidth / pictureHeight;
        }
    } else {
        height = area.height();
        width = height * pictureWidth / pictureHeight;
        if (width > area.width()) {
            width = area.width();
            height = width * pictureHeight / pictureWidth;
        }
    }
    return QRect(0, 0, int(width), int(height));
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void ImageControl::SetPicture(const raster::Bitmap& picture) {
    picture_ = picture;
    if (autoSize_ && !picture_.isEmpty()) {
        resize(picture_.width(), picture_.height());
    }
    updateOpaqueness();
    update();
}

void ImageControl::SetScaling(Scaling scaling) {
    scaling_ = scaling;
    updateOpaqueness();
    update();
}

void ImageControl::SetAutoSize(bool on) {
    autoSize_ = on;
    if (autoSize_ && !picture_.isEmpty()) {
        resize(picture_.width(), picture_.height());
    }
}

void ImageControl::SetTransparent(bool on) {
    transparent_ = on;
    updateMouseTransparency();
    updateOpaqueness();
    update();
}

void ImageControl::updateOpaqueness() {
    // A picture covering the whole control hides what lies beneath it; telling Qt so spares
    // repainting the window's background under the view at every frame of the sight.
    const bool covers = !transparent_ && !picture_.isEmpty() && destinationRect().contains(rect());
    setAttribute(Qt::WA_OpaquePaintEvent, covers);
}

void ImageControl::updateMouseTransparency() {
    // A disabled see-through picture lying over another control must not take that
    // control's mouse events.
    setAttribute(Qt::WA_TransparentForMouseEvents, transparent_ && !isEnabled());
}

QRect ImageControl::destinationRect() const {
    const QSize pictureSize(picture_.width(), picture_.height());
    switch (scaling_) {
        case Scaling::Stretch:
            return rect();
        case Scaling::Proportional:
            return ProportionalRect(pictureSize, size());
        case Scaling::None:
            break;
    }
    return QRect(QPoint(0, 0), pictureSize);
}

namespace {
// The image a painter paints into, when pixels can be written to it directly: a raster
// image of 32-bit opaque or premultiplied pixels, painted at `ratio` device pixels to a
// control pixel without rotation. `origin` gets the device pixel of the control's (0, 0).
QImage* WritableTarget(QPainter& painter, int ratio, QPoint& origin) {
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
        return nullptr;
    }
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return nullptr;
    }
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied &&
        format != QImage::Format_ARGB32) {
        return nullptr;
    }
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale || transform.m11() != ratio ||
        transform.m22() != ratio || transform.dx() != std::floor(transform.dx()) ||
        transform.dy() != std::floor(transform.dy())) {
        return nullptr;
    }
    origin = QPoint(int(transform.dx()), int(transform.dy()));
    return image;
}
}  // namespace

bool ImageControl::scalesItself() const {
    if (transparent_ || picture_.isEmpty() || destinationRect().isEmpty()) {
        return false;
    }
    const qreal ratio = devicePixelRatioF();
    return ratio == std::floor(ratio) &&
           destinationRect().size() * int(ratio) != QSize(picture_.width(), picture_.height());
}

int ImageControl::deviceRatio() const {
    return int(devicePixelRatioF());
}

const raster::SmoothScale& ImageControl::currentScale() {
    const QSize source(picture_.width(), picture_.height());
    const QSize destination = destinationRect().size() * deviceRatio();
    if (scale_.source() != source || scale_.destination() != destination) {
        scale_ = raster::SmoothScale(source, destination);
    }
    return scale_;
}

void ImageControl::Invalidate(const raster::Rect& pictureArea) {
    if (picture_.isEmpty() || pictureArea.isEmpty()) {
        return;
    }
    const QRect destination = destinationRect();
    if (scalesItself()) {
        // Exactly the device pixels that read the area, in whole control pixels.
        const QRect reached = currentScale().reach(pictureArea);
        if (!reached.isEmpty()) {
            const int ratio = deviceRatio();
            const QRect area(QPoint(reached.left() / ratio, reached.top() / ratio),
                             QPoint(reached.right() / ratio, reached.bottom() / ratio));
            update(area.translated(destination.topLeft()) & rect());
        }
        return;
    }
    const double scaleX = double(destination.width()) / picture_.width();
    const double scaleY = double(destination.height()) / picture_.height();
    // Rounded outward, and one pixel more: smoothing reads the neighbours of each pixel.
    const int left = int(std::floor(pictureArea.left * scaleX)) - 1;
    const int top = int(std::floor(pictureArea.top * scaleY)) - 1;
    const int right = int(std::ceil(pictureArea.right * scaleX)) + 1;
    const int bottom = int(std::ceil(pictureArea.bottom * scaleY)) + 1;
    const QRect area =
        QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).translated(destination.topLeft());
    update(area & rect());
}

void ImageControl::Invalidate(const raster::ChangedRows& pictureRows) {
    Invalidate({&pictureRows});
}

void ImageControl::Invalidate(std::initializer_list<const raster::ChangedRows*> pictureParts) {
    if (picture_.isEmpty()) {
        return;
    }
    if (!scalesItself()) {
        for (const raster::ChangedRows* part : pictureParts) {
            if (!part->isEmpty()) {
                Invalidate(part->boundingRect());
            }
        }
        return;
    }
    const raster::SmoothScale& scale = currentScale();
    const int ratio = deviceRatio();
    const int deviceRows = scale.destination().height();
    // Each part with the control rows that can show anything of it.
    struct Part {
        const raster::ChangedRows* rows;
        int top;
        int bottom;
    };
    thread_local std::vector<Part> parts;
    parts.clear();
    int top = 0;
    int bottom = 0;
    for (const raster::ChangedRows* part : pictureParts) {
        const auto [first, end] = part->isEmpty() ? std::pair{0, 0} : scale.rowsReaching(*part);
        if (first < end) {
            const Part shown{part, first / ratio, (end - 1) / ratio + 1};
            top = parts.empty() ? shown.top : std::min(top, shown.top);
            bottom = parts.empty() ? shown.bottom : std::max(bottom, shown.bottom);
            parts.push_back(shown);
        }
    }
    if (parts.empty()) {
        return;
    }
    using Span = raster::ChangedRows::Span;
    // Each device row repaints what reads the spans of the picture rows it reads; each
    // control row the smallest span holding its device rows' spans, a part's apart from
    // another's where the two neither overlap nor touch. Runs of rows with the same spans make
    // one band of rectangles: the banded, sorted rectangles, none touching another, that a
    // region is built from directly.
    thread_local std::vector<QRect> rectangles;
    thread_local std::vector<Span> spans;  // this row's, then the band's
    rectangles.clear();
    spans.resize(2 * parts.size());
    Span* const row = spans.data();
    Span* const band = row + parts.size();
    std::size_t bandCount = 0;
    int bandTop = top;
    const QPoint offset = destinationRect().topLeft();
    const auto endBand = [&](int end) {
        for (std::size_t k = 0; k < bandCount; ++k) {
            rectangles.emplace_back(band[k].left + offset.x(), bandTop + offset.y(),
                                    band[k].right - band[k].left, end - bandTop);
        }
    };
    for (int y = top; y < bottom; ++y) {
        // The row's spans in order of their left ends, each merged with those it overlaps or
        // touches.
        std::size_t count = 0;
        for (const Part& part : parts) {
            if (y < part.top || y >= part.bottom) {
                continue;
            }
            Span span;
            if (ratio == 1) {
                span = scale.reachOnRow(*part.rows, y);
            } else {
                const int lastDeviceRow = std::min(y * ratio + ratio, deviceRows);
                for (int deviceRow = y * ratio; deviceRow < lastDeviceRow; ++deviceRow) {
                    const Span reached = scale.reachOnRow(*part.rows, deviceRow);
                    if (span.isEmpty()) {
                        span = reached;
                    } else if (!reached.isEmpty()) {
                        span.left = std::min(span.left, reached.left);
                        span.right = std::max(span.right, reached.right);
                    }
                }
                if (!span.isEmpty()) {
                    span = Span{span.left / ratio, (span.right - 1) / ratio + 1};
                }
            }
            if (span.isEmpty()) {
                continue;
            }
            std::size_t at = count++;
            for (; at > 0 && row[at - 1].left > span.left; --at) {
                row[at] = row[at - 1];
            }
            row[at] = span;
        }
        std::size_t merged = 0;
        for (std::size_t k = 0; k < count; ++k) {
            if (merged > 0 && row[k].left <= row[merged - 1].right) {
                row[merged - 1].right = std::max(row[merged - 1].right, row[k].right);
            } else {
                row[merged++] = row[k];
            }
        }
        bool same = merged == bandCount;
        for (std::size_t k = 0; same && k < merged; ++k) {
            same = row[k].left == band[k].left && row[k].right == band[k].right;
        }
        if (!same) {
            endBand(y);
            std::copy(row, row + merged, band);
            bandCount = merged;
            bandTop = y;
        }
    }
    endBand(bottom);
    QRegion region;
    region.setRects(rectangles.data(), int(rectangles.size()));
    update(region & rect());
}

void ImageControl::Invalidate() {
    update();
}

void ImageControl::paintEvent(QPaintEvent* event) {
    if (picture_.isEmpty()) {
        return;
    }
    const QRect destination = destinationRect();
    if (destination.isEmpty()) {
        return;
    }
    QPainter painter(this);
    if (scalesItself()) {
        // Each part scaled from the picture on its own: every device pixel gets the same value
        // whichever part is repainted, and nothing but the repainted parts is scaled. Where
        // the painter paints into an image of 32-bit pixels, as the window's backing store
        // is, the scaled pixels go straight into it; otherwise through an image of our own.
        const raster::SmoothScale& scale = currentScale();
        const int ratio = deviceRatio();
        QPoint origin;
        QImage* target = WritableTarget(painter, ratio, origin);
        origin += destination.topLeft() * ratio;
        // The parts in the destination's device pixels, kept from paint to paint.
        thread_local std::vector<QRect> deviceParts;
        deviceParts.clear();
        for (const QRect& part : event->region()) {
            const int left = std::max(part.left(), destination.left());
            const int top = std::max(part.top(), destination.top());
            const int right =
                std::min(part.left() + part.width(), destination.left() + destination.width());
            const int bottom =
                std::min(part.top() + part.height(), destination.top() + destination.height());
            if (left < right && top < bottom) {
                deviceParts.emplace_back((left - destination.left()) * ratio,
                                         (top - destination.top()) * ratio, (right - left) * ratio,
                                         (bottom - top) * ratio);
            }
        }
        if (target != nullptr) {
            scale.scale(picture_, deviceParts, *target, origin);
            return;
        }
        if (scaled_.size() != scale.destination()) {
            scaled_ = QImage(scale.destination(), QImage::Format_RGB32);
        }
        for (const QRect& devicePart : deviceParts) {
            scale.scale(picture_, devicePart, scaled_, QPoint(0, 0));
            const QRect shown(devicePart.topLeft() / ratio + destination.topLeft(),
                              devicePart.size() / ratio);
            painter.drawImage(QRectF(shown), scaled_, QRectF(devicePart));
        }
        return;
    }
    const QImage image =
        transparent_
            ? raster::KeyedImage(picture_, raster::Rect{0, 0, picture_.width(), picture_.height()})
            : raster::WrapBitmap(picture_);
    // On a high-density screen the painter maps the picture straight onto the physical
    // pixels, so only a picture that does not meet them one to one is smoothed.
    const QSizeF physical = QSizeF(destination.size()) * devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, physical != QSizeF(image.size()));
    // Always the whole picture onto the whole destination: every physical pixel gets the
    // same value whichever part is repainted, and the painter's clip, the exposed region,
    // keeps the work to the part that changed.
    painter.drawImage(QRectF(destination), image);
}

void ImageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    updateOpaqueness();
}

void ImageControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        pressed_ = false;
        updateMouseTransparency();
    }
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) {
        return;
    }
    pressed_ = false;
    // A click is a press and a release both inside the control.
    if (rect().contains(EventPosition(*event).toPoint()) && OnClick) {
        OnClick();
    }
}

void ImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The release that ends a double click is no click of its own.
    pressed_ = false;
    if (OnDblClick) {
        OnDblClick();
    }
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) {
        const QPointF position = EventPosition(*event);
        OnMouseMove(event->modifiers(), int(std::floor(position.x())),
                    int(std::floor(position.y())));
    }
}

}  // namespace toolkit
