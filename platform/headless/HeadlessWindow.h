// A window in memory: caption, client size, show/modal/hide/unload with the close reasons, the
// focused control, a system menu and a drawing surface that records what is painted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/HeadlessControls.h"
#include "ui/Controls.h"
#include "ui/FormDesigns.h"

namespace qm::platform {

class HeadlessSystemMenu : public SystemMenu {
  public:
    // The items of a standard system menu; "&Close" last, a separator above it.
    HeadlessSystemMenu();
    explicit HeadlessSystemMenu(std::vector<std::string> items) : m_items(std::move(items)) {}
    int itemCount() const override { return static_cast<int>(m_items.size()); }
    std::string itemText(int position) const override;
    void removeItem(int position) override;
    void redraw() override { ++m_redraws; }

    const std::vector<std::string>& items() const { return m_items; }
    bool closeEnabled() const;
    int redraws() const { return m_redraws; }

  private:
    std::vector<std::string> m_items;
    int m_redraws = 0;
};

struct FilledBox {
    double x1, y1, x2, y2;
    Rgb color;
};

class HeadlessSurface : public DrawingSurface {
  public:
    DrawingState state() const override { return m_state; }
    void setState(const DrawingState& state) override;
    void fillBox(double x1, double y1, double x2, double y2, Rgb color) override;

    const std::vector<FilledBox>& boxes() const { return m_boxes; }
    const std::vector<DrawingState>& stateChanges() const { return m_changes; }
    // Makes the next fillBox throw, as a surface that cannot be drawn on would.
    bool failNextFill = false;

  private:
    DrawingState m_state;
    std::vector<FilledBox> m_boxes;
    std::vector<DrawingState> m_changes;
};

class HeadlessWindow : public Window, public HeadlessControlBase {
  public:
    // `onModal` runs while the window is shown modally: it plays the user and normally ends
    // by hiding the window.
    HeadlessWindow(const FormDesign& design, std::function<void(HeadlessWindow&)> onModal);

    std::string typeName() const override { return "Form"; }
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override { m_caption = caption; }
    int innerWidth() const override { return m_width; }
    int innerHeight() const override { return m_height; }
    void show() override;
    void showModal() override;
    void hide() override;
    void unload() override;
    bool loaded() const override { return m_loaded; }
    Control* activeControl() const override { return m_active; }
    SystemMenu& systemMenu() override { return m_systemMenu; }
    DrawingSurface& surface() override { return m_surface; }

    void setActiveControl(Control* control) { m_active = control; }
    // The client area becomes `width` x `height`, as a window of another size than its design.
    void resize(int width, int height) { m_width = width, m_height = height; }
    bool modal() const { return m_modal; }
    int modalShows() const { return m_modalShows; }
    HeadlessSystemMenu& headlessSystemMenu() { return m_systemMenu; }
    HeadlessSurface& headlessSurface() { return m_surface; }

    // The user presses the close box: nothing happens when the system menu has no Close.
    // True when the window closed.
    bool userClose();
    // The system closes the window (session ending, task manager).
    bool systemClose(CloseReason reason);
    // The user types a character: the window sees it first (onKeyPress), then the focused
    // text box gets what is left of it.
    void typeChar(int keyAscii);

  private:
    bool close(CloseReason reason);

    std::string m_caption;
    int m_width;
    int m_height;
    bool m_loaded = true;
    bool m_modal = false;
    int m_modalShows = 0;
    Control* m_active = nullptr;
    HeadlessSystemMenu m_systemMenu;
    HeadlessSurface m_surface;
    std::function<void(HeadlessWindow&)> m_onModal;
};

class HeadlessPointer : public Pointer {
  public:
    void setBusy(bool busy) override { changes.push_back(busy); }
    void processEvents() override { ++eventRuns; }
    std::vector<bool> changes;
    int eventRuns = 0;
};

class HeadlessClipboard : public Clipboard {
  public:
    std::string text() const override { return m_text; }
    void setText(const std::string& text) override { m_text = text; }

  private:
    std::string m_text;
};

}  // namespace qm::platform
