// SPDX-License-Identifier: GPL-3.0-or-later
// libhyphen is opened with dlopen, like the sound libraries: a game that never shows
// syllables does not load it, nor the megabyte of patterns; neither does a game whose
// words are all in the cache.
#include "platform/system/Hyphenation.h"
#include "platform/system/App.h"
#include "platform/system/SharedLibrary.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <hyphen.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace platform {

namespace {

const char* const kPatterns = "/usr/share/hyphen/hyph_de_DE.dic";
// libhyphen's own limit for one word is far above the fifteen letters of a game word.
constexpr int kMaxBytes = 60;
// The cache's first line: its form, then the size and date of the patterns it was made from.
const QByteArray kCacheForm = QByteArrayLiteral("knorzelbart-silbentrennung 2");
constexpr qint64 kMaxCacheBytes = 4 << 20;
constexpr qsizetype kMaxCachedWords = 50000;

struct Library {
    decltype(&hnj_hyphen_load) load = nullptr;
    decltype(&hnj_hyphen_hyphenate3) hyphenate = nullptr;
    HyphenDict* dictionary = nullptr;
};

// One lock for the library and the cache.
std::mutex libraryMutex;
std::atomic<bool> settled{false};
std::atomic<bool> libraryTried{false};
std::atomic<bool> libraryLoaded{false};

// Opened once and never closed (the patterns are small enough to keep).
const Library* library() {
    static const Library* opened = [] () -> const Library* {
        // Without the patterns the library is not even opened (it would complain on stderr).
        if (!QFileInfo::exists(QString::fromLatin1(kPatterns))) return nullptr;
        const Library* lib = openLibrary<Library>("libhyphen.so.0", [](void* handle, Library& l) {
            if (!bindFunction(handle, l.load, "hnj_hyphen_load") ||
                !bindFunction(handle, l.hyphenate, "hnj_hyphen_hyphenate3"))
                return false;
            l.dictionary = l.load(kPatterns);
            return l.dictionary != nullptr;
        });
        if (!lib) return nullptr;
        libraryLoaded = true;
        return lib;
    }();
    libraryTried = true;
    settled = true;
    return opened;
}

struct Cache {
    bool read = false;
    bool valid = false;  // made from the patterns installed now
    QByteArray stamp;    // the patterns' size and date; empty: no patterns
    QHash<QString, QList<int>> points;
    qsizetype written = 0;
};

Cache& cache() {
    static Cache c;
    return c;
}

QString& cacheFileOverride() {
    static QString path;
    return path;
}

QString cacheFile() {
    if (!cacheFileOverride().isEmpty()) return cacheFileOverride();
    return programFolder(userCacheFolder()) + QStringLiteral("/silbentrennung.txt");
}

// Called with the lock held. A cache that cannot be read, or that was made from other
// patterns, is as good as none.
void readCache() {
    Cache& c = cache();
    if (c.read) return;
    c.read = true;
    const QFileInfo patterns(QString::fromLatin1(kPatterns));
    if (!patterns.exists()) return;
    c.stamp = QByteArray::number(patterns.size()) + ' ' +
              QByteArray::number(patterns.lastModified().toMSecsSinceEpoch());
    QFile file(cacheFile());
    if (file.size() > kMaxCacheBytes || !file.open(QIODevice::ReadOnly)) return;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.first() != kCacheForm + ' ' + c.stamp) return;
    c.valid = true;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0) continue;
        const QString word = QString::fromUtf8(line.left(tab));
        QList<int> points;
        for (const QByteArray& number : line.mid(tab + 1).split(',')) {
            bool ok = false;
            const int at = number.toInt(&ok);
            if (ok && at > 0 && at < word.size()) points << at;
        }
        c.points.insert(word, points);
    }
    c.written = c.points.size();
}

