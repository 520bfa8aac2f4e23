// SPDX-License-Identifier: GPL-3.0-or-later
// libhyphen is opened with dlopen, like the sound libraries: a game that never shows
// syllables does not load it, nor the megabyte of patterns.
#include "platform/Hyphenation.h"

#include <QFileInfo>
#include <hyphen.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include <dlfcn.h>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace platform {

namespace {

const char* const kPatterns = "/usr/share/hyphen/hyph_de_DE.dic";
// libhyphen's own limit for one word is far above the fifteen letters of a game word.
constexpr int kMaxBytes = 60;

struct Library {
    decltype(&hnj_hyphen_load) load = nullptr;
    decltype(&hnj_hyphen_hyphenate3) hyphenate = nullptr;
    HyphenDict* dictionary = nullptr;
};

std::mutex libraryMutex;
std::atomic<bool> settled{false};

// Opened once and never closed (the patterns are small enough to keep).
const Library* library() {
    static const Library* opened = [] () -> const Library* {
        // Without the patterns the library is not even opened (it would complain on stderr).
        if (!QFileInfo::exists(QString::fromLatin1(kPatterns))) return nullptr;
        void* handle = ::dlopen("libhyphen.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return nullptr;
        auto* lib = new Library;
        lib->load = reinterpret_cast<decltype(&hnj_hyphen_load)>(::dlsym(handle, "hnj_hyphen_load"));
        lib->hyphenate = reinterpret_cast<decltype(&hnj_hyphen_hyphenate3)>(::dlsym(handle, "hnj_hyphen_hyphenate3"));
        if (lib->load && lib->hyphenate)
            lib->dictionary = lib->load(kPatterns);
        if (!lib->dictionary) {
            delete lib;
            ::dlclose(handle);
            return nullptr;
        }
        return lib;
    }();
    settled = true;
    return opened;
}

}  // namespace

bool hyphenationAvailable() {
    std::lock_guard lock(libraryMutex);
    return library() != nullptr;
}

bool hyphenationSettled() { return settled; }

void prepareHyphenation(QObject* context, std::function<void()> ready) {
    if (settled) {
        ready();
        return;
    }
    // The context is looked at on the GUI thread only: the program's object carries the call.
    std::thread([guard = QPointer<QObject>(context), ready = std::move(ready)]() mutable {
        hyphenationAvailable();
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
    QList<int> points;
    const Library* lib = library();
    if (!lib || word.isEmpty()) return points;
    // The patterns are written in lower case, in ISO 8859-1.
    const QString lower = word.toLower();
    for (const QChar c : lower)
        if (c.unicode() > 0xFF || !c.isLetter()) return points;
    const QByteArray latin1 = lower.toLatin1();
    if (latin1.size() > kMaxBytes || latin1.size() != word.size()) return points;
    QByteArray hyphens(latin1.size() + 5, '\0');
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    lib->hyphenate(lib->dictionary, latin1.constData(), int(latin1.size()), hyphens.data(), nullptr, &rep, &pos,
                   &cut, 1, 1, 1, 1);
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

}  // namespace platform
