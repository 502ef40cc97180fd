// One column of the preview's rows in an owner-data list view over the shared PreviewRows: the
// control holds no string and asks for a row's text when it needs it, so 100,000 names fill at
// once, and a screen reader reads each row: its name and, for a marked new name, its warning.
// The rows are painted here: a marked name in amber with the warning sign, its reason as the
// tooltip; the sign's image list makes every row as high as a marked one.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "platform/win32ui/Win32ControlBase.h"
#include "ui/PreviewListBase.h"
#include "ui/PreviewRows.h"

namespace qm::platform {

class Win32ListBox : public PreviewListBase, public Win32ControlBase {
  public:
    Win32ListBox(const ControlDesign& design, Win32Window& window, HWND parent);
    ~Win32ListBox() override;
    void showRows(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) override;
    // A list just made, hidden, gets ready for its first showing: rows enough for its scroll
    // bar, each empty, so that its first rows only move the bar's range, and its first paint
    // done unseen. Under Wine these are most of a new list's first showing.
    void prepareHidden();
    void setListIndex(int index) override;
    std::string toolTipText() const override;
    void layout(int dpi, HFONT font) override;
    // Under Wine, a count that changes while the list is shown costs several times as much (its
    // scroll bar drawn, its header moved, each step a round trip to the server).
    void beforeShown() override {
        if (m_changed) {
            catchUp();
        }
    }
    LRESULT notify(NMHDR& header) override;

  private:
    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    // Tells the control of the rows added or cleared since, and has it paint them again.
    void catchUp();
    void showChoice();
    // The column as wide as the longest name, or the list.
    void fitColumn();
    // The row under a point of the client area; -1 where there is none.
    int rowAt(int x, int y) const;
    void hovered(int row);
    void paintRow(HDC dc, int row);

    int m_shown = 0;         // the rows the control knows of
    bool m_changed = false;  // the rows changed since the control last caught up
    int m_hover = -1;
    HIMAGELIST m_signs = nullptr;  // the warning sign at the window's DPI, owned by the control
    int m_signSize = 0;
    std::wstring m_text;  // the text the control asked for last
};

}  // namespace qm::platform
