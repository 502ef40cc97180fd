#include "platform/qt/QtSystemInformation.h"

#include <QGuiApplication>
#include <QScreen>

namespace qm::platform {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// Without a screen (no display at all) the classic 96 DPI.
constexpr double kFallbackDpi = 96.0;

double logicalDpiX() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX()
                                                                  : kFallbackDpi;
}

double logicalDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY()
                                                                  : kFallbackDpi;
}

QRect workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

QtSystemInformation::QtSystemInformation(const SystemFacts& facts) {
    const KernelInfo kernel = facts.kernel();
    m_name = kernel.name;
    m_version = shortVersion(kernel.release);
    m_build = kernel.release;
}

double QtSystemInformation::workAreaWidth() const {
    return workArea().width() * twipsPerPixelX();
}

double QtSystemInformation::workAreaHeight() const {
    return workArea().height() * twipsPerPixelY();
}

double QtSystemInformation::twipsPerPixelX() const {
    return kTwipsPerInch / logicalDpiX();
}

double QtSystemInformation::twipsPerPixelY() const {
    return kTwipsPerInch / logicalDpiY();
}

}  // namespace qm::platform
