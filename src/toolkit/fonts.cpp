// Fonts of the window layouts: the design's font names mapped to installed fonts.
#include "toolkit/fonts.h"

#include <QFont>
#include <QStringList>

namespace toolkit {

namespace {
const QString kWindowFamily = QStringLiteral("MS Sans Serif");
const QString kHeavyFamily = QStringLiteral("Arial Black");
constexpr int kWindowFontPixels = 11;
}  // namespace

void InstallFontSubstitutes() {
    // Both stand-ins carry Cyrillic glyphs; DejaVu Sans is the last resort of most systems.
    QFont::insertSubstitutions(kWindowFamily,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    // Roboto at its Black weight is as heavy as the original face; DejaVu Sans Bold is
    // the nearest heavy face where Roboto is missing.
    QFont::insertSubstitutions(kHeavyFamily,
                               {QStringLiteral("Roboto"), QStringLiteral("DejaVu Sans")});
}

QFont DesignFont(const QString& family, int pixelHeight, bool bold, bool italic) {
    QFont font(family);
    // The design gives character heights; the em size is the nearest Qt measure.
    font.setPixelSize(pixelHeight);
    font.setItalic(italic);
    if (family == kHeavyFamily) {
        font.setWeight(QFont::Black);
    } else {
        font.setBold(bold);
    }
    return font;
}

QFont WindowFont() {
    return DesignFont(kWindowFamily, kWindowFontPixels);
}

}  // namespace toolkit
