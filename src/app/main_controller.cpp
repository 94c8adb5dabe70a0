#include "main_controller.h"

#include "pinyin/pinyin_lookup.h"
#include "strokes/stroke_lookup.h"

#include <QDir>

namespace tessivo {
QString firstCharacter(const QString& text) {
    if (text.isEmpty()) return {};
    const qsizetype n = (text.size() >= 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate()) ? 2 : 1;
    return text.left(n);
}

namespace {

// The character just left of caret position `caret` (counted in UTF-16 units, as the box reports it).
QString characterBeforeCaret(const QString& text, int caret) {
    if (caret <= 0 || caret > text.size()) return {};
    if (caret >= 2 && text[caret - 1].isLowSurrogate() && text[caret - 2].isHighSurrogate()) return text.mid(caret - 2, 2);
    return text.mid(caret - 1, 1);
}

}  // namespace

MainController::MainController(const tables::ReferenceTables& tables, KeyPictureProvider keyPictures)
    : tables_(tables),
      keyPictures_(std::move(keyPictures)),
      codeLookup_(std::make_unique<CodeLookup>(charFile_, QString(), keyPictures_)),
      phraseLookup_(std::make_unique<PhraseLookup>(phraseFile_)) {
    text23_.onChange([this] {
        if (!text23_().trimmed().isEmpty()) runCodeLookup();
    });
    text9_.onChange([this] {
        if (!text9_().trimmed().isEmpty()) runPhraseLookup();
    });
    text2bh_.onChange([this] { requestChanged(); });
    text2bhw_.onChange([this] { strokeRequestChanged(); });
}

MainController::~MainController() = default;

bool MainController::open(const QString& programFolder, QString* error) {
    close();
    const QDir dir(programFolder);
    if (!charFile_.open(dir.filePath(QStringLiteral("wwbb11.dat")))) {
        if (error) *error = charFile_.errorString();
        return false;
    }
    if (!phraseFile_.open(dir.filePath(QStringLiteral("wwbb11cz.dat")))) {
        if (error) *error = phraseFile_.errorString();
        charFile_.close();
        return false;
    }
    codeLookup_ = std::make_unique<CodeLookup>(charFile_, dir.absolutePath(), keyPictures_);
    codeLookup_->start();
    phraseLookup_ = std::make_unique<PhraseLookup>(phraseFile_);
    phraseLookup_->start();
    emit changed();
    return true;
}

void MainController::close() {
    charFile_.close();
    phraseFile_.close();
}

void MainController::handOver(const QString& c) {
    handOverCells(c);
    emit changed();
}

void MainController::handOverCells(const QString& c) {
    text23_.set(c);
    text9_.set(c);
    label20_ = QStringLiteral("1");
    text2bh_.set(c);
}

void MainController::text5Changed(const QString& text) {
    if (text.trimmed().isEmpty()) return;
    handOverCells(firstCharacter(text));
    runCodeLookup();
    runPhraseLookup();
    emit changed();
}

void MainController::keyUp(const QString& boxText, int caret) {
    if (boxText.isEmpty() || caret == 0) return;
    const QString c = characterBeforeCaret(boxText, caret);
    if (!c.isEmpty()) handOver(c);
}

void MainController::text6Edited(const QString& text) {
    // Typing into the list only changes the list; no search reads it until the next lookup.
    text6_.set(text);
}

void MainController::runCodeLookup() {
    if (!charFile_.isOpen()) return;
    ++codeLookupRuns_;
    const CodeLookupResult result = codeLookup_->run(text23_());
    if (result.clearPhraseList()) phraseLookup_->clearWords();
    if (result.clearRequest()) text23_.set(QString());
}

void MainController::runPhraseLookup() {
    if (!phraseFile_.isOpen()) return;
    ++phraseLookupRuns_;
    if (phraseLookup_->lookup(text9_()).clearCode3) codeLookup_->clearCode3();
}

void MainController::requestChanged() {
    const auto mode = label20_ == u"1" ? pinyin::ReadingMode::OfCharacter : pinyin::ReadingMode::OfReading;
    const pinyin::RequestOutcome outcome = pinyin::requestChanged(search_, tables_, mode, text2bh_());
    if (outcome.resultList) text6_.set(*outcome.resultList);
    if (outcome.readingLabel) {
        label24_ = *outcome.readingLabel;
        label25_ = label24_;
    }
}

void MainController::strokeRequestChanged() {
    if (auto list = strokes::charactersOfStrokeCode(search_, tables_, text2bhw_())) text6_.set(*list);
}

void MainController::lookUpFirstResult() {
    const QString first = firstCharacter(text6_());
    text23_.set(first);
    text9_.set(first);
    runCodeLookup();
    runPhraseLookup();
}

void MainController::combo6Event(const QString& chooserText, bool click) {
    const pinyin::ReadingChoice choice = pinyin::chooseReading(chooserText);
    if (!choice.proceed) return;
    label20_ = QStringLiteral("2");
    if (choice.request) text2bh_.set(*choice.request);
    if (text6_().isEmpty()) {
        emit changed();
        return;
    }
    label24_ = chooserText;
    label25_ = label24_;
    lookUpFirstResult();
    emit changed();
    if (click) emit focusResultList(1);
}

void MainController::strokeChooserEvent(const std::array<QString, 5>& chooserTexts) {
    text4_ = strokes::strokeCodeOf(chooserTexts);
    text2bhw_.set(text4_);
    if (text6_().isEmpty()) {
        emit changed();
        return;
    }
    // The reading of the character about to be shown, not whatever the pinyin chooser held.
    label24_ = strokes::readingLabelForList(search_, tables_, text6_());
    label25_ = label24_;
    lookUpFirstResult();
    emit changed();
    emit focusResultList(1);
}

void MainController::previousPage() {
    phraseLookup_->previousPage();
    emit changed();
    emit focusParking();
}

void MainController::nextPage() {
    phraseLookup_->nextPage();
    emit changed();
    emit focusParking();
}

}  // namespace tessivo
