// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A logout or shutdown (SIGTERM) and a closed terminal (SIGHUP) end the program the way
// its own end does: the event loop is left, and what is still to be written is written.
namespace platform {

void quitOnEndSignals();

}  // namespace platform
