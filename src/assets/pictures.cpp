// Decodes an embedded PNG into a Bitmap, colour for colour.
#include "assets/pictures.h"

#include <QImage>
#include <QString>

#include <stdexcept>
#include <string>

// The pictures' resource is compiled into this static library, from which the linker would
// drop it, unreferenced, without a word; naming it here keeps it and registers it.
static bool RegisterPictures() {
    Q_INIT_RESOURCE(sight_assets);
    return true;
}

namespace assets {

raster::Bitmap LoadPicture(const char* name) {
    static const bool registered = RegisterPictures();
    (void)registered;
    const QString path = QStringLiteral(":/pictures/%1.png").arg(QString::fromUtf8(name));
    QImage image(path);
    if (image.isNull()) {
        throw std::runtime_error(std::string("picture \"") + name + "\" is missing");
    }
    // A format change keeps the stored values: no colour management, palettes expanded.
    image = image.convertToFormat(QImage::Format_RGB32);
    raster::Bitmap bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            bitmap.setPixel(x, y, source[x] & 0xFFFFFFu);
        }
    }
    return bitmap;
}

}  // namespace assets
