#include "platform/win32ui/Win32Surface.h"

#include <algorithm>
#include <cstdint>

namespace qm::platform {

double Win32Surface::unitsX() const {
    if (m_state.scaleWidth > 0) {
        return m_width / m_state.scaleWidth;
    }
    switch (m_state.scaleMode) {
        case 1:
            return 96.0 / 1440.0;  // twips
        case 2:
            return 96.0 / 72.0;  // points
        default:
            return 1.0;  // pixels
    }
}

double Win32Surface::unitsY() const {
    if (m_state.scaleHeight > 0) {
        return m_height / m_state.scaleHeight;
    }
    switch (m_state.scaleMode) {
        case 1:
            return 96.0 / 1440.0;
        case 2:
            return 96.0 / 72.0;
        default:
            return 1.0;
    }
}

void Win32Surface::fillBox(double x1, double y1, double x2, double y2, Rgb color) {
    const double sx = unitsX();
    const double sy = unitsY();
    m_boxes.push_back(Box{std::min(x1, x2) * sx, std::min(y1, y2) * sy, std::max(x1, x2) * sx,
                          std::max(y1, y2) * sy, color});
    if (onChange) {
        onChange();
    }
}

void Win32Surface::draw(HDC dc, int dpi) const {
    const double scale = dpi / 96.0;
    for (const Box& box : m_boxes) {
        const auto channel = [](std::uint8_t value) {
            return static_cast<COLOR16>(static_cast<unsigned>(value) << 8);
        };
        TRIVERTEX corners[2] = {};
        corners[0].x = static_cast<LONG>(box.left * scale + 0.5);
        corners[0].y = static_cast<LONG>(box.top * scale + 0.5);
        corners[1].x = static_cast<LONG>(box.right * scale + 0.5);
        corners[1].y = static_cast<LONG>(box.bottom * scale + 0.5);
        for (TRIVERTEX& corner : corners) {
            corner.Red = channel(box.color.red);
            corner.Green = channel(box.color.green);
            corner.Blue = channel(box.color.blue);
        }
        GRADIENT_RECT rect{0, 1};
        ::GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_H);
    }
}

}  // namespace qm::platform
