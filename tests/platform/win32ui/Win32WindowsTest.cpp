// The Win32 windows against their designs: every control where its row puts it, scaled by the
// window's DPI, with the row's caption; the file list's clicks as real mouse messages, with the
// selection events they raise; keys as the message loop hands them on.
#include <gtest/gtest.h>

#include <windows.h>
#include <cstdio>
#include <tuple>
// after windows.h, which it needs
#include <commctrl.h>

#include "base/Utf16.h"
#include "platform/win32/Win32CaseRules.h"
#include "platform/win32/Win32DriveQuery.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32ui/Win32Controls.h"
#include "platform/win32ui/Win32FileList.h"
#include "platform/win32ui/Win32PreviewList.h"
#include "platform/win32ui/Win32Ui.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

struct World {
    Win32FileSystem files;
    Win32DriveQuery drives;
    Win32SystemFacts facts;
    text::CaseMapper mapper{Win32CaseRules::invariant()};
    Win32Ui ui{files, drives, mapper, facts};
};

template <typename Controls>
Win32Form& formOf(View<Controls>& view) {
    return dynamic_cast<FormView<Controls, Win32Form>&>(view).form();
}

// A child window's rectangle in its parent's client area.
RECT placeOf(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string textOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text::fromUtf16(text);
}

// What a screen reader names a control without a caption by: the static text found first going
// back through the window's order, the search ending at a control that starts a tab group.
std::string labelBefore(HWND control) {
    for (HWND w = ::GetWindow(control, GW_HWNDPREV); w != nullptr;
         w = ::GetWindow(w, GW_HWNDPREV)) {
        wchar_t kind[16] = {};
        ::GetClassNameW(w, kind, 16);
        if (::lstrcmpiW(kind, L"STATIC") == 0) {
            return textOf(w);
        }
        if ((::GetWindowLongPtrW(w, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) ==
            (WS_GROUP | WS_TABSTOP)) {
            break;
        }
    }
    return "";
}

// The waiting messages, handled as the program's message loop does.
void pump() {
    for (MSG m; ::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) {
        Win32Ui::dispatch(m);
    }
}

// A key as a user's arrives: queued for the control with the focus, seen by its window first
// (Alt as a system key, with its context bit).
void press(Control* control, WPARAM key) {
    const HWND handle = dynamic_cast<Win32ControlBase&>(*control).handle();
    ::SetFocus(handle);
    const bool alt = key == VK_MENU;
    ::PostMessageW(handle, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? 1 << 29 : 0);
    pump();
}

using WinEvent = std::tuple<DWORD, HWND, LONG, LONG>;  // event, window, object, child
std::vector<WinEvent> winEvents;

void CALLBACK recordWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                             DWORD, DWORD) {
    winEvents.emplace_back(event, window, object, child);
}

void expectAsDesigned(Win32Form& form) {
    const FormDesign& design = form.design();
    Win32Window& window = form.window();
    const int dpi = window.dpi();
    std::printf("%s at %d DPI\n", design.name.c_str(), dpi);
    const auto px = [dpi](int design) { return ::MulDiv(design, dpi, 96); };
    RECT client{};
    ::GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, px(design.width)) << design.name;
    EXPECT_EQ(client.bottom, px(design.height)) << design.name;
    EXPECT_EQ(textOf(window.handle()), design.caption) << design.name;
    for (std::size_t row = 0; row < design.controls.size(); ++row) {
        const ControlDesign& d = design.controls[row];
        if (d.kind == ControlKind::Line) {
            continue;  // a line's window is its ends' box, at least a pixel each way
        }
        const HWND handle = dynamic_cast<Win32ControlBase&>(form.control(row)).handle();
        const RECT r = placeOf(handle);
        const std::string what = design.name + "." + d.name + "(" + std::to_string(d.index) + ")";
        EXPECT_EQ(r.left, px(d.rect.left)) << what;
        EXPECT_EQ(r.top, px(d.rect.top)) << what;
        EXPECT_EQ(r.right, px(d.rect.left + d.rect.width)) << what;
        const bool dropDown = d.kind == ControlKind::ComboBox || d.kind == ControlKind::DriveList;
        if (!dropDown) {  // a drop-down's window holds its open list too
            EXPECT_EQ(r.bottom, px(d.rect.top + d.rect.height)) << what;
        }
        if (!d.label.empty()) {
            EXPECT_EQ(labelBefore(handle), form.get<Win32Label>(d.label).caption()) << what;
        } else if (!d.accessibleName.empty()) {
            EXPECT_EQ(labelBefore(handle), d.accessibleName) << what;
        }
        if (d.kind == ControlKind::Frame) {  // its group box before the options it holds
            EXPECT_EQ(::GetWindowLongPtrW(::GetWindow(handle, GW_CHILD), GWL_STYLE) & BS_GROUPBOX,
                      BS_GROUPBOX);
        }
        if (d.kind == ControlKind::Button || d.kind == ControlKind::OptionButton ||
            d.kind == ControlKind::Frame || (d.kind == ControlKind::Label && !d.caption.empty())) {
            EXPECT_EQ(textOf(handle), d.caption) << what;
        }
    }
}

