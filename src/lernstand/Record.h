// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The learning record: what a child wrote, word by word, kept in one folder as one file per
// child and computer ("<hash>~<computer>.lernstand"). A file's name shows no child's name:
// the hash is keyed with a secret kept in the folder, readable only by those who may read
// the record; the name is a line inside the file. Each result is one line written in one
// piece; a line that is torn or unreadable is skipped when the files are read. Files named
// "<child>~<computer>.lernstand" of earlier versions are read as well.
namespace lernstand {

enum class Outcome {
    FirstTry,    // right at the first try
    AfterReveal, // wrong first, right after the reveal
    Unfinished,  // wrong, and the game ended before it was written right
};

struct Result {
    QString day;  // YYYY-MM-DD
    int level = 1;
    Outcome outcome = Outcome::FirstTry;
    QString word;
    int box = -1;    // wrong words: the first wrong box (0 = first letter)
    QString letter;  // wrong words: what was written there instead of the right letter
    QString folder;  // the picture folder the word was played from (empty: not known);
                     // kept in a line of its own before the results played from it
};

// The child's name as it is compared: trimmed, without case.
QString childKey(const QString& name);
// The folder's secret for file names, made on first use. Empty, with `why`, when it can
// neither be read nor made.
QByteArray folderSecret(const QString& folder, QString* why = nullptr);
// The file of this child on this computer.
QString fileName(const QString& childKey, const QString& computerId, const QByteArray& secret);
// Whether a file name is one of the record's (either kind).
bool isRecordFile(const QString& fileName);
// The child of a file named by an earlier version (empty for any other name).
QString childOfFile(const QString& fileName);
// How a child's name is shown (from its key): every word with a capital first letter.
QString shownName(const QString& childKey);

// One result as one line, '\n' at its end.
QByteArray line(const Result& result);
// The line that names a file's child (the last such line of a file holds).
QByteArray nameLine(const QString& childKey);
// The line that names the picture folder of the results after it in the file.
QByteArray folderLine(const QString& folder);
// The results of one file's bytes, in order; torn and unreadable lines are skipped and
// counted in `skipped`, if given; the child the file names goes to `childKey`. A miss kept
// when it happened and the same word written right after it are one result.
std::vector<Result> parse(const QByteArray& bytes, int* skipped = nullptr, QString* childKey = nullptr);

// The results kept about one child in the folder, every computer's file merged, by day
// (the order within one file kept).
std::vector<Result> readChild(const QString& folder, const QString& childKey);

struct Child {
    QString key;
    std::vector<Result> results;
};
// Every child of the folder, by key.
std::vector<Child> readAll(const QString& folder);

// Deletes the files of one child (or, with an empty key, of every child). Returns the
// deleted file names; problems go to `failures` ("name: why"); the children whose files
// were deleted go to `children` (their keys).
QStringList forget(const QString& folder, const QString& childKey, QStringList* failures,
                   QStringList* children = nullptr);

// Renames a child (the names as typed): every record file of the child is renamed and
// names the new child. False, with a German reason in `why`, when the new name is empty
// or already has a record, or a file could not be renamed.
bool renameChild(const QString& folder, const QString& oldName, const QString& newName, QString* why);

// How many renames this program has made (a run's record of a child is read again after one).
int renames();

// The shown names of the children that have a record, sorted as German sorts.
QStringList childNames(const QString& folder);

// Of a file larger than this only its newest results are read.
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;

}  // namespace lernstand
