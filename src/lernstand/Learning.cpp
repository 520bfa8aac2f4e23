// SPDX-License-Identifier: GPL-3.0-or-later
#include "lernstand/Learning.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "game/Options.h"
#include "game/TeacherNotes.h"
#include "game/WordList.h"
#include "game/Words.h"
#include "lernstand/Choice.h"
#include "lernstand/Keeping.h"
#include "lernstand/Record.h"
#include "game/AssetPaths.h"
#include "platform/files/Files.h"
#include "platform/files/RecordFiles.h"
#include "platform/files/TextFile.h"
#include "platform/system/RecordQueue.h"
#include "platform/system/App.h"

namespace lernstand {

namespace {

// A child's record, read on the record's thread.
struct Reading {
    std::atomic<bool> done{false};
    std::vector<Result> results;
};

struct Run {
    QString child;          // its key; empty before the first level click
    int renames = 0;        // renames() when the child's record was read
    Progress progress;
    std::vector<Result> ownResults;            // written in this run, for a late reading
    std::shared_ptr<Reading> reading;          // not yet taken into the progress
    std::vector<Result> readResults;
    Chooser chooser;
    // The word of every picture name seen so far.
    QHash<QString, QString> wordOfName;
    // The word on screen.
    QString word;
    int level = 1;
    bool missed = false;
    int box = -1;
    QString letter;
    QString pictures;  // the picture folder of the game
};

Run& run() {
    static Run r;
    return r;
}

int& readWait() {
    static int ms = 500;
    return ms;
}

void rebuildProgress() {
    Run& r = run();
    r.progress = Progress();
    r.progress.setToday(platform::recordToday());
    r.progress.addAll(r.readResults);
    r.progress.addAll(r.ownResults);
}

// The reading of the child's record, once it is there; a record the teacher deleted
// meanwhile is forgotten here too.
void takeReading() {
    Run& r = run();
    if (keeper().takeForgotten(r.child)) {
        r.readResults.clear();
        r.ownResults.clear();
        r.reading.reset();
        rebuildProgress();
        return;
    }
    if (!r.reading || !r.reading->done.load()) return;
    r.readResults = std::move(r.reading->results);
    r.reading.reset();
    rebuildProgress();
}

Result current(Outcome outcome) {
    const Run& r = run();
    Result result;
    result.day = platform::recordToday();
    result.level = std::clamp(r.level, 1, 3);
    result.outcome = outcome;
    result.word = r.word;
    if (outcome != Outcome::FirstTry) {
        result.box = std::clamp(r.box, 0, static_cast<int>(r.word.size()) - 1);
        result.letter = r.letter.left(16);
    }
    result.folder = r.pictures;
    return result;
}

void keep(const Result& result) {
    Run& r = run();
    r.ownResults.push_back(result);
    r.progress.setToday(result.day);
    r.progress.add(result);
    keeper().write(folder(), r.child, result);
}

QString wordOf(const QString& name) {
    Run& r = run();
    auto it = r.wordOfName.find(name);
    if (it == r.wordOfName.end()) it = r.wordOfName.insert(name, words::fromFileName(name));
    return *it;
}

// The picture list, name by name with the number of its copies, kept in step with the list
// by following it from the first choice with the record on.
class Pictures : public wordlist::Follower {
public:
    const QHash<QString, int>& copies() {
        static const bool following = (wordlist::follow(this), true);
        (void)following;
        return copies_;
    }
    void appended(const QStringList& names) override {
        for (const QString& name : names) ++copies_[name];
    }
    void removed(const QString& name) override {
        auto it = copies_.find(name);
        if (it != copies_.end() && --*it <= 0) copies_.erase(it);
    }
    void cleared() override { copies_.clear(); }

private:
    QHash<QString, int> copies_;
};

Pictures& pictures() {
    static Pictures listed;
    return listed;
}

// The picture folder of the game, as a full path.
QString picturesFolder() { return platform::absolutePath(platform::resolvePath(assetpaths::dbFolder())); }

}  // namespace

bool on() { return options::current().learning; }

QString defaultFolder() { return platform::programFolder(platform::userDataFolder()) + QStringLiteral("/lernstand"); }

QString makeFolder(const QString& folder) {
    if (platform::absolutePath(folder) == platform::absolutePath(defaultFolder()))
        platform::makeDataFolder(platform::programFolder(platform::userDataFolder()));
    return platform::makeRecordFolder(folder);
}

QString folder() {
    const QString& chosen = options::current().learningFolder;
    return chosen.isEmpty() ? defaultFolder() : chosen;
}

void beginChild(const QString& name) {
    if (!on()) return;
    Run& r = run();
    const QString key = childKey(name);
    r.chooser.restart();
    r.pictures = picturesFolder();  // a new game may play another folder
    takeReading();
    // The same child again: what it wrote is known (unless a child was renamed since).
    if (key == r.child && !r.child.isEmpty() && r.renames == renames()) return;
    r.child = key;
    r.renames = renames();
    // A word still on screen (a failed word a reset carried over) is this child's word from
    // now on: its miss, when this child makes one, is kept for this child.
    r.missed = false;
    r.box = -1;
    r.letter.clear();
    r.ownResults.clear();
    r.readResults.clear();
    rebuildProgress();
    if (key.isEmpty()) return;
    auto reading = std::make_shared<Reading>();
    r.reading = reading;
    // A share that hangs already (earlier work not done) is not waited for again.
    const bool idle = platform::recordWorkDone(0);
    keeper().read(folder(), key, [reading](std::vector<Result> results) {
        reading->results = std::move(results);
        reading->done.store(true);
    });
    if (idle) platform::recordWorkDone(readWait());
    takeReading();
}

QString currentChild() { return run().child; }

int chooseIndex(int drawn, float r) {
    if (!on()) return drawn;
    Run& state = run();
    takeReading();
    state.progress.setToday(platform::recordToday());
    // One candidate per word, in a fixed order so that a test's random numbers repeat.
    std::vector<Candidate> candidates;
    std::vector<QString> pictureOf;
    QSet<QString> words;
    QStringList present = pictures().copies().keys();
    std::sort(present.begin(), present.end());
    for (const QString& name : present) {
        const QString word = wordOf(name);
        if (words.contains(word)) continue;
        words.insert(word);
        candidates.push_back({word, 0});
        pictureOf.push_back(name);
    }
    if (candidates.empty()) return drawn;
    const int chosen = state.chooser.choose(candidates, state.progress, r);
    // The record follows the list, so every name it knows is in it.
    const qsizetype index = wordlist::names().indexOf(pictureOf[chosen], 1);
    return index >= 1 ? static_cast<int>(index) : drawn;
}

void wordShown(const QString& word, int level) {
    if (!on()) return;
    Run& r = run();
    if (r.pictures.isEmpty()) r.pictures = picturesFolder();
    r.word = word;
    r.level = level;
    r.missed = false;
    r.box = -1;
    r.letter.clear();
    r.progress.seen(word);
    r.chooser.shown(word);
}

void wordMissed(int box, const QString& letter) {
    if (!on()) return;
    Run& r = run();
    if (r.word.isEmpty() || r.missed || r.child.isEmpty()) return;
    r.missed = true;
    r.box = box;
    r.letter = letter;
    // Kept at once: a logout or a power cut before the word is finished loses nothing.
    keep(current(Outcome::Unfinished));
}

void wordRight() {
    if (!on()) return;
    Run& r = run();
    if (r.word.isEmpty() || r.child.isEmpty()) return;
    if (r.missed) {
        // The miss is kept already; written right after it, it becomes one result.
        const Result result = current(Outcome::AfterReveal);
        if (!r.ownResults.empty() && r.ownResults.back().word == result.word &&
            r.ownResults.back().outcome == Outcome::Unfinished)
            r.ownResults.back().outcome = Outcome::AfterReveal;
        keeper().write(folder(), r.child, result);
    } else {
        keep(current(Outcome::FirstTry));
    }
    r.word.clear();
    r.missed = false;
}

void wordLeft() {
    if (!on()) return;
    Run& r = run();
    r.word.clear();
    r.missed = false;
}

bool wordPending() { return on() && run().missed && !run().word.isEmpty(); }

QStringList keepingProblems() { return keeper().problems(); }

void tryWaitingResults() { keeper().tryWaiting(); }

const Progress& progress() {
    takeReading();
    return run().progress;
}

bool settle(int ms) {
    const bool done = platform::recordWorkDone(ms);
    if (done && on()) takeReading();
    return done;
}

void setReadWait(int ms) { readWait() = ms; }

void resetRun() {
    platform::recordWorkDone(10000);
    run() = Run();
    keeper().reset();
}

}  // namespace lernstand
