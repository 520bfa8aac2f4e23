// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <functional>

namespace shell {

// Reads the teacher's settings and the command line into the run's options, then plays
// (calling `play`) or does what the command line asks instead: the help, the version, the
// check of a picture folder, the recording window (calling `record` with the folder named
// on the command line, absolute, or an empty text for the game's folder). Returns the
// program's exit status.
int launch(int argc, char* argv[], const std::function<int(int, char**)>& play,
           const std::function<int(int, char**, const QString&)>& record = {});

}  // namespace shell
