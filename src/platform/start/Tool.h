// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

namespace platform {

// Runs a task of the command line without any window or display: sets App.Path to the
// executable's folder and reads pictures with the game's limits. Returns the task's result.
int runTool(int argc, char* argv[], const std::function<int()>& task);

}  // namespace platform
