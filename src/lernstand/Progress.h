// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QString>
#include <vector>

#include "lernstand/Record.h"

// What one child's record says about each word: a schedule of three boxes (Leitner's),
// counted in school days (Monday to Friday). A miss puts a word into box 1; a school day
// with a right at the first try at level 2 or 3, and no miss, while the word is due moves
// it up one box; out of box 3 it is learnt. A box's word is due 1, 3 and 7 school days
// after the day it came there. All results of one day are one step, whatever their order,
// so that the files of several computers merge without a clock. Level 1 (the word stays on
// screen to be copied) is kept and shown but moves no word up.
//
// A word needs practice today when it is due, or was missed today, and has not been written
// right at the first try today more often than it was missed.
namespace lernstand {

constexpr int kBoxes = 3;
constexpr int kBoxDays[kBoxes + 1] = {0, 1, 3, 7};

struct WordState {
    bool hard = false;      // needs practice today
    int box = 0;            // 0: not (or no longer) in the schedule
    bool learnt = false;    // left box 3
    int due = 0;            // the school day the word is due again (see schoolDay)
    qint64 lastSeen = -1;   // -1: never; otherwise larger is later
    int written = 0;
    int wrong = 0;
};

// Days counted as school days since a fixed Monday; a Saturday or Sunday counts as the
// Monday after it.
int schoolDay(const QString& day);

class Progress {
public:
    // The day the state is asked for (YYYY-MM-DD; empty: the day of the last result).
    void setToday(const QString& day);
    void add(const Result& result);
    void addAll(const std::vector<Result>& results);
    // The state of a word today (a default one for a word never written).
    WordState state(const QString& word) const;
    // Marks a word as seen now, without a result (the picture was shown).
    void seen(const QString& word);
    // Every word with a result or seen.
    QStringList wordList() const { return words_.keys(); }
    bool empty() const { return words_.isEmpty(); }
    // The words in the schedule (to practise), sorted as German sorts.
    QStringList hardWords() const;

private:
    struct Entry {
        int box = 0;
        bool learnt = false;
        int due = 0;
        qint64 lastSeen = -1;
        int written = 0;
        int wrong = 0;
        // The last day with results, not yet a step of the schedule.
        int day = -1;
        int missesOfDay = 0;
        int rightsOfDay = 0;       // first try, any level
        bool movesUpOfDay = false; // first try at level 2 or 3
    };
    static void close(Entry& entry);
    QHash<QString, Entry> words_;
    qint64 clock_ = 0;
    int today_ = -1;
    QString lastDayText_;
    int lastDay_ = 0;
};

}  // namespace lernstand
