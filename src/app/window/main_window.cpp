#include "app/window/main_window.h"

#include "app/window/radical_panel.h"
#include "app/window/style.h"
#include "app/window/widgets.h"
#include "platform/desktop.h"
#include "platform/skin_engine.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace tessivo {
namespace {

QIcon programIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(255, 224, 192));
    QPainter p(&pixmap);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(28);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 64));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("五"));
    return QIcon(pixmap);
}

}  // namespace

MainWindow::MainWindow(MainController& controller, const Skin& skin, QWidget* parent)
    : QWidget(parent), controller_(controller), skin_(skin) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral(" Tessivo"));
    setWindowIcon(programIcon());
    setFont(widgets::songFont(12));
    setStyleSheet(baseStyleSheet());
    // Skinned, the window is its outer size and draws its frame inside (the size rule's 100 twips).
    platform::setSizedForSkinFrame(this);
    // A fixed single border: title, minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    buildFrames();
    buildRadicalStrip();
    buildBanner();
    buildCodeRow();
    buildPhraseRow();
    buildCharacterAndReadingRow();
    buildStrokeRow();
    buildResultList();
    buildParkingBox();
    // Filters are installed once every widget they look at exists.
    codeRow_->installEventFilter(this);
    connect(&controller_, &MainController::changed, this, &MainWindow::refresh);
    connect(&controller_, &MainController::resultListFocusRequested, this, &MainWindow::focusResultList);
    connect(&controller_, &MainController::parkingFocusRequested, this, [this] { focus(FocusTarget::Parking); });
    connect(&skin_, &Skin::changed, this, &MainWindow::applySizeRule);
    applySizeRule();
    refresh();
    parkingBox_->setFocus();
}

void MainWindow::refresh() {
    refreshing_ = true;
    const MainView view = controller_.view();
    const CodeDisplayState& code = view.code();
    for (int i = 0; i < 4; ++i) radicalPanels_[i]->setPanel(code.panels[i]);
    notFoundBanner_->setVisible(code.bannerShown);
    refreshCodeRow(view);
    refreshPhraseRow(view.phrases());
    if (resultList_->toPlainText() != view.resultList()) resultList_->setPlainText(view.resultList());
    refreshing_ = false;
}

void MainWindow::refreshCodeRow(const MainView& view) {
    codeLine_->setText(view.code().codeLine);
    codeLineTwin_->setText(view.code().codeLine);
    if (reading_->text() != view.reading()) {
        // Fitting measures the text: only when the reading really changed, not on every key.
        reading_->setText(view.reading());
        readingTwin_->setText(view.reading());
        fitReading();
    }
    for (QLabel* l : {codeLine_, codeLineTwin_, reading_, readingTwin_}) l->adjustSize();
}

void MainWindow::fitReading() {
    // The longest readings ("zhuang", "chuang") are wider in the substitute Song face than the
    // designed label: step the size down until the reading ends before the expand button.
    const int room = expandButton_->x() - reading_->x() - 2;
    const QString shown = reading_->text().trimmed();
    QFont font = widgets::songFont(12, true);
    while (font.pointSizeF() > 7 && QFontMetrics(font).horizontalAdvance(shown) > room) font.setPointSizeF(font.pointSizeF() - 0.5);
    reading_->setFont(font);
    readingTwin_->setFont(font);
}

void MainWindow::refreshPhraseRow(const PhrasePages& pages) {
    if (phraseRowText_->text() != pages.pageText) {
        phraseRowText_->setText(pages.pageText);
        phraseRowText_->setCursorPosition(0);
        phraseRowText_->setToolTip(listToolTip(pages.pageText));
    }
    pageBackButton_->setEnabled(pages.canPageBack);
    pageForwardButton_->setEnabled(pages.canPageForward);
}

