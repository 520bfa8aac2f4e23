// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The files of the learning record: a folder (perhaps on the school's network share) that
// holds one file per child and computer. Every function reports failure in German and
// never throws.
namespace platform {

// Makes the folder (and its parents). Returns an empty string, or why it cannot be made.
QString makeRecordFolder(const QString& folder);

// Appends one whole line (its bytes end with '\n') with a single write to a file opened
// for appending, creating the file. Returns an empty string, or why nothing was written.
QString appendRecordLine(const QString& path, const QByteArray& line);

// The bytes of a file, at most `maxBytes` (a longer file is read to that size). An empty
// result with `ok` false: the file could not be read.
QByteArray readRecordFile(const QString& path, qint64 maxBytes, bool* ok = nullptr);

// The names of the regular files in the folder; empty when it cannot be listed (`ok` false).
QStringList recordFolderFiles(const QString& folder, bool* ok = nullptr);

// Deletes one file. Returns an empty string, or why it could not be deleted.
QString removeRecordFile(const QString& path);

// The user's data folder ($XDG_DATA_HOME, else ~/.local/share).
QString userDataFolder();

// This computer's id for the record: 16 random hex digits, made once and kept in
// `idFile`; the same id on every later call. The environment variable
// KNORZELBART_RECHNER_ID, when set to 1 to 32 letters and digits, wins (tests, two
// programs on one computer). Empty, with `why` filled, when no id can be kept.
QString recordComputerId(const QString& idFile, QString* why = nullptr);

// Today's date as YYYY-MM-DD, local time. Tests set a day of their own (empty: the clock).
QString recordToday();
void setRecordToday(const QString& day);

}  // namespace platform
