// An image control: a rectangle showing a Bitmap, scaled into it, that handlers draw on.
#include "toolkit/image_control.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "toolkit/bitmap_image.h"

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

void ImageControl::SetPicture(const Bitmap& picture) {
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

void ImageControl::Invalidate(const Rect& pictureArea) {
    if (picture_.isEmpty() || pictureArea.isEmpty()) {
        return;
    }
    const QRect destination = destinationRect();
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

void ImageControl::Invalidate(const ChangedRows& pictureRows) {
    Invalidate(pictureRows.boundingRect());
}

void ImageControl::Invalidate() {
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.isEmpty()) {
        return;
    }
    const QRect destination = destinationRect();
    if (destination.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const QImage image = transparent_
                             ? KeyedImage(picture_, Rect{0, 0, picture_.width(), picture_.height()})
                             : WrapBitmap(picture_);
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
    if (rect().contains(event->position().toPoint()) && OnClick) {
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
        const QPointF position = event->position();
        OnMouseMove(event->modifiers(), int(std::floor(position.x())),
                    int(std::floor(position.y())));
    }
}

}  // namespace toolkit
