// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {
class Form;
}

namespace shell {

// Makes the default instance of every form known to the platform (the program and the
// tests call this before any form is used).
void registerForms();

// The form the program opens with: the start-up screen.
platform::Form& startupForm();

// What a second start says when the running copy plays with other words than it was given:
// on standard error, and in a message box when nobody reads that (started from the desktop).
QString otherWordsText(const QString& runningWords, const QString& ownWords);
// What a start says when a copy of the game holds the name but does not answer.
QString otherCopySilentText();
void tellOtherWordsRun(const QString& runningWords, const QString& ownWords, bool fromTerminal);

// Runs the program: the start-up form comes first.
int start(int argc, char* argv[]);

}  // namespace shell