void MainWindow::applySizeRule() {
    const ExpandSwitch::Outer outer = controller_.view().expand().size(skin_.active());
    // A skin keeps the outer width the window has.
    if (outer.width) outerWidth_ = *outer.width;
    setFixedSize(layout::widgetSize(outerWidth_, outer.height, skin_.active()));
}

void MainWindow::setFrameBorders(bool on) {
    for (QFrame* f : {codeRow_, lowerPanel_, phraseRow_}) {
        f->setFrameShape(on ? QFrame::Box : QFrame::NoFrame);
        f->setFrameShadow(QFrame::Plain);
    }
}

void MainWindow::toggleExpand() {
    const FocusTarget target = controller_.toggleExpand();
    const ExpandSwitch& expand = controller_.view().expand();
    lowerPanel_->setVisible(expand.expanded());
    applySizeRule();
    expandButton_->setText(expand.buttonCaption());
    focus(target);
    centreOnScreen();
}

void MainWindow::centreOnScreen() {
    // Keeps the size; the frame counts, so the window as seen is centred.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2, area.y() + (area.height() - frameGeometry().height()) / 2);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    centreOnScreen();
}

void MainWindow::focus(FocusTarget target) {
    switch (target) {
    case FocusTarget::CharacterInput: characterInput_->setFocus(); break;
    case FocusTarget::Parking: parkingBox_->setFocus(); break;
    }
}

void MainWindow::focusResultList(int caret) {
    resultList_->setFocus();
    QTextCursor cursor = resultList_->textCursor();
    cursor.setPosition(std::min(caret, static_cast<int>(resultList_->toPlainText().size())));
    resultList_->setTextCursor(cursor);
}

void MainWindow::strokeChooserChanged() {
    std::array<QString, 5> texts;
    for (int k = 0; k < 5; ++k) texts[k] = strokeChoosers_[k]->currentText();
    controller_.chooseStrokes(texts);
}

bool MainWindow::filterPhraseRow(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::FocusIn) return false;
    // The phrase row never keeps the focus or a caret.
    focus(FocusTarget::Parking);
    return event->type() == QEvent::MouseButtonPress;
}

void MainWindow::filterResultList(QObject* watched, QEvent* event, bool* swallow) {
    if (watched != resultList_->viewport()) return;
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (!press && !release) return;
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (press && button == Qt::RightButton) {
        // No context menu in the result list; the list keeps the focus.
        resultList_->setFocus();
        *swallow = true;
    } else if (release && button == Qt::LeftButton) {
        pickClickedCharacter(static_cast<QMouseEvent*>(event)->position().toPoint());
    }
}

void MainWindow::pickClickedCharacter(QPoint at) {
    // The character under the pointer, whichever half of it was clicked: the caret lands before
    // it when its left half is hit, after it when its right half is.
    const QString text = resultList_->toPlainText();
    int end = resultList_->cursorForPosition(at).position();
    QTextCursor caret(resultList_->document());
    caret.setPosition(end);
    if (end < text.size() && at.x() >= resultList_->cursorRect(caret).x()) ++end;
    controller_.pickCharacterAt(text, end);
}

bool MainWindow::filterChooserKey(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !qobject_cast<QComboBox*>(watched->parent())) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (filterChooserKey(watched, event)) return true;
    if (watched == phraseRowText_) {
        if (filterPhraseRow(event)) return true;
    } else if (watched == codeRow_ && event->type() == QEvent::MouseMove) {
        emit codeRowHovered();
    } else if (event->type() == QEvent::KeyRelease && watched == characterInput_) {
        controller_.pickCharacterAt(characterInput_->text(), characterInput_->cursorPosition());
    } else if (event->type() == QEvent::KeyRelease && watched == resultList_) {
        controller_.pickCharacterAt(resultList_->toPlainText(), resultList_->textCursor().position());
    } else {
        bool swallow = false;
        filterResultList(watched, event, &swallow);
        if (swallow) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) platform::makeTopmost(this);
    QWidget::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

}  // namespace tessivo
