#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QVBoxLayout>
#include <QtDebug>
#include <exception>
#include <stdexcept>

#include "platform/qt/QtAccessibility.h"
#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

Qt::WindowFlags flagsOf(QtWindow::Kind kind) {
    const Qt::WindowFlags common = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return kind == QtWindow::Kind::Main ? Qt::Window | common | Qt::WindowMinimizeButtonHint
                                        : Qt::Dialog | common;
}

}  // namespace

// ---- top-level widget

FormWidget::FormWidget(QtWindow* owner, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), m_owner(owner) {
    QtKeyboard::routeKeys();
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
    setAccessibleRole(m_widget, kind == Kind::Main ? QAccessible::Window : QAccessible::Dialog);
    m_focusMark = std::make_unique<FocusMark>(m_widget);
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

QWidget* QtWindow::focusMarked() const {
    return m_focusMark->marked();
}

void QtWindow::setDefaultButton(QPushButton* button) {
    m_keyboard.setDefaultButton(button);
}

void QtWindow::setCancelButton(QPushButton* button) {
    m_keyboard.setCancelButton(button);
}

bool QtWindow::keyEvent(QObject* receiver, QKeyEvent* event) {
    return m_keyboard.keyEvent(receiver, event);
}

}  // namespace qm::platform
