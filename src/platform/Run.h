// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

namespace platform {

class Form;

// Starts the toolkit, sets App.Path to the executable's folder, shows the start-up form
// and runs until the last form is unloaded. With `oneCopy`, a second start brings this
// copy's windows to the front and ends.
int run(int argc, char* argv[], const std::function<Form&()>& startupForm, bool oneCopy = true);

// The toolkit's own texts (context menus, standard buttons) in German, from the system's
// Qt translations. Returns false when the translation is not installed.
bool useGermanToolkitTexts();

}  // namespace platform
