// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// The learning record: what a child wrote, word by word, kept in one folder as one file per
// child and computer ("<child>~<computer>.lernstand"). Each result is one line written in
// one piece; a line that is torn or unreadable is skipped when the files are read.
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
};

// The child's name as it is compared: trimmed, without case.
QString childKey(const QString& name);
// The file of this child on this computer, and back from a file name to the child (empty
// when the name is no record file).
QString fileName(const QString& childKey, const QString& computerId);
QString childOfFile(const QString& fileName);
// How a child's name is shown (from its key): every word with a capital first letter.
QString shownName(const QString& childKey);

// One result as one line, '\n' at its end.
QByteArray line(const Result& result);
// The results of one file's bytes, in order; torn and unreadable lines are skipped and
// counted in `skipped`, if given.
std::vector<Result> parse(const QByteArray& bytes, int* skipped = nullptr);

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
// deleted file names; problems go to `failures` ("name: why").
QStringList forget(const QString& folder, const QString& childKey, QStringList* failures);

// A file larger than this is read only to here.
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;

}  // namespace lernstand
