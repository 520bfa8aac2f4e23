// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up figures: the smallest Qt Widgets program that opens one window
// showing one line of text in the toolkit's default font, so that it sets up fonts and draws
// text as any window with text does, at the size of the game's first window (its start-up
// screen, 656 x 475 pixels).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(656, 475);
    QLabel label(QStringLiteral("Knorzelbart – Rechtschreibspiel"), &window);
    label.move(20, 20);
    window.show();
    return app.exec();
}
