// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QFont>
#include <QWidget>

// System colours and fonts of windows laid out in twips (the start-up screen and its links).
namespace platform::look {

// The colour of an active window's border, which the start-up screen shows around its frame.
QColor activeBorder();
// The background that controls paint by default (frames, opaque labels, link surfaces).
QColor controlBackground();
// Arial (Liberation Sans) in regular weight with whole-pixel glyph advances, as screens laid
// out in twips expect: a run of blanks then ends where a control laid over it ends.
QFont wholePixelFont(double points);

}  // namespace platform::look
