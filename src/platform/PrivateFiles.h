// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// Files about children that only their owner may read (the class list), and moving a
// file without ever replacing another. Every function reports failure in German and never
// throws.
namespace platform {

// Writes the whole file anew through a temporary file beside it that is renamed over it, so
// that a reader sees the old or the new content, never a part. A file made here can be read
// and written by its owner only (mode 0600); an existing file keeps that mode too. Returns
// an empty string, or why nothing was changed.
QString writePrivateFile(const QString& path, const QByteArray& bytes);

// The file's permission bits (0600 ...); -1 when it cannot be asked.
int fileMode(const QString& path);

// Renames `from` to `to` in the same folder; fails when `to` exists. Returns an empty
// string, or why it was not renamed.
QString moveFileNoReplace(const QString& from, const QString& to);

}  // namespace platform
