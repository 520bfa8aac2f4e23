#include "game/Options.h"

namespace options {

Options& current() {
    static Options options;
    return options;
}

}  // namespace options
