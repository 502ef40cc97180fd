// The controls the windows are built from, as interfaces. Window logic sets the callback
// members (onClick, onChange...) to its handlers; every back end (Qt, Win32, headless) raises
// them the same way: on user action, and where noted when the program changes the value.
// Positions and sizes are logical pixels (96 per inch).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/FileListModel.h"
#include "ui/PreviewRows.h"

namespace qm::platform {

// Runs an event handler when one is set, on a copy: a handler may replace itself while it runs.
// What it throws reaches the caller.
inline void raise(const std::function<void()>& handler) {
    if (handler) {
        const std::function<void()> run = handler;
        run();
    }
}

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

class Control {
  public:
    virtual ~Control() = default;
    virtual std::string name() const = 0;      // "txtReplaceThis"
    virtual std::string typeName() const = 0;  // the kind: "TextBox", "ListBox", "CommandButton"...
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual void setFocus() = 0;
    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& rect) = 0;
    virtual std::string toolTip() const = 0;
    virtual void setToolTip(const std::string& text) = 0;
};

class Label : public virtual Control {
  public:
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
};

class Frame : public virtual Control {
  public:
    virtual std::string caption() const = 0;
};

class Button : public virtual Control {
  public:
    virtual std::string caption() const = 0;
    std::function<void()> onClick;
};

class TextBox : public virtual Control {
  public:
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;  // raises onChange
    // The selection, in characters.
    virtual int selStart() const = 0;
    virtual int selLength() const = 0;
    virtual void setSelection(int start, int length) = 0;
    virtual std::string selText() const = 0;
    // Replaces the selection (or inserts at the caret); raises onChange.
    virtual void setSelText(const std::string& text) = 0;
    std::function<void()> onChange;
};

// An editable drop-down list.
class ComboBox : public virtual Control {
  public:
    virtual void clear() = 0;
    virtual void addItem(const std::string& item) = 0;
    virtual int listCount() const = 0;
    virtual std::string list(int index) const = 0;
    virtual int listIndex() const = 0;  // -1 when no entry is chosen
    // Chooses an entry (its text becomes the edit text); raises onClick.
    virtual void setListIndex(int index) = 0;
    virtual std::string text() const = 0;
    // Sets the edit text; raises onChange when it differs.
    virtual void setText(const std::string& text) = 0;
    std::function<void()> onClick;   // an entry was chosen
    std::function<void()> onChange;  // the edit text changed
};

// One option of a group; choosing one clears the others of its group.
class OptionButton : public virtual Control {
  public:
    virtual std::string caption() const = 0;
    virtual bool value() const = 0;
    // Setting true chooses this option and raises onClick.
    virtual void setValue(bool value) = 0;
    std::function<void()> onClick;
};

// One column of a preview's rows as a list: the old names or the new ones. It holds no name of
// its own and follows every change to the rows. A marked new name shows a warning colour and
// icon, its reason as the tooltip and in what a screen reader is given; every row has the same
// height, marked or not, so that the two lists stay level.
class ListBox : public virtual Control {
  public:
    // Shows `column` of `rows` from now on, nothing chosen.
    virtual void showRows(std::shared_ptr<const PreviewRows> rows, PreviewColumn column) = 0;
    virtual int listCount() const = 0;
    virtual std::string list(int index) const = 0;
    virtual int listIndex() const = 0;
    // Selects (and scrolls to) an entry; raises onClick when the selection changes.
    virtual void setListIndex(int index) = 0;
    virtual std::string warning(int index) const = 0;  // the mark's reason, "" when unmarked
    std::function<void()> onClick;
};

// The machine's drives (mounted file systems) in a drop-down list.
class DriveList : public virtual Control {
  public:
    // The current drive's text as listed ("/media/u/USB [USB]").
    virtual std::string drive() const = 0;
    // The current drive's root: its mount point with a trailing "/" ("/media/u/USB/").
    virtual std::string root() const = 0;
    // Chooses the drive holding `path` (or named by a listed text); raises onChange when it
    // differs. Throws RunError when there is no such drive.
    virtual void setDrive(const std::string& path) = 0;
    virtual int listCount() const = 0;
    virtual std::string list(int index) const = 0;
    virtual void refresh() = 0;
    std::function<void()> onChange;
};

// The folders of the current drive as a tree, the current folder open.
class FolderList : public virtual Control {
  public:
    // The current folder without a trailing separator, except a root's own ("/", "C:\").
    virtual std::string path() const = 0;
    // Opens `path`; raises onChange when it differs. Throws RunError when it cannot be read.
    virtual void setPath(const std::string& path) = 0;
    // Reads the folders from disk again.
    virtual void refresh() = 0;
    std::function<void()> onChange;
};

