// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Choice.h"

#include <algorithm>

namespace lernstand {

namespace {

int pickAt(int count, float r) { return std::clamp(static_cast<int>(static_cast<double>(count) * r), 0, count - 1); }

}  // namespace

// The word of the game before stays the last one: no word comes twice in a row across a
// new game either.
void Chooser::restart() { sinceHard_ = 2; }

int Chooser::choose(const std::vector<Candidate>& candidates, const Progress& progress, float r) {
    std::vector<int> open;  // every candidate but the word just shown, unless it is the only one
    for (int i = 0; i < static_cast<int>(candidates.size()); ++i)
        if (candidates[i].word != last_) open.push_back(i);
    if (open.empty())
        for (int i = 0; i < static_cast<int>(candidates.size()); ++i) open.push_back(i);

    const auto lastSeen = [&](int i) { return progress.state(candidates[i].word).lastSeen; };
    std::vector<int> hard;
    for (int i : open)
        if (progress.state(candidates[i].word).hard) hard.push_back(i);

    std::vector<int> pool;
    if (!hard.empty() && sinceHard_ >= 2) {
        // The hard word not seen for longest; several alike: one of them at random.
        const qint64 oldest = lastSeen(*std::min_element(hard.begin(), hard.end(),
                                                         [&](int a, int b) { return lastSeen(a) < lastSeen(b); }));
        for (int i : hard)
            if (lastSeen(i) == oldest) pool.push_back(i);
    } else {
        // The third of the words not seen for longest (all words seen as long ago as the
        // youngest of them included), one of them at random.
        std::vector<int> byAge = open;
        std::stable_sort(byAge.begin(), byAge.end(), [&](int a, int b) { return lastSeen(a) < lastSeen(b); });
        const int third = std::max<int>(1, (static_cast<int>(byAge.size()) + 2) / 3);
        const qint64 limit = lastSeen(byAge[third - 1]);
        for (int i : byAge)
            if (lastSeen(i) <= limit) pool.push_back(i);
    }
    const int chosen = pool[pickAt(static_cast<int>(pool.size()), r)];
    sinceHard_ = progress.state(candidates[chosen].word).hard ? 0 : sinceHard_ + 1;
    return chosen;
}

}  // namespace lernstand
