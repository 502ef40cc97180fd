#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/qt/QtText.h"

namespace qm::platform {

namespace {

struct Choice {
    QMessageBox::StandardButton button;
    MessageResult result;
};

std::vector<Choice> choicesOf(ButtonSet set) {
    switch (set) {
        case ButtonSet::OkCancel:
            return {{QMessageBox::Ok, MessageResult::Ok},
                    {QMessageBox::Cancel, MessageResult::Cancel}};
        case ButtonSet::YesNo:
            return {{QMessageBox::Yes, MessageResult::Yes}, {QMessageBox::No, MessageResult::No}};
        case ButtonSet::RetryCancel:
            return {{QMessageBox::Retry, MessageResult::Retry},
                    {QMessageBox::Cancel, MessageResult::Cancel}};
        case ButtonSet::Ok:
            break;
    }
    return {{QMessageBox::Ok, MessageResult::Ok}};
}

QMessageBox::Icon iconFor(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The window a box belongs to, so that it opens over it and stays in front of it: the modal
// window on top, else the active window, else the program's window on screen. A run that closes
// one box and opens the next without returning to the event loop finds no active window: the
// desktop has not yet handed the keyboard back.
QWidget* ownerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow(); active != nullptr && active->isVisible()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog)) {
            return window;
        }
    }
    return nullptr;
}

}  // namespace

MessageResult QtMessageBox::show(const std::string& text, int style, const std::string& title) {
    QMessageBox box(ownerWindow());
    box.setWindowTitle(toQString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(linesQString(text));
    box.setIcon(iconFor(iconOf(style)));

    const std::vector<Choice> choices = choicesOf(buttonsOf(style));
    std::vector<QPushButton*> buttons;
    for (const Choice& choice : choices) {
        buttons.push_back(box.addButton(choice.button));
    }
    const std::size_t defaultAt = static_cast<std::size_t>((style >> 8) & 3);
    box.setDefaultButton(buttons[defaultAt < buttons.size() ? defaultAt : 0]);
    // The last button is the safe one: Cancel, No, or the only OK.
    box.setEscapeButton(buttons.back());

    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == clicked) {
            return choices[i].result;
        }
    }
    return choices.back().result;
}

}  // namespace qm::platform
