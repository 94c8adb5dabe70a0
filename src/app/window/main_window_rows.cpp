// The rows of the main window, built top to bottom. Positions are the designed twips.
#include "app/window/main_window.h"

#include "app/state/links.h"
#include "app/window/radical_panel.h"
#include "app/window/widgets.h"
#include "lookup/panel_geometry.h"
#include "pinyin/pinyin_lookup.h"
#include "platform/shell.h"
#include "strokes/stroke_lookup.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tessivo {

using widgets::label;
using widgets::songFont;
using widgets::twips;

void MainWindow::buildFrames() {
    lowerPanel_ = widgets::frame(this, QStringLiteral("Frame2"), twips(0, 2370, 6675, 2655));
    phraseRow_ = widgets::frame(this, QStringLiteral("Frame3"), twips(0, 2070, 6675, 465));
    codeRow_ = widgets::frame(this, QStringLiteral("Frame1"), twips(0, 1710, 6675, 430));
    codeRow_->setMouseTracking(true);
    // Unskinned, the code row has a single-line border; a skin draws its own look.
    if (!skin_.active()) {
        codeRow_->setFrameShape(QFrame::Box);
        codeRow_->setFrameShadow(QFrame::Plain);
    }
    lowerPanel_->hide();
}

void MainWindow::buildRadicalStrip() {
    const int lefts[4] = {0, 1665, 3345, 5030};
    for (int i = 0; i < 4; ++i) {
        radicalPanels_[i] = new RadicalPanel(this);
        radicalPanels_[i]->setObjectName(QStringLiteral("Picture1(%1)").arg(i));
        radicalPanels_[i]->setGeometry(twips(lefts[i], 0, panel::WidthTwips, panel::HeightTwips));
    }
}

void MainWindow::buildBanner() {
    notFoundBanner_ = new QWidget(this);
    notFoundBanner_->setObjectName(QStringLiteral("Picture2"));
    notFoundBanner_->setGeometry(twips(450, 420, 5790, 780));
    notFoundBanner_->setAutoFillBackground(true);
    QPalette white = notFoundBanner_->palette();
    white.setColor(QPalette::Window, Qt::white);
    notFoundBanner_->setPalette(white);
    // The text and its link on one line, vertically centred in the banner.
    auto* text = label(notFoundBanner_, QStringLiteral("Label27"), QStringLiteral("您可以试试五笔编码在线查询:"),
                       QRect(0, 16, 0, 0), songFont(9));
    auto* link = new QLabel(notFoundBanner_);
    link->setObjectName(QStringLiteral("Label28"));
    link->setFont(songFont(9));
    link->setTextFormat(Qt::RichText);  // the one label that is a link; its text is the program's own
    link->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%1</a>").arg(links::onlineLookupPage()));
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    link->setOpenExternalLinks(false);
    link->setCursor(Qt::PointingHandCursor);
    link->move(text->x() + text->width() + 4, 16);
    link->adjustSize();
    connect(link, &QLabel::linkActivated, this, [](const QString& address) { platform::openUrl(address); });
    notFoundBanner_->hide();
}

QPushButton* MainWindow::windowButton(QWidget* parent, const QString& objectName, const QString& caption,
                                      void (MainWindow::*request)()) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setFocusPolicy(Qt::NoFocus);
    // The focus moves first, then the window is asked for.
    connect(b, &QPushButton::clicked, this, [this, request] {
        focus(controller_.view().expand().expanded() ? FocusTarget::CharacterInput : FocusTarget::Parking);
        emit(this->*request)();
    });
    return b;
}

