// The system-information component a window carries: the desktop work area in twips, the
// screen's twips per pixel, and the operating system's family, version and build.
#pragma once

#include <string>

namespace qm::platform {

class SystemInformation {
  public:
    virtual ~SystemInformation() = default;
    virtual double workAreaWidth() const = 0;   // twips
    virtual double workAreaHeight() const = 0;  // twips
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // 1 for the Windows 95 family, 2 for the Windows NT family, 0 for any other system.
    virtual int osPlatform() const = 0;
    virtual std::string osName() const = 0;     // the kernel's name on other systems ("Linux")
    virtual std::string osVersion() const = 0;  // shortest decimal form ("6.1")
    virtual std::string osBuild() const = 0;
};

// "6.1" from a kernel release such as "6.1.0-28-amd64": its first two numbers.
std::string shortVersion(const std::string& release);

}  // namespace qm::platform
