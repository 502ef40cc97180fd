// What a rename run shows in the main window: the progress bar in the status bar's place, the
// preview's two lists while a preview is filled, and every failed step in the error dialog,
// whose Retry runs the step again. The bar is redrawn only as its fill grows by a pixel, once
// 100 ms have passed since it was last drawn, or a hundred times as long as that drawing took
// when the display is slow to answer (a busy or remote one; a second at most), and whenever the
// run stops: a run over many files spends its time renaming, not repainting.
#pragma once

#include <string>

#include "engine/RenameRun.h"
#include "frame/ErrorReporter.h"
#include "services/Clock.h"
#include "ui/Views.h"

namespace qm {

class RunDisplay : public RunSink {
  public:
    // `preview` is the preview window's controls when the run fills it, else nullptr.
    RunDisplay(platform::MainControls& window, ErrorReporter& errors, const platform::Clock& clock,
               platform::PreviewControls* preview);

    // The progress bar along the bottom of the window's inner area, as wide as it, empty, with
    // room for `count` files; the status bar hidden.
    void show(int count);
    // The status bar back, the progress bar hidden.
    void hide();

    void namePair(const std::string& oldName, const std::string& newName) override;
    void progress(int done, int count) override;
    bool stepFailed(const std::exception& failure, const std::string& fileObject) override;

    static constexpr const char* kSource = "frmQuillmote_cmdRename";
    static constexpr std::chrono::milliseconds kRedrawInterval{100};
    static constexpr int kRedrawShare = 100;  // a redraw's cost times this: the least interval
    static constexpr std::chrono::seconds kLongestInterval{1};

  private:
    void draw(int done);

    platform::MainControls& m_window;
    ErrorReporter& m_errors;
    const platform::Clock& m_clock;
    platform::PreviewControls* m_preview;
    int m_done = 0;            // files through
    int m_lastFill = 0;        // the fill, in pixels, after the file before
    long long m_barWidth = 1;  // the bar spans the window while the run lasts
    platform::TimePoint m_drawnAt{};
    platform::TimePoint::duration m_interval = kRedrawInterval;  // before the next redraw
};

}  // namespace qm
