// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GameFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

#include "game/modGlobalVars.h"
#include "platform/system/Clock.h"
#include "platform/ui/Form.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageBox.h"
#include "mock/TestMode.h"
#include "raeuber/frmRaeuber.h"
#include "shell/start.h"

namespace testsupport {

ProgramFolder::ProgramFolder() {
    QDir().mkpath(db());
    const QDir source(QStringLiteral(KNORZELBART_ASSETS_DIR "/bilder"));
    QDir().mkpath(path() + QStringLiteral("/bilder"));
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), path() + QStringLiteral("/bilder/") + name);
    platform::beginTestMode(path());
    modGlobalVars::resetToProgramStart();
    shell::registerForms();
}

ProgramFolder::~ProgramFolder() { platform::endTestMode(); }

void ProgramFolder::addPictures(const QStringList& fileNames) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    for (const QString& name : fileNames) {
        const QString suffix = QFileInfo(name).suffix().toLower();
        const QByteArray format = suffix == "jpg" || suffix == "jpeg" ? "JPG"
                                  : suffix == "gif" || suffix == "bmp" ? "BMP"
                                                                       : "PNG";
        // Qt writes no GIF; a GIF name with BMP content still decodes by its content.
        QVERIFY2(image.save(db() + QLatin1Char('/') + name, format.constData()), qPrintable(name));
    }
}

QStringList ProgramFolder::addNumberedPictures(int n, const QString& stem) {
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << QStringLiteral("%1%2.png").arg(stem).arg(i, 2, 10, QLatin1Char('0'));
    addPictures(names);
    return names;
}

void ProgramFolder::writeFile(const QString& relative, const QByteArray& bytes) {
    QFile file(path() + QLatin1Char('/') + relative);
    QDir().mkpath(QFileInfo(file).path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

frmRaeuber& openGame(int level, const QString& name) {
    using namespace modGlobalVars;
    const rules::Level& values = rules::kLevels[level - 1];
    playerName = name;
    skillLevel = values.skillLevel;
    robberStepScale = values.robberStepScale;
    maxWrongWords = values.maxWrongWords;
    frmRaeuber& game = frmRaeuber::Default();
    game.Show();
    game.LetterInput[0]->SetFocus();
    return game;
}

void runFor(int ms) { platform::advance(ms); }

void typeInto(platform::TextBox* box, const QString& text) {
    box->setFocus();
    for (const QChar c : text) platform::typeCharacter(box, c);
}

void typeCurrentWord(frmRaeuber& game) {
    // The letters the boxes are checked against (the word itself may already be forgotten
    // when a failed word is carried into a new game).
    for (int i = 0; i < modGlobalVars::wordLength; ++i)
        typeInto(game.LetterInput[i], modGlobalVars::wordLetters[i]);
}

void finishReaction(frmRaeuber& game, int limitMs) {
    for (int t = 0; t < limitMs; t += 100) {
        runFor(100);
        const bool busy = game.tmr_assistantResize->Enabled() ||
                          game.tmr_assistantAnimation->Enabled() || game.tmr_display->Enabled();
        if (!busy) return;
    }
}

void playWordRight(frmRaeuber& game) {
    typeCurrentWord(game);
    finishReaction(game);
}

void playWordWrong(frmRaeuber& game) {
    // A first letter that is never right: the words start with a capital.
    typeInto(game.LetterInput[0], QStringLiteral("#"));
    finishReaction(game, 30000);
}

QStringList messageTexts() {
    QStringList texts;
    for (const auto& m : platform::shownMessages()) texts << m.text;
    return texts;
}

QStringList playedLabels() {
    QStringList labels;
    for (const auto& sound : platform::playedSounds()) labels << sound.label;
    return labels;
}

bool shown(const QWidget* w) { return !w->isHidden(); }

}  // namespace testsupport
