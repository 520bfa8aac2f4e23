#pragma once
#include <QString>
#include <QStringList>

namespace platform {

// Opens a web address (a bare host name is opened as http://) or a mailto: address in the
// user's registered program and returns at once.
void NavigateTo(const QString& target);

// Tests: record the targets instead of opening them.
void interceptNavigation(bool on);
QStringList& navigatedTargets();

}  // namespace platform
