// System information from the screen and the kernel: the work area in twips (the screen's
// available geometry in device pixels times twips per pixel, 1440 / logical DPI rounded to a
// whole number) and the kernel's name and release as the operating system.
#pragma once

#include <string>

#include "services/SystemFacts.h"
#include "services/SystemInformation.h"

namespace qm::platform {

class QtSystemInformation : public SystemInformation {
  public:
    // Reads the kernel facts once; the screen is asked on every call.
    explicit QtSystemInformation(const SystemFacts& facts);

    double workAreaWidth() const override;
    double workAreaHeight() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    int osPlatform() const override { return 0; }
    std::string osName() const override { return m_name; }
    std::string osVersion() const override { return m_version; }
    std::string osBuild() const override { return m_build; }

  private:
    std::string m_name;
    std::string m_version;
    std::string m_build;
};

}  // namespace qm::platform
