// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QList>
#include <QString>

// A pronunciation table: how the voice is to say words it would say wrong. One entry a
// line, `Wort = Ersatz`; the replacement is either a respelling the voice reads as text
// ("Mond = Mohnd") or espeak phonemes inside [[ ]] ("Fuchs = [[f'Uks]]"). Comments as in
// game/Comments.h; lines of another form are skipped. Words are matched without regard to letter
// case.
class Pronunciations {
public:
    // Returns the numbers of the lines (from 1) that are neither empty, a comment nor an entry.
    QList<int> parse(const QString& text);
    // Adds every entry of `other`, replacing entries for the same words.
    void merge(const Pronunciations& other);
    // The replacement for a word, or the word itself when the table has none.
    QString spoken(const QString& word) const;
    int size() const { return entries_.size(); }

private:
    static QString key(const QString& word);
    QHash<QString, QString> entries_;
};
