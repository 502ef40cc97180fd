// A window as a Qt top-level widget: an optional menu bar above a client area of the design's
// size, the keyboard seen by the window before its controls (QtKeyboard), the close box and the
// session's end as close reasons, an emulated system menu whose Close item decides whether the
// window may be closed by the user (QtSystemMenu), and a drawing surface kept as the client
// area's background (QtSurface).
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "platform/qt/QtKeyboard.h"
#include "platform/qt/QtSurface.h"
#include "platform/qt/QtSystemMenu.h"
#include "ui/Controls.h"
#include "ui/FormDesigns.h"

class QEventLoop;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QPushButton;
class QSessionManager;

namespace qm::platform {

class FocusMark;
class QtWindow;

// The top-level widget; it hands close requests and keys to its QtWindow.
class FormWidget : public QWidget {
  public:
    FormWidget(QtWindow* owner, Qt::WindowFlags flags);
    void release() { m_owner = nullptr; }
    // A key typed into `receiver`, a widget of this window, before the widget sees it; true
    // when the window took it.
    bool key(QObject* receiver, QKeyEvent* event);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QtWindow* m_owner;
};

class QtWindow : public Window {
  public:
    enum class Kind { Main, Dialog };
    QtWindow(const FormDesign& design, Kind kind);
    ~QtWindow() override;
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    // Control
    std::string name() const override { return m_name; }
    std::string typeName() const override { return "Form"; }
    bool enabled() const override;
    void setEnabled(bool enabled) override;
    bool visible() const override;
    void setVisible(bool visible) override;
    void setFocus() override;
    Rect geometry() const override;
    // Moves the window; its size is the design's.
    void setGeometry(const Rect& rect) override;
    std::string toolTip() const override { return {}; }
    void setToolTip(const std::string&) override {}

    // Window
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override;
    int innerWidth() const override;
    int innerHeight() const override;
    void show() override;
    void showModal() override;
    void hide() override;
    void unload() override;
    bool loaded() const override { return m_loaded; }
    Control* activeControl() const override;
    SystemMenu& systemMenu() override { return m_systemMenu; }
    DrawingSurface& surface() override { return m_surface; }

    Kind kind() const { return m_kind; }
    QWidget* widget() const { return m_widget; }
    ClientArea* clientArea() const { return m_client; }
    // The menu bar, made on first use.
    QMenuBar* menuBar();
    bool hasMenuBar() const { return m_menuBar != nullptr; }
    // Lets activeControl() name the control behind a widget.
    void addControl(QWidget* widget, Control* control) { m_controls[widget] = control; }
    // The buttons Enter and Escape press wherever the focus is (a focused button takes Enter
    // itself). A window without a cancel button leaves Escape to its controls.
    void setDefaultButton(QPushButton* button);
    void setCancelButton(QPushButton* button);
    // Lets a shortcut key raise the opening of the menu that holds its item.
    void addMenu(const QMenu* menu, MenuItem* item) { m_keyboard.addMenu(menu, item); }
    bool modal() const { return m_modalLoop != nullptr; }
    // The control whose keyboard focus the window marks with a ring, or nullptr.
    QWidget* focusMarked() const;

    // What the top-level widget reports.
    void closeRequested();
    bool keyEvent(QObject* receiver, QKeyEvent* event);
    // The system menu changed: the close button follows its Close item.
    void systemMenuChanged();

  private:
    // The keyboard reads m_alive.
    friend class QtKeyboard;

    bool askToClose(CloseReason reason, bool fromUser);
    void close();
    void sessionEnding(QSessionManager& manager);

    std::string m_name;
    std::string m_caption;
    Kind m_kind;
    QPointer<FormWidget> m_widget;
    ClientArea* m_client;
    QMenuBar* m_menuBar = nullptr;
    std::map<const QWidget*, Control*> m_controls;
    QtSystemMenu m_systemMenu;
    QtSurface m_surface;
    QtKeyboard m_keyboard{*this};
    std::unique_ptr<FocusMark> m_focusMark;
    QEventLoop* m_modalLoop = nullptr;
    bool m_loaded = true;
    bool m_placed = false;
    bool m_closeButton = true;
    // Cleared when the window goes, for code that resumes after a handler or a modal loop.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::unique_ptr<QObject> m_receiver;
};

}  // namespace qm::platform
