// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

#include "game/Options.h"

// The program's command line. Options have German names and English aliases; "--x=wert"
// and "--x wert" both work. -h and -v are short for --hilfe and --version; the toolkit's own
// single-dash options (-platform, -display, ...) are left to it; any other is unknown.
namespace commandline {

struct Command {
    enum class Action { Play, Check, Record, Report, Forget, HashPin, Help, Version, Error };
    Action action = Action::Play;
    QString error;          // with Action::Error: what is wrong, in German
    QString checkFolder;    // --pruefen ORDNER (empty: the folder the game would use)
    QString sheet;          // --bogen DATEI.html
    QString recordFolder;   // --aufnehmen ORDNER (empty: the folder the game would use)
    std::optional<QString> db;
    std::optional<bool> fullScreen;
    std::optional<options::Speech> speech;
    std::optional<options::LetterKeys> letterKeys;
    std::optional<bool> syllables;
    std::optional<bool> soundHelp;
    std::optional<bool> learning;           // --lernstand
    std::optional<QString> learningFolder;  // --lernstand ORDNER
    QString report;                         // --bericht DATEI.html
    QString reportChild;                    // --kind NAME (with --bericht)
    QString forgetChild;                    // --vergessen NAME
    bool forgetAll = false;                 // --vergessen-alle
};

Command parse(const QStringList& arguments);

// Puts what the command line sets over the options from the settings, and names the keys
// it set in the options' setForThisStart.
void applyTo(const Command& command, options::Options& into);

// The help text (German).
QString helpText();
// The one line that says how the program is called, shown after a mistake.
QString usageLine();

}  // namespace commandline
