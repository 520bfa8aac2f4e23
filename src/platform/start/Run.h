// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

namespace platform {

class Form;

// What a start tells the copy of the program that may already run, and what it does when
// that copy plays with other words.
struct OtherCopy {
    // The folder of this start's words (a real path), asked once the toolkit runs.
    std::function<QString()> words;
    // Called in a second start, after the running copy came to the front, when that copy
    // plays with another folder than this start would.
    std::function<void(const QString& runningWords, const QString& ownWords)> runsOtherWords;
    // Called when a copy of this user holds the name but does not answer (it is stopped or
    // hangs); this start then plays on its own.
    std::function<void()> otherSilent;
};

// Starts the toolkit, sets App.Path to the executable's folder, shows the start-up form
// and runs until the last form is unloaded. With `oneCopy`, when a copy of the program
// already runs for this user and display, it is brought to the front instead and 0 is
// returned.
int run(int argc, char* argv[], const std::function<Form&()>& startupForm, const OtherCopy& otherCopy = {},
        bool oneCopy = true);

// Two names of one folder are the same when they lead to the same place: links, "..", a
// trailing slash do not count. A folder that does not exist is compared by its clean
// absolute name.
bool sameFolder(const QString& one, const QString& other);

}  // namespace platform
