// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>

#include "platform/ui/Controls.h"

namespace platform {

// A bow open to the top, as pupils draw under a syllable: the lower half of an ellipse
// `width` wide and `depth` deep whose ends lie at (left, top) and (left + width, top), drawn
// `penPixels` wide at scale 1 in the given colour. It takes no clicks.
class Arc : public Control<QWidget> {
public:
    Arc(QWidget* parent, const char* name);
    void setSpan(double left, double top, double width, double depth, int penPixels);
    void setColor(const QColor& color);
    QColor color() const { return color_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double depth_ = 0;
    int pen_ = 1;
    QColor color_;
};

}  // namespace platform
