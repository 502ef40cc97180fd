#include "platform/headless/HeadlessMessageBox.h"

#include <stdexcept>
#include <string>

namespace qm::platform {

namespace {

bool offers(int style, int answer) {
    switch (buttonsOf(style)) {
        case ButtonSet::Ok:
            return answer == kOk;
        case ButtonSet::OkCancel:
            return answer == kOk || answer == kCancel;
        case ButtonSet::YesNo:
            return answer == kYes || answer == kNo;
        case ButtonSet::RetryCancel:
            return answer == kRetry || answer == kCancel;
    }
    return false;
}

}  // namespace

int HeadlessMessageBox::show(const std::string& text, int style, const std::string& title) {
    m_shown.push_back(ShownMessage{text, style, title});
    if (whileShown) {
        whileShown(m_shown.back());
    }
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        if (!offers(style, answer)) {
            // A user can only press a button the box shows: a test that answers otherwise
            // would prove a path the program can never take.
            throw std::logic_error("answer " + std::to_string(answer) +
                                   " is not a button of style " + std::to_string(style) + " (\"" +
                                   text + "\")");
        }
        return answer;
    }
    switch (buttonsOf(style)) {
        case ButtonSet::OkCancel:
        case ButtonSet::RetryCancel:
            return kCancel;
        case ButtonSet::YesNo:
            return kNo;
        case ButtonSet::Ok:
            break;
    }
    return kOk;
}

}  // namespace qm::platform
