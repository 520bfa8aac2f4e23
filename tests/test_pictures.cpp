// SPDX-License-Identifier: GPL-3.0-or-later
// Which files count as pictures when the word list is built (their first bytes decide), and
// which drawing of a picture a scene drawn larger takes.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>

#include "mock/TestMode.h"
#include "platform/pictures/PictureHeader.h"
#include "platform/system/App.h"
#include "platform/files/Files.h"
#include "platform/ui/FormPictures.h"
#include "platform/ui/MessageBox.h"
#include "platform/pictures/PictureCheck.h"
#include "platform/pictures/Pictures.h"
#include "platform/pictures/PngCheck.h"
#include "platform/system/Program.h"
#include "support/BadPictures.h"
#include "support/GameFixture.h"

using namespace platform;
using testsupport::ProgramFolder;

namespace {

// An uncompressed 24-bit TGA of 2 x 2 pixels, with or without the signature at its end
// (which the reader does not need).
QByteArray tga(bool signature) {
    QByteArray bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = 2;
    bytes[14] = 2;
    bytes[16] = 24;
    bytes += QByteArray(12, '\x40');
    if (signature) bytes += QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
    return bytes;
}

void saveFilled(const QString& path, QSize size, Qt::GlobalColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

QString bild(const QString& name) { return App().Path + QStringLiteral("\\bilder\\") + name; }

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:

    // Every format this system's Qt both writes and reads back must pass the header check,
    // and so must the ones it only reads that the game ships or a school may have.
    void everyFormatQtReadsHerePassesTheHeaderCheck() {
        ProgramFolder folder;
        QImage image(12, 10, QImage::Format_ARGB32);
        image.fill(Qt::yellow);
        int checked = 0;
        const QList<QByteArray> readable = QImageReader::supportedImageFormats();
        for (const QByteArray& format : QImageWriter::supportedImageFormats()) {
            const QString path = folder.db() + QStringLiteral("/Bild.") + QString::fromLatin1(format);
            if (!readable.contains(format) || !image.save(path, format.constData())) continue;
            QImageReader reader(path);
            reader.setDecideFormatFromContent(true);
            if (!reader.canRead()) continue;  // e.g. a format only known by its name
            QVERIFY2(looksLikePicture(path), format.constData());
            ++checked;
        }
        QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
        folder.writeFile("db/Hut.gif", badpictures::whole("GIF"));
        QFile::copy(QStringLiteral(":/layout/logo.svg"), folder.db() + "/Logo.svg");
        folder.writeFile("db/Rot.tga", tga(true));
        for (const char* name : {"Hut.gif", "Logo.svg", "Rot.tga"}) {
            const QString path = folder.db() + QLatin1Char('/') + QLatin1String(name);
            QVERIFY2(!QImage(path).isNull(), name);
            QVERIFY2(looksLikePicture(path), name);
        }
    }

    // Against Qt's own check where they agree; a header that declares no pixels is refused
    // here although Qt's check would pass it.
    void theHeaderCheckDecidesLikeQtsReaders_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("qtAgrees");
        QTest::newRow("text") << QByteArray("Dies ist kein Bild") << false << true;
        QTest::newRow("png signature only") << QByteArray("\x89PNG\r\n\x1a\n", 8) << true << true;
        QTest::newRow("truncated png") << badpictures::truncated("PNG", 60) << true << true;
        QTest::newRow("png of 0 x 10") << badpictures::hugePngHeader(0, 10) << false << false;
        QTest::newRow("bmp of 10 x 0") << badpictures::hugeBmpHeader(10, 0) << false << false;
        QTest::newRow("jpeg start") << QByteArray("\xff\xd8\xff\xe0") << true << true;
        QTest::newRow("gif header") << badpictures::hugeGifHeader(30000, 30000) << true << true;
        QTest::newRow("tga without signature") << tga(false) << true << true;
        QTest::newRow("tga of 0 x 2") << tga(false).replace(12, 1, "\0", 1) << false << false;
        QTest::newRow("wbmp of the wrong length") << QByteArray("\0\0\x08\x08" "1234567", 11) << false << true;
        QTest::newRow("wbmp") << QByteArray("\0\0\x08\x08" "12345678", 12) << true << true;
        QTest::newRow("icon folder without entries") << QByteArray(22, '\0').replace(2, 1, "\1") << false << true;
        QTest::newRow("xml that is no svg") << QByteArray("<?xml version=\"1.0\"?><a/>") << true << true;
        QTest::newRow("riff that is no webp") << QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16) << false << true;
    }
    void theHeaderCheckDecidesLikeQtsReaders() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, picture);
        QFETCH(bool, qtAgrees);
        QTemporaryDir dir;
        const QString path = dir.filePath("Probe.png");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QCOMPARE(looksLikePicture(path), picture);
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.canRead() == picture, qtAgrees);
    }

    // The picture is 10 x 8; its variants are filled in other colours, so the pixel tells
    // which one was taken. Whichever it is, the logical size stays 10 x 8.
    void theBestVariantForTheFactorIsTaken_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<bool>("withFourTimes");
        QTest::addColumn<int>("taken");
        QTest::newRow("1") << 1.0 << true << 1;
        QTest::newRow("0.5") << 0.5 << true << 1;
        QTest::newRow("1.25") << 1.25 << true << 2;
        QTest::newRow("2") << 2.0 << true << 2;
        QTest::newRow("2.5") << 2.5 << true << 4;
        QTest::newRow("3.8") << 3.8 << true << 4;
        QTest::newRow("3.8 without @4x") << 3.8 << false << 2;
    }
    void theBestVariantForTheFactorIsTaken() {
        QFETCH(double, factor);
        QFETCH(bool, withFourTimes);
        QFETCH(int, taken);
        QTemporaryDir dir;
        saveFilled(dir.filePath("probe.png"), {10, 8}, Qt::red);
        saveFilled(dir.filePath("probe@2x.png"), {20, 16}, Qt::green);
        if (withFourTimes) saveFilled(dir.filePath("probe@4x.png"), {40, 32}, Qt::blue);
        // The program composes its paths with backslashes and in any letter case.
        const QPixmap pixmap = loadPictureForScale(dir.path() + QStringLiteral("\\Probe.PNG"), factor);
        QCOMPARE(pixmap.devicePixelRatio(), qreal(taken));
        QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(10, 8));
        const QRgb colour = pixmap.toImage().pixel(0, 0);
        QCOMPARE(colour, QColor(taken == 1 ? Qt::red : taken == 2 ? Qt::green : Qt::blue).rgb());
    }

    // A teacher's own pictures: without variants, with one of an odd size, with one that
    // cannot be decoded. The picture keeps its size and nothing is reported.
    void aTeachersOwnPicturesKeepWorking() {
        ProgramFolder folder;
        const QString dir = folder.path() + QStringLiteral("/bilder/");
        saveFilled(dir + "ohne.png", {10, 8}, Qt::red);
        saveFilled(dir + "schief.png", {10, 8}, Qt::red);
        saveFilled(dir + "schief@2x.png", {25, 20}, Qt::green);
        saveFilled(dir + "kaputt.png", {10, 8}, Qt::red);
        folder.writeFile("bilder/kaputt@2x.png", badpictures::truncated("PNG", 60));
        for (const char* name : {"ohne.png", "schief.png", "kaputt.png"}) {
            const QPixmap pixmap = loadPictureForScale(bild(QString::fromLatin1(name)), 2.0);
            QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(10, 8));
        }
        QCOMPARE(loadPictureForScale(bild("schief.png"), 2.0).devicePixelRatio(), 2.5);
        QCOMPARE(loadPictureForScale(bild("kaputt.png"), 2.0).devicePixelRatio(), 1.0);
        QVERIFY(shownMessages().isEmpty());
        // A missing picture is still reported as LoadPicture reports it.
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, loadPictureForScale(bild("fehlt.gif"), 2.0));
        QVERIFY(shownMessages().value(0).text.contains("fehlt.gif"));
        QVERIFY(tryLoadPictureForScale(bild("fehlt.gif"), 2.0).isNull());
    }

    // A word picture is decoded no larger than it is shown: a large one at the size asked
    // for, in its proportions, whichever format (JPEG scales while it decodes, the others
    // are scaled after); a small one at its own size. One whose header promises more pixels
    // than a picture may take is refused before anything is decoded. The vector pictures
    // are drawn at the size asked for.
    void aPictureIsDecodedNoLargerThanItIsShown() {
        ProgramFolder folder;
        saveFilled(folder.db() + "/Foto.jpg", {1600, 1200}, Qt::red);
        saveFilled(folder.db() + "/Bild.png", {500, 1000}, Qt::green);
        saveFilled(folder.db() + "/Klein.png", {40, 30}, Qt::blue);
        QCOMPARE(tryLoadPicture(folder.db() + "/Foto.jpg", 190).size(), QSize(190, 142));
        QCOMPARE(tryLoadPicture(folder.db() + "/Foto.jpg", 100).size(), QSize(100, 75));
        QCOMPARE(tryLoadPicture(folder.db() + "/Bild.png", 100).size(), QSize(50, 100));
        QCOMPARE(tryLoadPicture(folder.db() + "/Klein.png", 100).size(), QSize(40, 30));
        QCOMPARE(tryLoadPicture(folder.db() + "/Foto.jpg").size(), QSize(1600, 1200));
        const QColor middle = tryLoadPicture(folder.db() + "/Foto.jpg", 100).toImage().pixelColor(50, 37);
        QVERIFY(middle.red() > 200 && middle.green() < 60 && middle.blue() < 60);
        folder.writeFile("db/Riesig.png", badpictures::hugePngHeader(9000, 9000));
        QVERIFY(tryLoadPicture(folder.db() + "/Riesig.png", 100).isNull());
        const QPixmap logo = renderVectorPicture(QStringLiteral(":/layout/logo.svg"), 236, 55);
        QCOMPARE(logo.size(), QSize(236, 55));
        QVERIFY(logo.hasAlpha());
        QVERIFY(logo.toImage() != QPixmap(236, 55).toImage());
    }

    // Every picture the game ships in bilder (copied beside the program) and in its layout
    // (compiled in) has its variant at twice the size, found from the original's path.
    void everyShippedPictureHasItsVariant() {
        ProgramFolder folder;
        QStringList paths;
        for (const QString& name : QDir(folder.path() + "/bilder").entryList(QDir::Files))
            if (!name.contains(QLatin1Char('@'))) paths << bild(name);
        QCOMPARE(paths.size(), 25);
        for (const char* name : {"mushroom.gif", "tree.gif", "fence.gif", "sun.bmp", "grass.bmp", "tick.bmp",
                                 "cross.bmp", "robber.gif", "chest.gif"})
            paths << QStringLiteral(":/layout/") + QLatin1String(name);
        for (const QString& path : paths) {
            const QPixmap original = LoadPicture(path);
            const QPixmap variant = loadPictureForScale(path, 2.0);
            QVERIFY2(variant.devicePixelRatio() == 2.0, qPrintable(path));
            QCOMPARE(variant.deviceIndependentSize(), QSizeF(original.size()));
            QCOMPARE(variant.hasAlpha(), original.hasAlpha());
        }
    }

    // The teacher's check looks at a plain PNG without drawing it: for every byte of such a
    // file changed, and for every length it could be cut to, that look must say what drawing
    // it says (whole when it draws, damaged when it does not), or leave it to the drawing.
    void theQuickLookAtAPngSaysWhatDrawingSays_data() {
        QTest::addColumn<int>("format");
        QTest::newRow("colour with alpha") << int(QImage::Format_ARGB32);
        QTest::newRow("colour") << int(QImage::Format_RGB32);
        QTest::newRow("grey") << int(QImage::Format_Grayscale8);
        QTest::newRow("colour, 16 bits") << int(QImage::Format_RGBA64);
    }
    void theQuickLookAtAPngSaysWhatDrawingSays() {
        QFETCH(int, format);
        QImage image(13, 7, QImage::Format(format));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) image.setPixelColor(x, y, QColor(x * 19, y * 37, (x * y) % 256, 128 + x));
        QByteArray whole;
        {
            QBuffer buffer(&whole);
            QVERIFY(buffer.open(QIODevice::WriteOnly));
            QVERIFY(image.save(&buffer, "PNG"));
        }
        QCOMPARE(lookAtPng(whole, 1 << 20).verdict, PngLook::Verdict::Whole);
        QCOMPARE(lookAtPng(whole, 1 << 20).size, image.size());
        QList<QByteArray> variants;
        for (qsizetype i = 8; i < whole.size(); ++i) {
            QByteArray changed = whole;
            changed[i] = char(changed[i] ^ 0x24);
            variants << changed << whole.left(i);
        }
        variants << whole + QByteArray("danach");
        QTemporaryDir dir;
        int decided = 0;
        for (qsizetype v = 0; v < variants.size(); ++v) {
            const PngLook look = lookAtPng(variants[v], 1 << 20);
            if (look.verdict == PngLook::Verdict::Undecided) continue;
            ++decided;
            const QString path = dir.filePath(QStringLiteral("v%1.png").arg(v));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(variants[v]);
            file.close();
            QImageReader reader(path);
            reader.setDecideFormatFromContent(true);
            const bool draws = !readCompletePicture(reader).isNull();
            QVERIFY2(draws == (look.verdict == PngLook::Verdict::Whole), qPrintable(QStringLiteral("variant %1").arg(v)));
        }
        QVERIFY(decided > variants.size() / 2);
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
