// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

// A word split into syllables as first grades write arcs under them ("Ba-na-ne"). The split
// comes from a teacher's silben.txt in the picture folder if it names the word, otherwise
// from the German hyphenation patterns, set for syllables: a single vowel may stand as a
// syllable at the start ("E-sel"), every syllable holds a vowel ("Stern", "Fahr-rad"), and
// "ck", "ch" and "sch" stay whole ("Schne-cke").
namespace syllables {

// One syllable: `length` characters of the word from `start` (counted from 0). Blanks and
// hyphens inside a word belong to no syllable.
struct Piece {
    int start = 0;
    int length = 0;
    bool operator==(const Piece&) const = default;
};

// The syllables of a word of the pictures in `folder` (as the game composes that path;
// empty: the patterns only). Empty when neither the teacher's list nor the patterns (not
// installed) know the word.
QList<Piece> split(const QString& word, const QString& folder = QString());
// The same, from the patterns only.
QList<Piece> fromPatterns(const QString& word);
// The syllables' texts, in order (the word whole when no split is known).
QStringList texts(const QString& word, const QString& folder = QString());
// The word written with hyphens between its syllables ("Ba-na-ne", "Eis am Stiel").
QString hyphenated(const QString& word, const QString& folder = QString());
// The name of a teacher's syllables table beside the pictures, in any letter case.
QString teacherTableName();

// What a teacher writes in silben.txt: one word a line with hyphens between its
// syllables ("Ba-na-ne"; dashes an editor made of them count as hyphens: "Ka–ka–o"); text
// after # is a comment; lines of another form are skipped.
class Table {
public:
    // Returns the numbers (from 1) of the lines skipped, blank and comment lines aside.
    QList<int> parse(const QString& text);
    // The teacher's syllables for the word, or an empty list when the table has none.
    QList<Piece> lookUp(const QString& word) const;
    int size() const { return int(entries_.size()); }

private:
    QList<QString> entries_;  // as written, hyphens and all
};

// Makes the splits of `words` ready (see platform/Hyphenation.h), then calls `ready` on the
// GUI thread while `context` lives; at once when they are kept from an earlier start.
void prepare(QObject* context, const QStringList& words, std::function<void()> ready);

// Forgets the tables read from vocabulary folders (tests that rewrite one).
void forgetTables();

}  // namespace syllables
