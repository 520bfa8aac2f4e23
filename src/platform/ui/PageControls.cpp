// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/PageControls.h"

#include <QScroller>
#include <QSignalBlocker>

namespace platform {

PageTabs::PageTabs(QWidget* parent, const char* name) : Control<QTabWidget>(parent, name) {
    setDocumentMode(false);
    connect(this, &QTabWidget::currentChanged, this, [this](int page) {
        if (onPageShown) onPageShown(page);
    });
}

QWidget* PageTabs::addPage(const char* name, const QString& title) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromUtf8(name));
    const QSignalBlocker quiet(this);
    addTab(page, title);
    return page;
}

CheckBox::CheckBox(QWidget* parent, const char* name, const QString& caption) : Control<QCheckBox>(parent, name) {
    setText(caption);
    connect(this, &QCheckBox::toggled, this, [this] {
        if (onChanged) onChanged();
    });
}

void CheckBox::setValue(bool on) {
    const QSignalBlocker quiet(this);
    setChecked(on);
}

ChoiceBox::ChoiceBox(QWidget* parent, const char* name, const QStringList& choices)
    : Control<QComboBox>(parent, name) {
    addItems(choices);
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (onChanged) onChanged();
    });
}

void ChoiceBox::setChoice(int index) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

TextView::TextView(QWidget* parent, const char* name) : Control<QTextBrowser>(parent, name) {
    setOpenExternalLinks(true);
    setReadOnly(true);
    QScroller::grabGesture(viewport(), QScroller::TouchGesture);
}

void TextView::setMarkdownText(const QString& markdown, const QString& pictureFolder) {
    setSearchPaths(pictureFolder.isEmpty() ? QStringList() : QStringList{pictureFolder});
    setMarkdown(markdown);
}

}  // namespace platform
