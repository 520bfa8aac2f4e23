// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Look.h"

#include <QApplication>
#include <QPalette>

#include "platform/ui/Controls.h"

namespace platform::look {

QColor activeBorder() { return platform::bgrColor(0x00B4B4B4); }

QColor controlBackground() { return QApplication::palette().color(QPalette::Window); }

QFont wholePixelFont(double points) {
    QFont font = platform::layoutFont(QStringLiteral("Arial"), points, false);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace platform::look
