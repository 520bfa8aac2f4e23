// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <vector>

#include "lernstand/Progress.h"

// The choice of the next word for one child, from the words whose pictures are in the list:
// a word this child still needs to practise comes first and then at least every third
// time while there is one; never the word just shown when there is another (also across a
// new game); otherwise one
// of the words not seen for longest, at random among them.
namespace lernstand {

struct Candidate {
    QString word;
    int index = 0;  // where a picture of the word stands in the list
};

class Chooser {
public:
    // A new game for a child: the first word is a hard one when there is one.
    void restart();
    // Picks one of the candidates (not empty); `r` is a random number 0 <= r < 1. Returns
    // the position in `candidates`.
    int choose(const std::vector<Candidate>& candidates, const Progress& progress, float r);
    // The word that was put on screen.
    void shown(const QString& word) { last_ = word; }

private:
    QString last_;
    int sinceHard_ = 2;
};

}  // namespace lernstand