void MainWindow::buildCodeRow() {
    label(codeRow_, QStringLiteral("Label9"), QStringLiteral("【编码】"), twips(15, 135, 900, 210), songFont(10.5, true));
    codeLineTwin_ = label(codeRow_, QStringLiteral("Label5"), QString(), twips(970, 85, 675, 240), songFont(12, true));
    codeLine_ = label(codeRow_, QStringLiteral("Label10"), QString(), twips(960, 75, 675, 240), songFont(12, true));
    QPalette whiteText = codeLineTwin_->palette();
    whiteText.setColor(QPalette::WindowText, Qt::white);
    codeLineTwin_->setPalette(whiteText);
    codeLineTwin_->move(codeLine_->pos() + QPoint(1, 1));
    label(codeRow_, QStringLiteral("Label23"), QStringLiteral("【拼音】"), twips(2670, 135, 900, 210), songFont(10.5, true));
    readingTwin_ = label(codeRow_, QStringLiteral("Label25"), QString(), twips(3610, 115, 810, 240), songFont(12, true));
    reading_ = label(codeRow_, QStringLiteral("Label24"), QString(), twips(3600, 105, 810, 240), songFont(12, true));
    readingTwin_->setPalette(whiteText);
    readingTwin_->move(reading_->pos() + QPoint(1, 1));
    expandButton_ = new QPushButton(controller_.view().expand().buttonCaption(), codeRow_);
    expandButton_->setObjectName(QStringLiteral("Command1"));
    expandButton_->setFocusPolicy(Qt::NoFocus);
    expandButton_->setGeometry(twips(4530, 90, 795, 285));
    connect(expandButton_, &QPushButton::clicked, this, &MainWindow::toggleExpand);
    auto* settings = windowButton(codeRow_, QStringLiteral("Command4"), QStringLiteral("设置"), &MainWindow::settingsRequested);
    settings->setGeometry(twips(5325, 90, 645, 285));
    auto* about = windowButton(codeRow_, QStringLiteral("Command2"), QStringLiteral("关于"), &MainWindow::aboutRequested);
    about->setGeometry(twips(5970, 90, 645, 285));
    for (QPushButton* b : {expandButton_, settings, about}) b->setFont(songFont(9));
}

void MainWindow::buildPhraseRow() {
    label(phraseRow_, QStringLiteral("Label19"), QStringLiteral("【词组】"), twips(30, 150, 900, 210), songFont(10.5, true));
    phraseRowText_ = new QLineEdit(phraseRow_);
    phraseRowText_->setObjectName(QStringLiteral("Text3"));
    phraseRowText_->setGeometry(twips(930, 90, 5085, 315));
    phraseRowText_->setFont(songFont(10.5));
    phraseRowText_->setReadOnly(true);
    phraseRowText_->setFocusPolicy(Qt::NoFocus);
    phraseRowText_->setCursor(Qt::PointingHandCursor);
    phraseRowText_->installEventFilter(this);
    pageBackButton_ = new QPushButton(QStringLiteral("↑"), phraseRow_);
    pageBackButton_->setObjectName(QStringLiteral("Command5"));
    pageBackButton_->setGeometry(twips(6120, 130, 225, 230));
    pageForwardButton_ = new QPushButton(QStringLiteral("↓"), phraseRow_);
    pageForwardButton_->setObjectName(QStringLiteral("Command7"));
    pageForwardButton_->setGeometry(twips(6360, 130, 225, 230));
    for (QPushButton* b : {pageBackButton_, pageForwardButton_}) {
        b->setFont(songFont(7.5));
        b->setFocusPolicy(Qt::NoFocus);
        b->setEnabled(false);
    }
    connect(pageBackButton_, &QPushButton::clicked, &controller_, &MainController::pageBack);
    connect(pageForwardButton_, &QPushButton::clicked, &controller_, &MainController::pageForward);
}

void MainWindow::configureChooser(QComboBox* chooser) {
    // A chooser searches exactly what was typed: no completion from its list, and Enter neither
    // adds the typed text to the list nor picks an item.
    chooser->setCompleter(nullptr);
    chooser->setInsertPolicy(QComboBox::NoInsert);
    chooser->lineEdit()->installEventFilter(this);
}

