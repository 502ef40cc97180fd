// The busy pointer over every window of the program, and letting pending paints happen.
#pragma once

#include "ui/Controls.h"

namespace qm::platform {

class Win32Pointer : public Pointer {
  public:
    // A state, not a stack: one false ends it. The windows show the hourglass while it is on.
    void setBusy(bool busy) override;
    // Paints what waits to be painted and answers messages other threads send; the user's input
    // waits for the handler to end, so no other handler starts in the middle of this one.
    void processEvents() override;
    bool busy() const { return m_busy; }

  private:
    bool m_busy = false;
};

}  // namespace qm::platform
