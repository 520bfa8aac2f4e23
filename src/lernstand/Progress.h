// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QString>
#include <vector>

#include "lernstand/Record.h"

// What one child's record says about each word: whether it still needs practice, and when
// it was last seen.
namespace lernstand {

// A word written wrong stays hard until it has since been written right at the first try
// this many times.
constexpr int kRightsToLearn = 2;

struct WordState {
    bool hard = false;
    int rightsSinceMiss = 0;
    qint64 lastSeen = -1;  // -1: never; otherwise larger is later
    int written = 0;
    int wrong = 0;
};

class Progress {
public:
    void add(const Result& result);
    void addAll(const std::vector<Result>& results);
    // The state of a word (a default one for a word never written).
    WordState state(const QString& word) const { return words_.value(word); }
    // Marks a word as seen now, without a result (the picture was shown).
    void seen(const QString& word);
    const QHash<QString, WordState>& words() const { return words_; }
    QStringList hardWords() const;

private:
    QHash<QString, WordState> words_;
    qint64 clock_ = 0;
};

}  // namespace lernstand
