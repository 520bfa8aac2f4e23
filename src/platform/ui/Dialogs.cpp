// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QUrl>

#include "platform/system/Console.h"
#include "platform/system/Hooks.h"
#include "platform/system/Links.h"
#include "platform/files/TextFile.h"
#include "platform/system/App.h"

namespace platform {

QString chooseFolder(QWidget* parent, const QString& title) {
    if (hooks().chooseFolder) return hooks().chooseFolder(title);
    return QFileDialog::getExistingDirectory(parent, title, homeFolder());
}

std::optional<QString> askSecret(QWidget* parent, const QString& question) {
    if (hooks().askSecret) return hooks().askSecret(question);
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dlgGeheimzahl"));
    dialog.setWindowTitle(QStringLiteral("Knorzelbart"));
    dialog.setLabelText(question);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

void openFolder(const QString& realPath) { NavigateTo(QUrl::fromLocalFile(realPath).toString()); }

void openFile(const QString& realPath) { NavigateTo(QUrl::fromLocalFile(realPath).toString()); }

QString makeFolders(const QString& realPath) {
    if (QFileInfo(realPath).isDir()) return QString();
    if (QDir().mkpath(realPath)) return QString();
    return QStringLiteral("der Ordner %1 kann nicht angelegt werden").arg(realPath);
}

QString cacheFolder() { return programFolder(userCacheFolder()); }

}  // namespace platform
