// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/WordList.h"

#include <algorithm>
#include <vector>

#include "game/modGlobalVars.h"

namespace wordlist {

namespace {

QStringList list;
int listed = 0;

// At namespace scope: made before any follower and gone after the last one.
std::vector<Follower*> following;

// Told from a copy of the list of followers, so that one may stop following when told.
template <typename Tell>
void tellAll(Tell tell) {
    const std::vector<Follower*> all = following;
    for (Follower* follower : all)
        if (std::find(following.begin(), following.end(), follower) != following.end()) tell(follower);
}

}  // namespace

Follower::~Follower() { unfollow(this); }

void follow(Follower* follower) {
    if (!follower || std::find(following.begin(), following.end(), follower) != following.end()) return;
    following.push_back(follower);
    follower->cleared();
    if (listed > 0) follower->appended(list.mid(1, listed));
}

void unfollow(Follower* follower) { std::erase(following, follower); }

void append(const QStringList& added) {
    if (added.isEmpty()) return;
    // Room grows by doubling: the list is appended to at every game, and room for just this
    // game's names would copy the whole list, longer with every game, each time.
    const qsizetype needed = list.size() + added.size() + 1;
    if (list.capacity() < needed) list.reserve(std::max(needed, 2 * list.size()));
    if (list.isEmpty()) list.append(QString());  // element 0, never used
    list.append(added);
    listed += static_cast<int>(added.size());
    tellAll([&](Follower* follower) { follower->appended(added); });
}

void removeAt(int index) {
    if (index < 1 || index > listed) return;
    const QString name = list.at(index);
    list.removeAt(index);  // the names behind it move down by one
    listed -= 1;
    tellAll([&](Follower* follower) { follower->removed(name); });
}

void clear() {
    list.clear();
    listed = 0;
    tellAll([](Follower* follower) { follower->cleared(); });
}

const QStringList& names() { return list; }

int count() { return listed; }

}  // namespace wordlist

// The shared variables are these two, seen read-only.
namespace modGlobalVars {
const QStringList& imageNames = wordlist::list;
const int& imageCount = wordlist::listed;
}  // namespace modGlobalVars
