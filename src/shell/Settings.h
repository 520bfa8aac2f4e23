// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

#include "game/Options.h"

// The teacher's settings files: one for every user of the computer, and one per user that
// may change what the first one does not lock. Lines "schlüssel = wert"; comments as in
// game/Comments.h (a line starting with # or ;, and a # after a blank). The keys:
//   db               the folder of word pictures
//   vollbild         ja / nein
//   sprache          aus / knopf / automatisch / diktat
//   buchstabentasten aus / an / automatisch
//   silben           aus / an
//   anlauthilfe      aus / an
//   lernstand        aus / an (the learning record)
//   lernstandordner  the record's folder
//   sammlung         the word collection: its name, "Alle Wörter", or a folder
//   sammlungsordner  a teacher's own collection (a folder); one line for each
//   lehrerbereich    an / aus: whether the menu leads into the teacher's room
//   lehrerpin        the PIN asked before the room opens (empty: none)
//   gesperrt         (only in the file for every user) keys the users' files cannot change
namespace settings {

struct Files {
    QString system;  // for every user of the computer
    QString user;    // for this user
    // The school's file: what it locks holds whatever else says otherwise (the files above,
    // the command line). Empty: the system file is the school's.
    QString school;
};

// /etc/knorzelbart/einstellungen.conf and ~/.config/knorzelbart/einstellungen.conf; the
// environment variables KNORZELBART_EINSTELLUNGEN and KNORZELBART_BENUTZER_EINSTELLUNGEN
// point them elsewhere. The school's file is always /etc/knorzelbart/einstellungen.conf:
// pointing the system file elsewhere does not undo its locks.
Files defaultFiles();

// Reads both files into `into`, the system file first. A value that makes no sense leaves
// the option as it was; every such problem is one German line in the result, naming the
// file and the line. Missing files are no problem.
QStringList apply(const Files& files, options::Options& into);

// The keys the school's file locks, in the order of the keys.
QStringList lockedKeys(const Files& files);
// Sets every key the school's file locks back to the school's value (or the default, where
// it locks a key it does not set), after the command line or anything else changed it.
// Each key that had been changed is one German line in the result.
QStringList holdLocks(const Files& files, options::Options& into);

// The words the keys accept, for help texts and messages.
bool parseSpeech(const QString& value, options::Speech& speech);
bool parseLetterKeys(const QString& value, options::LetterKeys& keys);
bool parseYesNo(const QString& value, bool& yes);
QString speechName(options::Speech speech);
QString letterKeysName(options::LetterKeys keys);

}  // namespace settings
