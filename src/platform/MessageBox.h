#pragma once
#include <QList>
#include <QString>
#include <functional>

namespace platform {

enum class MsgIcon { None, Critical };

// A modal message box with one OK button, titled with App.Title. Returns when the player
// has closed it. Carriage returns in the text break lines.
void MsgBox(const QString& text, MsgIcon icon = MsgIcon::None);

// Tests answer message boxes in advance: while intercepted, MsgBox records the box and
// returns at once as if OK had been pressed.
struct ShownMessage {
    QString text;
    MsgIcon icon;
};
void interceptMessageBoxes(bool on);
QList<ShownMessage>& shownMessages();
// Called while an intercepted box is "open", to look at the program at that moment.
void onMessageBox(std::function<void(const ShownMessage&)> hook);

}  // namespace platform