TEST(Win32Windows, EveryControlSitsWhereItsDesignSaysScaledByTheWindowsDpi) {
    World world;
    auto main = world.ui.createMainWindow();
    expectAsDesigned(formOf(*main));
    auto preview = world.ui.createPreviewWindow();
    expectAsDesigned(formOf(*preview));
    auto about = world.ui.createAboutWindow();
    expectAsDesigned(formOf(*about));
    // Shown over the status bar, the progress bar keeps its name.
    ProgressBar& bar = *main->controls().ProgressBar1;
    bar.setVisible(true);
    EXPECT_EQ(labelBefore(dynamic_cast<Win32ControlBase&>(bar).handle()), "Rename progress");
}

// The keys move through the folder tree one shown folder at a time, opening none, and through the
// closed drive list without choosing a drive until the focus moves on.
TEST(Win32Windows, KeysMoveThroughTheTreeAndTheDriveListWithoutOpeningOrChoosing) {
    test::TempFolder dir;
    dir.makeFolder("a/inner");
    dir.makeFolder("b");
    World world;
    auto main = world.ui.createMainWindow();
    MainControls& c = main->controls();
    c.window->show();
    c.Dir1->setPath(dir.path());
    c.Drive1->setDrive(dir.path());
    press(c.Dir1, VK_DOWN);
    press(c.Dir1, VK_DOWN);
    EXPECT_EQ(c.Dir1->path(), dir / "b");

    ASSERT_GE(c.Drive1->listCount(), 2);
    int current = 0;
    while (c.Drive1->list(current) != c.Drive1->drive()) {
        ++current;
    }
    int changes = 0;
    c.Drive1->onChange = [&] { ++changes; };
    press(c.Drive1, current == 0 ? VK_DOWN : VK_HOME);  // another drive, only shown
    EXPECT_EQ(changes, 0);
    c.cmdExit->setFocus();
    pump();
    EXPECT_EQ(changes, 1);
}

TEST(Win32Windows, CtrlAndShiftClicksInTheFileListSelectAsAListBoxDoes) {
    test::TempFolder dir;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
        dir.write(name);
    }
    World world;
    auto main = world.ui.createMainWindow();
    MainControls& c = main->controls();
    c.window->show();
    c.File1->setPath(dir.path());
    ASSERT_EQ(c.File1->listCount(), 5);
    const HWND list = dynamic_cast<Win32FileList&>(*c.File1).handle();
    int clicks = 0;
    c.File1->onClick = [&] { ++clicks; };
    const auto click = [&](int row, WPARAM keys) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
        ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        ::SendMessageW(list, WM_LBUTTONUP, keys, at);
    };
    const auto selection = [&] {
        std::string marks;
        for (int i = 0; i < c.File1->listCount(); ++i) {
            marks += c.File1->selected(i) ? 'x' : '.';
        }
        return marks;
    };
    // What a screen reader is told of each click: the row (child row + 1) or the whole list.
    const HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_SELECTION, EVENT_OBJECT_SELECTIONWITHIN, nullptr,
                          recordWinEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    struct Step {
        int row;
        WPARAM keys;
        const char* after;
        DWORD event;
        LONG child;
    };
    const DWORD alone = EVENT_OBJECT_SELECTION, add = EVENT_OBJECT_SELECTIONADD,
                remove = EVENT_OBJECT_SELECTIONREMOVE, range = EVENT_OBJECT_SELECTIONWITHIN;
    const Step steps[] = {
        {1, 0, ".x...", alone, 2},                    // a plain click selects that one alone
        {3, MK_SHIFT, ".xxx.", range, CHILDID_SELF},  // Shift extends from the anchor
        {0, MK_CONTROL, "xxxx.", add, 1},             // Ctrl adds one...
        {2, MK_CONTROL, "xx.x.", remove, 3},          // ...and takes one away
        // Ctrl+Shift adds the range from the anchor (2)
        {4, MK_CONTROL | MK_SHIFT, "xxxxx", range, CHILDID_SELF},
        {2, 0, "..x..", alone, 3},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE("row " + std::to_string(step.row) + " keys " + std::to_string(step.keys));
        winEvents.clear();
        click(step.row, step.keys);
        pump();  // out-of-context events come through the message loop
        EXPECT_EQ(selection(), step.after);
        EXPECT_EQ(winEvents, (std::vector<WinEvent>{{step.event, list, OBJID_CLIENT, step.child}}));
    }
    ::UnhookWinEvent(hook);
    EXPECT_EQ(clicks, 6);
}

