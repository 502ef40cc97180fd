#include "mainwindow/RunDisplay.h"

#include <algorithm>

#include "frame/ErrorTail.h"

namespace qm {

RunDisplay::RunDisplay(platform::MainControls& window, ErrorReporter& errors,
                       const platform::Clock& clock, platform::PreviewControls* preview)
    : m_window(window), m_errors(errors), m_clock(clock), m_preview(preview) {}

void RunDisplay::show(int count) {
    auto& bar = *m_window.ProgressBar1;
    const int height = bar.geometry().height;
    bar.setGeometry(platform::Rect{0, m_window.window->innerHeight() - height,
                                   m_window.window->innerWidth(), height});
    m_barWidth = std::max(1, m_window.window->innerWidth());
    bar.setMax(count);
    bar.setValue(0);
    bar.setVisible(true);
    m_window.StatusBar1->setVisible(false);
    m_done = 0;
    m_lastFill = 0;
    m_drawnAt = m_clock.now();
    m_interval = kRedrawInterval;
}

void RunDisplay::hide() {
    m_window.StatusBar1->setVisible(true);
    m_window.ProgressBar1->setVisible(false);
}

void RunDisplay::namePair(const std::string& oldName, const std::string& newName) {
    if (m_preview != nullptr) {
        m_preview->rows->add(oldName, newName);
    }
}

void RunDisplay::progress(int done, int count) {
    m_done = done;
    const int fill = static_cast<int>(m_barWidth * done / std::max(1, count));
    // The clock is read once for each pixel the fill grows, not for every file.
    if (done == count || (fill != m_lastFill && m_clock.now() - m_drawnAt >= m_interval)) {
        draw(done);
    }
    m_lastFill = fill;
}

void RunDisplay::draw(int done) {
    const platform::TimePoint start = m_clock.now();
    m_window.ProgressBar1->setValue(done);
    m_drawnAt = m_clock.now();
    m_interval = std::clamp<platform::TimePoint::duration>((m_drawnAt - start) * kRedrawShare,
                                                           kRedrawInterval, kLongestInterval);
}

bool RunDisplay::stepFailed(const std::exception& failure, const std::string& fileObject) {
    // While the dialog is up the bar shows where the run stands.
    if (m_window.ProgressBar1->value() != m_done) {
        draw(m_done);
    }
    return reportError(m_errors, failure, fileObject, kSource) == platform::MessageResult::Retry;
}

}  // namespace qm
