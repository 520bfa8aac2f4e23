// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// Turns a path composed the program's way (App.Path followed by a part written with
// backslashes) into a real path. Every component is matched without regard to letter case
// or Unicode normalisation when no exact match exists. Returns the best guess when nothing
// matches, so that callers can report the file by name.
QString resolvePath(const QString& composed);

// A path of the system, such as a teacher's folder, made ready to be composed with: on
// Linux a backslash in a file name is a character like any other, and resolvePath keeps
// the backslashes of such a path as they are ("Klasse\1a" stays one folder).
QString literalPath(const QString& path);

// Whether the folder exists (case-insensitive as above).
bool FolderExists(const QString& composed);
// Whether anything (a file, a folder, a device) is there.
bool PathExists(const QString& composed);

// Whether a file is there, and removing one (an empty text, or why not, in German).
bool fileExists(const QString& path);
QString removeFile(const QString& path);

}  // namespace platform
