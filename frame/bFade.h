// A colour gradient over a window's whole client area: 256 bands of 2 units on a 512 x 512
// logical surface, one per shade, top to bottom and/or left to right. The surface's drawing
// state is saved first and restored afterwards.
#pragma once

#include "frame/ErrorReporter.h"
#include "ui/Controls.h"

namespace qm {

struct FadeOptions {
    bool red = false;
    bool green = false;
    bool blue = false;
    bool topToBottom = false;
    bool leftToRight = false;
    bool invert = false;
};

class bFade {
  public:
    // A failure while drawing is logged ("bFade.Fade"); the state is restored in any case.
    static void Fade(platform::DrawingSurface& target, const FadeOptions& options,
                     ErrorReporter& errors);
};

}  // namespace qm
