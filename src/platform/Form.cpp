#include "platform/Form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>

#include "platform/Program.h"
#include "platform/Timer.h"

namespace platform {

namespace {

QHash<QString, std::function<Form*()>>& factories() {
    static QHash<QString, std::function<Form*()>> map;
    return map;
}
QHash<QString, Form*>& instances() {
    static QHash<QString, Form*> map;
    return map;
}
QList<Form*>& loadedForms() {
    static QList<Form*> list;
    return list;
}

void forgetInstance(Form* form) {
    for (auto it = instances().begin(); it != instances().end();) {
        if (it.value() == form)
            it = instances().erase(it);
        else
            ++it;
    }
}

}  // namespace

Form::Form(const QString& name) : QWidget(nullptr) {
    setObjectName(name);
    setAttribute(Qt::WA_QuitOnClose, false);
    QCoreApplication::instance()->installEventFilter(this);
}

Form::~Form() {
    loadedForms().removeAll(this);
    forgetInstance(this);
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    loadedForms().append(this);
    Form_Load();
}

void Form::Show() {
    setVisible(true);
    raise();
    activateWindow();
}

void Form::setVisible(bool visible) {
    if (visible && !loaded_) {
        load();
        if (!loaded_) return;  // the Load handler unloaded the form again
    }
    const bool appearing = visible && isHidden();
    QWidget::setVisible(visible);
    if (appearing) {
        raise();
        activateWindow();
        Form_Activate();
    }
}

void Form::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    int cancel = 0;
    Form_Unload(cancel);
    unloading_ = false;
    if (cancel != 0) return;

    loaded_ = false;
    for (Timer* t : findChildren<Timer*>()) t->setEnabled(false);
    loadedForms().removeAll(this);
    forgetInstance(this);
    QWidget::setVisible(false);
    deleteLater();
    if (loadedForms().isEmpty()) quitAfterLastForm();
}

void Form::Refresh() {
    if (isVisible()) repaint();
}

void Form::setOuterSizeTwips(int width, int height) {
    resize(width / 15 - kFrameWidthPx, height / 15 - kFrameHeightPx);
}

void Form::centerOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = frameGeometry();
    const bool framed = !(windowFlags() & Qt::FramelessWindowHint);
    if (framed && frame.width() <= width())
        frame.setSize(size() + QSize(kFrameWidthPx, kFrameHeightPx));
    move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && KeyPreview && loaded_ && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        // Arrows, function keys and modifiers produce no character; neither does Delete.
        if (text.isEmpty() || text == QStringLiteral("\x7f")) return false;
        int key = text.at(0).unicode();
        Form_KeyPress(key);
        return key == 0;
    }
    return QWidget::eventFilter(watched, event);
}

void Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (loaded_) closeBoxClicked();
}

void registerForm(const QString& name, std::function<Form*()> factory) {
    factories().insert(name, std::move(factory));
}

Form& form(const QString& name) {
    if (Form* f = instances().value(name)) return *f;
    auto factory = factories().value(name);
    Q_ASSERT_X(factory, "form", "form not registered");
    Form* f = factory();
    instances().insert(name, f);
    return *f;
}

Form* existingForm(const QString& name) { return instances().value(name); }

void Unload(const QString& name) {
    if (Form* f = existingForm(name)) f->Unload();
}

const QList<Form*>& Forms() { return loadedForms(); }

void destroyAllForms() {
    const auto all = instances().values();
    instances().clear();
    loadedForms().clear();
    for (Form* f : all) delete f;
}

}  // namespace platform
