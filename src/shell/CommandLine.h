// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

#include "game/Options.h"

// The program's command line. Options have German names and English aliases; "--x=wert"
// and "--x wert" both work. Arguments with a single dash are the toolkit's and left alone.
namespace commandline {

struct Command {
    enum class Action { Play, Check, Report, Forget, Help, Version, Error };
    Action action = Action::Play;
    QString error;          // with Action::Error: what is wrong, in German
    QString checkFolder;    // --pruefen ORDNER (empty: the folder the game would use)
    QString sheet;          // --bogen DATEI.html
    std::optional<QString> db;
    std::optional<bool> fullScreen;
    std::optional<options::Speech> speech;
    std::optional<options::LetterKeys> letterKeys;
    std::optional<bool> learning;           // --lernstand
    std::optional<QString> learningFolder;  // --lernstand ORDNER
    QString report;                         // --bericht DATEI.html
    QString forgetChild;                    // --vergessen NAME
    bool forgetAll = false;                 // --vergessen-alle
};

Command parse(const QStringList& arguments);

// Puts what the command line sets over the options from the settings.
void applyTo(const Command& command, options::Options& into);

// The help text (German).
QString helpText();

}  // namespace commandline
