// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// What a folder holds, listed quickly: a school's db folder may hold tens of thousands of
// files, and it is listed again for every game.
namespace platform {

// Names (with extension, without folder) of the entries of a folder that are not
// sub-folders, in the order the file system lists them. Dangling links are listed too.
// When the folder cannot be listed (no permission, a read error) the list is empty and
// `readable`, if given, is set to false; otherwise it is set to true.
QStringList folderFiles(const QString& composed, bool* readable = nullptr);

// The names of the regular files of a folder (links to them included) that `nameAccepted`
// accepts, in the order the file system lists them, without opening a file: a folder of
// tens of thousands of pictures is listed in milliseconds. `readable`, when given, tells
// whether the folder could be listed to its end.
QStringList folderFileNames(const QString& composed, const std::function<bool(const QString&)>& nameAccepted,
                            bool* readable = nullptr);

// Like folderFileNames, but the names are kept between calls and the folder is listed again
// only when it changed: when its modification time, its inode or its device differ from the
// listing kept, or when it was modified so shortly before that listing that a change in the
// same tick of the file system's clock could have been missed. Links among the names are
// asked again every time (their target may change without the folder changing). A folder of
// tens of thousands of pictures costs a single status call per game.
QStringList keptFolderFileNames(const QString& composed, bool (*nameAccepted)(const QString&),
                                bool* readable = nullptr);
// Forgets every kept listing (tests and benchmarks).
void forgetFolderListings();
// How many times keptFolderFileNames has read a folder (tests and benchmarks).
int folderListingsRead();

// The names of the sub-folders of a folder (and links to folders), sorted.
QStringList subfolderNames(const QString& realPath);

}  // namespace platform
