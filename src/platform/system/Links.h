// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace platform {

// Opens a web address (a bare host name is opened as http://) or a mailto: address in the
// user's registered program and returns at once.
void NavigateTo(const QString& target);

}  // namespace platform