// Wine's DefWindowProc keeps no UI state (WM_QUERYUISTATE answers 0 whatever was set), so the
// window keeps it here as Windows documents it, and the test sees what the program changes.
LRESULT CALLBACK keepUiState(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR state) {
    auto& hidden = *reinterpret_cast<LRESULT*>(state);
    if (message == WM_CHANGEUISTATE) {
        hidden = LOWORD(wParam) == UIS_SET ? hidden | HIWORD(wParam) : hidden & ~HIWORD(wParam);
    }
    return message == WM_QUERYUISTATE ? hidden : ::DefSubclassProc(window, message, wParam, lParam);
}

// A window opened by mouse hides its focus rectangles and access keys until the keyboard is used:
// the focus shows at Tab or an arrow, both at Alt.
TEST(Win32Windows, TheKeyboardShowsTheFocusAndTheAccessKeys) {
    World world;
    auto main = world.ui.createMainWindow();
    main->controls().window->show();
    const HWND window = formOf(*main).window().handle();
    LRESULT hidden = 0;
    ASSERT_TRUE(::SetWindowSubclass(window, keepUiState, 1, reinterpret_cast<DWORD_PTR>(&hidden)));
    // A key, and what stays hidden after it.
    const std::pair<WPARAM, LRESULT> keys[] = {
        {VK_TAB, UISF_HIDEACCEL}, {VK_DOWN, UISF_HIDEACCEL}, {VK_MENU, 0}};
    for (const auto& [key, stillHidden] : keys) {
        hidden = UISF_HIDEFOCUS | UISF_HIDEACCEL;
        press(main->controls().txtReplaceThis, key);
        EXPECT_EQ(::SendMessageW(window, WM_QUERYUISTATE, 0, 0), stillHidden) << key;
    }
    ::RemoveWindowSubclass(window, keepUiState, 1);
}

// Escape, from any control, closes the About box as its Continue does and the preview as Cancel.
TEST(Win32Windows, EscapePressesTheWindowsWayOut) {
    World world;
    auto about = world.ui.createAboutWindow();
    auto preview = world.ui.createPreviewWindow();
    AboutControls& a = about->controls();
    PreviewControls& p = preview->controls();
    a.window->show();
    p.window->show();
    const std::pair<Control*, Button*> rows[] = {{a.lstDrive, a.cmdContinue},
                                                 {p.lstAfter, p.cmdCancel}};
    for (const auto& [focus, button] : rows) {
        int pressed = 0;
        button->onClick = [&] { ++pressed; };
        press(focus, VK_ESCAPE);
        EXPECT_EQ(pressed, 1) << button->name();
    }
}

