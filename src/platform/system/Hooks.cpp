// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/Hooks.h"

namespace platform {

Hooks& hooks() {
    static Hooks h;
    return h;
}

}  // namespace platform
