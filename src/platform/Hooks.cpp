// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Hooks.h"

namespace platform {

Hooks& hooks() {
    static Hooks h;
    return h;
}

}  // namespace platform
