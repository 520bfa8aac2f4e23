#pragma once
#include <QColor>
#include <QFont>
#include <QWidget>

// Colours and fonts of the start-up screen and its links.
namespace look {

// The colour of an active window's border, which the start-up screen shows around its frame.
QColor activeBorder();
// The background that controls paint by default (frames, opaque labels, link surfaces).
QColor controlBackground();
// Fills the widget with the colour (its children inherit it).
void fill(QWidget* widget, const QColor& color);

// Arial (Liberation Sans) in regular weight with whole-pixel glyph advances, as the
// start-up screen was laid out: the runs of blanks in the credits then end where the links
// over them end.
QFont splashFont(double points);

}  // namespace look