TEST(Win32Windows, TheSessionsEndClosesTheWindowOnlyOnceTheSessionReallyEnds) {
    World world;
    auto main = world.ui.createMainWindow();
    Window& window = *main->controls().window;
    std::vector<CloseReason> asked;
    window.onQueryUnload = [&](CloseReason reason, bool&) { asked.push_back(reason); };
    const HWND handle = formOf(*main).window().handle();
    EXPECT_EQ(::SendMessageW(handle, WM_QUERYENDSESSION, 0, 0), TRUE);
    ::SendMessageW(handle, WM_ENDSESSION, FALSE, 0);  // another program said no: it goes on
    EXPECT_TRUE(window.loaded());
    EXPECT_TRUE(asked.empty());
    ::SendMessageW(handle, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(window.loaded());
    EXPECT_EQ(asked, std::vector<CloseReason>{CloseReason::SessionEnding});
}

// Past 65,535 rows, every fourth marked: each list named by the label made right before it,
// each row the same height in both lists, a marked row's warning in the text a screen reader
// reads and in the tooltip of the row under the pointer.
TEST(Win32Windows, PreviewListsAreLevelNamedAndSpeakTheirWarnings) {
    World world;
    auto preview = world.ui.createPreviewWindow();
    PreviewControls& c = preview->controls();
    const int count = 70000;
    for (int i = 0; i < count; ++i) {
        c.rows->add("n" + std::to_string(i), "m" + std::to_string(i));
    }
    for (int i = 3; i < count; i += 4) {
        c.rows->setWarning(i, "taken " + std::to_string(i));
    }
    c.window->show();
    const struct {
        ListBox* list;
        const wchar_t* label;
        const wchar_t* lastText;
        std::string lastTip;
    } lists[] = {{c.lstBefore, L"Original Filenames", L"n69999", c.lstBefore->toolTip()},
                 {c.lstAfter, L"New Filenames", L"m69999, warning: taken 69999", "taken 69999"}};
    std::vector<RECT> last;
    for (const auto& l : lists) {
        auto& list = dynamic_cast<Win32ListBox&>(*l.list);
        const HWND handle = list.handle();
        wchar_t text[64] = L"";
        ::GetWindowTextW(::GetWindow(handle, GW_HWNDPREV), text, 64);
        EXPECT_STREQ(text, l.label);
        list.setListIndex(count - 1);  // brought into view
        const auto rowRect = [&](int row) {
            RECT r{};
            r.left = LVIR_BOUNDS;
            ::SendMessageW(handle, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
            return r;
        };
        const RECT marked = rowRect(count - 1);
        const RECT plain = rowRect(count - 2);
        EXPECT_EQ(marked.bottom - marked.top, plain.bottom - plain.top);
        EXPECT_GE(marked.bottom - marked.top, ::GetSystemMetrics(SM_CYSMICON));
        last.push_back(marked);
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(handle, LVM_GETITEMTEXTW, count - 1, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, l.lastText);
        ::SendMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(marked.left + 5, marked.bottom - 2));
        EXPECT_EQ(list.toolTipText(), l.lastTip);
        ::SendMessageW(handle, WM_MOUSEMOVE, 0, MAKELPARAM(marked.left + 5, marked.bottom + 10));
        EXPECT_EQ(list.toolTipText(), list.toolTip()) << "below the last row";
    }
    EXPECT_EQ(last[0].top, last[1].top);
    EXPECT_EQ(last[0].bottom, last[1].bottom);
}

// What a preview shows of itself once filled with `rows` rows (names from `stem`) and shown:
// each list's count, chosen, focused and top row and column width, each label's caption and
// tooltip, the caption, the system menu, where the window stands and which control has the focus.
std::vector<std::pair<std::string, std::string>> shownPreview(PreviewView& view, int rows,
                                                              const std::string& stem = "") {
    PreviewControls& c = view.controls();
    for (int i = 0; i < rows; ++i) {
        c.rows->add("n" + stem + std::to_string(i), "m" + stem + std::to_string(i));
    }
    c.window->show();
    std::vector<std::pair<std::string, std::string>> seen;
    for (ListBox* list : {c.lstBefore, c.lstAfter}) {
        const HWND h = dynamic_cast<Win32ControlBase&>(*list).handle();
        for (const auto& [what, message, flag] : {std::tuple{"count", LVM_GETITEMCOUNT, 0},
                                                  {"chosen", LVM_GETNEXTITEM, LVNI_SELECTED},
                                                  {"focused", LVM_GETNEXTITEM, LVNI_FOCUSED},
                                                  {"top", LVM_GETTOPINDEX, 0},
                                                  {"mark", LVM_GETSELECTIONMARK, 0}}) {
            seen.emplace_back(list->name() + " " + what,
                              std::to_string(::SendMessageW(h, message, WPARAM(-1), flag)));
        }
        seen.emplace_back(list->name() + " width",
                          std::to_string(::SendMessageW(h, LVM_GETCOLUMNWIDTH, 0, 0)));
    }
    for (Label* label : {c.lblOriginalFilenames, c.lblNewFilenames, c.lblPath, c.lblWarning}) {
        seen.emplace_back(label->name(), label->caption() + "|" + label->toolTip());
    }
    seen.emplace_back("caption", c.window->caption());
    seen.emplace_back("menu", std::to_string(::GetMenuItemCount(::GetSystemMenu(
                                  dynamic_cast<Win32Window&>(*c.window).handle(), FALSE))));
    const Rect at = c.window->geometry();
    seen.emplace_back("place", std::to_string(at.left) + "," + std::to_string(at.top));
    const Control* focus = c.window->activeControl();
    seen.emplace_back("focus", focus != nullptr ? focus->name() : "");
    c.window->hide();
    return seen;
}

// The preview window is kept for the next preview: whatever the last one chose, scrolled,
// wrote, moved or took away, the next shows what a window just made does (an unloaded window
// would not show at all), and the rows the last one held are let go.
TEST(Win32Windows, AKeptPreviewWindowShowsWhatANewOneDoes) {
    World world;
    auto first = world.ui.createPreviewWindow();
    const HWND kept = dynamic_cast<Win32Window&>(*first->controls().window).handle();
    const auto fresh = shownPreview(*first, 300);
    PreviewControls& c = first->controls();
    c.lstBefore->setListIndex(250);
    c.lstAfter->setListIndex(280);
    c.lblPath->setCaption("Folder: C:\\x");
    c.lblPath->setToolTip("Folder: C:\\x");
    c.lblWarning->setCaption("1 name already exists");
    c.window->setCaption("Other");
    c.window->setGeometry(Rect{5, 5, 0, 0});
    c.window->systemMenu().removeItem(0);
    c.cmdCancel->onClick = [] { FAIL() << "an old handler ran"; };
    c.window->unload();
    const std::weak_ptr<PreviewRows> oldRows = c.rows;
    first.reset();
    EXPECT_TRUE(oldRows.expired());

    auto second = world.ui.createPreviewWindow();
    EXPECT_EQ(dynamic_cast<Win32Window&>(*second->controls().window).handle(), kept);
    EXPECT_FALSE(second->controls().cmdCancel->onClick);
    EXPECT_EQ(shownPreview(*second, 300), fresh);
}

// Made once the main window is shown and nothing waits, the first preview's window stays hidden
// and takes no focus, and shows what a window made for the preview does (long names fitted).
TEST(Win32Windows, APreviewWindowMadeAtIdleShowsWhatANewOneDoes) {
    const auto firstPreview = [](bool atIdle) {
        World world;
        auto main = world.ui.createMainWindow();
        main->controls().window->show();
        const HWND focus = ::GetFocus();
        int turns = 0;  // the timer turns the loop, should idle never come
        const UINT_PTR wake = ::SetTimer(nullptr, 0, 100, nullptr);
        world.ui.runModal([&] { return world.ui.previewWaiting() || !atIdle || ++turns > 50; });
        ::KillTimer(nullptr, wake);
        EXPECT_EQ(world.ui.previewWaiting(), atIdle);
        EXPECT_EQ(::GetFocus(), focus);
        auto preview = world.ui.createPreviewWindow();
        EXPECT_FALSE(preview->controls().window->visible());
        const HWND list = dynamic_cast<Win32ControlBase&>(*preview->controls().lstAfter).handle();
        const auto page = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        return shownPreview(*preview, page + 1, std::string(80, 'x'));
    };
    EXPECT_EQ(firstPreview(true), firstPreview(false));
}

TEST(Win32Windows, TheFolderPanelKeepsTheFoldersOwnName) {
    const wchar_t* path = LR"(C:\Users\me\Pictures\Holiday 2024\)";
    const struct {
        std::size_t room;  // characters that fit
        const wchar_t* shown;
    } rows[] = {
        {40, path},
        {30, LR"(C:\...\Pictures\Holiday 2024\)"},
        {20, LR"(C:\...\Holiday 2024\)"},
        {10, LR"(...\Holiday 2024\)"},
    };
    for (const auto& row : rows) {
        const auto fits = [&](const std::wstring& text) { return text.size() <= row.room; };
        EXPECT_EQ(compactedFolder(path, fits), row.shown) << row.room;
    }
    EXPECT_EQ(compactedFolder(LR"(\\server\share\photos\2024\)",
                              [](const std::wstring& text) { return text.size() <= 25; }),
              LR"(\\server\share\...\2024\)");
    // The panel shows it so, and keeps the whole folder.
    World world;
    auto main = world.ui.createMainWindow();
    StatusBar& bar = *main->controls().StatusBar1;
    const std::string deep = R"(C:\)" + std::string(120, 'a') + R"(\Holiday 2024\)";
    bar.setPanelText(1, deep);
    EXPECT_EQ(bar.panelText(1), deep);
    wchar_t shown[512] = {};
    ::SendMessageW(dynamic_cast<Win32StatusBar&>(bar).handle(), SB_GETTEXTW, 0,
                   reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::wstring(shown), LR"(C:\...\Holiday 2024\)");
}

}  // namespace
}  // namespace qm::platform
