#include "platform/qt/QtDriveList.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <functional>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

// A drop-down list that tells the keys' moves in its closed list from the user's choices, and
// reports the focus leaving it for another control.
class DriveComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    bool keyMove() const { return m_keyMove; }
    std::function<void()> onLeave;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        m_keyMove = !view()->isVisible();
        QComboBox::keyPressEvent(event);
        m_keyMove = false;
    }
    void focusOutEvent(QFocusEvent* event) override {
        QComboBox::focusOutEvent(event);
        // Not for its own list opening, nor for another window taking the keyboard.
        if (event->reason() != Qt::PopupFocusReason &&
            event->reason() != Qt::ActiveWindowFocusReason && onLeave) {
            onLeave();
        }
    }

  private:
    bool m_keyMove = false;
};

}  // namespace

QtDriveList::QtDriveList(const ControlDesign& design, QWidget* parent, const DriveQuery& drives)
    : DriveListBase(drives), QtControlBase(design, new DriveComboBox(parent)) {
    auto* box = static_cast<DriveComboBox*>(comboBox());
    box->setEditable(false);
    showEntries();
    QObject::connect(box, &QComboBox::activated, receiver(), [this, box] {
        if (!m_programChange && !box->keyMove()) {
            chooseShown();
        }
    });
    box->onLeave = [this] {
        // Once the focus has moved on: a window opened while it changes (the error of a drive
        // that cannot be read) would have it come back to the list and leave it again.
        QMetaObject::invokeMethod(
            receiver(),
            [this] {
                const QWidget* focus = QApplication::focusWidget();
                if (focus != nullptr && focus != comboBox() &&
                    focus->window() == comboBox()->window()) {
                    chooseShown();
                }
            },
            Qt::QueuedConnection);
    };
}

QtDriveList::~QtDriveList() {
    // The widget may outlive this control until its deferred deletion.
    static_cast<DriveComboBox*>(comboBox())->onLeave = nullptr;
}

QComboBox* QtDriveList::comboBox() const {
    return static_cast<QComboBox*>(m_widget);
}

void QtDriveList::chooseShown() {
    const int index = comboBox()->currentIndex();
    if (index >= 0 && index < listCount() && index != currentIndex() && userChose(index)) {
        raiseFromUser(onChange);
    }
}

void QtDriveList::showEntries() {
    const ProgramChange change(m_programChange);
    comboBox()->clear();
    for (int i = 0; i < listCount(); ++i) {
        comboBox()->addItem(displayQString(list(i)));
    }
    comboBox()->setCurrentIndex(currentIndex());
}

}  // namespace qm::platform
