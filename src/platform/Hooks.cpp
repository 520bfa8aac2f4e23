#include "platform/Hooks.h"

namespace platform {

Hooks& hooks() {
    static Hooks h;
    return h;
}

}  // namespace platform
