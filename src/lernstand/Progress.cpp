// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Progress.h"

#include <algorithm>

namespace lernstand {

void Progress::add(const Result& result) {
    WordState& word = words_[result.word];
    word.lastSeen = ++clock_;
    ++word.written;
    if (result.outcome != Outcome::FirstTry) {
        ++word.wrong;
        word.hard = true;
        word.rightsSinceMiss = 0;
    } else if (word.hard && ++word.rightsSinceMiss >= kRightsToLearn) {
        word.hard = false;
    }
}

void Progress::addAll(const std::vector<Result>& results) {
    for (const Result& result : results) add(result);
}

void Progress::seen(const QString& word) { words_[word].lastSeen = ++clock_; }

QStringList Progress::hardWords() const {
    QStringList hard;
    for (auto it = words_.begin(); it != words_.end(); ++it)
        if (it->hard) hard << it.key();
    std::sort(hard.begin(), hard.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a, b) < 0;
    });
    return hard;
}

}  // namespace lernstand
