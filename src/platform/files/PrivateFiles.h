// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "platform/files/RecordFiles.h"
#include <QByteArray>
#include <QString>

// Files about children that only their owner may read (the class list), and moving a
// file without ever replacing another. Every function reports failure in German and never
// throws.
namespace platform {

// Writing a whole file for its owner only: writePrivateFile (RecordFiles.h).

// The file's permission bits (0600 ...); -1 when it cannot be asked.
int fileMode(const QString& path);

// Renames `from` to `to` in the same folder; fails when `to` exists. Returns an empty
// string, or why it was not renamed.
QString moveFileNoReplace(const QString& from, const QString& to);

}  // namespace platform
