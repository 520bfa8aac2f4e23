// SPDX-License-Identifier: GPL-3.0-or-later
#include "mock/TestMode.h"

#include <QCoreApplication>
#include <QEvent>
#include <deque>

#include "platform/files/Folders.h"
#include "platform/ui/AccessReader.h"
#include "platform/system/App.h"
#include "platform/system/Background.h"
#include "platform/system/Clock.h"
#include "platform/files/Files.h"
#include "platform/ui/Form.h"
#include "platform/system/Hooks.h"
#include "platform/ui/MessageBox.h"
#include "platform/pictures/Pictures.h"
#include "platform/sound/Sound.h"

namespace platform {

namespace {

struct Record {
    QList<ShownMessage> messages;
    std::function<void(const ShownMessage&)> whileShown;
    bool ended = false;
    int endStatus = 0;
    QStringList targets;
    std::deque<float> numbers;
    QList<PlayedSound> sounds;
    QStringList questions;
    bool answer = true;
    QString microphoneFailure;
    Sound take;
    std::deque<QString> folders;
    QStringList folderTitles;
    std::optional<QString> secret;
    QStringList secrets;
};

Record& record() {
    static Record r;
    return r;
}

}  // namespace

QList<ShownMessage>& shownMessages() { return record().messages; }
void onMessageBox(std::function<void(const ShownMessage&)> hook) { record().whileShown = std::move(hook); }
bool programHasEnded() { return record().ended; }
int programEndStatus() { return record().endStatus; }
QStringList& navigatedTargets() { return record().targets; }
QList<PlayedSound>& playedSounds() { return record().sounds; }
QStringList& askedQuestions() { return record().questions; }
void answerQuestions(bool yes) { record().answer = yes; }
void microphoneGives(const Sound& take) { record().take = take; }
void microphoneFails(const QString& message) { record().microphoneFailure = message; }

void folderDialogGives(const QStringList& folders) { record().folders.assign(folders.begin(), folders.end()); }
QStringList& folderDialogTitles() { return record().folderTitles; }
void secretAnswer(const std::optional<QString>& answer) { record().secret = answer; }
QStringList& askedSecrets() { return record().secrets; }

void queueRandomNumbers(const std::vector<float>& numbers) {
    record().numbers.assign(numbers.begin(), numbers.end());
}

void beginTestMode(const QString& appPath) {
    destroyAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    useVirtualClock(true);
    // The settings of the computer the tests run on are not the tests' settings.
    App().SchoolSettings = appPath + QStringLiteral("/schule/einstellungen.conf");
    record() = Record();
    Hooks& h = hooks();
    h.messageBox = [](const QString& text, MsgIcon icon) {
        record().messages.append({text, icon});
        if (record().whileShown) record().whileShown(record().messages.last());
    };
    h.programEnd = [](int status) {
        record().ended = true;
        record().endStatus = status;
        throw ProgramEnded();
    };
    h.lastFormUnloaded = [] { record().ended = true; };
    h.navigate = [](const QString& target) { record().targets.append(target); };
    h.playSound = [](const QString& label, const Sound& sound) { record().sounds.append({label, sound}); };
    h.question = [](const QString& text) {
        record().questions.append(text);
        return record().answer;
    };
    h.microphoneStart = [] { return record().microphoneFailure; };
    h.microphoneStop = [] { return record().take; };
    h.chooseFolder = [](const QString& title) {
        record().folderTitles.append(title);
        if (record().folders.empty()) return QString();
        const QString folder = record().folders.front();
        record().folders.pop_front();
        return folder;
    };
    h.askSecret = [](const QString& question) {
        record().secrets.append(question);
        return record().secret;
    };
    h.screenReaderRunning = [] { return false; };
    forgetScreenReaderSpeech();
    h.randomNumber = []() -> std::optional<float> {
        if (record().numbers.empty()) return std::nullopt;
        const float r = record().numbers.front();
        record().numbers.pop_front();
        return r;
    };
    // Pictures are decoded afresh and folders read afresh; nothing is kept on disk unless a
    // test names a cache folder.
    h.cacheFolder = [] { return QString(); };
    clearPictureCache();
    forgetFolderListings();
    setBackgroundAtOnce(true);
    setProgramScale(1.0);
    App().Path = appPath;
}

void endTestMode() {
    destroyAllForms();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    hooks() = Hooks();
    record() = Record();
    App().SchoolSettings = Application().SchoolSettings;
    setBackgroundAtOnce(false);
}

}  // namespace platform
