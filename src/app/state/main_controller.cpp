#include "app/state/main_controller.h"

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

// Blank means empty or only U+0020, the one rule of every request: an ideographic space or a
// line break is a character to look up like any other.
bool isBlank(const QString& text) { return pinyin::trimBlanks(text).isEmpty(); }

// The character just left of caret position `caret` (counted in UTF-16 units, as the box reports it).
QString characterBeforeCaret(const QString& text, int caret) {
    if (caret <= 0 || caret > text.size()) return {};
    if (caret >= 2 && text[caret - 1].isLowSurrogate() && text[caret - 2].isHighSurrogate()) return text.mid(caret - 2, 2);
    return text.mid(caret - 1, 1);
}

}  // namespace

const CodeDisplayState& MainView::code() const { return c_.codeLookup_->state(); }
const PhrasePages& MainView::phrases() const { return c_.phraseLookup_->pages(); }
const CharCodeRecord& MainView::record() const { return c_.codeLookup_->search().record(); }
bool MainView::characterFound() const { return c_.codeLookup_->search().charFound(); }
const QString& MainView::reading() const { return c_.state_.reading; }
const QString& MainView::resultList() const { return c_.state_.resultList(); }
pinyin::ReadingMode MainView::readingMode() const { return c_.state_.readingMode; }
const ExpandSwitch& MainView::expand() const { return c_.state_.expand; }
const QString& MainView::codeRequest() const { return c_.state_.codeRequest(); }
const QString& MainView::phraseRequest() const { return c_.state_.phraseRequest(); }
const QString& MainView::readingRequest() const { return c_.state_.readingRequest(); }
const QString& MainView::strokeRequest() const { return c_.state_.strokeRequest(); }
LookupMode MainView::lookupMode() const { return c_.state_.lookupMode; }
const QString& MainView::screenLookupOff() const { return c_.state_.screenLookupOff; }

MainController::MainController(const tables::ReferenceTables& tables, KeyPictureProvider keyPictures)
    : tables_(tables),
      keyPictures_(std::move(keyPictures)),
      codeLookup_(std::make_unique<CodeLookup>(charFile_, QString(), keyPictures_)),
      phraseLookup_(std::make_unique<PhraseLookup>(phraseFile_)) {
    state_.codeRequest.onChange([this] {
        if (!isBlank(state_.codeRequest())) runCodeLookup();
    });
    state_.phraseRequest.onChange([this] {
        if (!isBlank(state_.phraseRequest())) runPhraseLookup();
    });
    state_.readingRequest.onChange([this] { readingRequestChanged(); });
    state_.strokeRequest.onChange([this] { strokeRequestChanged(); });
    state_.capturedCharacter.onChange([this] {
        if (modes_) modes_->capturedChanged();
    });
}

MainController::~MainController() = default;

bool MainController::open(const QString& programFolder, QString* error) {
    return open(RecordFiles::open(programFolder), error);
}

bool MainController::open(RecordFiles files, QString* error) {
    close();
    if (!files.error.isEmpty() || !files.characters.isOpen() || !files.phrases.isOpen()) {
        if (error) *error = files.error;
        return false;
    }
    charFile_ = std::move(files.characters);
    phraseFile_ = std::move(files.phrases);
    codeLookup_ = std::make_unique<CodeLookup>(charFile_, QDir(files.folder).absolutePath(), keyPictures_);
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
    handOverRequests(c);
    emit changed();
}

void MainController::handOverRequests(const QString& c) {
    state_.codeRequest.set(c);
    state_.phraseRequest.set(c);
    state_.readingMode = pinyin::ReadingMode::OfCharacter;
    state_.readingRequest.set(c);
}

void MainController::typeCharacter(const QString& text) {
    if (isBlank(text)) return;
    handOverRequests(firstCharacter(text));
    runCodeLookup();
    runPhraseLookup();
    emit changed();
}

void MainController::pickCharacterAt(const QString& boxText, int caret) {
    if (boxText.isEmpty() || caret == 0) return;
    const QString c = characterBeforeCaret(boxText, caret);
    if (!c.isEmpty()) handOver(c);
}

void MainController::editResultList(const QString& text) {
    // Typing into the list only changes the list; no search reads it until the next lookup.
    state_.resultList.set(text);
}

void MainController::runCodeLookup() {
    if (!charFile_.isOpen()) return;
    ++codeLookupRuns_;
    const CodeLookupResult result = codeLookup_->run(state_.codeRequest());
    if (result.clearPhraseList()) phraseLookup_->clearWords();
    if (result.clearRequest()) state_.codeRequest.set(QString());
}

void MainController::runPhraseLookup() {
    if (!phraseFile_.isOpen()) return;
    ++phraseLookupRuns_;
    if (phraseLookup_->lookup(state_.phraseRequest()).clearCode3) codeLookup_->clearCode3();
}

void MainController::readingRequestChanged() {
    const pinyin::RequestOutcome outcome =
        pinyin::requestChanged(search_, tables_, state_.readingMode, state_.readingRequest());
    if (outcome.resultList) state_.resultList.set(*outcome.resultList);
    if (outcome.readingLabel) state_.reading = *outcome.readingLabel;
}

void MainController::strokeRequestChanged() {
    if (auto list = strokes::charactersOfStrokeCode(search_, tables_, state_.strokeRequest()))
        state_.resultList.set(*list);
}

void MainController::lookUpFirstResult() {
    const QString first = firstCharacter(state_.resultList());
    state_.codeRequest.set(first);
    state_.phraseRequest.set(first);
    runCodeLookup();
    runPhraseLookup();
}

void MainController::chooseReading(const QString& chooserText, ChooserAction action) {
    const pinyin::ReadingChoice choice = pinyin::chooseReading(chooserText);
    if (!choice.proceed) return;
    state_.readingMode = pinyin::ReadingMode::OfReading;
    if (choice.request) state_.readingRequest.set(*choice.request);
    if (state_.resultList().isEmpty()) {
        emit changed();
        return;
    }
    state_.reading = chooserText;
    lookUpFirstResult();
    emit changed();
    if (action == ChooserAction::Picked) emit resultListFocusRequested(1);
}

void MainController::chooseStrokes(const std::array<QString, 5>& chooserTexts) {
    state_.strokeRequest.set(strokes::strokeCodeOf(chooserTexts));
    if (state_.resultList().isEmpty()) {
        emit changed();
        return;
    }
    // The reading of the character about to be shown, not whatever the pinyin chooser held.
    state_.reading = strokes::readingLabelForList(search_, tables_, state_.resultList());
    lookUpFirstResult();
    emit changed();
    emit resultListFocusRequested(1);
}

void MainController::pageBack() {
    phraseLookup_->previousPage();
    emit changed();
    emit parkingFocusRequested();
}

void MainController::pageForward() {
    phraseLookup_->nextPage();
    emit changed();
    emit parkingFocusRequested();
}

FocusTarget MainController::toggleExpand() {
    const bool expanded = state_.expand.toggle();
    emit changed();
    return expanded ? FocusTarget::CharacterInput : FocusTarget::Parking;
}

void MainController::selectLookupMode(LookupMode mode) {
    const bool changedMode = state_.lookupMode != mode;
    state_.lookupMode = mode;
    if (mode == LookupMode::Click) {
        if (modes_) modes_->clickModeEntered();
        emit clickModeSelected();
    }
    if (changedMode) emit changed();
}

void MainController::setScreenLookupOff(const QString& reason) {
    if (state_.screenLookupOff == reason) return;
    state_.screenLookupOff = reason;
    emit changed();
}

}  // namespace tessivo
