// The seven button styles, each painting its normal, pressed or disabled
// look over a face already filled with the face colour.
#pragma once

#include "controls/button_canvas.h"

namespace tessaro {

void PaintThickFrameStyle(ButtonCanvas& canvas);  // 1
void PaintStandardStyle(ButtonCanvas& canvas);    // 2
void PaintGradientStyle(ButtonCanvas& canvas);    // 3
void PaintOutlineStyle(ButtonCanvas& canvas);     // 4
void PaintFlatStyle(ButtonCanvas& canvas);        // 5
void PaintSoftFrameStyle(ButtonCanvas& canvas);   // 6
void PaintThinFrameStyle(ButtonCanvas& canvas);   // 7

}  // namespace tessaro
