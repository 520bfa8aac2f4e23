// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// One key of the teacher's own settings file changed from the teacher's room: the line of
// that key replaced (or added at the end), every other line kept as it was.
namespace teachersettings {

// Whether the settings file for every user locks the key ("gesperrt").
bool locked(const QString& key);
// Writes "key = value" into the user's settings file. Returns an empty string, or why not.
QString save(const QString& key, const QString& value);

}  // namespace teachersettings
