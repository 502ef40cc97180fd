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
    int result;
};

std::vector<Choice> choicesOf(ButtonSet set) {
    switch (set) {
        case ButtonSet::OkCancel:
            return {{QMessageBox::Ok, kOk}, {QMessageBox::Cancel, kCancel}};
        case ButtonSet::YesNo:
            return {{QMessageBox::Yes, kYes}, {QMessageBox::No, kNo}};
        case ButtonSet::RetryCancel:
            return {{QMessageBox::Retry, kRetry}, {QMessageBox::Cancel, kCancel}};
        case ButtonSet::Ok:
            break;
    }
    return {{QMessageBox::Ok, kOk}};
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

}  // namespace

int QtMessageBox::show(const std::string& text, int style, const std::string& title) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) {
        owner = QApplication::activeWindow();
    }
    QMessageBox box(owner);
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
