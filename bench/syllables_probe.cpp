// SPDX-License-Identifier: GPL-3.0-or-later
// What syllables cost a start: the processor time and the peak memory of a process that
// does what the game form does when it opens with the setting silben (the vocabulary's
// words made ready and split), beside one that only lists them (the setting off).
// Usage: syllables_probe aus|an   (the cache folder follows $XDG_CACHE_HOME)
// Prints: cpu_ms, peak_kb and whether the patterns' library was loaded.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

#include "game/Syllables.h"
#include "game/Words.h"
#include "platform/system/Hyphenation.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const bool on = argc > 1 && std::strcmp(argv[1], "an") == 0;
    QStringList vocabulary;
    for (const QString& name : QDir(QStringLiteral(KNORZELBART_ASSETS_DIR "/db")).entryList(QDir::Files))
        vocabulary << words::fromFileName(name);
    int pieces = 0;
    if (on) {
        bool ready = false;
        syllables::prepare(&app, vocabulary, [&] {
            ready = true;
            app.quit();
        });
        if (!ready) app.exec();
        for (const QString& word : vocabulary) pieces += int(syllables::split(word).size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    std::printf("cpu_ms %.1f\npeak_kb %ld\nlibrary %d\nwords %lld\npieces %d\n", cpuMs, usage.ru_maxrss,
                platform::hyphenationLibraryLoaded() ? 1 : 0, static_cast<long long>(vocabulary.size()), pieces);
    return 0;
}
