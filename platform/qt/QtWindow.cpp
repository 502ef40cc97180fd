#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QVBoxLayout>
#include <QtDebug>
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "base/RunError.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

Qt::WindowFlags flagsOf(QtWindow::Kind kind) {
    const Qt::WindowFlags common = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return kind == QtWindow::Kind::Main ? Qt::Window | common | Qt::WindowMinimizeButtonHint
                                        : Qt::Dialog | common;
}

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
    const QList<uint> characters = event->text().toUcs4();
    return characters.isEmpty() ? -1 : static_cast<int>(characters.first());
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

}  // namespace

// ---- system menu

QtSystemMenu::QtSystemMenu(QtWindow& window)
    : m_window(window), m_items{"&Restore",  "&Move", "&Size",         "Mi&nimize",
                                "Ma&ximize", "",      "&Close\tAlt+F4"} {}

std::string QtSystemMenu::itemText(int position) const {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    return m_items[static_cast<std::size_t>(position)];
}

void QtSystemMenu::removeItem(int position) {
    if (position < 0 || position >= itemCount()) {
        throw RunError(kInvalidProcedureCall);
    }
    m_items.erase(m_items.begin() + position);
    m_window.systemMenuChanged();
}

void QtSystemMenu::redraw() {
    m_window.systemMenuChanged();
}

bool QtSystemMenu::closeEnabled() const {
    return std::any_of(m_items.begin(), m_items.end(),
                       [](const std::string& item) { return item.rfind("&Close", 0) == 0; });
}

// ---- client area and surface

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {}

QPixmap& ClientArea::image() {
    if (m_image.isNull()) {
        const qreal ratio = devicePixelRatioF();
        m_image = QPixmap(size() * ratio);
        m_image.setDevicePixelRatio(ratio);
        m_image.fill(palette().color(QPalette::Window));
    }
    return m_image;
}

void ClientArea::paintEvent(QPaintEvent*) {
    if (!m_image.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_image);
    }
}

double QtSurface::unitsX() const {
    if (m_state.scaleWidth > 0) {
        return m_area.width() / m_state.scaleWidth;
    }
    const double dpi = m_area.logicalDpiX();
    switch (m_state.scaleMode) {
        case 1:
            return dpi / 1440.0;  // twips
        case 2:
            return dpi / 72.0;  // points
        default:
            return 1.0;  // pixels
    }
}

double QtSurface::unitsY() const {
    if (m_state.scaleHeight > 0) {
        return m_area.height() / m_state.scaleHeight;
    }
    const double dpi = m_area.logicalDpiY();
    switch (m_state.scaleMode) {
        case 1:
            return dpi / 1440.0;
        case 2:
            return dpi / 72.0;
        default:
            return 1.0;
    }
}

void QtSurface::fillBox(double x1, double y1, double x2, double y2, Rgb color) {
    const double sx = unitsX();
    const double sy = unitsY();
    const QRectF box(QPointF(std::min(x1, x2) * sx, std::min(y1, y2) * sy),
                     QPointF(std::max(x1, x2) * sx, std::max(y1, y2) * sy));
    {
        QPainter painter(&m_area.image());
        painter.fillRect(box, QColor(color.red, color.green, color.blue));
    }
    m_area.update();
}

// ---- top-level widget

namespace {

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

FormWidget::FormWidget(QtWindow* owner, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), m_owner(owner) {
    if (qApp->findChild<QObject*>(QLatin1String(KeyRouter::kName), Qt::FindDirectChildrenOnly) ==
        nullptr) {
        qApp->installEventFilter(new KeyRouter(qApp));
    }
}

bool FormWidget::key(QObject* receiver, QKeyEvent* event) {
    return m_owner != nullptr && m_owner->keyEvent(receiver, event);
}

void FormWidget::closeEvent(QCloseEvent* event) {
    // The window decides by itself whether and how it goes away.
    event->ignore();
    if (m_owner != nullptr) {
        m_owner->closeRequested();
    }
}

// ---- window

QtWindow::QtWindow(const FormDesign& design, Kind kind)
    : m_name(design.name),
      m_caption(design.caption),
      m_kind(kind),
      m_widget(new FormWidget(this, flagsOf(kind))),
      m_client(new ClientArea(m_widget)),
      m_systemMenu(*this),
      m_surface(*m_client),
      m_receiver(std::make_unique<QObject>()) {
    m_widget->setObjectName(toQString(design.name));
    m_widget->setWindowTitle(toQString(design.caption));
    // The layout is fixed in pixels, so the text is too: 11 pixels, the classic 8-point dialog
    // font at 96 DPI, whatever the desktop's font size.
    QFont font = m_widget->font();
    font.setPixelSize(11);
    m_widget->setFont(font);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setFixedSize(design.width, design.height);
    auto* layout = new QVBoxLayout(m_widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_client);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, m_receiver.get(),
                     [this](QSessionManager& manager) { sessionEnding(manager); });
}

QtWindow::~QtWindow() {
    *m_alive = false;
    if (m_modalLoop != nullptr) {
        m_modalLoop->exit();
    }
    if (m_widget != nullptr) {
        // Deferred: this may run inside an event of the window's own widgets.
        m_widget->release();
        m_widget->hide();
        m_widget->deleteLater();
    }
}

QMenuBar* QtWindow::menuBar() {
    if (m_menuBar == nullptr) {
        m_menuBar = new QMenuBar(m_widget);
        static_cast<QVBoxLayout*>(m_widget->layout())->setMenuBar(m_menuBar);
    }
    return m_menuBar;
}

bool QtWindow::enabled() const {
    return m_widget->isEnabled();
}

void QtWindow::setEnabled(bool enabled) {
    m_widget->setEnabled(enabled);
}

