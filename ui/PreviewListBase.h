// What every back end's preview list answers from the rows it shows, written once: a back end
// shows `m_state`'s rows and keeps its chosen row as the user and the program choose.
#pragma once

#include <string>

#include "ui/Controls.h"
#include "ui/PreviewRows.h"

namespace qm::platform {

class PreviewListBase : public ListBox {
  public:
    int listCount() const override { return m_state.count(); }
    std::string list(int index) const override { return m_state.name(index); }
    int listIndex() const override { return m_state.index(); }
    std::string warning(int index) const override { return m_state.warning(index); }

  protected:
    PreviewListState m_state;
};

}  // namespace qm::platform
