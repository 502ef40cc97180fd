// A message box for tests: records every box shown and answers from a queue the test fills
// (an answer the box's buttons do not offer is a mistake of the test and throws).
// With the queue empty it answers with the box's safe button (OK, Cancel or No), so a test that
// forgets an answer never loops on Retry.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "services/MessageBox.h"

namespace qm::platform {

struct ShownMessage {
    std::string text;
    int style = 0;
    std::string title;
};

class HeadlessMessageBox : public MessageBox {
  public:
    MessageResult show(const std::string& text, int style, const std::string& title) override;

    void queueAnswer(MessageResult result) { m_answers.push_back(result); }
    const std::vector<ShownMessage>& shown() const { return m_shown; }
    void clear() { m_shown.clear(), m_answers.clear(); }

    // Runs while a box is up, before it is answered (a test may change the disk here, as a user
    // would before pressing Retry).
    std::function<void(const ShownMessage&)> whileShown;

  private:
    std::vector<ShownMessage> m_shown;
    std::deque<MessageResult> m_answers;
};

}  // namespace qm::platform
