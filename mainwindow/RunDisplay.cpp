#include "mainwindow/RunDisplay.h"

#include <algorithm>

#include "frame/ErrorTail.h"

namespace qm {

RunDisplay::RunDisplay(platform::MainControls& window, ErrorReporter& errors,
                       platform::PreviewControls* preview)
    : m_window(window), m_errors(errors), m_preview(preview) {}

void RunDisplay::show(int count) {
    auto& bar = *m_window.ProgressBar1;
    const int height = bar.geometry().height;
    bar.setGeometry(platform::Rect{0, m_window.window->innerHeight() - height,
                                   m_window.window->innerWidth(), height});
    bar.setMax(count);
    bar.setValue(0);
    bar.setVisible(true);
    m_window.StatusBar1->setVisible(false);
    m_fillShown = 0;
}

void RunDisplay::hide() {
    m_window.StatusBar1->setVisible(true);
    m_window.ProgressBar1->setVisible(false);
}

void RunDisplay::namePair(const std::string& oldName, const std::string& newName) {
    if (m_preview != nullptr) {
        m_preview->lstBefore->addItem(oldName);
        m_preview->lstAfter->addItem(newName);
    }
}

void RunDisplay::progress(int done, int count) {
    // Only when the bar would look different: a run over many files must not spend its time
    // repainting a bar whose fill has not moved.
    auto& bar = *m_window.ProgressBar1;
    const long long width = std::max(1, bar.geometry().width);
    const int fill = static_cast<int>(width * done / std::max(1, count));
    if (fill != m_fillShown || done == count) {
        bar.setValue(done);
        m_fillShown = fill;
    }
}

bool RunDisplay::stepFailed(const std::exception& failure, const std::string& fileObject) {
    return reportError(m_errors, failure, fileObject, kSource) == platform::MessageResult::Retry;
}

}  // namespace qm
