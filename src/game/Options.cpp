// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Options.h"

namespace options {

Options& current() {
    static Options options;
    return options;
}

}  // namespace options
