// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// The class list: the children's names as the teacher typed them once, kept beside the
// learning record in its folder ("klassenliste.txt", one name a line, readable by its
// owner only). When it holds a name, the menu offers the names as buttons.
namespace lernstand {

// The longest name the menu's name box takes.
constexpr int kMaxNameLength = 25;

QString classListPath(const QString& folder);

// The names of the list in the folder, in the teacher's order; empty when there is none.
// A file that cannot be read is said in `why`.
QStringList readClassList(const QString& folder, QString* why = nullptr);
// The same for the children's menu, read on the record's thread: a share that hangs never
// stops a child. When the reading takes longer than `ms`, the list last read from that
// folder is taken (none the first time).
QStringList classListSoon(const QString& folder, int ms);

// Writes the list anew (the folder is made when missing). Returns an empty string, or why
// it could not be kept.
QString writeClassList(const QString& folder, const QStringList& names);

// Why a name cannot join the list (empty when it can): blank, too long, control characters,
// or a child of the same name (as the record compares names) is already there. `except` is
// the row being renamed (-1: none).
QString nameRefusal(const QStringList& names, const QString& name, int except = -1);

// Adds, renames or removes one child in the folder's list. Renaming also renames what the
// record keeps about the child; the list changes only when that worked. Each returns an
// empty string, or why nothing changed.
QString addToClass(const QString& folder, const QString& name);
QString renameInClass(const QString& folder, int row, const QString& newName);
QString removeFromClass(const QString& folder, int row);

// Renames the record of a child: afterwards what was kept about `oldName` is kept about
// `newName` (merged with what `newName` already had). False, with `why`, when a file could
// not be renamed; the files done so far stay renamed.
bool renameChild(const QString& folder, const QString& oldName, const QString& newName, QString* why);

}  // namespace lernstand
