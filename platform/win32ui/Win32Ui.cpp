#include "platform/win32ui/Win32Ui.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32ui/Win32Controls.h"
#include "platform/win32ui/Win32DriveList.h"
#include "platform/win32ui/Win32FileList.h"
#include "platform/win32ui/Win32FolderList.h"
#include "platform/win32ui/Win32PreviewList.h"

namespace qm::platform {

namespace {

// The Win32 control of each kind, made in the window's client area or in the frame holding it.
class Win32ControlFactory final : public ControlFactory {
  public:
    Win32ControlFactory(Win32Ui& ui, Win32Window& window, const FormDesign& design)
        : m_ui(ui), m_window(window), m_design(design) {}

    std::unique_ptr<Control> driveList(const ControlDesign& d, Control* container) override {
        return add(
            std::make_unique<Win32DriveList>(d, m_window, parentIn(container), m_ui.drives()));
    }
    std::unique_ptr<Control> folderList(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32FolderList>(d, m_window, parentIn(container), m_ui.files(),
                                                     m_ui.drives(), m_ui.caseMapper()));
    }
    std::unique_ptr<Control> fileList(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32FileList>(d, m_window, parentIn(container), m_ui.files(),
                                                   m_ui.caseMapper()));
    }
    std::unique_ptr<Control> comboBox(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32ComboBox>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> button(const ControlDesign& d, Control* container) override {
        auto button = std::make_unique<Win32Button>(d, m_window, parentIn(container));
        if (d.defaultButton) {
            m_window.setDefaultButton(button.get());
        }
        if (d.cancelButton) {
            m_window.setCancelButton(button.get());
        }
        return add(std::move(button));
    }
    std::unique_ptr<Control> frame(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32Frame>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> optionButton(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32OptionButton>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> label(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32Label>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> textBox(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32TextBox>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> listBox(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32ListBox>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> progressBar(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32ProgressBar>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<Control> statusBar(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32StatusBar>(d, m_window, parentIn(container),
                                                    m_design.statusPanelWidths));
    }
    std::unique_ptr<Control> line(const ControlDesign& d, Control* container) override {
        return add(std::make_unique<Win32Line>(d, m_window, parentIn(container)));
    }
    std::unique_ptr<MenuItem> menuItem(const MenuDesign& m) override {
        return m_window.addMenuItem(m);
    }
    void joinGroup(const std::vector<Control*>& options) override {
        std::vector<Win32OptionButton*> group;
        for (Control* option : options) {
            group.push_back(&dynamic_cast<Win32OptionButton&>(*option));
        }
        for (Win32OptionButton* option : group) {
            option->setGroup(group);
        }
    }

  private:
    HWND parentIn(Control* container) const {
        return container != nullptr ? dynamic_cast<Win32ControlBase&>(*container).handle()
                                    : m_window.handle();
    }
    template <typename T>
    std::unique_ptr<Control> add(std::unique_ptr<T> control) {
        m_window.addControl(control.get());
        return control;
    }

    Win32Ui& m_ui;
    Win32Window& m_window;
    const FormDesign& m_design;
};

// A preview window that goes back to the Ui's slot, hidden and renewed, when the program is done
// with it, unless the slot holds one already or the Ui has gone.
class KeptPreview final : public FormView<PreviewControls, Win32Form> {
  public:
    KeptPreview(std::unique_ptr<Win32Form> form,
                const std::shared_ptr<std::unique_ptr<Win32Form>>& slot)
        : FormView(std::move(form)), m_slot(slot) {}
    ~KeptPreview() override {
        const auto slot = m_slot.lock();
        if (slot != nullptr && *slot == nullptr) {
            try {
                m_form->renew();
                *slot = std::move(m_form);
            } catch (const std::exception&) {
                // A window that cannot be renewed is not kept: the next preview makes its own.
            }
        }
    }
    KeptPreview(const KeptPreview&) = delete;
    KeptPreview& operator=(const KeptPreview&) = delete;

  private:
    std::weak_ptr<std::unique_ptr<Win32Form>> m_slot;
};

}  // namespace

Win32Form::Win32Form(const FormDesign& design, Win32Ui& ui, Win32Window::Kind kind)
    : m_window(std::make_unique<Win32Window>(design, kind, ui)), m_systemInfo(ui.facts()) {
    Win32ControlFactory factory(ui, *m_window, design);
    build(design, factory);
    m_window->setTabStops(tabOrder<Win32ControlBase>());
    m_window->layout();
}

void Win32Form::renew() {
    m_window->renew();
    for (std::size_t row = 0; row < design().controls.size(); ++row) {
        const ControlDesign& d = design().controls[row];
        Control& c = control(row);
        if (c.geometry() != d.rect) {
            c.setGeometry(d.rect);
        }
        if (c.visible() != d.initiallyVisible) {
            c.setVisible(d.initiallyVisible);
        }
        if (!c.enabled()) {
            c.setEnabled(true);
        }
        c.setToolTip(d.toolTip);
        if (auto* label = dynamic_cast<Label*>(&c);
            label != nullptr && label->caption() != d.caption) {
            label->setCaption(d.caption);
        }
        if (auto* button = dynamic_cast<Button*>(&c)) {
            button->onClick = nullptr;
        }
        if (auto* list = dynamic_cast<ListBox*>(&c)) {
            list->onClick = nullptr;
            // The rows the program is done with go now, not when the next preview comes.
            list->showRows(std::make_shared<PreviewRows>(), PreviewColumn::OldName);
        }
    }
}

Win32Form::~Win32Form() {
    // The controls let go of their window handles before the window destroys them.
    for (std::size_t row = 0; row < design().controls.size(); ++row) {
        dynamic_cast<Win32ControlBase&>(control(row)).detach();
    }
}

Win32Ui::Win32Ui(const FileSystem& files, const DriveQuery& drives, const text::CaseMapper& mapper,
                 const SystemFacts& facts)
    : m_files(files),
      m_drives(drives),
      m_mapper(mapper),
      m_facts(facts),
      m_sparePreview(std::make_shared<std::unique_ptr<Win32Form>>()) {
    m_messageWindow = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
    m_clipboard = std::make_unique<Win32Clipboard>(m_messageWindow);
}

Win32Ui::~Win32Ui() {
    m_pointer.setBusy(false);
    if (m_messageWindow != nullptr) {
        ::DestroyWindow(m_messageWindow);
    }
}

void Win32Ui::quit() {
    if (!m_quitRequested) {
        m_quitRequested = true;
        ::PostQuitMessage(0);
    }
}

void Win32Ui::dispatch(MSG& message) {
    Win32Window* window = Win32Window::from(::GetAncestor(message.hwnd, GA_ROOT));
    if (window != nullptr && window->preTranslate(message)) {
        return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int Win32Ui::exec() {
    runModal([] { return false; });
    return m_exitCode;
}

void Win32Ui::runModal(const std::function<bool()>& done) {
    MSG message;
    while (!m_quitRequested && !done()) {
        // Nothing waits, paints included: the main window is on screen as it will stay.
        if (m_firstPreview == FirstPreview::AtIdle &&
            !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            makePreviewAhead();
            continue;
        }
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // WM_QUIT from elsewhere (the session ends): every loop down the stack ends.
            m_quitRequested = true;
            m_exitCode = got == 0 ? static_cast<int>(message.wParam) : 1;
            break;
        }
        dispatch(message);
    }
}

void Win32Ui::mainWindowShown() {
    if (m_firstPreview == FirstPreview::NotYet) {
        m_firstPreview = FirstPreview::AtIdle;
    }
}

void Win32Ui::makePreviewAhead() {
    m_firstPreview = FirstPreview::Made;
    try {
        auto form =
            std::make_unique<Win32Form>(previewWindowDesign(), *this, Win32Window::Kind::Dialog);
        for (std::size_t row = 0; row < form->design().controls.size(); ++row) {
            if (auto* list = dynamic_cast<Win32ListBox*>(&form->control(row))) {
                list->prepareHidden();
            }
        }
        *m_sparePreview = std::move(form);
    } catch (const std::exception&) {
        // The first preview makes its window then, and reports what fails.
    }
}

void Win32Ui::windowGone(Win32Window* window) {
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

HWND Win32Ui::windowOnTop(const Win32Window* except) const {
    const HWND active = ::GetActiveWindow();
    for (const Win32Window* window : m_windows) {
        if (window != except && window->handle() == active && window->visible()) {
            return active;
        }
    }
    // Else the newest visible one: a window shown later is in front of those before it.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        if (*it != except && (*it)->visible()) {
            return (*it)->handle();
        }
    }
    return nullptr;
}

std::vector<HWND> Win32Ui::disableOthers(const Win32Window* except) {
    std::vector<HWND> disabled;
    for (Win32Window* window : m_windows) {
        if (window != except && window->enabled()) {
            ::EnableWindow(window->handle(), FALSE);
            disabled.push_back(window->handle());
        }
    }
    return disabled;
}

std::unique_ptr<MainView> Win32Ui::createMainWindow() {
    return std::make_unique<FormView<MainControls, Win32Form>>(
        std::make_unique<Win32Form>(mainWindowDesign(), *this, Win32Window::Kind::Main));
}

std::unique_ptr<PreviewView> Win32Ui::createPreviewWindow() {
    m_firstPreview = FirstPreview::Made;
    std::unique_ptr<Win32Form> form = std::move(*m_sparePreview);
    if (form != nullptr) {
        form->window().madeAgain();
    } else {
        form = std::make_unique<Win32Form>(previewWindowDesign(), *this, Win32Window::Kind::Dialog);
    }
    return std::make_unique<KeptPreview>(std::move(form), m_sparePreview);
}

std::unique_ptr<AboutView> Win32Ui::createAboutWindow() {
    return std::make_unique<FormView<AboutControls, Win32Form>>(
        std::make_unique<Win32Form>(aboutWindowDesign(), *this, Win32Window::Kind::Dialog));
}

MessageResult Win32OwnedMessageBox::show(const std::string& text, int style,
                                         const std::string& title) {
    Win32MessageBox box(m_ui.windowOnTop(nullptr));
    return box.show(text, style, title);
}

}  // namespace qm::platform
