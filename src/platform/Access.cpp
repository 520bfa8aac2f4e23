// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>

namespace platform {

namespace {

// The role a widget is presented with when Qt's own choice does not fit it.
const char* const kRoleProperty = "knorzelbartAccessibleRole";

QAccessibleInterface* presentWithOwnRole(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Role(role.toInt()));
}

void setRole(QWidget* widget, QAccessible::Role role) {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(presentWithOwnRole);
        installed = true;
    }
    widget->setProperty(kRoleProperty, int(role));
}

class ChangeWatcher : public QObject {
public:
    ChangeWatcher(QObject* parent, std::function<void()> changed)
        : QObject(parent), changed_(std::move(changed)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::Move:
            case QEvent::ReadOnlyChange:
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                changed_();
                break;
            default:
                break;
        }
        return false;
    }

private:
    std::function<void()> changed_;
};

class ShowWatcher : public QObject {
public:
    ShowWatcher(QWidget* control, std::function<void()> shown)
        : QObject(control), control_(control), shown_(std::move(shown)), wasShown_(!control->isHidden()) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && !wasShown_) {
            wasShown_ = true;
            shown_();
        } else if (event->type() == QEvent::Hide) {
            wasShown_ = !control_->isHidden();
        }
        return false;
    }

private:
    QWidget* control_;
    std::function<void()> shown_;
    bool wasShown_;
};

}  // namespace

void describe(QWidget* control, const QString& name, const QString& description) {
    if (control->accessibleName() != name) control->setAccessibleName(name);
    if (control->accessibleDescription() != description) control->setAccessibleDescription(description);
}

void presentAsWindow(QWidget* form) { setRole(form, QAccessible::Window); }

void onChanges(const QList<QWidget*>& widgets, std::function<void()> changed) {
    if (widgets.isEmpty()) return;
    auto* watcher = new ChangeWatcher(widgets.first(), std::move(changed));
    for (QWidget* w : widgets) w->installEventFilter(watcher);
}

void onShown(QWidget* control, std::function<void()> shown) {
    control->installEventFilter(new ShowWatcher(control, std::move(shown)));
}

void stopWatching(QWidget* form) {
    for (QObject* child : form->findChildren<QObject*>()) {
        if (dynamic_cast<ChangeWatcher*>(child) || dynamic_cast<ShowWatcher*>(child)) {
            child->setParent(nullptr);
            delete child;
        }
    }
}

Announcer::Announcer(QWidget* form) : form_(form) {}

void Announcer::announce(const QString& message) {
    messages_.append(message);
    delete current_.data();
    auto* note = new QWidget(form_);
    note->setObjectName(QStringLiteral("announcement"));
    note->setAttribute(Qt::WA_TransparentForMouseEvents);
    note->setGeometry(0, 0, 1, 1);
    setRole(note, QAccessible::Notification);
    note->setAccessibleName(message);
    note->show();
    current_ = note;
}

}  // namespace platform
