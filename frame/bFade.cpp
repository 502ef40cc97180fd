#include "frame/bFade.h"

#include "frame/ErrorTail.h"

namespace qm {

void bFade::Fade(platform::DrawingSurface& target, const FadeOptions& options,
                 ErrorReporter& errors) {
    platform::DrawingState saved;
    bool haveSaved = false;
    try {
        saved = target.state();
        haveSaved = true;
        platform::DrawingState drawing;
        drawing.autoRedraw = true;
        drawing.drawWidth = 3;
        drawing.drawStyle = 6;  // inside solid
        drawing.drawMode = 13;  // copy pen
        drawing.scaleMode = 3;  // pixels, then a 512 x 512 user scale over the client area
        drawing.scaleWidth = 512;
        drawing.scaleHeight = 512;
        target.setState(drawing);
        double x = 0;
        double y = 0;
        for (int i = 0; i <= 255; ++i) {
            const auto shade = static_cast<std::uint8_t>(options.invert ? 255 - i : i);
            const platform::Rgb color{options.red ? shade : std::uint8_t{0},
                                      options.green ? shade : std::uint8_t{0},
                                      options.blue ? shade : std::uint8_t{0}};
            if (options.topToBottom) {
                target.fillBox(0, y, drawing.scaleWidth, y + 2, color);
                y += 2;
            }
            if (options.leftToRight) {
                target.fillBox(x, 0, x + 2, drawing.scaleHeight, color);
                x += 2;
            }
        }
    } catch (const std::exception& e) {
        logError(errors, e, "", "bFade.Fade");
    }
    if (haveSaved) {
        // Painting never interrupts the user; the failure to paint is already logged.
        bestEffort([&] { target.setState(saved); });
    }
}

}  // namespace qm
