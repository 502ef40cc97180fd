#include "platform/qt/QtAccessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

constexpr const char* kRoleProperty = "qmAccessibleRole";

// Plain widgets that were given a role answer with it. Qt asks the factories for each class of
// the widget from its own up; these widgets are plain QWidgets to Qt.
QAccessibleInterface* withRole(const QString& className, QObject* object) {
    if (className != QLatin1String("QWidget") || !object->isWidgetType()) {
        return nullptr;
    }
    const QVariant role = object->property(kRoleProperty);
    return role.isValid() ? new QAccessibleWidget(static_cast<QWidget*>(object),
                                                  static_cast<QAccessible::Role>(role.toInt()))
                          : nullptr;
}

// The current row of a list with the focus in a rectangle as plain as the text.
class RowFocusStyle : public QProxyStyle {
  public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameFocusRect ||
            qobject_cast<const QAbstractItemView*>(widget) == nullptr) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool selected = option->state.testFlag(State_Selected);
        painter->save();
        painter->setPen(QPen(
            selected ? option->palette.highlightedText().color() : option->palette.text().color(),
            1, Qt::DashLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->drawRect(option->rect.adjusted(1, 1, -2, -2));
        painter->restore();
    }
};

}  // namespace

void markCurrentRow(QAbstractItemView* view) {
    static RowFocusStyle* const rows = [] {
        auto* style = new RowFocusStyle();
        style->setParent(qApp);
        return style;
    }();
    view->setStyle(rows);
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(&withRole);
        return true;
    }();
    (void)installed;
    widget->setProperty(kRoleProperty, static_cast<int>(role));
}

void nameControl(const ControlDesign& d, QWidget* widget, QLabel* label) {
    if (label != nullptr) {
        label->setBuddy(widget);
        // A list or tree takes no name from its buddy.
        widget->setAccessibleName(label->text());
        return;
    }
    if (d.accessibleName.empty()) {
        return;
    }
    const QString name = toQString(d.accessibleName);
    widget->setAccessibleName(name);
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        // On Linux a drop-down list's name is its value; what it is for comes from a label,
        // here one that is not shown. Its list and its edit field are called the same.
        auto* hidden = new QLabel(name, widget->parentWidget());
        hidden->hide();
        hidden->setBuddy(widget);
        box->view()->setAccessibleName(name);
        if (box->lineEdit() != nullptr) {
            box->lineEdit()->setAccessibleName(name);
        }
    }
}

FocusMark::FocusMark(QWidget* window) : m_window(window), m_receiver(new QObject(window)) {
    QObject::connect(qApp, &QApplication::focusChanged, m_receiver,
                     [this](QWidget*, QWidget* now) { focusChanged(now); });
}

FocusMark::~FocusMark() {
    delete m_receiver.data();
}

QWidget* FocusMark::marked() const {
    return m_ring != nullptr && m_ring->isVisible() ? m_ring->widget() : nullptr;
}

void FocusMark::focusChanged(QWidget* now) {
    if (m_window == nullptr) {
        return;
    }
    auto* view = qobject_cast<QAbstractItemView*>(now);
    if (view == nullptr || view->window() != m_window) {
        if (m_ring != nullptr && (now == nullptr || now->window() == m_window)) {
            m_ring->setWidget(nullptr);
        }
        return;
    }
    if (m_ring == nullptr) {
        m_ring = new QFocusFrame(m_window);
    }
    m_ring->setWidget(view);
}

}  // namespace qm::platform
