// A folder's files in an owner-data list view over the shared FileListModel: the control holds
// no string and no selection of its own. It asks the model for each name and each selected flag
// as it draws a row, so a folder of 100,000 files lists, selects and scrolls at once; mouse and
// keyboard go to the model's click rules (the list-box meaning of Ctrl and Shift clicks), and
// the list raises the selection events a screen reader follows.
#pragma once

#include <windows.h>

#include <string>

#include "base/Text.h"
#include "platform/win32ui/Win32ControlBase.h"
#include "services/FileSystem.h"
#include "ui/FileListModel.h"

namespace qm::platform {

class Win32FileList : public FileList, public Win32ControlBase {
  public:
    Win32FileList(const ControlDesign& design, Win32Window& window, HWND parent,
                  const FileSystem& files, const text::CaseMapper& mapper);
    std::string path() const override { return m_model.folder(); }
    void setPath(const std::string& path) override;
    std::string pattern() const override { return m_model.pattern(); }
    void setPattern(const std::string& pattern) override;
    void refresh() override;
    int listCount() const override { return m_model.count(); }
    std::string list(int index) const override;
    bool selected(int index) const override;
    void setSelected(int index, bool selected) override;
    void setAllSelected(bool selected) override;
    void layout(int dpi, HFONT font) override;
    LRESULT notify(NMHDR& header) override;

    const FileListModel& model() const override { return m_model; }
    // The entry with the keyboard caret.
    int caret() const { return m_caret; }

  private:
    static LRESULT CALLBACK procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleInput(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void checkIndex(int index) const;
    // The control shows the model's entries again, from the top.
    void showModel();
    // The rows shown are drawn again from the model (once, however many entries changed).
    void selectionChanged();
    void userClick(int row, bool ctrl, bool shift);
    // Raises a selection event of the list (`row` -1) or of a row for accessibility clients.
    void announce(DWORD event, int row) const;
    void moveCaret(int row);
    int rowAt(LPARAM point) const;
    void fitColumn();
    void typeAhead(wchar_t character);

    FileListModel m_model;
    int m_caret = 0;
    bool m_redrawPending = false;
    std::wstring m_shown;  // the text of the row the control asked for last
    std::wstring m_typed;
    DWORD m_typedAt = 0;
};

}  // namespace qm::platform
