#pragma once
#include <QString>

namespace platform {

// Starts the toolkit, sets App.Path to the executable's folder, shows the start-up form
// and runs until the last form is unloaded.
int run(int argc, char* argv[], const QString& startupForm);

}  // namespace platform
