// The drawing surface of a Qt window: the client area, which is the controls' parent, keeps one
// image the program paints boxes on in the surface's scale (pixels, twips, points or its own
// units) and shows it as its background.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/Controls.h"

namespace qm::platform {

// The client area: the controls' parent, showing the surface's image when one was painted.
class ClientArea : public QWidget {
  public:
    explicit ClientArea(QWidget* parent);
    // The persistent image, made on first use at the area's size (filled with its background).
    QPixmap& image();
    bool hasImage() const { return !m_image.isNull(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_image;
};

class QtSurface : public DrawingSurface {
  public:
    explicit QtSurface(ClientArea& area) : m_area(area) {}
    DrawingState state() const override { return m_state; }
    void setState(const DrawingState& state) override { m_state = state; }
    void fillBox(double x1, double y1, double x2, double y2, Rgb color) override;

  private:
    // Logical pixels per unit of the current scale.
    double unitsX() const;
    double unitsY() const;

    ClientArea& m_area;
    DrawingState m_state;
};

}  // namespace qm::platform
