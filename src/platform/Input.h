#pragma once

namespace platform {

// Throws away the key presses, clicks and other input that reached the program while it was
// blocked (the window system keeps them waiting) instead of handling them late. Whatever
// else waits (drawing, window changes) is handled now; timer ticks that fall due meanwhile
// wait until the running handler has finished.
void dropQueuedInput();

}  // namespace platform
