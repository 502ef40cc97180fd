// The keyboard of a Qt window, which the window sees before its controls do: the menu bar's
// shortcuts (the item's menu first works out its items' states), Enter and Escape for the default
// and cancel buttons, and every typed character offered to the window's KeyPress first, which may
// swallow it or type another one instead. One event filter for the whole program hands each key
// to the window it is typed in.
#pragma once

#include <QPointer>
#include <map>

#include "ui/Controls.h"

class QKeyEvent;
class QMenu;
class QObject;
class QPushButton;

namespace qm::platform {

class QtWindow;

class QtKeyboard {
  public:
    // Part of `window`, which reads its widget, its menu bar and its KeyPress handler.
    explicit QtKeyboard(QtWindow& window) : m_window(window) {}
    QtKeyboard(const QtKeyboard&) = delete;
    QtKeyboard& operator=(const QtKeyboard&) = delete;

    // Sends every key typed in a window's widgets to FormWidget::key of that window first; the
    // first call installs the filter, later ones do nothing.
    static void routeKeys();

    // The buttons Enter and Escape press wherever the focus is (a focused button takes Enter
    // itself). A window without a cancel button leaves Escape to its controls.
    void setDefaultButton(QPushButton* button);
    void setCancelButton(QPushButton* button);
    // Lets a shortcut key raise the opening of the menu that holds its item.
    void addMenu(const QMenu* menu, MenuItem* item) { m_menus[menu] = item; }

    // A key typed into `receiver`, a widget of the window, before the widget sees it; true when
    // the window took it.
    bool keyEvent(QObject* receiver, QKeyEvent* event);

  private:
    // Whether the key is the shortcut of an enabled menu item; the item's menu first works out
    // its items' states as if it were opened now.
    bool menuShortcut(const QKeyEvent* event);
    // Presses the default or cancel button for Enter or Escape; true when it did.
    bool dialogKey(const QKeyEvent* event);

    QtWindow& m_window;
    QPointer<QPushButton> m_defaultButton;
    QPointer<QPushButton> m_cancelButton;
    std::map<const QMenu*, MenuItem*> m_menus;
    bool m_replaying = false;
};

}  // namespace qm::platform
