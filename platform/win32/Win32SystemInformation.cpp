#include "platform/win32/Win32SystemInformation.h"

#include <windows.h>

namespace qm::platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;

RECT workArea() {
    RECT area{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

double logicalDpi(int axis) {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, axis) : 0;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96.0;
}

}  // namespace

Win32SystemInformation::Win32SystemInformation(const SystemFacts& facts) {
    // "10.0.19045": the first two numbers are the version, the third the build.
    const std::string release = facts.kernel().release;
    const auto firstDot = release.find('.');
    const auto secondDot = release.find('.', firstDot == std::string::npos ? 0 : firstDot + 1);
    const std::string major = release.substr(0, firstDot);
    const std::string minor = firstDot == std::string::npos
                                  ? std::string()
                                  : release.substr(firstDot + 1, secondDot - firstDot - 1);
    m_version = minor.empty() || minor == "0" ? major : major + "." + minor;
    m_build = secondDot == std::string::npos ? std::string() : release.substr(secondDot + 1);
}

double Win32SystemInformation::workAreaWidth() const {
    const RECT area = workArea();
    return (area.right - area.left) * twipsPerPixelX();
}

double Win32SystemInformation::workAreaHeight() const {
    const RECT area = workArea();
    return (area.bottom - area.top) * twipsPerPixelY();
}

double Win32SystemInformation::twipsPerPixelX() const {
    return kTwipsPerInch / logicalDpi(LOGPIXELSX);
}

double Win32SystemInformation::twipsPerPixelY() const {
    return kTwipsPerInch / logicalDpi(LOGPIXELSY);
}

}  // namespace qm::platform
