// The one QApplication of bench_gui. It runs on the X11 platform, where a repaint costs a round
// trip to the display server as on a desktop: on the display in DISPLAY, else on a virtual
// display (Xvfb) started for the run. Without either it falls back to the offscreen platform and
// says so, since figures taken there leave the display's cost out.
#pragma once

class QApplication;

namespace qm::bench {

QApplication& guiApp();

}  // namespace qm::bench
