// Helpers of the window layouts.
#include "ui/layout_helpers.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "assets/pictures.h"
#include "toolkit/image_control.h"
#include "toolkit/static_text.h"

namespace ui {

void Place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(left, top, width, height);
}

void SetUpLabel(toolkit::StaticText* label, int left, int top, const QString& text,
                const QFont& font, const QColor& colour) {
    label->setFont(font);
    if (colour.isValid()) {
        QPalette palette = label->palette();
        // The grade label is disabled by design yet keeps its colour.
        palette.setColor(QPalette::Active, QPalette::WindowText, colour);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
        palette.setColor(QPalette::Disabled, QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->move(left, top);
    label->SetCaption(text);
}

void SetUpImage(toolkit::ImageControl* image, int left, int top, int width, int height,
                const toolkit::Bitmap& picture) {
    Place(image, left, top, width, height);
    image->SetPicture(picture);
}

QIcon WindowIcon() {
    const toolkit::Bitmap picture = assets::LoadPicture("icon");
    const QImage image(reinterpret_cast<const uchar*>(picture.bits()), picture.width(),
                       picture.height(), picture.width() * 4, QImage::Format_RGB32);
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    // The icon's see-through colour is that of its bottom-left pixel.
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < masked.height(); ++y) {
        for (int x = 0; x < masked.width(); ++x) {
            if (masked.pixel(x, y) == key) {
                masked.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return QIcon(QPixmap::fromImage(masked));
}

}  // namespace ui
