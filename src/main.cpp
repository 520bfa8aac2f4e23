// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/start.h"
int main(int argc, char* argv[]) { return shell::start(argc, argv); }
