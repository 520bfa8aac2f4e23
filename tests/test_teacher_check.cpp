// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's check of a picture folder (knorzelbart --pruefen): every kind of file a
// school's folder may hold gets the word it becomes or the reason it is left out, agrees
// with what the game does with it, and the program's exit status says whether a game can be
// won.
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "game/WordList.h"
#include "game/modGlobalVars.h"
#include "mock/TestMode.h"
#include "platform/files/Files.h"
#include "platform/pictures/PictureCheck.h"
#include "platform/pictures/Pictures.h"
#include "raeuber/frmRaeuber.h"
#include "shell/Check.h"
#include "shell/CheckSheet.h"
#include "support/BadPictures.h"
#include "support/GameFixture.h"
#include "support/ProgramRun.h"
#include "support/Wav.h"

using namespace testsupport;

namespace {

struct Entry {
    QString name;
    const char* kind;
    QString expected;  // the word, or a part of the reason
    bool usable;
    QStringList warnings;  // parts of the warnings, in order
};

QList<Entry> entries() {
    return {
        {"Leer.png", "empty", "leere Datei", false, {}},
        {"Text.png", "text", "kein Bild (das Format wird nicht erkannt)", false, {}},
        {"Halb.png", "truncated png", "beschädigt", false, {}},
        {"Stumpf.jpg", "truncated jpeg", "beschädigt", false, {}},
        {"Kaputt.gif", "corrupt gif", "beschädigt", false, {}},
        {"Riese.png", "huge png", "beschädigt", false, {}},  // a header with no picture data after it
        {"Bombe.png", "bomb", "zu groß zum Anzeigen", false, {}},
        {"Rohr.png", "fifo", "keine gewöhnliche Datei", false, {}},
        {"Weg.png", "dangling link", "Verknüpfung ins Leere", false, {}},
        {"Schleife.png", "link loop", "Verknüpfung ins Leere", false, {}},
        {".versteckt.png", "picture", "versteckte Datei", false, {}},
        {"Thumbs.db", "picture", "Hilfsdatei eines anderen Programms", false, {}},
        {"Ohne", "picture", "keine Dateiendung", false, {}},
        {"Sechzehnbuchstab.png", "picture", "das Wort hat 16 Zeichen, höchstens 15", false, {}},
        {"Hu\nnd.png", "picture", "Zeichen, die man nicht tippen oder nicht sehen kann", false, {}},
        {"Link.gif", "link to picture", "Link", true, {}},
        {"IMG_2034.JPG", "picture", "IMG_2034", true,
         {"Kamera", "Ziffern", "„_“", "eigene Tasten: „_“, „2“, „0“, „3“, „4“", "in Großbuchstaben"}},
        {"Hund (2).png", "picture", "Hund (2)", true,
         {"Kopiezeichen „(2)“", "Ziffern", "„(“, „)“", "eigene Tasten: „(“, „2“, „)“"}},
        {"Baum.png.png", "picture", "Baum.png", true, {"doppelte Endung", "„.“", "eigene Tasten: „.“"}},
        {"Hund.png", "picture", "Hund", true, {"dasselbe Wort wie „hund.jpg“"}},
        {"hund.jpg", "picture", "Hund", true, {"beginnt klein, das Spiel zeigt „Hund“"}},
        {"Éclair.png", "picture", "Éclair", true, {"schwer zu tippende Zeichen: „É“", "eigene Tasten: „é“"}},
        {"ßuppe.png", "picture", "ßuppe", true, {"beginnt nicht mit einem Großbuchstaben"}},
        {"Bär.bmp", "picture", "Bär", true, {}},
    };
}

bool make(ProgramFolder& folder, const Entry& e) {
    const QString path = folder.db() + QLatin1Char('/') + e.name;
    const QString kind = e.kind;
    if (kind == "fifo") return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    if (kind == "dangling link") return QFile::link(folder.path() + "/nirgends.png", path);
    if (kind == "link loop") return QFile::link(path, path);
    if (kind == "link to picture") return QFile::link(folder.path() + "/bilder/hut1.gif", path);
    QByteArray bytes;
    if (kind == "text") bytes = "Kein Bild.\n";
    else if (kind == "picture") bytes = badpictures::whole(e.name.endsWith(".jpg") || e.name.endsWith(".JPG") ? "JPG" : e.name.endsWith(".bmp") ? "BMP" : "PNG");
    else if (kind == "truncated png") bytes = badpictures::truncated("PNG", 60);
    else if (kind == "truncated jpeg") bytes = badpictures::truncated("JPG", 180);
    else if (kind == "corrupt gif") bytes = badpictures::corruptBody("GIF", 13);
    else if (kind == "huge png") bytes = badpictures::hugePngHeader(30000, 30000);
    else if (kind == "huge bmp") bytes = badpictures::hugeBmpHeader(30000, 30000);
    else if (kind == "bomb") bytes = badpictures::pngBomb(30000, 30000);
    else if (kind != "empty") return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A photo-like JPEG (noise, so that it is large) of the given side.
QByteArray photo(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, seed >> 8);
        }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

// A WAV recording: 16-bit mono at 8000 Hz, a square tone of `samples` samples.
QByteArray wav(int samples) {
    QList<qint16> tone;
    for (int i = 0; i < samples; ++i) tone.append(qint16((i % 20 < 10) ? 12000 : -12000));
    return wavFile(tone, 8000);
}

const check::FileResult* fileOf(const check::Report& report, const QString& name) {
    for (const check::FileResult& f : report.files)
        if (f.name == name) return &f;
    return nullptr;
}

// What the game makes of the file: listed and drawn.
bool gamePlays(ProgramFolder& folder, const QString& name) {
    wordlist::clear();
    frmRaeuber::Default().loadDatabase();
    if (!modGlobalVars::imageNames.contains(name)) return false;
    return !platform::tryLoadPicture(folder.db() + QLatin1Char('/') + name).isNull();
}

ProgramRun runProgram(const QStringList& arguments) {
    return testsupport::runProgram(arguments, environmentWithoutDisplay());
}

}  // namespace

