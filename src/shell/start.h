// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
namespace platform {
class Form;
}

namespace shell {

// Makes the default instance of every form known to the platform (the program and the
// tests call this before any form is used).
void registerForms();

// The form the program opens with: the start-up screen.
platform::Form& startupForm();

// Runs the program: the start-up form comes first.
int start(int argc, char* argv[]);

}  // namespace shell
