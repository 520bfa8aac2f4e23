// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>
#include <optional>

namespace platform {

enum class MsgIcon;
struct Sound;

// The program's side effects that tests replace, in one place. A hook that is set runs
// instead of the real effect; beginTestMode sets every hook to a recorder and endTestMode
// clears them again (tests/mock/TestMode.h, which only tests link). The clock, today's date
// and the computer's id have seams of their own (Clock.h, RecordFiles.h).
struct Hooks {
    // Instead of a modal message box; returns as if OK had been pressed.
    std::function<void(const QString& text, MsgIcon icon)> messageBox;
    // Instead of ending the process in End(); must not return (tests throw).
    std::function<void(int status)> programEnd;
    // Instead of leaving the event loop after the last form was unloaded.
    std::function<void()> lastFormUnloaded;
    // Instead of opening an address in the user's program.
    std::function<void(const QString& target)> navigate;
    // Instead of playing a sound: takes the sound, made at once on the calling thread.
    std::function<void(const QString& label, const Sound& sound)> playSound;
    // Instead of a question with the buttons Ja and Nein; returns the answer.
    std::function<bool(const QString& text)> question;
    // Instead of the microphone: starting a take (a German message when it cannot start),
    // and its end with what was "recorded".
    std::function<QString()> microphoneStart;
    std::function<Sound()> microphoneStop;
    // Instead of asking whether the voice can be loaded (a computer without a voice).
    std::function<bool()> voiceAvailable;
    // Instead of the folder dialog: the chosen folder, or an empty text when none was chosen.
    std::function<QString(const QString& title)> chooseFolder;
    // Instead of asking for a secret (a PIN): the answer, or nothing when it was cancelled.
    std::function<std::optional<QString>(const QString& question)> askSecret;
    // A number to use instead of the generator's next one, or nothing.
    std::function<std::optional<float>()> randomNumber;
    // Instead of the file system's clock (nanoseconds since 1970), which tells whether a
    // folder was changed so shortly before it was listed that its listing cannot be kept.
    std::function<qint64()> fileSystemNow;
    // Instead of the user's cache folder, where pictures decoded at their shown size are kept.
    std::function<QString()> cacheFolder;
    // Whether a screen reader runs, instead of asking the desktop.
    std::function<bool()> screenReaderRunning;
};

Hooks& hooks();

}  // namespace platform
