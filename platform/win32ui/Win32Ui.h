// The Win32 user interface: builds each window from its design with Win32 controls over the file
// layer and the drive query, runs the message loop (the keyboard goes to the window before its
// controls), keeps track of the program's windows for modal showing and ownership, and reaches
// the pointer and the clipboard.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/Text.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32SystemInformation.h"
#include "platform/win32ui/Win32Clipboard.h"
#include "platform/win32ui/Win32Pointer.h"
#include "platform/win32ui/Win32Window.h"
#include "services/DriveQuery.h"
#include "services/FileSystem.h"
#include "services/MessageBox.h"
#include "services/SystemFacts.h"
#include "ui/BuiltForm.h"
#include "ui/ViewBinding.h"
#include "ui/Views.h"

namespace qm::platform {

class Win32Ui;

// One window built from its design with Win32 controls, found by name through BuiltForm.
class Win32Form : public BuiltForm {
  public:
    Win32Form(const FormDesign& design, Win32Ui& ui, Win32Window::Kind kind);
    ~Win32Form();
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    Win32Window& window() { return *m_window; }
    Win32SystemInformation& systemInfo() { return m_systemInfo; }
    // Back to what the form showed when it was made, to be shown again: the window renewed, and
    // each label, list and button with its design's caption, tooltip, place, shown and enabled,
    // without handlers (a preview window holds no other kind).
    void renew();

  private:
    std::unique_ptr<Win32Window> m_window;
    Win32SystemInformation m_systemInfo;
};

class Win32Ui : public Ui {
  public:
    Win32Ui(const FileSystem& files, const DriveQuery& drives, const text::CaseMapper& mapper,
            const SystemFacts& facts);
    ~Win32Ui() override;
    Win32Ui(const Win32Ui&) = delete;
    Win32Ui& operator=(const Win32Ui&) = delete;

    std::unique_ptr<MainView> createMainWindow() override;
    std::unique_ptr<PreviewView> createPreviewWindow() override;
    std::unique_ptr<AboutView> createAboutWindow() override;
    Pointer& pointer() override { return m_pointer; }
    Clipboard& clipboard() override { return *m_clipboard; }
    void quit() override;

    // Runs the message loop until quit(); returns at once when quit() came before it.
    int exec();
    // Runs the message loop until `done` holds or the program quits.
    void runModal(const std::function<bool()>& done);
    // The main window is shown: once nothing waits to be handled or painted, the loop makes the
    // preview window ahead of the first preview, hidden, unless a preview came first.
    void mainWindowShown();
    // A preview window waits hidden for the next preview.
    bool previewWaiting() const { return *m_sparePreview != nullptr; }
    // Handles one message as the loop does: the window sees its keyboard first.
    static void dispatch(MSG& message);

    // What the windows need of each other.
    void windowCreated(Win32Window* window) { m_windows.push_back(window); }
    void windowGone(Win32Window* window);
    bool busy() const { return m_pointer.busy(); }
    // The visible window of the program that is in front, other than `except` (nullptr: none).
    HWND windowOnTop(const Win32Window* except) const;
    // Disables every other enabled window of the program and returns them.
    std::vector<HWND> disableOthers(const Win32Window* except);

    const FileSystem& files() const { return m_files; }
    const DriveQuery& drives() const { return m_drives; }
    const text::CaseMapper& caseMapper() const { return m_mapper; }
    const SystemFacts& facts() const { return m_facts; }

  private:
    void makePreviewAhead();

    const FileSystem& m_files;
    const DriveQuery& m_drives;
    const text::CaseMapper& m_mapper;
    const SystemFacts& m_facts;
    HWND m_messageWindow = nullptr;  // owns what the program puts on the clipboard
    Win32Pointer m_pointer;
    std::unique_ptr<Win32Clipboard> m_clipboard;
    std::vector<Win32Window*> m_windows;  // in the order they were made
    // The preview window kept hidden once the program is done with it, for the next preview:
    // making its window and controls anew, and showing a new window for the first time, is
    // most of what a preview costs the window under Wine. Held through a slot that a preview
    // still shown when this goes finds empty.
    std::shared_ptr<std::unique_ptr<Win32Form>> m_sparePreview;
    // The first preview window: made by the first preview, or ahead of it once the program is
    // idle after the main window's first showing.
    enum class FirstPreview { NotYet, AtIdle, Made };
    FirstPreview m_firstPreview = FirstPreview::NotYet;
    bool m_quitRequested = false;
    int m_exitCode = 0;
};

// Message boxes owned by the program's window in front, so that they stay above it.
class Win32OwnedMessageBox : public MessageBox {
  public:
    explicit Win32OwnedMessageBox(const Win32Ui& ui) : m_ui(ui) {}
    MessageResult show(const std::string& text, int style, const std::string& title) override;

  private:
    const Win32Ui& m_ui;
};

}  // namespace qm::platform
