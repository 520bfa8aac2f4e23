// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QListWidget>
#include <QProgressBar>
#include <QString>
#include <functional>

#include "platform/Controls.h"

namespace platform {

// A list of rows, each with a small picture and a text; a screen reader reads the rows
// as list items by their text. The arrow keys move through it; Space and Return are
// handed to the form. A finger drags it up and down.
class WordList : public Control<QListWidget> {
public:
    WordList(QWidget* parent, const char* name);
    // Replaces the rows: their texts and the pictures beside them (paths, may be missing).
    void setRows(const QStringList& texts, const QStringList& pictures);
    void setRowText(int row, const QString& text);
    // Puts a picture beside a row that has none yet (pictures filled in as they come).
    void setRowPicture(int row, const QPixmap& picture);
    bool RowHasPicture(int row) const;
    QString RowText(int row) const;
    int Rows() const { return count(); }
    int CurrentRow() const { return currentRow(); }
    void setCurrentRow(int row) { QListWidget::setCurrentRow(row); }
    // The size of the pictures in design pixels (scaled with the form).
    void setPictureSize(double size);

    std::function<void()> onSpace;
    std::function<void()> onReturn;
    std::function<void()> onCurrentChanged;

    void rescale() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    double pictureSize_ = 40;
};

// A bar that shows a level from 0 to 1 (the microphone's), named for screen readers.
class LevelMeter : public Control<QProgressBar> {
public:
    LevelMeter(QWidget* parent, const char* name);
    void setLevel(double level);
    double Level() const { return value() / 100.0; }
};

}  // namespace platform
