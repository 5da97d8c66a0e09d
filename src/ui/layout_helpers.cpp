// Helpers of the window layouts.
#include "ui/layout_helpers.h"

#include <QIcon>
#include <QPixmap>

#include "assets/pictures.h"
#include "raster/bitmap_image.h"
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
                const raster::Bitmap& picture) {
    Place(image, left, top, width, height);
    image->SetPicture(picture);
}

QIcon WindowIcon() {
    const raster::Bitmap picture = assets::LoadPicture("icon");
    return QIcon(QPixmap::fromImage(raster::KeyedImage(picture, picture.rect())));
}

}  // namespace ui
