#pragma once
#include <QString>

namespace platform {

// Switches the platform into the mode tests run in: virtual clock, message boxes and the
// program's end intercepted, navigation and sounds recorded, pictures decoded afresh.
// `appPath` is the program folder the test has prepared.
void beginTestMode(const QString& appPath);
// Destroys every form and switches interception off again.
void endTestMode();

}  // namespace platform
