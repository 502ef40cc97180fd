#include "platform/headless/HeadlessMessageBox.h"

namespace qm::platform {

int HeadlessMessageBox::show(const std::string& text, int style, const std::string& title) {
    m_shown.push_back(ShownMessage{text, style, title});
    if (whileShown) {
        whileShown(m_shown.back());
    }
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
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
