#include "platform/qt/QtKeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtDebug>
#include <exception>
#include <memory>

#include "platform/qt/QtControls.h"
#include "platform/qt/QtWindow.h"

namespace qm::platform {

namespace {

// The character a key event types, as onKeyPress receives it; -1 for keys that type none or
// that move the focus.
int typedCharacter(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return -1;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        default:
            break;
    }
    // X11 gives Ctrl+Space (and Ctrl+@) a NUL as its text: no character, and one the KeyPress
    // handler could not tell from the 0 that swallows a key.
    const QList<uint> characters = event->text().toUcs4();
    return characters.isEmpty() || characters.first() == 0 ? -1
                                                           : static_cast<int>(characters.first());
}

int keyOfCharacter(int character) {
    switch (character) {
        case 8:
            return Qt::Key_Backspace;
        case 13:
            return Qt::Key_Return;
        case 27:
            return Qt::Key_Escape;
        default:
            break;
    }
    if (character > 0 && character < 0x10000) {
        return QChar(static_cast<char16_t>(character)).toUpper().unicode();
    }
    return Qt::Key_unknown;
}

// Hands every key to the window it is typed in, before the control with the focus sees it. One
// filter for the whole program: with one per window, a key whose handler opens a window would
// change Qt's list of filters while Qt walks it, and reach the first window a second time.
class KeyRouter : public QObject {
  public:
    static constexpr const char* kName = "qmKeyRouter";
    explicit KeyRouter(QObject* parent) : QObject(parent) { setObjectName(QLatin1String(kName)); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) ||
            !watched->isWidgetType()) {
            return false;
        }
        auto* form = dynamic_cast<FormWidget*>(static_cast<QWidget*>(watched)->window());
        return form != nullptr && form->key(watched, static_cast<QKeyEvent*>(event));
    }
};

}  // namespace

void QtKeyboard::routeKeys() {
    if (qApp->findChild<QObject*>(QLatin1String(KeyRouter::kName), Qt::FindDirectChildrenOnly) ==
        nullptr) {
        qApp->installEventFilter(new KeyRouter(qApp));
    }
}

void QtKeyboard::setDefaultButton(QPushButton* button) {
    m_defaultButton = button;
}

void QtKeyboard::setCancelButton(QPushButton* button) {
    m_cancelButton = button;
}

bool QtKeyboard::menuShortcut(const QKeyEvent* event) {
    if (!m_window.hasMenuBar()) {
        return false;
    }
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* top : m_window.menuBar()->actions()) {
        const QMenu* menu = top->menu();
        if (menu == nullptr) {
            continue;
        }
        for (const QAction* item : menu->actions()) {
            if (item->shortcut().isEmpty() ||
                item->shortcut().matches(pressed) != QKeySequence::ExactMatch) {
                continue;
            }
            // The states the menu would show if it were opened now, not those it showed when
            // it was last opened: the key then does what the item would.
            if (const auto opened = m_menus.find(menu); opened != m_menus.end()) {
                raiseFromUser(opened->second->onClick);
            }
            return item->isEnabled();
        }
    }
    return false;
}

bool QtKeyboard::dialogKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->type() != QEvent::KeyPress || modifiers != Qt::NoModifier) {
        return false;
    }
    QPushButton* button = nullptr;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // A focused button takes Enter itself, as in any dialog.
            if (qobject_cast<QPushButton*>(m_window.widget()->focusWidget()) == nullptr) {
                button = m_defaultButton;
            }
            break;
        case Qt::Key_Escape:
            button = m_cancelButton;
            break;
        default:
            break;
    }
    if (button == nullptr || !button->isEnabled() || !button->isVisible()) {
        return false;
    }
    button->click();
    return true;
}

bool QtKeyboard::keyEvent(QObject* receiver, QKeyEvent* event) {
    if (m_replaying || !receiver->isWidgetType()) {
        return false;
    }
    auto* target = static_cast<QWidget*>(receiver);
    if (target->window() != m_window.widget()) {
        return false;
    }
    // Only the first delivery: Qt passes a key the focused control ignores on to its parents.
    const QWidget* focus = m_window.widget()->focusWidget();
    if (target != (focus != nullptr ? focus : m_window.widget())) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The menu's shortcuts win over a text box's own Ctrl+A, Ctrl+C... while they are
        // enabled; a disabled one leaves the key to the text box.
        if (menuShortcut(event)) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (dialogKey(event)) {
        return true;
    }
    const int typed = typedCharacter(event);
    if (typed < 0 || !m_window.onKeyPress) {
        return false;
    }
    int key = typed;
    const std::shared_ptr<bool> alive = m_window.m_alive;
    const QPointer<QWidget> guard = target;
    try {
        const auto handler = m_window.onKeyPress;
        handler(key);
    } catch (const std::exception& e) {
        qWarning("unhandled error in an event handler: %s", e.what());
    }
    if (!*alive || guard == nullptr || key == 0) {
        return true;
    }
    if (key == typed) {
        return false;
    }
    // The handler typed another character instead.
    const char32_t character = static_cast<char32_t>(key);
    QKeyEvent replaced(QEvent::KeyPress, keyOfCharacter(key), event->modifiers(),
                       QString::fromUcs4(&character, 1));
    m_replaying = true;
    QCoreApplication::sendEvent(target, &replaced);
    if (*alive) {
        m_replaying = false;
    }
    return true;
}

}  // namespace qm::platform
