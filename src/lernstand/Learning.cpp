// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Learning.h"

#include <QHash>
#include <algorithm>

#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "game/Words.h"
#include "lernstand/Choice.h"
#include "lernstand/Record.h"
#include "platform/Console.h"
#include "platform/RecordFiles.h"

namespace lernstand {

namespace {

struct Run {
    QString child;          // its key; empty before the first level click
    Progress progress;
    Chooser chooser;
    QString computerId;
    bool folderReady = false;
    bool broken = false;    // the folder cannot be used: nothing is kept this run
    // The picture list, name by name, and the word of every name seen so far.
    QHash<QString, int> copies;
    int total = 0;
    QHash<QString, QString> wordOfName;
    // The word on screen.
    QString word;
    int level = 1;
    bool missed = false;
    int box = -1;
    QString letter;
};

Run& run() {
    static Run r;
    return r;
}

void giveUp(const QString& why) {
    Run& r = run();
    if (r.broken) return;
    r.broken = true;
    platform::writeErr(QStringLiteral("knorzelbart: Der Lernstand wird nicht gespeichert: %1 (%2). "
                                      "Das Spiel geht ohne ihn weiter.\n")
                           .arg(folder(), why));
    teachernotes::add(teachernotes::Kind::Record,
                      QStringLiteral("Der Lernstand wird nicht gespeichert: %1 (%2).").arg(folder(), why));
}

// Makes the folder and this computer's id once; false when the record cannot be kept.
bool ready() {
    Run& r = run();
    if (r.broken) return false;
    if (r.folderReady) return true;
    const QString made = platform::makeRecordFolder(folder());
    if (!made.isEmpty()) {
        giveUp(made);
        return false;
    }
    QString why;
    r.computerId = platform::recordComputerId(
        platform::userDataFolder() + QStringLiteral("/knorzelbart/rechner-id"), &why);
    if (r.computerId.isEmpty()) {
        giveUp(QStringLiteral("die Kennung dieses Rechners kann nicht gespeichert werden, ") + why);
        return false;
    }
    r.folderReady = true;
    return true;
}

void keep(Outcome outcome) {
    Run& r = run();
    if (r.word.isEmpty() || r.child.isEmpty()) return;
    Result result;
    result.day = platform::recordToday();
    result.level = std::clamp(r.level, 1, 3);
    result.outcome = outcome;
    result.word = r.word;
    if (outcome != Outcome::FirstTry) {
        result.box = std::clamp(r.box, 0, static_cast<int>(r.word.size()) - 1);
        result.letter = r.letter.left(16);
    }
    r.progress.add(result);
    r.word.clear();
    r.missed = false;
    if (!ready()) return;
    const QString why = platform::appendRecordLine(folder() + QLatin1Char('/') + fileName(r.child, r.computerId),
                                                   line(result));
    if (!why.isEmpty()) giveUp(why);
}

QString wordOf(const QString& name) {
    Run& r = run();
    auto it = r.wordOfName.find(name);
    if (it == r.wordOfName.end()) it = r.wordOfName.insert(name, words::fromFileName(name));
    return *it;
}

void rebuildList(const QStringList& names, int count) {
    Run& r = run();
    r.copies.clear();
    r.total = 0;
    for (int i = 1; i <= count && i < names.size(); ++i) {
        ++r.copies[names.at(i)];
        ++r.total;
    }
}

}  // namespace

bool on() { return options::current().learning; }

QString defaultFolder() { return platform::userDataFolder() + QStringLiteral("/knorzelbart/lernstand"); }

QString folder() {
    const QString& chosen = options::current().learningFolder;
    return chosen.isEmpty() ? defaultFolder() : chosen;
}

void beginChild(const QString& name) {
    Run& r = run();
    const QString key = childKey(name);
    r.chooser.restart();
    if (key == r.child && !r.child.isEmpty()) return;  // the same child again: what it wrote is known
    r.child = key;
    r.progress = Progress();
    if (!ready()) return;
    r.progress.addAll(readChild(folder(), key));
}

QString currentChild() { return run().child; }

void picturesAppended(const QStringList& names) {
    Run& r = run();
    for (const QString& name : names) ++r.copies[name];
    r.total += static_cast<int>(names.size());
}

void pictureRemoved(const QString& name) {
    Run& r = run();
    auto it = r.copies.find(name);
    if (it == r.copies.end()) return;
    if (--*it <= 0) r.copies.erase(it);
    --r.total;
}

int chooseIndex(const QStringList& names, int count, float r) {
    Run& state = run();
    if (state.total != count) rebuildList(names, count);
    // One candidate per word, in a fixed order so that a test's random numbers repeat.
    std::vector<Candidate> candidates;
    std::vector<QString> pictureOf;
    QHash<QString, int> byWord;
    QStringList present;
    for (auto it = state.copies.begin(); it != state.copies.end(); ++it) present << it.key();
    std::sort(present.begin(), present.end());
    for (const QString& name : present) {
        const QString word = wordOf(name);
        if (byWord.contains(word)) continue;
        byWord.insert(word, static_cast<int>(candidates.size()));
        candidates.push_back({word, 0});
        pictureOf.push_back(name);
    }
    if (candidates.empty()) return std::clamp(static_cast<int>(count * r) + 1, 1, std::max(1, count));
    const int chosen = state.chooser.choose(candidates, state.progress, r);
    const qsizetype index = names.indexOf(pictureOf[chosen], 1);
    if (index < 1 || index > count) {  // the list was changed behind our back: read it again
        rebuildList(names, count);
        return std::clamp(static_cast<int>(count * r) + 1, 1, std::max(1, count));
    }
    return static_cast<int>(index);
}

void wordShown(const QString& word, int level) {
    Run& r = run();
    r.word = word;
    r.level = level;
    r.missed = false;
    r.box = -1;
    r.letter.clear();
    r.progress.seen(word);
    r.chooser.shown(word);
}

void wordMissed(int box, const QString& letter) {
    Run& r = run();
    if (r.word.isEmpty() || r.missed) return;
    r.missed = true;
    r.box = box;
    r.letter = letter;
}

void wordRight() { keep(run().missed ? Outcome::AfterReveal : Outcome::FirstTry); }

void wordLeft() {
    Run& r = run();
    if (r.missed) keep(Outcome::Unfinished);
    r.word.clear();
    r.missed = false;
}

bool wordPending() { return run().missed && !run().word.isEmpty(); }

const Progress& progress() { return run().progress; }

void resetRun() { run() = Run(); }

}  // namespace lernstand
