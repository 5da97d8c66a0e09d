// Fonts of the window layouts, asked for by their design names and pixel heights.
#pragma once

#include <QColor>
#include <QFont>

namespace toolkit {

// Maps the design's font names to the closest installed fonts with Cyrillic glyphs; run once
// after the application object exists.
void InstallFontSubstitutes();

// "MS Sans Serif" or "Arial Black" at a character height in pixels.
QFont DesignFont(const QString& family, int pixelHeight, bool bold = false, bool italic = false);

// The window font: "MS Sans Serif", 11 pixels.
QFont WindowFont();

}  // namespace toolkit
