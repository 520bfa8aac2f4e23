// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Arc.h"

#include <QPainter>
#include <QPainterPath>

namespace platform {

Arc::Arc(QWidget* parent, const char* name) : Control<QWidget>(parent, name) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Arc::setSpan(double left, double top, double width, double depth, int penPixels) {
    depth_ = depth;
    pen_ = penPixels;
    // The pen reaches half its width beyond the curve on every side.
    const double half = pen_ / 2.0 / unit();
    Move(left - half, top - half, width + 2 * half, depth + 2 * half);
}

void Arc::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Arc::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double ppu = pixelsPerUnit();
    const double pen = pen_ * scaleFactor();
    QPen outline(color_);
    outline.setWidthF(pen);
    outline.setCapStyle(Qt::RoundCap);
    painter.setPen(outline);
    // The ellipse's upper half lies above the control; only its lower half is drawn.
    const double w = width() - pen;
    const double d = depth_ * ppu;
    QPainterPath bow;
    bow.moveTo(pen / 2, pen / 2);
    bow.arcTo(QRectF(pen / 2, pen / 2 - d, w, 2 * d), 180, 180);
    painter.drawPath(bow);
}

}  // namespace platform
