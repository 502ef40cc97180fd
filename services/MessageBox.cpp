#include "services/MessageBox.h"

namespace qm::platform {

ButtonSet buttonsOf(int style) {
    switch (style & 0x0F) {
        case 1:
            return ButtonSet::OkCancel;
        case 4:
            return ButtonSet::YesNo;
        case 5:
            return ButtonSet::RetryCancel;
        default:
            return ButtonSet::Ok;
    }
}

MessageIcon iconOf(int style) {
    switch (style & 0x70) {
        case 16:
            return MessageIcon::Critical;
        case 32:
            return MessageIcon::Question;
        case 48:
            return MessageIcon::Exclamation;
        case 64:
            return MessageIcon::Information;
        default:
            return MessageIcon::None;
    }
}

}  // namespace qm::platform
