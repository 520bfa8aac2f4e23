// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QString>

// A pronunciation table: how the voice is to say words it would say wrong. One entry a
// line, `Wort = Ersatz`; the replacement is either a respelling the voice reads as text
// ("Mond = Mohnd") or espeak phonemes inside [[ ]] ("Fuchs = [[f'Uks]]"). Text after # is a
// comment; lines of another form are skipped. Words are matched without regard to letter
// case.
class Pronunciations {
public:
    void parse(const QString& text);
    // Adds every entry of `other`, replacing entries for the same words.
    void merge(const Pronunciations& other);
    // The replacement for a word, or the word itself when the table has none.
    QString spoken(const QString& word) const;
    int size() const { return entries_.size(); }

private:
    static QString key(const QString& word);
    QHash<QString, QString> entries_;
};
