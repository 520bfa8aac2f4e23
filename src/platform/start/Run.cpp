// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/start/Run.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include "platform/system/App.h"
#include "platform/system/EndSignals.h"
#include "platform/ui/AccessReader.h"
#include "platform/ui/Events.h"
#include "platform/ui/Form.h"
#include "platform/ui/ToolkitTexts.h"
#include "platform/pictures/PictureCheck.h"
#include "platform/system/RecordQueue.h"
#include "platform/system/Program.h"
#include "platform/system/SingleInstance.h"
#include "platform/sound/Sound.h"

namespace platform {

namespace {
// How long the end waits for the sound thread to let go of the sound server.
constexpr int kSoundEndMs = 300;
// How long the end waits for the learning record's files.
constexpr int kRecordEndMs = 2000;
}  // namespace

bool sameFolder(const QString& one, const QString& other) {
    const auto where = [](const QString& path) {
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    return where(one) == where(other);
}

int run(int argc, char* argv[], const std::function<Form&()>& startupForm, const OtherCopy& otherCopy, bool oneCopy) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("knorzelbart"));
    // No display name: the toolkit would append it to every window title.
    QApplication::setApplicationVersion(QStringLiteral(KNORZELBART_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("knorzelbart"));
    // A picture that would need more memory than this is refused, not decoded.
    QImageReader::setAllocationLimit(kPictureMemoryLimitMegabytes);
    App().Path = QCoreApplication::applicationDirPath();
    // A second start brings this copy to the front and ends.
    if (oneCopy) {
        const QString words = otherCopy.words ? otherCopy.words() : QString();
        QString runningWords;
        bool otherSilent = false;
        if (!claimInstance(instanceName(), words, bringWindowsToFront, &runningWords, &otherSilent)) {
            if (otherCopy.runsOtherWords && !runningWords.isEmpty() && !sameFolder(runningWords, words))
                otherCopy.runsOtherWords(runningWords, words);
            return 0;
        }
        if (otherSilent && otherCopy.otherSilent) otherCopy.otherSilent();
    }
    quitOnEndSignals();
    Form& first = startupForm();
    first.Show();
    // The start-up screen shows no text of the toolkit: its translation is loaded once the
    // first frame is on screen. So is the desktop asked whether a screen reader runs: its
    // answer comes long before the first message, and the first frame does not wait for the
    // session bus.
    afterFirstPaint(&first, [] {
        useGermanToolkitTexts();
        screenReaderRunning();
    });
    const int status = application.exec();
    // What the learning record still has to write is written, unless its share hangs.
    endRecordWork(kRecordEndMs);
    // The windows are closed: the end never waits on the sound. A sound server that hangs
    // keeps the sound thread blocked; then the process ends at once, without it.
    if (!endSound(kSoundEndMs)) End(status);
    return status;
}

}  // namespace platform
