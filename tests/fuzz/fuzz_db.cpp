// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the folder db: the input becomes a folder of files (names and
// contents), which is listed, turned into words and drawn from as the game does it.
//
// Input: records of [name length: 1 byte][name][content length: 2 bytes, little end][content].
#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "platform/system/App.h"
#include "platform/ui/MessageBox.h"
#include "platform/pictures/Pictures.h"
#include "platform/system/Program.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "shell/start.h"
#include "FuzzSupport.h"

namespace {

QString programDir;

using fuzzsupport::check;

void writeFolder(const uint8_t* data, size_t size) {
    const QByteArray db = QFile::encodeName(programDir + QStringLiteral("/db/"));
    size_t pos = 0;
    for (int files = 0; files < 12 && pos < size; ++files) {
        const size_t nameLength = data[pos++];
        if (pos + nameLength > size) return;
        QByteArray name(reinterpret_cast<const char*>(data + pos), static_cast<qsizetype>(nameLength));
        pos += nameLength;
        size_t contentLength = 0;
        if (pos + 2 <= size) contentLength = data[pos] | (data[pos + 1] << 8);
        pos += 2;
        contentLength = std::min(contentLength, size > pos ? size - pos : 0);
        const uint8_t* content = data + pos;
        pos += contentLength;
        name.replace('/', '_');
        name.replace('\0', '_');
        if (name.isEmpty() || name == "." || name == "..") continue;
        const int fd = ::open((db + name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) continue;
        [[maybe_unused]] const ssize_t written = ::write(fd, content, contentLength);
        ::close(fd);
    }
}

// Word forming on arbitrary text: whatever the name, an accepted word is 1 to 15 printable
// characters and forming it twice gives the same word.
void checkWords(const QString& name) {
    const QString word = words::fromFileName(name);
    check(words::fromFileName(name) == word, "word forming is stable");
    if (words::nameCanBeWord(name)) {
        check(!word.isEmpty() && word.size() <= 15, "an accepted word has 1 to 15 characters");
        for (const QChar c : word) check(c.isPrint() && !c.isSurrogate(), "an accepted word is printable");
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    QImageReader::setAllocationLimit(256);  // as the program sets it
    programDir = QDir::tempPath() + QStringLiteral("/knorzelbart-fuzz-%1").arg(::getpid());
    QDir().mkpath(programDir);
    platform::beginTestMode(programDir);
    shell::registerForms();
    frmRaeuber::Default();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace modGlobalVars;
    QDir(programDir + QStringLiteral("/db")).removeRecursively();
    QDir().mkpath(programDir + QStringLiteral("/db"));
    writeFolder(data, size);
    checkWords(QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    checkWords(QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));

    resetToProgramStart();
    platform::shownMessages().clear();
    platform::clearPictureCache();
    frmRaeuber& game = frmRaeuber::Default();
    try {
        game.loadDatabase();
        check(imageNames.isEmpty() ? imageCount == 0 : imageNames.size() == imageCount + 1, "list and count agree");
        for (int i = 1; i <= imageCount; ++i) checkWords(imageNames.at(i));
        // Draw every picture once, as a game of right words does: each draw removes the
        // previous word, undrawable pictures leave on their own; the end comes as a message.
        for (int round = 0; round < 13; ++round) {
            game.newRound();
            check(imageIndex >= 1 && imageIndex <= imageCount, "the index points into the list");
            check(currentWord == words::fromFileName(imageNames.at(imageIndex)), "the word is the picture's");
            check(wordLength >= 1 && wordLength <= 15, "the word fits the boxes");
            correctCount = correctCount + 1;
            game.clearLetterBoxes();
        }
    } catch (const platform::ProgramEnded&) {
        check(imageCount == 0, "the program ends only when no picture is left");
    }
    return 0;
}
