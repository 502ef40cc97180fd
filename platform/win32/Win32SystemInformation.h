// The system-information component on Windows: the desktop work area (SPI_GETWORKAREA) in
// twips, the screen's twips per pixel (1440 / logical dpi), and the NT family's version and
// build from RtlGetVersion.
#pragma once

#include "services/SystemFacts.h"
#include "services/SystemInformation.h"

namespace qm::platform {

class Win32SystemInformation : public SystemInformation {
  public:
    explicit Win32SystemInformation(const SystemFacts& facts);

    double workAreaWidth() const override;
    double workAreaHeight() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    int osPlatform() const override { return 2; }  // every Windows this builds for is NT
    std::string osName() const override { return "Windows NT"; }
    // The version as a decimal in its shortest form ("10" for 10.0, "6.1").
    std::string osVersion() const override { return m_version; }
    std::string osBuild() const override { return m_build; }

  private:
    std::string m_version;
    std::string m_build;
};

}  // namespace qm::platform