// Called with the lock held: the breaks found by the library go to the cache file, written
// whole or not at all. A cache that cannot be written costs only time on the next start.
void writeCache() {
    Cache& c = cache();
    if (!libraryLoaded || c.stamp.isEmpty() || c.points.size() == c.written || c.points.size() > kMaxCachedWords) return;
    const QString path = cacheFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    QByteArray text = kCacheForm + ' ' + c.stamp + '\n';
    QStringList words = c.points.keys();
    words.sort();
    for (const QString& word : words) {
        QByteArray numbers;
        for (const int at : c.points.value(word)) numbers += (numbers.isEmpty() ? "" : ",") + QByteArray::number(at);
        text += word.toUtf8() + '\t' + numbers + '\n';
    }
    file.write(text);
    if (file.commit()) {
        c.written = c.points.size();
        c.valid = true;
    }
}

// Called with the lock held: whether the word is one the patterns could split.
bool splittable(const QString& lower) {
    if (lower.isEmpty() || lower.size() > kMaxBytes) return false;
    return std::all_of(lower.begin(), lower.end(), [](QChar c) { return c.unicode() <= 0xFF && c.isLetter(); });
}

QList<int> pointsFromLibrary(const Library* lib, const QString& lower) {
    QList<int> points;
    // The patterns are written in lower case, in ISO 8859-1.
    const QByteArray latin1 = lower.toLatin1();
    QByteArray hyphens(latin1.size() + 5, '\0');
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    // The pattern file's own least lengths at a word's ends and at a compound's joint (two
    // letters each): lower ones let the patterns cut "i-de-e" and "u-m-ar-mung".
    lib->hyphenate(lib->dictionary, latin1.constData(), int(latin1.size()), hyphens.data(), nullptr, &rep, &pos,
                   &cut, 2, 2, 2, 2);
    for (int i = 0; i + 1 < latin1.size(); ++i)
        if (hyphens.at(i) & 1) points << i + 1;
    // Replacements (old spellings such as "Schiff-fahrt") are not used: a syllable is a
    // piece of the word as written.
    if (rep) {
        for (int i = 0; i < latin1.size(); ++i) std::free(rep[i]);
        std::free(rep);
    }
    std::free(pos);
    std::free(cut);
    return points;
}

bool allCached(const QStringList& words) {
    readCache();
    return std::all_of(words.begin(), words.end(), [](const QString& word) {
        const QString lower = word.toLower();
        return !splittable(lower) || cache().points.contains(lower);
    });
}

}  // namespace

bool hyphenationAvailable() {
    std::lock_guard lock(libraryMutex);
    readCache();
    return cache().valid || library() != nullptr;
}

bool hyphenationSettled() { return settled; }

bool hyphenationLibraryLoaded() { return libraryLoaded; }

void setHyphenationCacheFile(const QString& path) {
    std::lock_guard lock(libraryMutex);
    cacheFileOverride() = path;
    cache() = Cache{};
}

void prepareHyphenation(QObject* context, const QStringList& words, std::function<void()> ready) {
    bool now = false;
    {
        std::lock_guard lock(libraryMutex);
        now = libraryTried || allCached(words);
        settled = now;
    }
    if (now) {
        // With the library already loaded (a second game, the teacher's check), the words
        // missing from the cache are split at once and kept for the next start.
        if (libraryLoaded) {
            for (const QString& word : words) hyphenationPoints(word);
            std::lock_guard lock(libraryMutex);
            writeCache();
        }
        ready();
        return;
    }
    // The context is looked at on the GUI thread only: the program's object carries the call.
    std::thread([guard = QPointer<QObject>(context), words, ready = std::move(ready)]() mutable {
        for (const QString& word : words) hyphenationPoints(word);
        {
            std::lock_guard lock(libraryMutex);
            writeCache();
            settled = true;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard = std::move(guard), ready = std::move(ready)] {
                if (guard) ready();
            },
            Qt::QueuedConnection);
    }).detach();
}

QList<int> hyphenationPoints(const QString& word) {
    std::lock_guard lock(libraryMutex);
    const QString lower = word.toLower();
    if (lower.size() != word.size() || !splittable(lower)) return {};
    readCache();
    const auto cached = cache().points.constFind(lower);
    if (cached != cache().points.cend()) return *cached;
    const Library* lib = library();
    if (!lib) return {};
    const QList<int> points = pointsFromLibrary(lib, lower);
    cache().points.insert(lower, points);
    return points;
}

}  // namespace platform
