#pragma once

namespace platform {

// Ends the program at once with the exit status: every window closes, no unload handler
// runs, no further event is handled. Never returns.
[[noreturn]] void End(int status = 0);

// The last form was unloaded: leave the event loop.
void quitAfterLastForm();

}  // namespace platform
