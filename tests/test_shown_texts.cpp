// SPDX-License-Identifier: GPL-3.0-or-later
// What the screens show of the teacher's files and the child's name: words and names as
// plain text, only words that can be typed, phone photos the right way up and in their
// proportions, and the toolkit's own texts in German.
#include <QApplication>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "game/Words.h"
#include "game/modGlobalVars.h"
#include "platform/system/Hooks.h"
#include "platform/ui/MessageBox.h"
#include "platform/pictures/Pictures.h"
#include "platform/start/Run.h"
#include "platform/ui/ToolkitTexts.h"
#include "raeuber/frmRaeuber.h"
#include "shell/frmAuswahlmenue.h"
#include "support/GameFixture.h"

using namespace testsupport;
using namespace modGlobalVars;

namespace {

// A JPEG of the given size whose EXIF data says it is to be turned a quarter clockwise
// (orientation 6), as a phone held upright writes it.
QByteArray jpegTurnedClockwise(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 4; ++x) image.setPixelColor(x, y, Qt::blue);  // a blue left edge
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    const QByteArray exif = QByteArray::fromHex(
        "ffe10022" "457869660000"                    // APP1, 34 bytes, "Exif\0\0"
        "4d4d002a00000008"                           // big-endian TIFF header, IFD at 8
        "0001" "011200030000000100060000" "00000000");  // one entry: orientation = 6
    return jpeg.left(2) + exif + jpeg.mid(2);
}

QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

// The picture of the word as the form draws it (imgTerm's 100 x 100 pixels).
QImage shownPicture(frmRaeuber& game) { return game.grab(game.imgTerm->geometry()).toImage(); }

}  // namespace

class TestShownTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A word that looks like markup is shown letter for letter, and so is a name in the
    // real message box.
    void wordsAndNamesAreShownAsTyped() {
        ProgramFolder folder;
        folder.addPictures({"<b>Ei.png"});
        frmRaeuber& game = openGame();
        QCOMPARE(currentWord, QStringLiteral("<b>Ei"));
        QCOMPARE(wordLength, 5);

        QLabel plain;
        plain.setTextFormat(Qt::PlainText);
        plain.setFont(game.lbl_wordPreview->font());
        plain.setPalette(game.lbl_wordPreview->palette());
        plain.setAutoFillBackground(true);
        plain.setAlignment(game.lbl_wordPreview->alignment());
        plain.resize(game.lbl_wordPreview->size());
        plain.setText(currentWord);
        QCOMPARE(game.lbl_wordPreview->grab().toImage(), plain.grab().toImage());

        platform::hooks().messageBox = nullptr;  // a real box this time
        Qt::TextFormat format = Qt::RichText;
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            format = box->textFormat();
            shown = box->text();
            box->accept();
        });
        platform::MsgBox(QStringLiteral("Schade <i>Anna</i>, du hast verloren."));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, QStringLiteral("Schade <i>Anna</i>, du hast verloren."));
    }

    // Names with a word that no keyboard types one letter per box are skipped when the list
    // is built; blanks inside a word and hyphens are typed and stay.
    void wordsThatCannotBeTypedAreSkipped_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("taken");
        QTest::newRow("blank inside") << "Eis am Stiel.png" << true;
        QTest::newRow("hyphen") << "T-Shirt.png" << true;
        QTest::newRow("decomposed umlaut") << QStringLiteral("Ba\u0308r.png") << true;
        QTest::newRow("leading blank") << " Ei.png" << false;
        QTest::newRow("trailing blank") << "Ei .png" << false;
        QTest::newRow("no-break space") << QStringLiteral("Eis\u00a0am.png") << false;
        QTest::newRow("thin space") << QStringLiteral("Eis\u2009am.png") << false;
        QTest::newRow("ideographic space") << QStringLiteral("Eis\u3000am.png") << false;
        QTest::newRow("soft hyphen") << QStringLiteral("Ei\u00adsen.png") << false;
        QTest::newRow("zero-width joiner") << QStringLiteral("Ei\u200dsen.png") << false;
        QTest::newRow("tab") << QStringLiteral("Ei\tsen.png") << false;
        QTest::newRow("mark without letter") << QStringLiteral("\u0308Ei.png") << false;
        QTest::newRow("mark that composes with nothing") << QStringLiteral("Q\u0308ua.png") << false;
    }
    void wordsThatCannotBeTypedAreSkipped() {
        QFETCH(QString, file);
        QFETCH(bool, taken);
        QCOMPARE(words::nameCanBeWord(file), taken);
        ProgramFolder folder;
        folder.addPictures({file, QStringLiteral("Hund.png")});
        frmRaeuber::Default().loadDatabase();
        QCOMPARE(imageNames.contains(file), taken);
        QCOMPARE(imageCount, taken ? 2 : 1);
    }

    // A photo taken with the phone upright stands upright; pictures that are not square are
    // fitted into the square with their proportions, centred on the form's colour; square
    // ones fill it as before.
    void photosStandUprightInTheirProportions() {
        {
            ProgramFolder folder;
            folder.writeFile("db/Turm.jpg", jpegTurnedClockwise(80, 40));
            const QImage upright = platform::tryLoadPicture(folder.db() + "/Turm.jpg").toImage();
            QCOMPARE(upright.size(), QSize(40, 80));
            // Turned clockwise, the blue left edge is now at the top.
            QVERIFY(near(upright.pixelColor(20, 5), Qt::blue));
            QVERIFY(near(upright.pixelColor(20, 60), Qt::red));

            frmRaeuber& game = openGame();
            QCOMPARE(currentWord, QStringLiteral("Turm"));
            const QColor sky = game.palette().color(QPalette::Window);
            const QImage shown = shownPicture(game);
            QCOMPARE(shown.size(), QSize(100, 100));
            QCOMPARE(at(shown, 5, 50), sky);   // left of the upright picture
            QCOMPARE(at(shown, 94, 50), sky);  // right of it
            QVERIFY(near(at(shown, 50, 5), Qt::blue));
            QVERIFY(near(at(shown, 50, 80), Qt::red));
        }
        {
            // A photo straight from a phone is decoded at the size its box is drawn at, at
            // most in full screen, never whole; upright and in its proportions all the same.
            ProgramFolder folder;
            folder.writeFile("db/Turm.jpg", jpegTurnedClockwise(2400, 1200));
            frmRaeuber& game = openGame();
            QCOMPARE(currentWord, QStringLiteral("Turm"));
            const int largest = game.imgTerm->pixelsAtMost(
                platform::fittingScale(frmRaeuber::kSceneWidth, frmRaeuber::kSceneHeight, true));
            QVERIFY(largest >= 100);
            const QSize held = game.imgTerm->pixmap().size();
            QVERIFY2(held.width() <= largest && held.height() <= largest,
                     qPrintable(QStringLiteral("%1 x %2").arg(held.width()).arg(held.height())));
            const QColor sky = game.palette().color(QPalette::Window);
            const QImage shown = shownPicture(game);
            QCOMPARE(at(shown, 5, 50), sky);
            QCOMPARE(at(shown, 94, 50), sky);
            QVERIFY(near(at(shown, 50, 5), Qt::blue));
            QVERIFY(near(at(shown, 50, 80), Qt::red));
        }
        {
            // A 4:3 picture: bands above and below.
            ProgramFolder folder;
            QImage wide(40, 30, QImage::Format_RGB32);
            wide.fill(Qt::darkGreen);
            QVERIFY(wide.save(folder.db() + "/Wiese.png"));
            frmRaeuber& game = openGame();
            const QColor sky = game.palette().color(QPalette::Window);
            const QImage shown = shownPicture(game);
            QCOMPARE(at(shown, 50, 5), sky);
            QCOMPARE(at(shown, 50, 94), sky);
            QVERIFY(near(at(shown, 1, 50), Qt::darkGreen));
            QVERIFY(near(at(shown, 98, 50), Qt::darkGreen));
        }
        {
            // A square picture fills the square, as it always did.
            ProgramFolder folder;
            folder.addPictures({"Ei.png"});
            frmRaeuber& game = openGame();
            const QImage shown = shownPicture(game);
            for (const QPoint p : {QPoint(0, 0), QPoint(99, 99), QPoint(50, 50), QPoint(0, 99)})
                QCOMPARE(at(shown, p.x(), p.y()), QColor(Qt::darkCyan));
        }
    }

    // Qt's own texts are German; the letter boxes have no context menu at all.
    void theToolkitSpeaksGermanAndTheBoxesHaveNoMenu() {
        QVERIFY2(platform::useGermanToolkitTexts(), "Qt's German translation (qt6-translations-l10n)");
        ProgramFolder folder;
        folder.addNumberedPictures(20);
        frmAuswahlmenü& menu = frmAuswahlmenü::Default();
        std::unique_ptr<QMenu> standard(menu.txtSpielername->createStandardContextMenu());
        QStringList texts;
        for (QAction* action : standard->actions())
            if (!action->isSeparator()) texts << action->text().remove('&').section('\t', 0, 0);
        QVERIFY2(texts.contains(QStringLiteral("Rückgängig")), qPrintable(texts.join(", ")));
        QVERIFY2(texts.contains(QStringLiteral("Einfügen")), qPrintable(texts.join(", ")));
        QVERIFY(!texts.contains(QStringLiteral("Paste")));

        frmRaeuber& game = openGame();
        QWidget* box = game.LetterInput[0];
        QContextMenuEvent event(QContextMenuEvent::Mouse, box->rect().center(),
                                box->mapToGlobal(box->rect().center()));
        QApplication::sendEvent(box, &event);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(box->contextMenuPolicy(), Qt::NoContextMenu);
    }
};

QTEST_MAIN(TestShownTexts)
#include "test_shown_texts.moc"
