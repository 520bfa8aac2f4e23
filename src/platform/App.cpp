#include "platform/App.h"

namespace platform {

Application& App() {
    static Application app;
    return app;
}

}  // namespace platform
