// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "game/Rules.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The teacher's check of a picture folder: every file, the word it becomes or why the game
// leaves it out, and what would surprise a child. Uses the game's own rules for names and
// pictures.
namespace check {

// A game is won with fifteen right words, each a picture of its own.
constexpr int kPicturesForAVictory = rules::kWordsToWin;
// The size of the picture box in the game.
constexpr int kPictureSide = 100;

struct FileResult {
    QString name;        // as listed
    QString word;        // the word the child types (usable files only)
    QString syllables;   // with the setting silben: the word split ("Ba-na-ne"), else empty
    bool usable = false;
    QString role;        // a teacher's file beside the pictures: what it is (German), else empty
    QString reason;      // why it is left out (German)
    QStringList warnings;
    QByteArray thumbnail;  // PNG, kPictureSide square, when asked for
};

struct Report {
    enum class Folder { Found, Missing, NoFolder, Unreadable };
    QString folder;          // as looked for
    bool folderFound = false;
    Folder folderState = Folder::Missing;
    QList<FileResult> files;  // sorted by name
    QStringList subfolders;
    int usable = 0;
    int warnings = 0;
    bool canBeWon() const { return usable >= kPicturesForAVictory; }
};

// Looks at every file of the folder (a path as the game composes it). With thumbnails, each
// usable picture is kept small for the picture sheet.
Report examine(const QString& folder, bool thumbnails);

// The listing as printed: one line per file, then the summary.
QString text(const Report& report);

// 0 when a game with this folder can be won, 2 when the folder cannot be read, 1 otherwise.
int exitStatus(const Report& report);

// Whether a name (without its extension) is one a camera or a phone gives its photos.
bool looksLikeCameraName(const QString& stem);

// A file name made safe to print: control and invisible characters shown as \u{...}.
QString printable(const QString& name);

}  // namespace check