bool QtWindow::visible() const {
    return m_widget->isVisible();
}

void QtWindow::setVisible(bool visible) {
    if (visible) {
        show();
    } else {
        hide();
    }
}

void QtWindow::setFocus() {
    m_widget->raise();
    m_widget->activateWindow();
}

Rect QtWindow::geometry() const {
    const QRect r = m_widget->geometry();
    return Rect{r.x(), r.y(), r.width(), r.height()};
}

void QtWindow::setGeometry(const Rect& rect) {
    m_widget->move(rect.left, rect.top);
    m_placed = true;
}

void QtWindow::setCaption(const std::string& caption) {
    m_caption = caption;
    m_widget->setWindowTitle(toQString(caption));
}

int QtWindow::innerWidth() const {
    return m_client->width();
}

int QtWindow::innerHeight() const {
    return m_client->height();
}

void QtWindow::show() {
    if (!m_loaded) {
        throw std::logic_error("showing an unloaded window");
    }
    if (!m_placed) {
        // First shown in the middle of the screen's work area.
        m_placed = true;
        m_widget->adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = m_widget->frameGeometry().size();
            m_widget->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
        }
    }
    m_widget->show();
    // Without a window manager nothing else would give the window the keyboard.
    m_widget->raise();
    m_widget->activateWindow();
}

void QtWindow::showModal() {
    if (!m_loaded) {
        throw std::logic_error("showing an unloaded window");
    }
    if (m_modalLoop != nullptr) {
        return;
    }
    if (m_widget->isVisible() && m_widget->windowModality() != Qt::ApplicationModal) {
        m_widget->hide();  // Qt changes a window's modality only while it is hidden
    }
    m_widget->setWindowModality(Qt::ApplicationModal);
    show();
    const std::shared_ptr<bool> alive = m_alive;
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (!*alive) {
        return;
    }
    m_modalLoop = nullptr;
    if (!m_widget->isVisible()) {
        m_widget->setWindowModality(Qt::NonModal);
    }
}

void QtWindow::hide() {
    m_widget->hide();
    if (m_modalLoop != nullptr) {
        m_modalLoop->exit();
    }
}

void QtWindow::unload() {
    if (m_loaded && askToClose(CloseReason::Code, false)) {
        close();
    }
}

bool QtWindow::askToClose(CloseReason reason, bool fromUser) {
    bool cancel = false;
    if (!onQueryUnload) {
        return true;
    }
    const auto handler = onQueryUnload;
    if (!fromUser) {
        handler(reason, cancel);
        return !cancel;
    }
    try {
        handler(reason, cancel);
    } catch (const std::exception& e) {
        qWarning("unhandled error in an event handler: %s", e.what());
    }
    return !cancel;
}

void QtWindow::close() {
    m_loaded = false;
    hide();
}

void QtWindow::closeRequested() {
    // Without its Close item the window cannot be closed by the user at all.
    if (!m_loaded || !m_systemMenu.closeEnabled()) {
        return;
    }
    const std::shared_ptr<bool> alive = m_alive;
    const bool close = askToClose(CloseReason::ControlMenu, true);
    if (*alive && close && m_loaded) {
        this->close();
    }
}

void QtWindow::sessionEnding(QSessionManager& manager) {
    if (!m_loaded) {
        return;
    }
    const std::shared_ptr<bool> alive = m_alive;
    const bool close = askToClose(CloseReason::SessionEnding, true);
    if (!*alive) {
        return;
    }
    if (!close) {
        if (manager.allowsInteraction()) {
            manager.cancel();
            manager.release();
        }
        return;
    }
    if (m_loaded) {
        this->close();
    }
}

void QtWindow::systemMenuChanged() {
    const bool closeButton = m_systemMenu.closeEnabled();
    if (closeButton == m_closeButton) {
        return;
    }
    m_closeButton = closeButton;
    const bool shown = m_widget->isVisible();
    m_widget->setWindowFlag(Qt::WindowCloseButtonHint, closeButton);
    if (shown) {
        m_widget->show();  // changing the flags hides a window
    }
}

Control* QtWindow::activeControl() const {
    for (const QWidget* w = m_widget->focusWidget(); w != nullptr && w != m_widget;
         w = w->parentWidget()) {
        const auto it = m_controls.find(w);
        if (it != m_controls.end()) {
            return it->second;
        }
    }
    return nullptr;
}

bool QtWindow::menuShortcut(const QKeyEvent* event) {
    if (m_menuBar == nullptr) {
        return false;
    }
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* top : m_menuBar->actions()) {
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

void QtWindow::setDefaultButton(QPushButton* button) {
    m_defaultButton = button;
}

void QtWindow::setCancelButton(QPushButton* button) {
    m_cancelButton = button;
}

bool QtWindow::dialogKey(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->type() != QEvent::KeyPress || modifiers != Qt::NoModifier) {
        return false;
    }
    QPushButton* button = nullptr;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // A focused button takes Enter itself, as in any dialog.
            if (qobject_cast<QPushButton*>(m_widget->focusWidget()) == nullptr) {
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

bool QtWindow::keyEvent(QObject* receiver, QKeyEvent* event) {
    if (m_replaying || !receiver->isWidgetType()) {
        return false;
    }
    auto* target = static_cast<QWidget*>(receiver);
    if (target->window() != m_widget) {
        return false;
    }
    // Only the first delivery: Qt passes a key the focused control ignores on to its parents.
    const QWidget* focus = m_widget->focusWidget();
    if (target != (focus != nullptr ? focus : m_widget.data())) {
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
    if (typed < 0 || !onKeyPress) {
        return false;
    }
    int key = typed;
    const std::shared_ptr<bool> alive = m_alive;
    const QPointer<QWidget> guard = target;
    try {
        const auto handler = onKeyPress;
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
