// The screen capture's side of the main controller: the capture component's reports and the
// state the click and hover modes read and write.
#include "app/state/main_controller.h"

#include <climits>

namespace tessivo {

namespace {

// The character at code-point position `location` of `text` (a surrogate pair counts as one
// character); empty past the end.
QString characterAt(const QString& text, int location) {
    int index = 0;
    for (qsizetype i = 0; i < text.size(); ++index) {
        const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        if (index == location) return text.mid(i, n);
        i += n;
    }
    return {};
}

}  // namespace

const QString& MainView::captureReport() const { return c_.state_.captureReport(); }
const QString& MainView::capturedLine() const { return c_.state_.capturedLine(); }
const QString& MainView::capturedCharacter() const { return c_.state_.capturedCharacter(); }
const QString& MainView::captureX() const { return c_.state_.captureX(); }
const QString& MainView::captureY() const { return c_.state_.captureY(); }
const QString& MainView::pressX() const { return c_.state_.pressX(); }
const QString& MainView::pressY() const { return c_.state_.pressY(); }

void MainController::attachCapture(capture::PointerReader& pointer, capture::ButtonLatch& buttons,
                                   capture::Timer& recheck) {
    pointer_ = &pointer;
    capture::ModeHost& host = *this;
    modes_ = std::make_unique<capture::LookupModes>(host, pointer, buttons, recheck);
    if (state_.lookupMode == LookupMode::Click) modes_->enableButtonPoll();
}

bool MainController::queryWord(const QString& /*word*/, int cursorX, int cursorY, const QString& sentence,
                               int location, int /*start*/) {
    // Where the pointer is now, not where the component saw it: the click mode compares this
    // with the pointer at the press.
    const QPoint at = pointer_ ? pointer_->position() : QPoint();
    state_.captureX.set(QString::number(at.x()));
    state_.captureY.set(QString::number(at.y()));
    state_.captureReport.set(QStringLiteral("(%1,%2)").arg(cursorX).arg(cursorY));
    state_.capturedLine.set(sentence);
    const bool usable = location >= 0 && location != INT_MAX;
    if (usable) state_.capturedCharacter.set(characterAt(sentence, location));
    emit changed();
    return usable;
}

void MainController::setPressPosition(const QString& x, const QString& y) {
    state_.pressX.set(x);
    state_.pressY.set(y);
}

QString MainController::shownCharacter() const { return codeLookup_->state().shownCharacter; }

}  // namespace tessivo
