#include "platform/headless/HeadlessSystemInformation.h"

namespace qm::platform {

HeadlessSystemInformation::HeadlessSystemInformation(const KernelInfo& kernel)
    : m_name(kernel.name), m_version(shortVersion(kernel.release)), m_build(kernel.release) {}

}  // namespace qm::platform
