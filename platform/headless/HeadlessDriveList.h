// The mounted drives in memory, from the real drive query.
#pragma once

#include "platform/headless/HeadlessControls.h"
#include "ui/DriveListModel.h"

namespace qm::platform {

class HeadlessDriveList : public DriveListBase, public HeadlessControlBase {
  public:
    HeadlessDriveList(const ControlDesign& d, HeadlessWindow* w, const DriveQuery& drives)
        : DriveListBase(drives), HeadlessControlBase(d, w) {}

    // The user picks entry `index`.
    void choose(int index) {
        if (userChose(index)) {
            raise(onChange);
        }
    }
};

}  // namespace qm::platform
