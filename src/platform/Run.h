#pragma once
#include <functional>

namespace platform {

class Form;

// Starts the toolkit, sets App.Path to the executable's folder, shows the start-up form
// and runs until the last form is unloaded.
int run(int argc, char* argv[], const std::function<Form&()>& startupForm);

}  // namespace platform
