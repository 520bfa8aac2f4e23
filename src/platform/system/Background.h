// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <functional>

namespace platform {

// Runs `work` on a thread of its own and then `done` on the thread of `receiver`, in its
// event loop; when the receiver is gone by then, `done` never runs. `work` must touch no
// widget. In tests both run at once, one after the other, so that results are known at the
// next line.
void inBackground(QObject* receiver, std::function<void()> work, std::function<void()> done);

// Tests: whether work runs at once (on) or on its own thread (off, as in the program).
void setBackgroundAtOnce(bool atOnce);

}  // namespace platform
