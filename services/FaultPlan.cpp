#include "services/FaultPlan.h"

namespace qm::platform {

void FaultPlan::failNth(FaultSite site, int nth, int errnoValue, bool sticky) {
    std::lock_guard lock(m_mutex);
    m_faults[site] = Fault{nth, errnoValue, sticky};
}

void FaultPlan::lift(FaultSite site) {
    std::lock_guard lock(m_mutex);
    m_faults.erase(site);
}

std::optional<int> FaultPlan::next(FaultSite site) {
    std::lock_guard lock(m_mutex);
    const auto it = m_faults.find(site);
    if (it == m_faults.end()) {
        return std::nullopt;
    }
    Fault& fault = it->second;
    if (fault.countdown > 1) {
        --fault.countdown;
        return std::nullopt;
    }
    const int err = fault.errnoValue;
    if (!fault.sticky) {
        m_faults.erase(it);
    }
    return err;
}

}  // namespace qm::platform
