// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/App.h"

namespace platform {

Application& App() {
    static Application app;
    return app;
}

}  // namespace platform
