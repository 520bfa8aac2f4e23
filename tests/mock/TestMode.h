// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <optional>
#include <vector>

#include "platform/sound/Sound.h"

namespace platform {

enum class MsgIcon;

// Switches the platform into the mode tests run in: virtual clock, every hook of Hooks.h
// set to a recorder below, pictures decoded afresh. `appPath` is the program folder the
// test has prepared.
void beginTestMode(const QString& appPath);
// Destroys every form and clears the hooks again.
void endTestMode();

// Message boxes are answered in advance: each one is recorded and returns as if OK had been
// pressed.
struct ShownMessage {
    QString text;
    MsgIcon icon;
};
QList<ShownMessage>& shownMessages();
// Called while a recorded box is "open", to look at the program at that moment.
void onMessageBox(std::function<void(const ShownMessage&)> hook);

// End() throws ProgramEnded, which the test catches, so that the code after End never
// runs; the end after the last form is only recorded.
struct ProgramEnded : std::exception {
    const char* what() const noexcept override { return "program ended"; }
};
bool programHasEnded();
// The status End() was given (0 when the program ended normally or has not ended).
int programEndStatus();

// The addresses the program would have opened.
QStringList& navigatedTargets();

// The sounds the program would have played, in order: what each word's sound source gave.
struct PlayedSound {
    QString label;
    Sound sound;
};
QList<PlayedSound>& playedSounds();

// Questions are recorded and answered with `yes` (Ja unless told otherwise).
QStringList& askedQuestions();
void answerQuestions(bool yes);

// The microphone in tests: a take starts unless a failure is set, and its end gives the
// sound set here (an empty sound unless told otherwise).
void microphoneGives(const Sound& take);
void microphoneFails(const QString& message);

// The folder dialog answers with the folders given here, in order, then with none; the
// secret question (a PIN) with the answer given here (nothing: cancelled). Both are recorded.
void folderDialogGives(const QStringList& folders);
QStringList& folderDialogTitles();
void secretAnswer(const std::optional<QString>& answer);
QStringList& askedSecrets();

// The numbers that Rnd returns next, in order (used before the generator).
void queueRandomNumbers(const std::vector<float>& numbers);

}  // namespace platform
