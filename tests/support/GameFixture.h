// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "platform/ui/Controls.h"

class frmRaeuber;

namespace testsupport {

// A program folder for one test: bilder/ copied from the shipped pictures and a db/ the
// test fills. The platform runs on the virtual clock with message boxes, the program's end
// and link navigation intercepted; the shared variables hold their program-start values.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    QString path() const { return dir_.path(); }
    QString db() const { return dir_.path() + QStringLiteral("/db"); }
    // Writes a small picture per file name into db/ (the format follows the extension).
    void addPictures(const QStringList& fileNames);
    // Writes n pictures named Wort01.png, Wort02.png, ... (words of six letters).
    QStringList addNumberedPictures(int n, const QString& stem = QStringLiteral("Wort"));
    void writeFile(const QString& relative, const QByteArray& bytes);

private:
    QTemporaryDir dir_;
};

// Sets the level values as the menu's level button does, then shows the game form.
frmRaeuber& openGame(int level = 1, const QString& name = QStringLiteral("Mia"));

// Advances the virtual clock.
void runFor(int ms);
// Types text with real key events into a box.
void typeInto(platform::TextBox* box, const QString& text);
// Types the current word into the boxes, one letter per box, as a child does.
void typeCurrentWord(frmRaeuber& game);
// Runs the assistant's reaction and what follows it until the game waits for typing again
// (or at most `limitMs`).
void finishReaction(frmRaeuber& game, int limitMs = 8000);
// A right word: typed, reaction played, next word set up.
void playWordRight(frmRaeuber& game);
// A wrong word: wrong first letter, reaction, reveal, cross and walk, same word again.
void playWordWrong(frmRaeuber& game);
// Texts of the message boxes shown so far, in order.
QStringList messageTexts();
// Labels of the sounds played so far (the words said), in order.
QStringList playedLabels();
// Whether the form would show the control (its own flag; also while the form is hidden).
bool shown(const QWidget* w);

}  // namespace testsupport
