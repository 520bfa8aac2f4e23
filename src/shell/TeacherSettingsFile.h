// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// Writing the teacher's own settings file from the teacher's room: one key at a time, every
// other line and comment kept, the file replaced whole or not at all.
namespace settings {

// Sets the key in the file to the values (one line each; none removes the key), in the place
// of its first line or at the end. Makes the file's folder when it is missing. Returns an
// empty text, or why the file could not be written (German).
QString store(const QString& path, const QString& key, const QStringList& values);

// Whether a value can be written as it is read back: one line, and no # after a blank
// (which would start a comment).
bool storable(const QString& value);

}  // namespace settings

// The same for one key of the teacher's own settings file, as the room's pages change it.
namespace teachersettings {

// Whether the school locks the key ("gesperrt" in the file for every user).
bool locked(const QString& key);
// Writes "key = value" into the user's settings file. Returns an empty string, or why not.
QString save(const QString& key, const QString& value);

}  // namespace teachersettings
