#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/App.h"

namespace platform {

namespace {
bool intercepted = false;
std::function<void(const ShownMessage&)> hook;
}  // namespace

void interceptMessageBoxes(bool on) {
    intercepted = on;
    shownMessages().clear();
    hook = nullptr;
}

QList<ShownMessage>& shownMessages() {
    static QList<ShownMessage> messages;
    return messages;
}

void onMessageBox(std::function<void(const ShownMessage&)> h) { hook = std::move(h); }

void MsgBox(const QString& text, MsgIcon icon) {
    if (intercepted) {
        shownMessages().append({text, icon});
        if (hook) hook(shownMessages().last());
        return;
    }
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    App().Title, shown, QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("msgbox"));
    // Names of files and players are shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace platform
