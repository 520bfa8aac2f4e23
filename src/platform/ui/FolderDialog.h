// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QWidget>

namespace platform {

// The desktop's dialog for choosing a folder, starting at `start`. Empty when the teacher
// cancelled.
QString askForFolder(QWidget* parent, const QString& title, const QString& start);

}  // namespace platform
