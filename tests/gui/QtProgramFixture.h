// The whole program with its real windows: the POSIX services pointed at a temporary folder as
// in main(), the Qt user interface and Qt message boxes, on the offscreen platform. A test plays
// the user with mouse and key events on the widgets themselves; the windows that wait for an
// answer (the About box, the preview, message boxes) are answered by timed steps.
#pragma once

#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtUi.h"
#include "tests/support/Harness.h"
#include "ui/Services.h"

namespace qm::test {

// Each step acts on the next window that waits for an answer, in order, from a timer, as a
// person would once it is on screen. A window that comes up with no step left fails the test
// and is dismissed, so a test never hangs on it.
class ModalSteps {
  public:
    using Step = std::function<void(QWidget* window)>;
    ModalSteps();

    void then(Step step);
    // The steps not yet taken.
    std::size_t pending() const { return m_steps.size(); }

  private:
    void poll();

    QTimer m_timer;
    std::deque<Step> m_steps;
    std::vector<QPointer<QWidget>> m_answering;  // windows whose step is still running
};

class QtProgramFixture : public ::testing::Test {
  protected:
    ~QtProgramFixture() override;

    // Starts the program as main() does (Main, then the main window is up); `about` sees the
    // greeting About box before its Continue is clicked.
    void start(const ModalSteps::Step& about = {});

    QWidget* mainWindow();
    // A widget of the main window by its control's name.
    template <typename W>
    W* widget(const char* name) {
        W* found = mainWindow()->findChild<W*>(QString::fromLatin1(name));
        if (found == nullptr) {
            throw std::out_of_range(std::string("no widget ") + name);
        }
        return found;
    }

    // Clicks `folder` in the folder tree.
    void openFolder(const std::string& folder);
    // Clicks the file `name` in the file list with the given keys held down.
    void clickFile(const std::string& name, Qt::KeyboardModifiers keys = Qt::NoModifier);
    // Clicks into the text box and types `text` at its end.
    void type(const char* name, const std::string& text);
    // The names of the file list selected in its view.
    std::vector<std::string> selectedInView();

    Harness h;  // the POSIX services, the clock and the machine's facts
    platform::QtMessageBox messages;
    platform::QtUi ui{h.files, h.drives, h.caseMapper, h.facts};
    platform::Services services{h.files, h.trash,      messages,   h.shell,  h.clock, h.format,
                                h.facts, h.caseMapper, h.registry, h.drives, ui};
    ModalSteps modals;
    std::unique_ptr<Application> app;
};

}  // namespace qm::test
