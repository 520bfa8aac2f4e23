// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/FitText.h"

#include <QFontMetricsF>
#include <QPainter>

#include "platform/ui/Access.h"

namespace platform {

FitText::FitText(QWidget* parent, const char* name) : Control<QWidget>(parent, name) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    readOnlyWhileShown(this);
}

void FitText::setCaption(const QString& caption) {
    caption_ = caption;
    describe(this, caption);
    update();
}

void FitText::setMark(int start, int length, const QColor& color) {
    markStart_ = std::clamp(start, 0, int(caption_.size()));
    markLength_ = std::clamp(length, 0, int(caption_.size()) - markStart_);
    mark_ = color;
    update();
}

void FitText::setForeColor(const QColor& color) {
    fore_ = color;
    update();
}

QFont FitText::fittedFont() const {
    QFont fitted = font();
    // A little room at either side, as a label keeps.
    const double room = std::max(1.0, width() - 4.0);
    const double wide = QFontMetricsF(fitted).horizontalAdvance(caption_);
    if (wide > room && fitted.pointSizeF() > 0) fitted.setPointSizeF(std::max(1.0, fitted.pointSizeF() * room / wide));
    else if (wide > room && fitted.pixelSize() > 0) fitted.setPixelSize(std::max(1, int(fitted.pixelSize() * room / wide)));
    // Rounding of glyph widths may still leave it a hair too wide.
    while (QFontMetricsF(fitted).horizontalAdvance(caption_) > room && fitted.pointSizeF() > 1)
        fitted.setPointSizeF(fitted.pointSizeF() * 0.95);
    return fitted;
}

void FitText::paintEvent(QPaintEvent*) {
    if (caption_.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont fitted = fittedFont();
    painter.setFont(fitted);
    const QFontMetricsF metrics(fitted);
    const QString before = caption_.left(markStart_);
    const QString marked = caption_.mid(markStart_, markLength_);
    const QString after = caption_.mid(markStart_ + markLength_);
    double x = (width() - metrics.horizontalAdvance(caption_)) / 2;
    const double baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    const auto draw = [&](const QString& part, const QColor& color) {
        painter.setPen(color);
        painter.drawText(QPointF(x, baseline), part);
        x += metrics.horizontalAdvance(part);
    };
    draw(before, fore_);
    draw(marked, markLength_ > 0 ? mark_ : fore_);
    draw(after, fore_);
}

}  // namespace platform
