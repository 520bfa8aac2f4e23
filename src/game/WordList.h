// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// The game's picture list and its one owner: modGlobalVars::imageNames and imageCount are
// changed here and nowhere else (everyone else sees them read-only). Elements
// 1..imageCount hold file names (name and extension, no folder) in the order they were
// appended; element 0 exists once a name was appended and is never used, so that the list
// has imageCount + 1 elements from then on, also when removals bring imageCount down to 0.
//
// The parts that keep something about the list for themselves (what the on-screen keys
// need, the learning record's choice of words) follow it: a follower is told every change
// as it happens, and when it starts following it is told the names the list holds already.
// As nothing changes the list without telling them, no follower can be out of step.
namespace wordlist {

class Follower {
public:
    // A follower that goes stops following.
    virtual ~Follower();
    // Names were appended behind the list, in this order.
    virtual void appended(const QStringList& names) = 0;
    // One name left the list.
    virtual void removed(const QString& name) = 0;
    // The list was emptied.
    virtual void cleared() = 0;
};

// From now on the follower is told every change; first it is told the list as it is (emptied,
// then its names appended). Following twice counts once.
void follow(Follower* follower);
void unfollow(Follower* follower);

// Appends the names behind the list: imageCount grows by one per name.
void append(const QStringList& names);
// Removes element `index` (1..imageCount): the names behind it move down by one and
// imageCount goes down by one. An index outside the list removes nothing.
void removeAt(int index);
// Empties the list, as at the program's start: no elements, imageCount 0.
void clear();

// The list (imageNames) and the number of names in it (imageCount).
const QStringList& names();
int count();

}  // namespace wordlist
