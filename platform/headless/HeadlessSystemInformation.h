// System information with settable values: a work area of 1280 x 770 pixels at 15 twips per
// pixel unless a test says otherwise, and the OS of the given kernel facts.
#pragma once

#include "services/SystemFacts.h"
#include "services/SystemInformation.h"

namespace qm::platform {

class HeadlessSystemInformation : public SystemInformation {
  public:
    HeadlessSystemInformation() = default;
    explicit HeadlessSystemInformation(const KernelInfo& kernel);

    double workAreaWidth() const override { return m_workAreaWidth; }
    double workAreaHeight() const override { return m_workAreaHeight; }
    double twipsPerPixelX() const override { return m_twipsX; }
    double twipsPerPixelY() const override { return m_twipsY; }
    int osPlatform() const override { return m_platform; }
    std::string osName() const override { return m_name; }
    std::string osVersion() const override { return m_version; }
    std::string osBuild() const override { return m_build; }

    void setWorkArea(double widthTwips, double heightTwips, double twipsX, double twipsY) {
        m_workAreaWidth = widthTwips, m_workAreaHeight = heightTwips, m_twipsX = twipsX,
        m_twipsY = twipsY;
    }
    void setOs(int platform, std::string name, std::string version, std::string build) {
        m_platform = platform, m_name = std::move(name), m_version = std::move(version),
        m_build = std::move(build);
    }

  private:
    double m_workAreaWidth = 19200;
    double m_workAreaHeight = 11550;
    double m_twipsX = 15;
    double m_twipsY = 15;
    int m_platform = 0;
    std::string m_name;
    std::string m_version;
    std::string m_build;
};

}  // namespace qm::platform
