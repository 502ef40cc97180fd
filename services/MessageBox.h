// Modal message boxes by style number (buttons and icon) and title; the result is the number of
// the button pressed.
#pragma once

#include <string>

namespace qm::platform {

// Style numbers in use: buttons plus icon.
enum MessageStyle : int {
    kStyleOk = 0,
    kStyleRetryCancel = 5,
    kStyleOkCritical = 16,
    kStyleRetryCancelCritical = 21,
    kStyleYesNoQuestion = 36,
    kStyleOkExclamation = 48,
    kStyleOkInformation = 64,
};

// The button pressed, by its number.
enum class MessageResult : int { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual MessageResult show(const std::string& text, int style, const std::string& title) = 0;
};

// The buttons a style offers, from the low four bits: 0 OK, 1 OK/Cancel, 4 Yes/No, 5 Retry/Cancel.
enum class ButtonSet { Ok, OkCancel, YesNo, RetryCancel };
ButtonSet buttonsOf(int style);
// The icon a style shows from bits 4-6: none, critical (16), question (32), exclamation (48),
// information (64).
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
MessageIcon iconOf(int style);

}  // namespace qm::platform
