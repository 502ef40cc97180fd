// What a screen reader and a keyboard user need of the Qt windows beyond what the widgets give by
// themselves: the roles of the program's plain widgets, the names of the controls that show no
// caption, and a focus that can be seen on the lists and the tree.
#pragma once

#include <QAccessible>
#include <QPointer>

#include "ui/FormDesigns.h"

class QAbstractItemView;
class QFocusFrame;
class QLabel;
class QWidget;

namespace qm::platform {

// Makes `widget`, a plain QWidget, report `role`: Qt reports one as a client area, which a
// screen reader passes over as filler. Before the widget is first asked for.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// Names the control `widget` as its design row `d` says: after `label` (the row's label, made its
// buddy, which a screen reader reads as "labelled by"), or by the row's own name.
void nameControl(const ControlDesign& d, QWidget* widget, QLabel* label);

// The current row of `view` in a clear rectangle while the view has the focus, instead of the
// style's faint one.
void markCurrentRow(QAbstractItemView* view);

// A ring around the list or tree of `window` that has the keyboard focus: the style shows none.
class FocusMark {
  public:
    explicit FocusMark(QWidget* window);
    ~FocusMark();
    FocusMark(const FocusMark&) = delete;
    FocusMark& operator=(const FocusMark&) = delete;
    // The control the ring is around, nullptr while no list has the focus.
    QWidget* marked() const;

  private:
    void focusChanged(QWidget* now);

    QPointer<QWidget> m_window;
    QPointer<QFocusFrame> m_ring;
    QPointer<QObject> m_receiver;
};

}  // namespace qm::platform
