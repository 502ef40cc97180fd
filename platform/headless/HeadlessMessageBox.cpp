#include "platform/headless/HeadlessMessageBox.h"

#include <stdexcept>
#include <string>

namespace qm::platform {

namespace {

bool offers(int style, MessageResult answer) {
    switch (buttonsOf(style)) {
        case ButtonSet::Ok:
            return answer == MessageResult::Ok;
        case ButtonSet::OkCancel:
            return answer == MessageResult::Ok || answer == MessageResult::Cancel;
        case ButtonSet::YesNo:
            return answer == MessageResult::Yes || answer == MessageResult::No;
        case ButtonSet::RetryCancel:
            return answer == MessageResult::Retry || answer == MessageResult::Cancel;
    }
    return false;
}

}  // namespace

MessageResult HeadlessMessageBox::show(const std::string& text, int style,
                                       const std::string& title) {
    m_shown.push_back(ShownMessage{text, style, title});
    if (whileShown) {
        whileShown(m_shown.back());
    }
    if (!m_answers.empty()) {
        const MessageResult answer = m_answers.front();
        m_answers.pop_front();
        if (!offers(style, answer)) {
            // A user can only press a button the box shows: a test that answers otherwise
            // would prove a path the program can never take.
            throw std::logic_error("answer " + std::to_string(static_cast<int>(answer)) +
                                   " is not a button of style " + std::to_string(style) + " (\"" +
                                   text + "\")");
        }
        return answer;
    }
    switch (buttonsOf(style)) {
        case ButtonSet::OkCancel:
        case ButtonSet::RetryCancel:
            return MessageResult::Cancel;
        case ButtonSet::YesNo:
            return MessageResult::No;
        case ButtonSet::Ok:
            break;
    }
    return MessageResult::Ok;
}

}  // namespace qm::platform
