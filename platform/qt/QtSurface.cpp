#include "platform/qt/QtSurface.h"

#include <QPainter>
#include <algorithm>

namespace qm::platform {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {}

QPixmap& ClientArea::image() {
    if (m_image.isNull()) {
        const qreal ratio = devicePixelRatioF();
        m_image = QPixmap(size() * ratio);
        m_image.setDevicePixelRatio(ratio);
        m_image.fill(palette().color(QPalette::Window));
    }
    return m_image;
}

void ClientArea::paintEvent(QPaintEvent*) {
    if (!m_image.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_image);
    }
}

double QtSurface::unitsX() const {
    if (m_state.scaleWidth > 0) {
        return m_area.width() / m_state.scaleWidth;
    }
    const double dpi = m_area.logicalDpiX();
    switch (m_state.scaleMode) {
        case 1:
            return dpi / 1440.0;  // twips
        case 2:
            return dpi / 72.0;  // points
        default:
            return 1.0;  // pixels
    }
}

double QtSurface::unitsY() const {
    if (m_state.scaleHeight > 0) {
        return m_area.height() / m_state.scaleHeight;
    }
    const double dpi = m_area.logicalDpiY();
    switch (m_state.scaleMode) {
        case 1:
            return dpi / 1440.0;
        case 2:
            return dpi / 72.0;
        default:
            return 1.0;
    }
}

void QtSurface::fillBox(double x1, double y1, double x2, double y2, Rgb color) {
    const double sx = unitsX();
    const double sy = unitsY();
    const QRectF box(QPointF(std::min(x1, x2) * sx, std::min(y1, y2) * sy),
                     QPointF(std::max(x1, x2) * sx, std::max(y1, y2) * sy));
    {
        QPainter painter(&m_area.image());
        painter.fillRect(box, QColor(color.red, color.green, color.blue));
    }
    m_area.update();
}

}  // namespace qm::platform
