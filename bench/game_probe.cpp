// SPDX-License-Identifier: GPL-3.0-or-later
// The game, started exactly as its own main() starts it.
#include "shell/start.h"
int main(int argc, char* argv[]) { return shell::start(argc, argv); }
