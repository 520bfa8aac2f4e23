// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tests of the teacher's room share: the way to the menu, the room's state, the
// teacher's files and a program folder with two shipped themes.
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "game/Options.h"
#include "platform/ui/Form.h"
#include "shell/frmAufnahme.h"
#include "shell/frmAuswahlmenue.h"
#include "shell/frmLehrer.h"
#include "shell/frmSplash.h"
#include "shell/start.h"
#include "support/GameFixture.h"
#include "support/Kept.h"
#include "support/Menu.h"

namespace testsupport {

// The teacher's settings files and the cache of one test program, in a folder of its own:
// each test starts with neither file and the options at their defaults, and the environment
// is put back when the program's tests end. Call init() and cleanup() from the test's own.
class TeacherSettingsHome {
public:
    QString path() const { return dir_.path(); }
    QString userFile() const { return dir_.path() + QStringLiteral("/benutzer/einstellungen.conf"); }
    QString systemFile() const { return dir_.path() + QStringLiteral("/system.conf"); }
    void init() {
        options::current() = options::Options{};
        QFile::remove(userFile());
        QFile::remove(systemFile());
        qputenv("KNORZELBART_BENUTZER_EINSTELLUNGEN", userFile().toUtf8());
        qputenv("KNORZELBART_EINSTELLUNGEN", systemFile().toUtf8());
        qputenv("XDG_CACHE_HOME", (dir_.path() + QStringLiteral("/cache")).toUtf8());
    }
    void cleanup() {
        options::current() = options::Options{};
        frmAufnahme::folder.clear();
    }

private:
    QTemporaryDir dir_;
    EnvironmentKept user_{"KNORZELBART_BENUTZER_EINSTELLUNGEN"};
    EnvironmentKept system_{"KNORZELBART_EINSTELLUNGEN"};
    EnvironmentKept cache_{"XDG_CACHE_HOME"};
};


inline QString accessibleName(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
}

inline bool roomOpen() {
    platform::Form* room = platform::existingForm(QStringLiteral("frmLehrer"));
    return room && room->isLoaded() && room->Visible();
}

inline QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

inline void writeAll(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// A program folder with two shipped themes, one of them with a camera's picture in it.
inline void addThemes(ProgramFolder& folder) {
    folder.addNumberedPictures(3, QStringLiteral("Alles"));
    QStringList animals;
    for (const char* word : {"Hund", "Katze", "Maus", "Pferd", "Kuh", "Schaf", "Ziege", "Hase", "Igel", "Fuchs",
                             "Bär", "Wolf", "Ente", "Gans", "Huhn", "Esel"})
        animals << QString::fromUtf8(word) + QStringLiteral(".png");
    animals << QStringLiteral("IMG_20260312_101533.jpg");
    folder.addPictures(animals);
    QDir().mkpath(folder.path() + QStringLiteral("/sammlungen/Tiere"));
    QDir().mkpath(folder.path() + QStringLiteral("/sammlungen/Essen"));
    for (const QString& name : animals)
        QVERIFY(QFile::rename(folder.db() + QLatin1Char('/') + name,
                              folder.path() + QStringLiteral("/sammlungen/Tiere/") + name));
    folder.addPictures({QStringLiteral("Brot.png"), QStringLiteral("Apfel.png")});
    for (const char* name : {"Brot.png", "Apfel.png"})
        QVERIFY(QFile::rename(folder.db() + QLatin1Char('/') + QLatin1String(name),
                              folder.path() + QStringLiteral("/sammlungen/Essen/") + QLatin1String(name)));
}

inline int rowOf(const frmLehrer& room, const QString& name) {
    for (int i = 0; i < room.collectionList().size(); ++i)
        if (room.collectionList()[i].name == name) return i;
    return -1;
}


}  // namespace testsupport
