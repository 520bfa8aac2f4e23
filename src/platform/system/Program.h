// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace platform {

// Ends the program at once with the exit status: every window closes, no unload handler
// runs, no further event is handled. After an error the program reports, the status is 1.
// Never returns.
[[noreturn]] void End(int status = 1);

// The last form was unloaded: leave the event loop.
void quitAfterLastForm();

}  // namespace platform
