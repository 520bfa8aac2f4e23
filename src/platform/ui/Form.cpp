// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/Form.h"

#include "platform/ui/Access.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "platform/ui/Access.h"
#include "platform/ui/Controls.h"
#include "platform/system/Handling.h"
#include "platform/ui/Events.h"
#include "platform/system/Program.h"
#include "platform/system/Timer.h"

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
    previewKeys(this, [this](QWidget*, QEvent* event) { return previewKey(event); });
}

Form::~Form() {
    stopWatching(this);
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
    if (visible && !fixedSize_.isEmpty() && programScale() != scale_) {
        setScaleFactor(programScale());
        setFixedDesignSize(fixedSize_.width(), fixedSize_.height());
        centerOnScreen();
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

void Form::setScale(double factor, QPoint origin) {
    if (factor == scale_ && origin == origin_) return;
    scale_ = factor;
    origin_ = origin;
    for (QWidget* child : findChildren<QWidget*>())
        if (auto* control = dynamic_cast<ControlBase*>(child)) control->rescale();
}

void Form::Refresh() {
    // Only what has changed is drawn again: on a large screen the whole scene costs more
    // than the few controls that move.
    if (isVisible()) QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
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
    QPoint topLeft = area.center() - QPoint(frame.width() / 2, frame.height() / 2);
    // A window larger than the screen keeps its title bar in reach.
    topLeft.setX(std::max(topLeft.x(), area.left()));
    topLeft.setY(std::max(topLeft.y(), area.top()));
    move(topLeft);
}

void Form::scaleSceneWithWindow(double designWidth, double designHeight) {
    sceneSize_ = QSizeF(designWidth, designHeight);
    QResizeEvent event(size(), size());
    resizeEvent(&event);
}

void Form::setMarginColours(const QColor& above, const QColor& below, double horizon) {
    marginAbove_ = above;
    marginBelow_ = below;
    horizon_ = horizon;
    update();
}

void Form::setFullScreen(bool on) {
    if (on == fullScreen_) return;
    fullScreen_ = on;
    if (on) {
        windowGeometry_ = geometry();
        setWindowState(windowState() | Qt::WindowFullScreen);
        // Without a window manager the state alone changes nothing on screen.
        const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
        if (where) setGeometry(where->geometry());
    } else {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        if (windowGeometry_.isValid()) setGeometry(windowGeometry_);
    }
}

void Form::setFixedDesignSize(double width, double height) {
    fixedSize_ = QSizeF(width, height);
    setFixedSize(int(std::lround(width * pixelsPerUnit())), int(std::lround(height * pixelsPerUnit())));
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (sceneSize_.isEmpty()) return;
    const double sceneWidth = sceneSize_.width() * unit_;
    const double sceneHeight = sceneSize_.height() * unit_;
    const double factor = std::min(width() / sceneWidth, height() / sceneHeight);
    if (factor <= 0) return;
    const QPoint origin(int(std::lround((width() - sceneWidth * factor) / 2)),
                        int(std::lround((height() - sceneHeight * factor) / 2)));
    setScale(factor, origin);
    if (isVisible()) setProgramScale(factor);
}

void Form::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!marginBelow_.isValid()) return;
    QPainter painter(this);
    const int horizon = origin_.y() + int(std::lround(horizon_ * pixelsPerUnit()));
    painter.fillRect(QRect(0, 0, width(), horizon), marginAbove_);
    painter.fillRect(QRect(0, horizon, width(), height() - horizon), marginBelow_);
}

namespace {
double sharedScale = 1.0;
}

double programScale() { return sharedScale; }
void setProgramScale(double factor) { sharedScale = factor; }

double fittingScale(double designWidth, double designHeight, bool fullScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 1.0;
    if (fullScreen) {
        const QRect whole = screen->geometry();
        return std::min(whole.width() / designWidth, whole.height() / designHeight);
    }
    const QRect area = screen->availableGeometry();
    return std::min({1.0, (area.width() - kFrameWidthPx) / designWidth,
                     (area.height() - kFrameHeightPx) / designHeight});
}

bool Form::previewKey(QEvent* event) {
    if (!KeyPreview || !loaded_) return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    // Arrows, function keys and modifiers produce no character; neither does Delete.
    if (text.isEmpty() || text == QStringLiteral("\x7f")) return false;
    int key = text.at(0).unicode();
    Form_KeyPress(key);
    return key == 0;
}

void Form::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!loaded_) return;
    // A close that comes while a handler waits (the robber's walk, a message box) is carried
    // out once the handler has returned: the handler goes on with a loaded form.
    whenHandled(this, [this] {
        if (loaded_) closeBoxClicked();
    });
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
