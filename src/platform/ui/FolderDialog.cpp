// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/FolderDialog.h"

#include <QFileDialog>

namespace platform {

QString askForFolder(QWidget* parent, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

}  // namespace platform
