#include "platform/win32ui/Win32Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "base/RunError.h"
#include "base/Text.h"
#include "base/Utf16.h"
#include "platform/win32ui/Win32Dpi.h"
#include "platform/win32ui/Win32Window.h"

namespace qm::platform {

using win32ui::ProgramChange;
using win32ui::raiseFromUser;
using win32ui::scaled;
using win32ui::shown;
using win32ui::windowText;

namespace {

void checkIndex(int index, int count) {
    if (index < 0 || index >= count) {
        throw RunError(kInvalidProcedureCall);
    }
}

bool isLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Characters (code points) before UTF-16 position `units`.
int charactersBefore(const std::wstring& text, int units) {
    int characters = 0;
    for (int i = 0; i < units && i < static_cast<int>(text.size()); ++i) {
        if (!isLowSurrogate(text[static_cast<std::size_t>(i)]) || i == 0) {
            ++characters;
        }
    }
    return characters;
}

// The UTF-16 position of character `characters`.
int unitsBefore(const std::wstring& text, int characters) {
    int units = 0;
    for (int seen = 0; units < static_cast<int>(text.size()); ++units) {
        if (!isLowSurrogate(text[static_cast<std::size_t>(units)]) || units == 0) {
            if (seen == characters) {
                break;
            }
            ++seen;
        }
    }
    return units;
}

std::wstring wideWindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return buffer;
}

}  // namespace

// ---- label

Win32Label::Win32Label(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, L"STATIC",
                       SS_NOPREFIX | (design.centred ? SS_CENTER : SS_LEFT), 0),
      m_caption(design.caption) {}

void Win32Label::setCaption(const std::string& caption) {
    m_caption = caption;
    ::SetWindowTextW(m_handle, shown(caption).c_str());
}

// ---- frame

