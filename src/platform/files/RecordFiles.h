// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/files/TextFile.h"

// The files of the learning record: a folder (perhaps on the school's network share) that
// holds one file per child and computer. Every function reports failure in German and
// never throws. The files hold children's data: they are made for their owner only, or
// for owner and group where the folder belongs to another group (the school's).
namespace platform {

// Makes the folder when it is missing: only its last part, and only when the folder above
// it exists (a share that is not mounted is not made on the local disk). Returns an empty
// string, or why it cannot be used.
QString makeRecordFolder(const QString& folder);

// Appends one whole line (its bytes end with '\n') with a single write to a regular file
// opened for appending without blocking, creating the file. When the file does not end
// with a line end (a torn line), a line end is written first. `made` tells whether this
// call created the file. Returns an empty string, or why nothing was written.
QString appendRecordLine(const QString& path, const QByteArray& line, bool* made = nullptr);

// The bytes of a regular file, at most the last `maxBytes` (a longer file is read from
// the first whole line of its last `maxBytes`). An empty result with `ok` false: the file
// could not be read.
QByteArray readRecordFile(const QString& path, qint64 maxBytes, bool* ok = nullptr);

// The names of the regular files in the folder; empty when it cannot be listed (`ok` false).
QStringList recordFolderFiles(const QString& folder, bool* ok = nullptr);

// Deletes one file. Returns an empty string, or why it could not be deleted.
QString removeRecordFile(const QString& path);
// Renames a file within its folder, never over an existing one. Returns an empty string,
// or why not.
QString renameRecordFile(const QString& from, const QString& to);

// Writes a whole file that holds children's data (a report): through a temporary file of
// an unpredictable name, renamed over the old one; an existing file keeps its mode, a new
// one is the owner's only (writeWholeFile with FileMode::Private). Temporary files of the
// same pattern left by an earlier killed run (older than ten minutes) are removed first.
// Returns an empty string, or why not.
QString writePrivateFile(const QString& path, const QByteArray& bytes);

// The user's data folder: userDataFolder (system/App.h).
// Makes a folder of the user's own data with its parents, for the owner only. False when
// it cannot be made.
bool makeDataFolder(const QString& folder);

// This computer's id for the record: 16 hex digits of a hash of the machine's id
// (/etc/machine-id) made for this program alone, so that every account on one computer
// writes one file and accounts whose home is on a server still tell computers apart.
// Without a machine id: 16 random hex digits, made once and kept in `idFile`. The
// environment variable KNORZELBART_RECHNER_ID, when set to 1 to 32 letters and digits,
// wins (tests, two programs on one computer). Empty, with `why` filled, when no id can be
// had.
QString recordComputerId(const QString& idFile, QString* why = nullptr);
// Where the machine's id is read (tests).
void setMachineIdFile(const QString& path);

// Today's date as YYYY-MM-DD, local time. Tests set a day of their own (empty: the clock).
QString recordToday();
void setRecordToday(const QString& day);

}  // namespace platform
