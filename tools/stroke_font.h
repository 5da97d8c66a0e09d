// Our own lettering: stroke digits for the reticle's large numbers and a 5 x 7 pixel font
// for small ones, so no picture depends on the fonts installed on the machine.
#pragma once

#include <QImage>

#include <string_view>

#include "label_canvas.h"

namespace artwork {

// Draws `text` (digits and '.') with each digit filling a `digitWidth` x `height` box whose
// outer ink edges touch the box; a dot takes `stroke` pixels and one stroke of gap each side.
void DrawStrokeText(LabelCanvas& canvas, std::string_view text, double left, double top,
                    double digitWidth, double height, double stroke, int label);
// Width in pixels that DrawStrokeText gives `text`.
double StrokeTextWidth(std::string_view text, double digitWidth, double stroke);

// Draws digits of the 5 x 7 pixel font, one pixel of space between them.
void DrawPixelText(QImage& image, std::string_view text, int left, int top, QRgb colour);
int PixelTextWidth(std::string_view text);

}  // namespace artwork