class TestTeacherCheck : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyFileGetsItsWordOrItsReason() {
        ProgramFolder folder;
        for (const Entry& e : entries()) QVERIFY2(make(folder, e), qPrintable(e.name));
        QDir().mkpath(folder.db() + "/Unterordner");
        const check::Report report = check::examine(folder.db(), false);
        QVERIFY(report.folderFound);
        QCOMPARE(report.files.size(), entries().size());
        QCOMPARE(report.subfolders, QStringList{"Unterordner"});
        for (const Entry& e : entries()) {
            const auto found = std::find_if(report.files.begin(), report.files.end(),
                                            [&](const check::FileResult& f) { return f.name == e.name; });
            QVERIFY2(found != report.files.end(), qPrintable(e.name));
            QCOMPARE(found->usable, e.usable);
            if (e.usable) QCOMPARE(found->word, e.expected);
            else QVERIFY2(found->reason.contains(e.expected), qPrintable(found->reason));
            QVERIFY2(found->warnings.size() == e.warnings.size(), qPrintable(e.name + ": " + found->warnings.join(" | ")));
            for (int i = 0; i < e.warnings.size(); ++i)
                QVERIFY2(found->warnings[i].contains(e.warnings[i]), qPrintable(found->warnings[i]));
            // The check says what the game does: played exactly when the check finds it usable.
            QCOMPARE(gamePlays(folder, e.name), e.usable);
        }
        const QString text = check::text(report);
        QVERIFY(text.contains("  Hu\\u{A}nd.png  –  wird übersprungen: "));
        QVERIFY(text.contains("  Unterordner/  –  Unterordner, wird nicht gelesen\n"));
        QVERIFY(text.contains("\n25 Dateien: 9 verwendbare Wörter, 15 übersprungen, 18 Warnungen.\n") ||
                text.contains(QString("\n%1 Dateien: 9 verwendbare Wörter").arg(report.files.size())));
        QVERIFY(text.endsWith("Ein Spiel kann NICHT gewonnen werden: Dafür sind mindestens 15 verwendbare Bilder "
                              "nötig, es fehlen 6.\n"));
        QCOMPARE(check::exitStatus(report), 1);
    }

    // The real program, with no display at all: exit status 1 below fifteen usable pictures,
    // 0 from fifteen on, 1 for a folder that is not there; 2 for a sheet it cannot write.
    void theProgramsExitStatusSaysWhetherAGameCanBeWon() {
        ProgramFolder folder;
        for (const Entry& e : entries()) QVERIFY2(make(folder, e), qPrintable(e.name));
        folder.addNumberedPictures(5);
        ProgramRun run = runProgram({"--pruefen", folder.db()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains("14 verwendbare Wörter"), qPrintable(run.out));
        QCOMPARE(run.err, QString());  // the decoder's own complaints are not the teacher's business
        QVERIFY(run.out.contains("  Bombe.png  –  wird übersprungen: zu groß zum Anzeigen (30000 × 30000 Bildpunkte; bitte verkleinern)"));
        folder.addPictures({"Zebra.png"});
        run = runProgram({"--check=" + folder.db()});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith("Ein Spiel kann gewonnen werden (dafür sind mindestens 15 Bilder nötig).\n"));
        run = runProgram({"--pruefen", folder.path() + "/fehlt"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.out.startsWith("Der Bilderordner " + folder.path() + "/fehlt ist nicht vorhanden."));
        run = runProgram({"--pruefen", folder.db(), "--bogen", folder.db() + "/Leer.png/bogen.html"});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains("Der Bilderbogen " + folder.db() + "/Leer.png/bogen.html kann nicht geschrieben werden"));
    }

    // The sheet holds every usable picture inside itself, 100 × 100, and the skipped files.
    void theSheetNeedsNothingElse() {
        ProgramFolder folder;
        for (const Entry& e : entries()) QVERIFY2(make(folder, e), qPrintable(e.name));
        const check::Report report = check::examine(folder.db(), true);
        const QString html = QString::fromUtf8(check::sheet(report));
        const QRegularExpression picture(QStringLiteral("<img alt=\"([^\"]*)\" src=\"data:image/png;base64,([^\"]+)\">"));
        QStringList words;
        for (const auto& m : picture.globalMatch(html)) {
            words << m.captured(1);
            QImage image;
            QVERIFY(image.loadFromData(QByteArray::fromBase64(m.captured(2).toLatin1()), "PNG"));
            QCOMPARE(image.size(), QSize(100, 100));
        }
        QCOMPARE(words, (QStringList{"Bär", "Baum.png", "Éclair", "Hund (2)", "Hund", "Hund", "IMG_2034", "Link", "ßuppe"}));
        QVERIFY(!html.contains("http"));
        QVERIFY(!html.contains("src=\"file"));
        QVERIFY(html.contains("<tr><td>Hu\\u{A}nd.png</td><td>der Name enthält"));
        QVERIFY(html.contains("<tr><td>Bombe.png</td><td>zu groß zum Anzeigen"));
    }

    // A picture whose data ends early is damaged: the game skips it, the check says so. A
    // whole picture with more behind its end (as some cameras write) is still a picture.
    void picturesCutShortAreDamaged() {
        ProgramFolder folder;
        const QByteArray jpeg = photo(200);
        QByteArray png = badpictures::whole("PNG");
        QByteArray gif = badpictures::whole("GIF");
        QVERIFY(jpeg.endsWith("\xFF\xD9") && png.endsWith("IEND\xAE\x42\x60\x82") && gif.endsWith(';'));
        folder.writeFile("db/Stummel.jpg", jpeg.left(jpeg.size() * 7 / 10));
        folder.writeFile("db/Ohneende.jpg", jpeg.left(jpeg.size() - 2));
        folder.writeFile("db/Ohneiend.png", png.left(png.size() - 12));
        folder.writeFile("db/Ohneschluss.gif", gif.left(gif.size() - 1));
        folder.writeFile("db/Ganz.jpg", jpeg);
        folder.writeFile("db/Mehr.jpg", jpeg + QByteArray(5000, 'x'));
        folder.writeFile("db/Ganz.png", png);
        folder.writeFile("db/Ganz.gif", gif);
        const check::Report report = check::examine(folder.db(), false);
        for (const char* name : {"Stummel.jpg", "Ohneende.jpg", "Ohneiend.png", "Ohneschluss.gif"}) {
            const check::FileResult* file = fileOf(report, name);
            QVERIFY2(file && !file->usable && file->reason.startsWith("beschädigt"), name);
            platform::clearPictureCache();
            QVERIFY2(!gamePlays(folder, name), name);
        }
        for (const char* name : {"Ganz.jpg", "Mehr.jpg", "Ganz.png", "Ganz.gif"}) {
            const check::FileResult* file = fileOf(report, name);
            QVERIFY2(file && file->usable, name);
            QVERIFY2(gamePlays(folder, name), name);
        }
        // Every core decodes, and the results come in the order of the files.
        QStringList paths;
        for (const check::FileResult& f : report.files) paths << folder.db() + "/" + f.name;
        const QList<platform::PictureFacts> all = platform::examinePictures(paths, QSize(100, 100), false);
        QCOMPARE(all.size(), paths.size());
        for (int i = 0; i < paths.size(); ++i)
            QCOMPARE(int(all[i].kind), int(platform::examinePicture(paths[i], true, QSize(100, 100), false).kind));
    }

    // Recordings and tables beside the pictures are named as what they are; a recording is
    // played once to see that it can be, and one without its picture is warned about.
    void theTeachersFilesBesideThePictures() {
        ProgramFolder folder;
        folder.addPictures({"Hund.png", "Katze.png"});
        folder.writeFile("db/Hund.wav", wav(4000));
        folder.writeFile("db/Hund.silben.ogg", "kein Ton");
        folder.writeFile("db/katze.OGG", QByteArray());
        folder.writeFile("db/Maus.silben.wav", wav(4000));
        folder.writeFile("db/aussprache.txt", "# Unsere Wörter\nHund = Hunt   # hart\nKatze Kaze\nMaus = [[maUs\n");
        folder.writeFile("db/silben.txt", "Kat-ze\n");
        const check::Report report = check::examine(folder.db(), false);
        const auto role = [&](const QString& name) { return fileOf(report, name) ? fileOf(report, name)->role : "?"; };
        const auto warnings = [&](const QString& name) { return fileOf(report, name)->warnings.join(" | "); };
        QCOMPARE(role("Hund.wav"), "die Aufnahme von „Hund“");
        QCOMPARE(warnings("Hund.wav"), QString());
        QCOMPARE(role("Hund.silben.ogg"), "die Silbenaufnahme von „Hund“");
        QVERIFY(warnings("Hund.silben.ogg").startsWith("die Aufnahme lässt sich nicht abspielen"));
        QCOMPARE(role("katze.OGG"), "die Aufnahme von „Katze“");
        QVERIFY(warnings("katze.OGG").startsWith("die Aufnahme lässt sich nicht abspielen"));
        QCOMPARE(role("Maus.silben.wav"), "die Silbenaufnahme von „Maus“");
        QCOMPARE(warnings("Maus.silben.wav"), "kein Bild zu dieser Aufnahme (erwartet: Maus.png, Maus.jpg oder ähnlich)");
        QVERIFY(role("aussprache.txt").startsWith("die Aussprachetabelle"));
        QCOMPARE(fileOf(report, "aussprache.txt")->warnings.size(), 2);
        QVERIFY(warnings("aussprache.txt").startsWith("Zeile 3 hat nicht die Form"));
        QVERIFY(warnings("aussprache.txt").contains("Zeile 4 hat nicht die Form"));
        QVERIFY(role("silben.txt").startsWith("die Silbentabelle"));
        QCOMPARE(report.usable, 2);
        const QString text = check::text(report);
        QVERIFY2(text.contains("  Hund.wav  –  die Aufnahme von „Hund“\n"), qPrintable(text));
        QVERIFY(text.contains("\n8 Dateien: 2 verwendbare Wörter, 0 übersprungen, 5 Warnungen.\n"));
        QVERIFY(!text.contains("kein Bild (das Format"));
    }

    // A folder that cannot be read is not an empty one (exit 2, as the game reports it); a
    // file where the folder should be is named as such.
    void aFolderThatCannotBeReadOrIsAFile() {
        ProgramFolder folder;
        folder.addNumberedPictures(3);
        // Only the effective user changes below, the group stays root's.
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                         QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                         QFile::ExeOther));
        QVERIFY(QFile::setPermissions(folder.db(), QFile::Permissions()));
        check::Report report;
        {
            const bool root = ::geteuid() == 0;
            if (root) QCOMPARE(::seteuid(65534), 0);
            report = check::examine(folder.db(), false);
            if (root) QCOMPARE(::seteuid(0), 0);
        }
        QVERIFY(QFile::setPermissions(folder.db(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QCOMPARE(int(report.folderState), int(check::Report::Folder::Unreadable));
        QCOMPARE(check::exitStatus(report), 2);
        QVERIFY(check::text(report).startsWith("Der Bilderordner " + folder.db() + " kann nicht gelesen werden"));
        folder.writeFile("datei", "kein Ordner");
        const ProgramRun run = runProgram({"--pruefen", folder.path() + "/datei"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.startsWith("Der Bilderordner " + folder.path() + "/datei ist kein Ordner, sondern eine Datei."),
                 qPrintable(run.out));
    }

    // The sheet goes to a temporary file that is renamed at the end; it replaces only a sheet
    // written before, and refuses any other file; system errors are told in German.
    void theSheetReplacesOnlyASheet() {
        ProgramFolder folder;
        folder.addNumberedPictures(2);
        const QString sheet = folder.path() + "/bogen.html";
        ProgramRun run = runProgram({"--pruefen", folder.db(), "--bogen", sheet});
        QCOMPARE(run.status, 1);
        QFile written(sheet);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(check::isSheet(QString::fromUtf8(written.read(4096))));
        written.close();
        folder.addNumberedPictures(3, "Neu");
        run = runProgram({"--pruefen", folder.db(), "--bogen", sheet});
        QCOMPARE(run.status, 1);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().contains("Neu01"));
        written.close();
        QCOMPARE(QDir(folder.path()).entryList({"bogen.html*"}, QDir::Files), QStringList{"bogen.html"});
        // A picture, a text, a folder: refused, left as they were.
        const QString picture = folder.db() + "/Wort01.png";
        const QByteArray before = [&] { QFile f(picture); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        run = runProgram({"--pruefen", folder.db(), "--bogen", picture});
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, "knorzelbart: Die Datei " + picture + " gibt es schon, und sie ist kein Bilderbogen; sie wird "
                          "nicht überschrieben. Bitte einen anderen Dateinamen wählen.\n");
        QCOMPARE(run.out, QString());
        QFile after(picture);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
        folder.writeFile("notizen.html", "<!DOCTYPE html><title>Meine Notizen</title>");
        QCOMPARE(runProgram({"--pruefen", folder.db(), "--bogen", folder.path() + "/notizen.html"}).status, 2);
        QCOMPARE(runProgram({"--pruefen", folder.db(), "--bogen", folder.db()}).status, 2);
        run = runProgram({"--pruefen", folder.db(), "--bogen", folder.path() + "/fehlt/bogen.html"});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("(die Datei oder der Ordner ist nicht vorhanden)"), qPrintable(run.err));
        QVERIFY(!run.err.contains("No such"));
    }

    // What a killed writer left beside the sheet ("bogen.html.XXXXXX", untouched for minutes)
    // is removed by the next write; a fresh one (a write going on now) and any other file stay.
    void aKilledSheetWriteLeavesNothingForLong() {
        ProgramFolder folder;
        folder.addNumberedPictures(2);
        const QString sheet = folder.path() + "/bogen.html";
        const auto leave = [&](const QString& name, int minutesAgo) {
            folder.writeFile(name, "<!DOCTYPE html><title>halb");
            QFile file(folder.path() + "/" + name);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo),
                                     QFileDevice::FileModificationTime));
        };
        leave("bogen.html.a1B2c3", 30);
        leave("bogen.html.Zz9999", 60 * 24);
        leave("bogen.html.jetzt1", 0);
        leave("bogen.html.alt", 30);
        leave("anderes.html.a1B2c3", 30);
        QCOMPARE(runProgram({"--pruefen", folder.db(), "--bogen", sheet}).status, 1);
        QStringList left = QDir(folder.path()).entryList({"*.html*"}, QDir::Files);
        left.sort();
        QCOMPARE(left, (QStringList{"anderes.html.a1B2c3", "bogen.html", "bogen.html.alt", "bogen.html.jetzt1"}));
    }

    // Every one of 10,000 files is checked, by however many workers; how long it takes is
    // measured in the benchmarks, not here, where a busy machine would fail it.
    void tenThousandFilesAllChecked() {
        ProgramFolder folder;
        const QByteArray png = badpictures::whole("PNG");
        for (int i = 0; i < 10000; ++i) {
            QFile file(folder.db() + QStringLiteral("/Wort%1.png").arg(i, 5, 10, QLatin1Char('0')));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(png);
        }
        const check::Report report = check::examine(folder.db(), false);
        QCOMPARE(report.usable, 10000);
    }
};

QTEST_MAIN(TestTeacherCheck)
#include "test_teacher_check.moc"
