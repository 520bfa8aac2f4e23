// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QString>

#include "platform/ui/Controls.h"

namespace platform {

// One line of text, centred, whose font shrinks until the whole text fits the control's
// width ("Regenbogenfisch" on a small card). A stretch of it may be drawn in another
// colour ("in Glo·ck·e" with "ck" marked). A screen reader reads the text as it stands,
// while it is shown.
class FitText : public Control<QWidget> {
public:
    FitText(QWidget* parent, const char* name);
    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // Characters `start` to `start + length` in `color`; length 0: none.
    void setMark(int start, int length, const QColor& color);
    void setForeColor(const QColor& color);
    // The font the text is drawn with now (smaller than the control's font for a long text).
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString caption_;
    int markStart_ = 0;
    int markLength_ = 0;
    QColor mark_;
    QColor fore_ = Qt::black;
};

}  // namespace platform
