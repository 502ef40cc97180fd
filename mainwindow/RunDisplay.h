// What a rename run shows in the main window: the progress bar in the status bar's place, the
// preview's two lists while a preview is filled, and every failed step in the error dialog,
// whose Retry runs the step again.
#pragma once

#include <string>

#include "engine/RenameRun.h"
#include "frame/ErrorReporter.h"
#include "platform/Views.h"

namespace qm {

class RunDisplay : public RunSink {
  public:
    // `preview` is the preview window's controls when the run fills it, else nullptr.
    RunDisplay(platform::MainControls& window, ErrorReporter& errors,
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

  private:
    platform::MainControls& m_window;
    ErrorReporter& m_errors;
    platform::PreviewControls* m_preview;
    int m_fillShown = -1;  // the bar's last visible fill, in pixels
};

}  // namespace qm