Win32Frame::Win32Frame(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, Win32Window::kFrameClass, 0, WS_EX_CONTROLPARENT),
      m_caption(design.caption) {
    // First in the frame's order, as in a dialog, so that a screen reader finds the box before
    // the options it holds; transparent, so that it is drawn over them without hiding them.
    m_box = ::CreateWindowExW(WS_EX_TRANSPARENT, L"BUTTON", shown(design.caption).c_str(),
                              WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, m_handle, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowTextW(m_handle, shown(design.caption).c_str());
}

void Win32Frame::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    RECT area{};
    ::GetClientRect(m_handle, &area);
    // Along the frame's edges.
    ::SetWindowPos(m_box, nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(m_box, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// ---- button

Win32Button::Win32Button(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, L"BUTTON",
                       WS_TABSTOP | (design.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0),
      m_caption(design.caption) {}

void Win32Button::command(int code) {
    if (code == BN_CLICKED) {
        raiseFromUser(onClick);
    }
}

void Win32Button::click() {
    if (::IsWindowEnabled(m_handle) && ::IsWindowVisible(m_handle)) {
        raiseFromUser(onClick);
    }
}

// ---- text box

Win32TextBox::Win32TextBox(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL,
                       WS_EX_CLIENTEDGE) {}

std::string Win32TextBox::text() const {
    return windowText(m_handle);
}

void Win32TextBox::setText(const std::string& text) {
    {
        const ProgramChange change(m_programChange);
        ::SetWindowTextW(m_handle, shown(text).c_str());
        const auto end = static_cast<WPARAM>(::GetWindowTextLengthW(m_handle));
        ::SendMessageW(m_handle, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    raise(onChange);
}

int Win32TextBox::selStart() const {
    DWORD start = 0;
    ::SendMessageW(m_handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return charactersBefore(wideWindowText(m_handle), static_cast<int>(start));
}

int Win32TextBox::selLength() const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(m_handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    const std::wstring text = wideWindowText(m_handle);
    return charactersBefore(text, static_cast<int>(end)) -
           charactersBefore(text, static_cast<int>(start));
}

void Win32TextBox::setSelection(int start, int length) {
    const std::wstring text = wideWindowText(m_handle);
    const int count = charactersBefore(text, static_cast<int>(text.size()));
    start = std::clamp(start, 0, count);
    length = std::clamp(length, 0, count - start);
    ::SendMessageW(m_handle, EM_SETSEL, static_cast<WPARAM>(unitsBefore(text, start)),
                   static_cast<LPARAM>(unitsBefore(text, start + length)));
}

std::string Win32TextBox::selText() const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(m_handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    const std::wstring text = wideWindowText(m_handle);
    return text::fromUtf16(std::wstring_view(text).substr(start, end - start));
}

void Win32TextBox::setSelText(const std::string& text) {
    {
        const ProgramChange change(m_programChange);
        ::SendMessageW(m_handle, EM_REPLACESEL, TRUE,
                       reinterpret_cast<LPARAM>(shown(text).c_str()));
    }
    raise(onChange);
}

void Win32TextBox::command(int code) {
    if (code == EN_CHANGE && !m_programChange) {
        raiseFromUser(onChange);
    }
}

// ---- combo box

Win32ComboBox::Win32ComboBox(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, L"COMBOBOX",
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0) {
    // The edit field inside shows the same tooltip.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(m_handle, &info) && info.hwndItem != nullptr) {
        window.addTool(info.hwndItem);
    }
}

void Win32ComboBox::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    win32ui::placeComboBox(m_handle, pixels(geometry(), dpi), dpi);
}

void Win32ComboBox::setEditText(const std::string& text) {
    const ProgramChange change(m_programChange);
    ::SetWindowTextW(m_handle, shown(text).c_str());
}

void Win32ComboBox::clear() {
    const std::string kept = text();
    {
        const ProgramChange change(m_programChange);
        ::SendMessageW(m_handle, CB_RESETCONTENT, 0, 0);
    }
    m_entries.clear();
    setEditText(kept);
}

void Win32ComboBox::addItem(const std::string& item) {
    m_entries.add(item);
    const ProgramChange change(m_programChange);
    ::SendMessageW(m_handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown(item).c_str()));
}

void Win32ComboBox::setListIndex(int index) {
    m_entries.choose(index);
    if (index < 0) {
        return;
    }
    {
        const ProgramChange change(m_programChange);
        ::SendMessageW(m_handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    setEditText(m_entries.at(index));
    raise(onClick);
}

std::string Win32ComboBox::text() const {
    return windowText(m_handle);
}

void Win32ComboBox::setText(const std::string& text) {
    if (text == this->text()) {
        return;
    }
    setEditText(text);
    m_entries.chooseText(text);
    raise(onChange);
}

void Win32ComboBox::command(int code) {
    if (m_programChange) {
        return;
    }
    if (code == CBN_SELCHANGE) {
        const int index = static_cast<int>(::SendMessageW(m_handle, CB_GETCURSEL, 0, 0));
        if (index < 0 || index >= listCount()) {
            return;
        }
        m_entries.choose(index);
        // The edit field takes the entry's text only after this notification: the handler
        // reads it now.
        setEditText(m_entries.at(index));
        raiseFromUser(onClick);
    } else if (code == CBN_EDITCHANGE) {
        m_entries.chooseText(text());
        raiseFromUser(onChange);
    }
}

// ---- option button

Win32OptionButton::Win32OptionButton(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0),
      m_caption(design.caption) {
    if (design.initiallyChosen) {
        ::SendMessageW(m_handle, BM_SETCHECK, BST_CHECKED, 0);
    }
}

bool Win32OptionButton::value() const {
    return ::SendMessageW(m_handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32OptionButton::check() {
    for (Win32OptionButton* option : m_group) {
        if (option != this) {
            ::SendMessageW(option->handle(), BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    ::SendMessageW(m_handle, BM_SETCHECK, BST_CHECKED, 0);
}

void Win32OptionButton::setValue(bool value) {
    if (!value) {
        ::SendMessageW(m_handle, BM_SETCHECK, BST_UNCHECKED, 0);
        return;
    }
    check();
    raise(onClick);
}

void Win32OptionButton::choose() {
    if (!::IsWindowEnabled(m_handle) || !::IsWindowVisible(m_handle)) {
        return;
    }
    ::SetFocus(m_handle);
    check();
    raiseFromUser(onClick);
}

void Win32OptionButton::command(int code) {
    if (code == BN_CLICKED) {
        check();
        raiseFromUser(onClick);
    }
}

// ---- status bar

std::wstring compactedFolder(const std::wstring& path,
                             const std::function<bool(const std::wstring&)>& fits) {
    if (fits(path)) {
        return path;
    }
    // The root: "C:\" or "\\server\share\".
    std::size_t root = path.size() >= 3 && path[1] == L':' && path[2] == L'\\' ? 3 : 0;
    if (path.starts_with(LR"(\\)")) {
        const std::size_t share = path.find(L'\\', std::min(path.find(L'\\', 2), path.size()) + 1);
        root = share == std::wstring::npos ? path.size() : share + 1;
    }
    const bool trailing = path.size() > root && path.back() == L'\\';
    std::vector<std::wstring> folders;
    const std::wstring body = path.substr(root, path.size() - root - (trailing ? 1 : 0));
    for (std::size_t start = 0; start < body.size();) {
        const std::size_t end = std::min(body.find(L'\\', start), body.size());
        folders.push_back(body.substr(start, end - start));
        start = end + 1;
    }
    if (folders.size() < 2) {
        return path;
    }
    const std::wstring end = trailing ? L"\\" : L"";
    for (std::size_t first = 1; first < folders.size(); ++first) {
        std::wstring candidate = path.substr(0, root) + L"...";
        for (std::size_t i = first; i < folders.size(); ++i) {
            candidate += L"\\" + folders[i];
        }
        if (fits(candidate + end)) {
            return candidate + end;
        }
    }
    return L"...\\" + folders.back() + end;
}

Win32StatusBar::Win32StatusBar(const ControlDesign& design, Win32Window& window, HWND parent,
                               std::vector<int> panelWidths)
    : Win32ControlBase(design, window, parent, STATUSCLASSNAMEW,
                       CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0),
      m_widths(std::move(panelWidths)),
      m_texts(2) {}

void Win32StatusBar::layout(int dpi, HFONT font) {
    Win32ControlBase::layout(dpi, font);
    std::vector<int> edges;
    int right = 0;
    for (std::size_t i = 0; i + 1 < m_texts.size(); ++i) {
        right += i < m_widths.size() ? m_widths[i] : 0;
        edges.push_back(scaled(right, dpi));
    }
    edges.push_back(-1);
    ::SendMessageW(m_handle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        showPanel(i);
    }
}

void Win32StatusBar::showPanel(std::size_t index) {
    std::wstring text = shown(m_texts[index]);
    if (index == 0) {
        RECT part{};
        ::SendMessageW(m_handle, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
        // Less the room the bar leaves around a panel's text.
        const int room = part.right - part.left - scaled(8, window().dpi());
        const HDC dc = ::GetDC(m_handle);
        const HGDIOBJ old = ::SelectObject(dc, window().font());
        text = compactedFolder(text, [&](const std::wstring& candidate) {
            SIZE size{};
            ::GetTextExtentPoint32W(dc, candidate.c_str(), static_cast<int>(candidate.size()),
                                    &size);
            return size.cx <= room;
        });
        ::SelectObject(dc, old);
        ::ReleaseDC(m_handle, dc);
    }
    ::SendMessageW(m_handle, SB_SETTEXTW, index, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Win32StatusBar::panelText(int panel) const {
    checkIndex(panel - 1, static_cast<int>(m_texts.size()));
    return m_texts[static_cast<std::size_t>(panel - 1)];
}

void Win32StatusBar::setPanelText(int panel, const std::string& text) {
    checkIndex(panel - 1, static_cast<int>(m_texts.size()));
    m_texts[static_cast<std::size_t>(panel - 1)] = text;
    showPanel(static_cast<std::size_t>(panel - 1));
}

// ---- progress bar

Win32ProgressBar::Win32ProgressBar(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, PROGRESS_CLASSW, PBS_SMOOTH, 0) {
    ::SendMessageW(m_handle, PBM_SETRANGE32, 0, m_max);
}

void Win32ProgressBar::setMax(int max) {
    m_max = max;
    ::SendMessageW(m_handle, PBM_SETRANGE32, 0, std::max(max, 1));
}

void Win32ProgressBar::setValue(int value) {
    if (value < 0 || value > m_max) {
        throw RunError(kInvalidProcedureCall);
    }
    m_value = value;
    // The styled bar glides to a higher value on a timer, which never runs while a run holds the
    // message loop; a lower value it shows at once. So: one past the value, then the value.
    const int top = std::max(m_max, 1);
    if (value >= top) {
        ::SendMessageW(m_handle, PBM_SETRANGE32, 0, top + 1);
        ::SendMessageW(m_handle, PBM_SETPOS, static_cast<WPARAM>(top + 1), 0);
        ::SendMessageW(m_handle, PBM_SETPOS, static_cast<WPARAM>(value), 0);
        ::SendMessageW(m_handle, PBM_SETRANGE32, 0, top);
    } else {
        ::SendMessageW(m_handle, PBM_SETPOS, static_cast<WPARAM>(value + 1), 0);
        ::SendMessageW(m_handle, PBM_SETPOS, static_cast<WPARAM>(value), 0);
    }
    ::UpdateWindow(m_handle);
    // Looking at the queue (taking nothing from it) tells the system the program still answers,
    // so that a long run does not get its window greyed out as hung.
    MSG pending;
    ::PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_NOYIELD);
}

// ---- line

const wchar_t* Win32Line::registerClass() {
    static const wchar_t* const name = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = &Win32Line::procedure;
        c.hInstance = ::GetModuleHandleW(nullptr);
        c.lpszClassName = L"QuillmoteLine";
        ::RegisterClassExW(&c);
        return L"QuillmoteLine";
    }();
    return name;
}

Win32Line::Win32Line(const ControlDesign& design, Win32Window& window, HWND parent)
    : Win32ControlBase(design, window, parent, registerClass(), 0, WS_EX_TRANSPARENT) {
    const Rect& r = design.rect;
    setEnds(r.left, r.top, r.left + r.width, r.top + r.height);
}

void Win32Line::setEnds(int x1, int y1, int x2, int y2) {
    m_ends = Rect{x1, y1, x2, y2};
    // The box from one end to the other, at least one pixel each way.
    setGeometry(Rect{std::min(x1, x2), std::min(y1, y2), std::max(std::abs(x2 - x1), 1),
                     std::max(std::abs(y2 - y1), 1)});
    ::InvalidateRect(m_handle, nullptr, TRUE);
}

LRESULT CALLBACK Win32Line::procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    if (message != WM_PAINT) {
        return ::DefWindowProcW(handle, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(handle, &paint);
    if (auto* self = static_cast<Win32Line*>(from(handle))) {
        RECT box{};
        ::GetClientRect(handle, &box);
        const Rect& e = self->m_ends;
        // Which corners the ends are at: the box only knows its extent.
        const bool fallsRight = (e.width >= e.left) == (e.height >= e.top);
        const HGDIOBJ pen = ::SelectObject(dc, ::GetStockObject(DC_PEN));
        ::SetDCPenColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        if (box.bottom <= 1 || box.right <= 1) {
            ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_WINDOWTEXT));
        } else if (fallsRight) {
            ::MoveToEx(dc, 0, 0, nullptr);
            ::LineTo(dc, box.right, box.bottom);
        } else {
            ::MoveToEx(dc, 0, box.bottom - 1, nullptr);
            ::LineTo(dc, box.right, -1);
        }
        ::SelectObject(dc, pen);
    }
    ::EndPaint(handle, &paint);
    return 0;
}

// ---- menu item

Win32MenuItem::Win32MenuItem(const MenuDesign& design, HMENU parent, UINT id, HMENU popup)
    : m_design(design), m_parent(parent), m_id(id), m_popup(popup) {}

bool Win32MenuItem::enabled() const {
    const UINT flags = m_popup != nullptr ? MF_BYPOSITION : MF_BYCOMMAND;
    const UINT state = ::GetMenuState(m_parent, m_id, flags);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void Win32MenuItem::setEnabled(bool enabled) {
    const UINT flags = m_popup != nullptr ? MF_BYPOSITION : MF_BYCOMMAND;
    ::EnableMenuItem(m_parent, m_id, flags | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace qm::platform
