// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the teacher's settings files: the input is the file for every user;
// after a form feed (byte 0x0C), the rest is the user's own file. Both are written and read
// as the program reads them at start-up.
#include <QCoreApplication>
#include <QDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "FuzzSupport.h"
#include "game/Options.h"
#include "shell/Settings.h"

namespace {

QString folder;

using fuzzsupport::check;

using fuzzsupport::writeFile;

bool sameOptions(const options::Options& a, const options::Options& b) {
    return a.dbFolder == b.dbFolder && a.fullScreen == b.fullScreen && a.speech == b.speech &&
           a.letterKeys == b.letterKeys && a.syllables == b.syllables && a.soundHelp == b.soundHelp &&
           a.learning == b.learning && a.learningFolder == b.learningFolder && a.collection == b.collection &&
           a.ownCollections == b.ownCollections && a.teacherRoom == b.teacherRoom && a.teacherPin == b.teacherPin;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = fuzzsupport::scratchFolder("settings");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const settings::Files files{folder + QStringLiteral("/system.conf"), folder + QStringLiteral("/user.conf"), {}};
    const uint8_t* split = static_cast<const uint8_t*>(std::memchr(data, '\f', size));
    const size_t systemSize = split ? static_cast<size_t>(split - data) : size;
    writeFile(files.system, data, systemSize);
    if (split) writeFile(files.user, split + 1, size - systemSize - 1);
    else ::unlink(QFile::encodeName(files.user).constData());

    options::Options read;
    const QStringList problems = settings::apply(files, read);

    // Every problem is one line that names its file; a file of a few lines has few problems.
    for (const QString& problem : problems) {
        check(problem.startsWith(QStringLiteral("knorzelbart: ")), "a problem starts with the program's name");
        check(problem.contains(files.system) || problem.contains(files.user), "a problem names its file");
        check(!problem.contains(QLatin1Char('\n')), "a problem is one line");
    }
    check(problems.size() <= 2 * 13, "problems are summed up after ten per file");

    // Whatever the files say, the options are ones the game knows.
    check(!settings::speechName(read.speech).isEmpty(), "speech is a known setting");
    check(!settings::letterKeysName(read.letterKeys).isEmpty(), "letter keys are a known setting");
    check(read.dbFolder.isEmpty() || read.dbFolder.startsWith(QLatin1Char('/')), "the folder is absolute");
    for (const QString& own : read.ownCollections)
        check(own.startsWith(QLatin1Char('/')), "a teacher's own collection is an absolute folder");
    check(read.collection.isEmpty() || read.dbFolder.isEmpty(), "a collection and a folder are never both chosen");

    // Reading the same files again gives the same options and the same problems.
    options::Options again;
    check(settings::apply(files, again) == problems, "the problems are the same the second time");
    check(sameOptions(read, again), "the options are the same the second time");
    return 0;
}
