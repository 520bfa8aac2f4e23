// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QIcon>
#include <QString>

// Every picture the game reads at run time, as the program composes its path: the
// program folder followed by a part written with backslashes. Letter case does not matter
// (the platform matches names without regard to it).
namespace assetpaths {

QString robberStanding();            // \bilder\räuberrechts.gif
QString robberWalking();             // \bilder\räuberrechtsgeht.gif
QString chest();                     // \bilder\Schatztruheeeee.gif
QString victoryFrame(int number);    // \bilder\hut<number>.gif
QString defeatFrame(int number);     // \bilder\bei_sieg_<number>.gif
QString assistantRight();            // prefix \Bilder\assistent_richtig_
QString assistantWrong();            // prefix \Bilder\assistent_fehler_
QString assistantFrame(const QString& prefix, int number);  // prefix & number & ".bmp"
QString dbFolder();                  // \db
QString dbPicture(const QString& fileName);  // \db\<name>
// The vocabulary folder's own name and the folder it lies in, for messages ("db" and the
// program's folder unless the teacher has chosen another).
QString dbFolderName();
QString dbFolderParent();

// The pictures of the game screen's own layout, compiled into the program.
QString layoutPicture(const char* name);  // ":/layout/<name>"
// The window icon of the game and the menu, in every size the layout has.
QIcon windowIcon();

}  // namespace assetpaths
