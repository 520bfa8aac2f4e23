// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The word collections a teacher chooses from: every word (the folder db beside the
// program), the shipped themes (each a sub-folder of the folder sammlungen beside the
// program, named by its folder) and the teacher's own folders. A collection is a folder of
// pictures: the word rules hold in it unchanged.
namespace collections {

// The name of the collection of every shipped word.
QString allWords();  // "Alle Wörter"
bool isAllWords(const QString& value);

enum class Kind { All, Shipped, Own };

struct Collection {
    QString name;    // as shown: "Alle Wörter", the theme's folder name, the own folder's name
    QString folder;  // where its pictures are
    Kind kind = Kind::All;
};

// The folder the shipped themes lie in.
QString shippedFolder();

// Every collection: "Alle Wörter", the shipped themes by name, then the teacher's folders in
// the order she added them (a folder named twice once).
QList<Collection> list(const QStringList& ownFolders);

// Whether the setting names a folder (a full path or one from the home folder) rather than
// a collection by name.
bool isFolder(const QString& value);

// The folder of the collection a setting names: "Alle Wörter" (or nothing) is db, a folder is
// itself (~/ from the home folder), any other text the shipped theme of that name.
QString folderOf(const QString& value);

// The setting that names a collection: its name, or for an own folder the folder.
QString settingOf(const Collection& collection);

// Which of the collections the setting chooses; -1 when none of them.
int indexOf(const QList<Collection>& all, const QString& value);

}  // namespace collections
