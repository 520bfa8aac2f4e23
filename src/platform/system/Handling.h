// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

class QObject;

namespace platform {

// While the program is inside a handler that may wait or run the event loop within it (a
// timer's tick, the robber's walk, a message box), a window's close must not unload a form
// under the handler's feet. Such a close is kept and carried out as soon as the outermost
// of these handlers has returned.
class Handling {
public:
    Handling();
    ~Handling();
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;
};

// Whether a handler of the kind above is running.
bool handling();

// Runs `job` now when no handler runs, or else once the outermost one has returned, and then
// only if `context` still exists.
void whenHandled(QObject* context, std::function<void()> job);

}  // namespace platform
