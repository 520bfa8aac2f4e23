// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

namespace shell {
QWidget* makeClassPage(QWidget* parent);
QWidget* makeRecordPage(QWidget* parent);
}  // namespace shell