void MainWindow::buildCharacterAndReadingRow() {
    label(lowerPanel_, QStringLiteral("Label15"), QStringLiteral("输入汉字："), twips(120, 270, 975, 180), songFont(9, true));
    characterInput_ = new QLineEdit(lowerPanel_);
    characterInput_->setObjectName(QStringLiteral("Text5"));
    characterInput_->setGeometry(twips(1110, 210, 2925, 300));
    characterInput_->installEventFilter(this);
    connect(characterInput_, &QLineEdit::textChanged, &controller_, &MainController::typeCharacter);
    label(lowerPanel_, QStringLiteral("Label21"), QStringLiteral("输入拼音："), twips(4185, 270, 975, 180), songFont(9, true));
    readingChooser_ = new QComboBox(lowerPanel_);
    readingChooser_->setObjectName(QStringLiteral("Combo6"));
    readingChooser_->setEditable(true);
    configureChooser(readingChooser_);
    readingChooser_->setGeometry(twips(5160, 210, 1425, 300));
    readingChooser_->addItems(pinyin::readingChooserItems());
    readingChooser_->setCurrentIndex(-1);
    readingChooser_->setEditText(QString());
    connect(readingChooser_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!refreshing_) controller_.chooseReading(text, ChooserAction::Typed);
    });
    connect(readingChooser_, &QComboBox::activated, this,
            [this](int) { controller_.chooseReading(readingChooser_->currentText(), ChooserAction::Picked); });
}

void MainWindow::buildStrokeRow() {
    label(lowerPanel_, QStringLiteral("Label22"), QStringLiteral("输入笔画："), twips(120, 630, 975, 180), songFont(9, true));
    const QString initial[5] = {QStringLiteral("第一笔画"), QStringLiteral("第二笔画"), QStringLiteral("第三笔画"),
                                QStringLiteral("第四笔画"), QStringLiteral("最后一笔画")};
    const int lefts[5] = {1110, 2047, 2984, 3921, 4860};
    for (int k = 0; k < 5; ++k) {
        auto* c = new QComboBox(lowerPanel_);
        c->setObjectName(QStringLiteral("Combo%1").arg(k + 1));
        c->setEditable(true);
        configureChooser(c);
        c->setGeometry(twips(lefts[k], 570, 915, 300));
        c->addItems(strokes::strokeChooserItems(k + 1));
        c->setCurrentIndex(-1);
        c->setEditText(initial[k]);
        connect(c, &QComboBox::editTextChanged, this, [this] {
            if (!refreshing_) strokeChooserChanged();
        });
        connect(c, &QComboBox::activated, this, [this](int) { strokeChooserChanged(); });
        strokeChoosers_[k] = c;
    }
    auto* help = windowButton(lowerPanel_, QStringLiteral("Command8"), QStringLiteral("?"), &MainWindow::helpRequested);
    help->setGeometry(twips(5820, 570, 350, 300));
    help->setToolTip(QStringLiteral("帮助"));
    auto* chart = windowButton(lowerPanel_, QStringLiteral("Command3"), QStringLiteral("*"), &MainWindow::chartRequested);
    chart->setGeometry(twips(6210, 570, 350, 300));
    chart->setToolTip(QStringLiteral("字根表和口诀"));
}

void MainWindow::buildResultList() {
    resultList_ = new QPlainTextEdit(lowerPanel_);
    resultList_->setObjectName(QStringLiteral("Text6"));
    resultList_->setGeometry(twips(70, 930, 6525, 1635));
    resultList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    resultList_->viewport()->setCursor(Qt::PointingHandCursor);
    resultList_->setContextMenuPolicy(Qt::NoContextMenu);
    resultList_->installEventFilter(this);
    resultList_->viewport()->installEventFilter(this);
    connect(resultList_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = resultList_->toPlainText();
        resultList_->setToolTip(listToolTip(text));
        if (!refreshing_) controller_.editResultList(text);
    });
}

void MainWindow::buildParkingBox() {
    // Outside the client area in every state, so the parked focus is never seen.
    parkingBox_ = new QLineEdit(QStringLiteral("焦点用和窗体大小用"), this);
    parkingBox_->setObjectName(QStringLiteral("Text88"));
    parkingBox_->setGeometry(twips(layout::ExpandedLeft, layout::ExpandedTop, 1155, 360));
}

}  // namespace tessivo
