// Small helpers that keep the window layouts readable as tables.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "raster/bitmap.h"

class QIcon;
class QWidget;

namespace toolkit {
class StaticText;
class ImageControl;
}  // namespace toolkit

namespace ui {

// Design colours as RGB.
inline const QColor kGreen{0x00, 0x80, 0x00};
inline const QColor kBlue{0x00, 0x00, 0xFF};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kNavy{0x00, 0x00, 0x80};

void Place(QWidget* control, int left, int top, int width, int height);
// A label at its designed place, in its font and colour, sized to its text.
void SetUpLabel(toolkit::StaticText* label, int left, int top, const QString& text,
                const QFont& font, const QColor& colour = QColor());
// A hidden picture store or a shown picture at its designed place.
void SetUpImage(toolkit::ImageControl* image, int left, int top, int width, int height,
                const raster::Bitmap& picture);

QIcon WindowIcon();

}  // namespace ui
