// A push button with a small picture to the left of its caption, drawn over the style's
// button face.
#include "toolkit/glyph_button.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

#include "raster/bitmap_image.h"
#include "toolkit/qt_compat.h"

namespace toolkit {

namespace {
constexpr int kGlyphCaptionGap = 4;
constexpr Qt::Alignment kCaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kCaptionFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;
}  // namespace

GlyphButtonLayout LayOutGlyphAndCaption(const QRect& face, QSize glyph, QSize caption) {
    const bool hasGlyph = !glyph.isEmpty();
    const bool hasCaption = !caption.isEmpty();
    const int gap = hasGlyph && hasCaption ? kGlyphCaptionGap : 0;
    const int glyphWidth = hasGlyph ? glyph.width() : 0;
    const int captionWidth = hasCaption ? caption.width() : 0;
    const int left = face.left() + (face.width() - (glyphWidth + gap + captionWidth)) / 2;
    GlyphButtonLayout layout;
    if (hasGlyph) {
        layout.glyph =
            QRect(QPoint(left, face.top() + (face.height() - glyph.height() + 1) / 2), glyph);
    }
    if (hasCaption) {
        layout.caption = QRect(QPoint(left + glyphWidth + gap,
                                      face.top() + (face.height() - caption.height() + 1) / 2),
                               caption);
    }
    return layout;
}

GlyphButton::GlyphButton(QWidget* parent) : QPushButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    connect(this, &QPushButton::clicked, this, [this] {
        if (OnClick) {
            OnClick();
        }
    });
}

void GlyphButton::SetGlyph(const raster::Bitmap& glyph, int states) {
    glyph_ = glyph;
    states_ = states == 2 ? 2 : 1;
    const int stateWidth = glyph_.width() / states_;
    normal_ = QPixmap::fromImage(
        raster::KeyedImage(glyph_, raster::Rect{0, 0, stateWidth, glyph_.height()}));
    if (states_ == 2) {
        disabled_ = QPixmap::fromImage(raster::KeyedImage(
            glyph_, raster::Rect{stateWidth, 0, 2 * stateWidth, glyph_.height()}));
    } else {
        QStyleOptionButton option;
        option.initFrom(this);
        disabled_ = style()->generatedIconPixmap(QIcon::Disabled, normal_, &option);
    }
    updateGeometry();
    update();
}

QSize GlyphButton::captionSize() const {
    return text().isEmpty() ? QSize() : fontMetrics().size(kCaptionFlags, text());
}

GlyphButtonLayout GlyphButton::ContentLayout() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked()) {
        face.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    }
    const QPixmap& glyph = isEnabled() ? normal_ : disabled_;
    return LayOutGlyphAndCaption(face, DeviceIndependentSize(glyph).toSize(), captionSize());
}

QSize GlyphButton::sizeHint() const {
    const QSize textHint = QPushButton::sizeHint();
    if (normal_.isNull()) {
        return textHint;
    }
    const QSize glyph = DeviceIndependentSize(normal_).toSize();
    const int gap = text().isEmpty() ? 0 : kGlyphCaptionGap;
    return QSize(textHint.width() + glyph.width() + gap,
                 std::max(textHint.height(), glyph.height() + 2 * kGlyphCaptionGap));
}

void GlyphButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const GlyphButtonLayout layout = ContentLayout();
    if (!layout.glyph.isEmpty()) {
        painter.drawPixmap(layout.glyph.topLeft(), isEnabled() ? normal_ : disabled_);
    }
    if (!layout.caption.isEmpty()) {
        painter.drawItemText(layout.caption, int(kCaptionAlignment) | kCaptionFlags, option.palette,
                             isEnabled(), text(), QPalette::ButtonText);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void GlyphButton::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) {
        const QPointF position = EventPosition(*event);
        OnMouseMove(event->modifiers(), int(std::floor(position.x())),
                    int(std::floor(position.y())));
    }
    QPushButton::mouseMoveEvent(event);
}

void GlyphButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    heldByMouse_ = isDown();
}

void GlyphButton::mouseReleaseEvent(QMouseEvent* event) {
    heldByMouse_ = false;
    QPushButton::mouseReleaseEvent(event);
}

// Qt lets a button up when it loses the keyboard focus. While the trainee holds the mouse on
// it, the program may move the focus on (the fixed sight's timer puts it into the range
// field a second after a shot); the click must still count when the mouse is released over
// the button. A button held by the keyboard lets go, since its key's release goes elsewhere.
void GlyphButton::focusOutEvent(QFocusEvent* event) {
    const bool held = heldByMouse_ && isDown();
    QPushButton::focusOutEvent(event);
    if (held) {
        setDown(true);
    }
}

void GlyphButton::hideEvent(QHideEvent* event) {
    // A hidden button gets no release.
    heldByMouse_ = false;
    setDown(false);
    QPushButton::hideEvent(event);
}

}  // namespace toolkit
