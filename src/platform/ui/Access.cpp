// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <cstring>

#include "platform/ui/AccessReader.h"
#include "platform/ui/AccessText.h"

namespace platform {

namespace {

// How a widget is presented when Qt's own choice does not fit it.
enum class Kind { Window, Group, Button, Link, ReadWhileShown, Notification, TextBox };

struct Presentation {
    Kind kind;
    std::function<void()> press;
    QString keys;
};

QHash<const QObject*, Presentation>& presentations() {
    static QHash<const QObject*, Presentation> map;
    return map;
}

const char* const kDecoration = "knorzelbartDecoration";
const char* const kQuiet = "knorzelbartQuietWhenLocked";

QAccessible::UpdateHandler passedOn = nullptr;

// Every change Qt tells the screen reader passes here; the lock of a quiet control stops.
void tellScreenReader(QAccessibleEvent* event) {
    if (event->type() == QAccessible::StateChanged && event->object() && event->object()->property(kQuiet).toBool()) {
        QAccessible::State rest = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
        rest.disabled = false;
        const QAccessible::State none;
        if (std::memcmp(&rest, &none, sizeof rest) == 0) return;
    }
    if (passedOn) {
        passedOn(event);
        return;
    }
    // Qt's own way to the screen reader: with no handler installed, for this one event.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(tellScreenReader);
}

// A container that offers only its shown, not decorative controls.
class ShownChildren : public QAccessibleWidget, public OwnAccessible {
public:
    ShownChildren(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

    int childCount() const override { return shownChildren().size(); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> list = shownChildren();
        return index >= 0 && index < list.size() ? QAccessible::queryAccessibleInterface(list[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
        return shownChildren().indexOf(static_cast<QWidget*>(child->object()));
    }

private:
    QList<QWidget*> shownChildren() const {
        QList<QWidget*> list;
        for (QObject* o : widget()->children()) {
            if (!o->isWidgetType()) continue;
            auto* w = static_cast<QWidget*>(o);
            if (w->isWindow() || w->isHidden() || w->property(kDecoration).toBool()) continue;
            list.append(w);
        }
        return list;
    }
};

// A control with one action, press, and the keys that press it too.
class Pressable : public QAccessibleWidget, public OwnAccessible {
public:
    Pressable(QWidget* w, QAccessible::Role role, const Presentation& p)
        : QAccessibleWidget(w, role), press_(p.press), keys_(p.keys) {}

    QString text(QAccessible::Text t) const override {
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            if (auto* label = qobject_cast<QLabel*>(widget())) s = label->text();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && press_ && widget()->isVisible() && widget()->isEnabled()) press_();
    }
    // The screen reader's reading of a binding: mnemonic;path;accelerator, here only the last.
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name != pressAction() || keys_.isEmpty()) return {};
        return {QString(), keys_};
    }

private:
    std::function<void()> press_;
    QString keys_;
};

// A label whose text is no one's business while it is hidden.
class ReadWhileShown : public QAccessibleWidget, public OwnAccessible {
public:
    explicit ReadWhileShown(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (widget()->isHidden()) return QString();
        QString s = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && s.isEmpty())
            if (auto* label = qobject_cast<QLabel*>(widget())) s = label->text();
        return s;
    }
};

class Notice : public QAccessibleWidget, public OwnAccessible {
public:
    explicit Notice(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
};

QAccessibleInterface* present(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const auto it = presentations().constFind(object);
    if (it == presentations().constEnd()) return nullptr;
    switch (it->kind) {
        case Kind::Window: return new ShownChildren(widget, QAccessible::Window);
        case Kind::Group: return new ShownChildren(widget, QAccessible::Grouping);
        case Kind::Button: return new Pressable(widget, QAccessible::Button, *it);
        case Kind::Link: return new Pressable(widget, QAccessible::Link, *it);
        case Kind::ReadWhileShown: return new ReadWhileShown(widget);
        case Kind::Notification: return new Notice(widget);
        case Kind::TextBox: return textBoxInterface(widget);
    }
    return nullptr;
}

void presentAs(QWidget* widget, Presentation p) {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(present);
        installed = true;
    }
    presentations().insert(widget, std::move(p));
    QObject::connect(widget, &QObject::destroyed, [widget] { presentations().remove(widget); });
    // Qt may have made its own interface already (while the widget was being set up, when a
    // screen reader listens): it goes, and the next question gets this one.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made && !dynamic_cast<OwnAccessible*>(made)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
        QAccessible::queryAccessibleInterface(widget);
    }
}

}  // namespace

void describe(QWidget* control, const QString& name, const QString& description) {
    if (control->accessibleName() != name) control->setAccessibleName(name);
    if (control->accessibleDescription() != description) control->setAccessibleDescription(description);
}

namespace {
std::optional<bool> screenReaderForTests;
}

bool screenReaderActive() { return screenReaderForTests.value_or(QAccessible::isActive()); }
void setScreenReaderActiveForTests(std::optional<bool> active) { screenReaderForTests = active; }

void presentAsWindow(QWidget* form) { presentAs(form, {Kind::Window, nullptr, QString()}); }
void presentAsGroup(QWidget* block) { presentAs(block, {Kind::Group, nullptr, QString()}); }
void presentAsDecoration(QWidget* control) { control->setProperty(kDecoration, true); }
void presentAsButton(QWidget* control, std::function<void()> press, const QString& keys) {
    presentAs(control, {Kind::Button, std::move(press), keys});
}
void presentAsLink(QWidget* control, std::function<void()> open) {
    presentAs(control, {Kind::Link, std::move(open), QString()});
}
void quietWhenLocked(QWidget* control) {
    static bool installed = false;
    if (!installed) {
        passedOn = QAccessible::installUpdateHandler(tellScreenReader);
        installed = true;
    }
    control->setProperty(kQuiet, true);
}
void readOnlyWhileShown(QWidget* label) { presentAs(label, {Kind::ReadWhileShown, nullptr, QString()}); }
void presentAsTextBox(QWidget* box) { presentAs(box, {Kind::TextBox, nullptr, QString()}); }

// The word a screen reader puts before a notification.
const QString kNotificationRole = QStringLiteral("Benachrichtigung");

Announcer::Announcer(QWidget* form) : form_(form) {}

void Announcer::announce(const QString& message) {
    messages_.append(message);
    screenReaderSays(kNotificationRole + QLatin1Char(' ') + message);
    clear();
    auto* note = new QWidget(form_);
    note->setObjectName(QStringLiteral("announcement"));
    note->setAttribute(Qt::WA_TransparentForMouseEvents);
    note->setGeometry(0, 0, 1, 1);
    presentAs(note, {Kind::Notification, nullptr, QString()});
    note->setAccessibleName(message);
    note->show();
    current_ = note;
}

void Announcer::clear() {
    delete current_.data();
    current_ = nullptr;
}

QString Announcer::current() const { return current_ ? current_->accessibleName() : QString(); }

}  // namespace platform
