// The one tank drawing behind the target sprites, the tiny tank, the start glyph and the icon.
#pragma once

#include "label_canvas.h"

namespace artwork {

// Labels 1 to kTankLabelCount - 1 are the tank's; other drawings use higher labels.
constexpr int kTankLabelCount = 20;

// Draws the tank into the box (left, top, width, height), in final pixels of the canvas.
// Thin parts are kept at least about a pixel wide whatever the size.
void DrawTankShape(LabelCanvas& canvas, double left, double top, double width, double height);

// Sets the tank's colours in `palette` (labels 1 .. kTankLabelCount - 1).
void SetTankColours(Palette& palette);
// The same in the classic 16 colours, for the small icon.
void SetTankColoursSixteen(Palette& palette);

}  // namespace artwork
