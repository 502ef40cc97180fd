#include "platform/qt/QtSystemInformation.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

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

// The work area in the screen's own pixels: on a scaled desktop Qt's geometry counts scaled
// pixels (a 1280 x 900 screen at 200 % is 640 x 450 of them).
QSize workArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return QSize();
    }
    const qreal ratio = screen->devicePixelRatio();
    const QSize area = screen->availableGeometry().size();
    return QSize(qRound(area.width() * ratio), qRound(area.height() * ratio));
}

// Whole twips per pixel, so that the work area divides back into exact pixels.
double wholeTwipsPerPixel(double dpi) {
    return std::max(1.0, std::round(kTwipsPerInch / dpi));
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
    return wholeTwipsPerPixel(logicalDpiX());
}

double QtSystemInformation::twipsPerPixelY() const {
    return wholeTwipsPerPixel(logicalDpiY());
}

}  // namespace qm::platform
