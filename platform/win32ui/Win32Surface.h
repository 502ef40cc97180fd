// The client area's background as the program painted it: each box kept in design pixels, so
// it is drawn again at any DPI, each one a GradientFill of its colour. The window keeps what it
// draws as its background and draws it anew when a box is added.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/Controls.h"

namespace qm::platform {

class Win32Surface : public DrawingSurface {
  public:
    Win32Surface(int designWidth, int designHeight)
        : m_width(designWidth), m_height(designHeight) {}
    DrawingState state() const override { return m_state; }
    void setState(const DrawingState& state) override { m_state = state; }
    void fillBox(double x1, double y1, double x2, double y2, Rgb color) override;

    bool painted() const { return !m_boxes.empty(); }
    // Draws every box at `dpi`.
    void draw(HDC dc, int dpi) const;
    // Called whenever a box is added.
    std::function<void()> onChange;

  private:
    struct Box {
        double left, top, right, bottom;  // design pixels
        Rgb color;
    };
    double unitsX() const;
    double unitsY() const;

    int m_width;
    int m_height;
    DrawingState m_state;
    std::vector<Box> m_boxes;
};

}  // namespace qm::platform