// The files of one folder that match a ";"-separated pattern, sorted, several selectable.
class FileList : public virtual Control {
  public:
    virtual std::string path() const = 0;
    // Lists another folder; throws RunError when it cannot be read.
    virtual void setPath(const std::string& path) = 0;
    virtual std::string pattern() const = 0;
    virtual void setPattern(const std::string& pattern) = 0;
    // Reads the folder from disk again; throws RunError when it cannot be read.
    virtual void refresh() = 0;
    virtual int listCount() const = 0;
    virtual std::string list(int index) const = 0;  // the name's bytes as the OS gave them
    virtual bool selected(int index) const = 0;
    virtual void setSelected(int index, bool selected) = 0;
    // Selects or clears every entry in one step.
    virtual void setAllSelected(bool selected) = 0;
    // What the list shows, held once for every reader.
    virtual const FileListModel& model() const = 0;
    std::function<void()> onClick;     // the user changed the selection
    std::function<void()> onDblClick;  // the user double-clicked an entry
};

class StatusBar : public virtual Control {
  public:
    virtual std::string panelText(int panel) const = 0;  // panels are numbered from 1
    virtual void setPanelText(int panel, const std::string& text) = 0;
};

class ProgressBar : public virtual Control {
  public:
    virtual int max() const = 0;
    virtual void setMax(int max) = 0;
    virtual int value() const = 0;
    virtual void setValue(int value) = 0;
};

class Line : public virtual Control {
  public:
    virtual void setEnds(int x1, int y1, int x2, int y2) = 0;
    virtual Rect ends() const = 0;  // x1, y1, x2, y2 as left, top, width, height
};

class MenuItem {
  public:
    virtual ~MenuItem() = default;
    virtual std::string name() const = 0;
    virtual std::string caption() const = 0;
    virtual std::string shortcut() const = 0;  // "Ctrl+X", or empty
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool visible() const = 0;
    std::function<void()> onClick;  // chosen, or (for a menu) opened
};

// A window's system menu (Move, Close...), which DisableX edits.
class SystemMenu {
  public:
    virtual ~SystemMenu() = default;
    virtual int itemCount() const = 0;
    virtual std::string itemText(int position) const = 0;
    virtual void removeItem(int position) = 0;
    virtual void redraw() = 0;
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Drawing properties of a surface that keeps its image.
struct DrawingState {
    bool autoRedraw = false;
    int drawWidth = 1;
    int drawStyle = 0;
    int drawMode = 13;
    int scaleMode = 1;
    double scaleWidth = 0;
    double scaleHeight = 0;
    bool operator==(const DrawingState&) const = default;
};

class DrawingSurface {
  public:
    virtual ~DrawingSurface() = default;
    virtual DrawingState state() const = 0;
    // Applies every property, the scale mode before the scale width and height.
    virtual void setState(const DrawingState& state) = 0;
    // Fills the box between two corners, in the surface's current scale.
    virtual void fillBox(double x1, double y1, double x2, double y2, Rgb color) = 0;
};

// Why a window is asked to close.
enum class CloseReason : int {
    ControlMenu = 0,  // the user: close box or system menu
    Code = 1,         // the program unloads it
    SessionEnding = 2,
    TaskManager = 3,
};

class Window : public virtual Control {
  public:
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual int innerWidth() const = 0;  // the client area
    virtual int innerHeight() const = 0;
    virtual void show() = 0;
    // Shows the window modally and returns when it is hidden.
    virtual void showModal() = 0;
    virtual void hide() = 0;
    // Closes the window for good (asks onQueryUnload with CloseReason::Code first).
    virtual void unload() = 0;
    virtual bool loaded() const = 0;
    // The control that has the keyboard focus, or nullptr.
    virtual Control* activeControl() const = 0;
    virtual SystemMenu& systemMenu() = 0;
    virtual DrawingSurface& surface() = 0;
    // Asked before the window closes; setting `cancel` keeps it open.
    std::function<void(CloseReason reason, bool& cancel)> onQueryUnload;
    // Every typed character before the focused control sees it; the handler may change or
    // swallow it (0).
    std::function<void(int& keyAscii)> onKeyPress;
};

// The mouse pointer over the whole program.
class Pointer {
  public:
    virtual ~Pointer() = default;
    virtual void setBusy(bool busy) = 0;
    // Lets pending window events run once.
    virtual void processEvents() = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace qm::platform
