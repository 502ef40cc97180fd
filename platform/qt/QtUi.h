// The Qt user interface: builds each window from its design with real widgets over the file
// layer and the drive query, and reaches the pointer, the clipboard and the event loop.
//
// main() makes a QApplication first, then one QtUi (and a QtMessageBox) for the program's
// services, runs the start-up, and ends with `return ui.exec();`.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Text.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtDriveList.h"
#include "platform/qt/QtFileList.h"
#include "platform/qt/QtFolderList.h"
#include "platform/qt/QtSystemInformation.h"
#include "platform/qt/QtWindow.h"
#include "services/DriveQuery.h"
#include "services/FileSystem.h"
#include "services/SystemFacts.h"
#include "ui/BuiltForm.h"
#include "ui/ViewBinding.h"
#include "ui/Views.h"

namespace qm::platform {

class QtUi;

// One window built from its design with real widgets, found by name through BuiltForm.
class QtForm : public BuiltForm {
  public:
    QtForm(const FormDesign& design, QtUi& ui, QtWindow::Kind kind);
    ~QtForm();
    QtForm(const QtForm&) = delete;
    QtForm& operator=(const QtForm&) = delete;

    QtWindow& window() { return *m_window; }
    QtSystemInformation& systemInfo() { return m_systemInfo; }

  private:
    void chainTabOrder();

    std::unique_ptr<QtWindow> m_window;
    QtSystemInformation m_systemInfo;
};

template <typename Controls>
using QtView = FormView<Controls, QtForm>;

class QtPointer : public Pointer {
  public:
    ~QtPointer() override;
    // The busy pointer over every window of the program (not a stack: one false ends it).
    void setBusy(bool busy) override;
    // Lets pending paint and window events run; the user's input waits for the handler to end,
    // so no other handler starts in the middle of this one.
    void processEvents() override;
    bool busy() const { return m_busy; }

  private:
    bool m_busy = false;
};

class QtClipboard : public Clipboard {
  public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

class QtUi : public Ui {
  public:
    // Needs a QApplication. The program ends only through quit(): closing the last window does
    // not end it by itself.
    QtUi(const FileSystem& files, const DriveQuery& drives, const text::CaseMapper& mapper,
         const SystemFacts& facts);
    // Deletes the widgets of the windows already dropped (their deletion waits for the event
    // loop, which may not run again).
    ~QtUi() override;

    std::unique_ptr<MainView> createMainWindow() override;
    std::unique_ptr<PreviewView> createPreviewWindow() override;
    std::unique_ptr<AboutView> createAboutWindow() override;
    Pointer& pointer() override { return m_pointer; }
    Clipboard& clipboard() override { return m_clipboard; }
    void quit() override;

    // Runs the event loop until quit(); returns at once when quit() came before it (a start-up
    // that already ended the program).
    int exec();
    bool quitRequested() const { return m_quitRequested; }

    const FileSystem& files() const { return m_files; }
    const DriveQuery& drives() const { return m_drives; }
    const text::CaseMapper& caseMapper() const { return m_mapper; }
    const SystemFacts& facts() const { return m_facts; }

  private:
    const FileSystem& m_files;
    const DriveQuery& m_drives;
    const text::CaseMapper& m_mapper;
    const SystemFacts& m_facts;
    QtPointer m_pointer;
    QtClipboard m_clipboard;
    bool m_quitRequested = false;
};

}  // namespace qm::platform
