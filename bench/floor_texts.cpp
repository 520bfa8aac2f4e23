// SPDX-License-Identifier: GPL-3.0-or-later
// A second floor for start-up figures: a plain Qt Widgets window of the game's start-up size
// (656 x 475 pixels) that shows the start-up screen's texts as plain labels, in the same
// typeface, sizes and hinting, at the same places, and nothing else: no game, no platform
// layer, no links, no timers (the college's logo, too, comes only after the game's first
// frame). What the game costs above it is what the game adds to the drawing of its screen.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include "shell/Credits.h"

namespace {

// Liberation Sans (the metric twin of Arial) with whole-pixel advances, as the game draws.
QFont gameFont(double points) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// A label in twips, as the start-up screen is laid out (15 twips to the pixel).
QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height,
              double points, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(left / 15, top / 15, width / 15, height / 15);
    l->setFont(gameFont(points));
    l->setAlignment(align);
    l->setWordWrap(true);
    return l;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(656, 475);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    label(&window, QStringLiteral("Knorzelbart"), 1500, 360, 6855, 1095, 39.75, centred);
    label(&window, QStringLiteral("Ein Sprachlernprogramm für Grundschulen\n\n1. Schuljahr"), 1860, 1440,
          6135, 1095, 9.75, centred);
    label(&window, QStringLiteral("Version 1.0.0"), 3060, 2520, 3735, 495, 20.25, centred);
    label(&window, credits::creditsSentence, 360, 3120, 8775, 495, 9.75);
    label(&window,
          QStringLiteral("Die Autoren haben nach bestem Wissen und Gewissen programmiert, übernehmen "
                         "aber keine Gewähr für eventuelle Fehler. Anregungen und "
                         "Verbesserungsvorschläge bitte an:"),
          360, 3600, 9135, 615, 9.75);
    label(&window, credits::collegeName, 720, 3360, 2295, 255, 9.75);
    label(&window, credits::schoolName, 4920, 3360, 2655, 255, 9.75);
    label(&window,
          credits::postalStreet + QLatin1Char('\n') + credits::postalTown + QStringLiteral("\nz. Hd. ") +
              credits::contactTitleAndName,
          3120, 5160, 3135, 855, 9.75);
    label(&window, credits::contactMail, 3120, 6015, 3015, 255, 9.75);
    window.show();
    return app.exec();
}
