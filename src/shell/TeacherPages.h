// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The pages of the teacher's room about the class and its learning record.
namespace shell {

QWidget* makeClassPage(QWidget* parent);
QWidget* makeRecordPage(QWidget* parent);

}  // namespace shell
