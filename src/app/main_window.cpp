#include "main_window.h"

#include "app/radical_panel.h"
#include "phrases/phrase_lookup.h"
#include "pinyin/pinyin_lookup.h"
#include "platform/desktop.h"
#include "platform/shell.h"
#include "strokes/stroke_lookup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>

namespace tessivo {
namespace {

using layout::twipsToPixels;

QRect twips(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

QFont songFont(double points, bool bold = false) {
    QFont f(QStringLiteral("宋体"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel* label(QWidget* parent, const QString& text, QRect at, const QFont& font, bool autoSize = true) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->move(at.topLeft());
    if (autoSize) l->adjustSize();
    else l->resize(at.size());
    return l;
}

QFrame* frame(QWidget* parent, QRect at) {
    auto* f = new QFrame(parent);
    f->setGeometry(at);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

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

QString MainWindow::onlineLookupAddress() { return QStringLiteral("https://tessivo.org/wubi/"); }
QString MainWindow::forumAddress() { return QStringLiteral("https://tessivo.org/forum/"); }

MainWindow::MainWindow(MainController& controller, SkinState& skin, QWidget* parent)
    : QWidget(parent), controller_(controller), skin_(skin) {
    setWindowTitle(QStringLiteral(" Tessivo"));
    setWindowIcon(programIcon());
    setFont(songFont(12));
    // A fixed single border: title, minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    build();
    connect(&controller_, &MainController::changed, this, &MainWindow::refresh);
    connect(&controller_, &MainController::focusResultList, this, [this](int caret) {
        text6_->setFocus();
        QTextCursor cursor = text6_->textCursor();
        cursor.setPosition(std::min(caret, static_cast<int>(text6_->toPlainText().size())));
        text6_->setTextCursor(cursor);
    });
    connect(&controller_, &MainController::focusParking, this, [this] { focusBox(FocusBox::Text88); });
    applySizeRule();
    refresh();
    text88_->setFocus();
}

QWidget* MainWindow::frame2() const { return frame2_; }
QWidget* MainWindow::picture2() const { return picture2_; }

void MainWindow::build() {
    // Lower frames first: where the frames overlap, the upper rows stay on top.
    frame2_ = frame(this, twips(0, 2370, 6675, 2655));
    frame3_ = frame(this, twips(0, 2070, 6675, 465));
    frame1_ = frame(this, twips(0, 1710, 6675, 430));

    // Radical picture strip.
    const int lefts[4] = {0, 1665, 3345, 5030};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new RadicalPanel(this);
        panels_[i]->setGeometry(twips(lefts[i], 0, panel::WidthTwips, panel::HeightTwips));
    }

    // Banner shown when nothing is found.
    picture2_ = new QWidget(this);
    picture2_->setGeometry(twips(450, 420, 5790, 780));
    picture2_->setAutoFillBackground(true);
    QPalette white = picture2_->palette();
    white.setColor(QPalette::Window, Qt::white);
    picture2_->setPalette(white);
    // The text and its link on one line, vertically centred in the banner.
    auto* label27 = label(picture2_, QStringLiteral("您可以试试五笔编码在线查询:"), QRect(0, 16, 0, 0), songFont(9));
    auto* label28 = new QLabel(picture2_);
    label28->setFont(songFont(9));
    label28->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%1</a>").arg(onlineLookupAddress()));
    label28->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label28->setOpenExternalLinks(false);
    label28->setCursor(Qt::PointingHandCursor);
    label28->move(label27->x() + label27->width() + 4, 16);
    label28->adjustSize();
    connect(label28, &QLabel::linkActivated, this, [](const QString& link) { platform::openUrl(link); });
    picture2_->hide();

    // Code row.
    label(frame1_, QStringLiteral("【编码】"), twips(15, 135, 900, 210), songFont(10.5, true));
    label5_ = label(frame1_, QString(), twips(960 + 10, 75 + 10, 675, 240), songFont(12, true));
    label10_ = label(frame1_, QString(), twips(960, 75, 675, 240), songFont(12, true));
    QPalette whiteText = label5_->palette();
    whiteText.setColor(QPalette::WindowText, Qt::white);
    label5_->setPalette(whiteText);
    label5_->move(label10_->pos() + QPoint(1, 1));
    label(frame1_, QStringLiteral("【拼音】"), twips(2670, 135, 900, 210), songFont(10.5, true));
    label25_ = label(frame1_, QString(), twips(3600 + 10, 105 + 10, 810, 240), songFont(12, true));
    label24_ = label(frame1_, QString(), twips(3600, 105, 810, 240), songFont(12, true));
    label25_->setPalette(whiteText);
    label25_->move(label24_->pos() + QPoint(1, 1));
    command1_ = new QPushButton(expand_.command1Caption(), frame1_);
    command1_->setGeometry(twips(4530, 90, 795, 285));
    auto* command4 = new QPushButton(QStringLiteral("设置"), frame1_);
    command4->setGeometry(twips(5325, 90, 645, 285));
    auto* command2 = new QPushButton(QStringLiteral("关于"), frame1_);
    command2->setGeometry(twips(5970, 90, 645, 285));
    for (QPushButton* b : {command1_, command4, command2}) {
        b->setFont(songFont(9));
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(command1_, &QPushButton::clicked, this, &MainWindow::toggleExpand);
    // The Settings and About windows are not part of this window; until they exist the buttons
    // only move the focus as opening them would.
    for (QPushButton* b : {command4, command2}) {
        connect(b, &QPushButton::clicked, this, [this] { focusBox(expand_.expanded() ? FocusBox::Text5 : FocusBox::Text88); });
    }

    // Phrase row.
    label(frame3_, QStringLiteral("【词组】"), twips(30, 150, 900, 210), songFont(10.5, true));
    text3_ = new QLineEdit(frame3_);
    text3_->setGeometry(twips(930, 90, 5085, 315));
    text3_->setFont(songFont(10.5));
    text3_->setReadOnly(true);
    text3_->setFocusPolicy(Qt::NoFocus);
    text3_->setCursor(Qt::PointingHandCursor);
    text3_->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(255,224,192); color: rgb(0,0,64); border: 1px solid gray; }"));
    text3_->installEventFilter(this);
    command5_ = new QPushButton(QStringLiteral("↑"), frame3_);
    command5_->setGeometry(twips(6120, 130, 225, 230));
    command7_ = new QPushButton(QStringLiteral("↓"), frame3_);
    command7_->setGeometry(twips(6360, 130, 225, 230));
    for (QPushButton* b : {command5_, command7_}) {
        b->setFont(songFont(7.5));
        b->setFocusPolicy(Qt::NoFocus);
        b->setEnabled(false);
    }
    connect(command5_, &QPushButton::clicked, &controller_, &MainController::previousPage);
    connect(command7_, &QPushButton::clicked, &controller_, &MainController::nextPage);

    // Lower panel.
    label(frame2_, QStringLiteral("输入汉字："), twips(120, 270, 975, 180), songFont(9, true));
    text5_ = new QLineEdit(frame2_);
    text5_->setGeometry(twips(1110, 210, 2925, 300));
    text5_->installEventFilter(this);
    connect(text5_, &QLineEdit::textChanged, &controller_, &MainController::text5Changed);
    label(frame2_, QStringLiteral("输入拼音："), twips(4185, 270, 975, 180), songFont(9, true));
    combo6_ = new QComboBox(frame2_);
    combo6_->setEditable(true);
    combo6_->setGeometry(twips(5160, 210, 1425, 300));
    combo6_->addItems(pinyin::readingChooserItems());
    combo6_->setCurrentIndex(-1);
    combo6_->setEditText(QString());
    connect(combo6_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!refreshing_) controller_.combo6Event(text, false);
    });
    connect(combo6_, &QComboBox::activated, this, [this](int) { controller_.combo6Event(combo6_->currentText(), true); });
    label(frame2_, QStringLiteral("输入笔画："), twips(120, 630, 975, 180), songFont(9, true));
    const QString initial[5] = {QStringLiteral("第一笔画"), QStringLiteral("第二笔画"), QStringLiteral("第三笔画"),
                                QStringLiteral("第四笔画"), QStringLiteral("最后一笔画")};
    const int comboLefts[5] = {1110, 2047, 2984, 3921, 4860};
    for (int k = 0; k < 5; ++k) {
        auto* c = new QComboBox(frame2_);
        c->setEditable(true);
        c->setGeometry(twips(comboLefts[k], 570, 915, 300));
        // Narrow choosers: a small face and arrow so that "第一笔画" shows whole.
        QFont small = songFont(9);
        small.setPixelSize(11);
        c->setFont(small);
        c->setStyleSheet(QStringLiteral("QComboBox { padding: 0px; } QComboBox::drop-down { width: 10px; }"));
        c->addItems(strokes::strokeChooserItems(k + 1));
        c->setCurrentIndex(-1);
        c->setEditText(initial[k]);
        connect(c, &QComboBox::editTextChanged, this, [this] {
            if (!refreshing_) strokeChooserChanged();
        });
        connect(c, &QComboBox::activated, this, [this](int) { strokeChooserChanged(); });
        strokeCombos_[k] = c;
    }
    auto* command8 = new QPushButton(QStringLiteral("?"), frame2_);
    command8->setGeometry(twips(5820, 570, 350, 300));
    command8->setToolTip(QStringLiteral("帮助"));
    auto* command3 = new QPushButton(QStringLiteral("*"), frame2_);
    command3->setGeometry(twips(6210, 570, 350, 300));
    command3->setToolTip(QStringLiteral("字根表和口诀"));
    for (QPushButton* b : {command8, command3}) {
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this] { focusBox(expand_.expanded() ? FocusBox::Text5 : FocusBox::Text88); });
    }
    text6_ = new QPlainTextEdit(frame2_);
    text6_->setGeometry(twips(70, 930, 6525, 1635));
    text6_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text6_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: rgb(255,224,192); }"));
    text6_->viewport()->setCursor(Qt::PointingHandCursor);
    text6_->setContextMenuPolicy(Qt::NoContextMenu);
    text6_->installEventFilter(this);
    text6_->viewport()->installEventFilter(this);
    connect(text6_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = text6_->toPlainText();
        text6_->setToolTip(text.isEmpty() ? QString() : QStringLiteral("点击汉字得到五笔编码，并反查拼音。"));
        if (!refreshing_) controller_.text6Edited(text);
    });
    frame2_->hide();

    // Focus parking box: outside the client area in every state.
    text88_ = new QLineEdit(QStringLiteral("焦点用和窗体大小用"), this);
    text88_->setGeometry(twips(layout::Text88Left, layout::Text88Top, 1155, 360));
}

void MainWindow::refresh() {
    refreshing_ = true;
    const CodeDisplayState& code = controller_.codeDisplay();
    for (int i = 0; i < 4; ++i) panels_[i]->setPanel(code.panels[i]);
    picture2_->setVisible(code.bannerShown);
    label10_->setText(code.codeLine);
    label5_->setText(code.codeLine);
    label24_->setText(controller_.label24());
    label25_->setText(controller_.label25());
    for (QLabel* l : {label10_, label5_, label24_, label25_}) l->adjustSize();
    const PhrasePages& pages = controller_.phrasePages();
    if (text3_->text() != pages.pageText) {
        text3_->setText(pages.pageText);
        text3_->setCursorPosition(0);
        text3_->setToolTip(listToolTip(pages.pageText));
    }
    command5_->setEnabled(pages.canPageBack);
    command7_->setEnabled(pages.canPageForward);
    if (text6_->toPlainText() != controller_.text6()) text6_->setPlainText(controller_.text6());
    refreshing_ = false;
}

void MainWindow::applySizeRule() {
    const ExpandSwitch::Outer outer = expand_.size(skin_.active);
    const int width = outer.width ? twipsToPixels(*outer.width - layout::FrameWidth) : this->width();
    const int height = twipsToPixels(outer.height - layout::FrameHeight);
    setFixedSize(width, height);
}

void MainWindow::toggleExpand() {
    const FocusBox box = expand_.click();
    frame2_->setVisible(expand_.frame2Visible());
    applySizeRule();
    command1_->setText(expand_.command1Caption());
    focusBox(box);
    // Re-centre on the screen, keeping the size.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - frameGeometry().width()) / 2, area.y() + (area.height() - frameGeometry().height()) / 2);
    }
}

void MainWindow::focusBox(FocusBox box) {
    if (box == FocusBox::Text5) text5_->setFocus();
    else text88_->setFocus();
}

void MainWindow::strokeChooserChanged() {
    std::array<QString, 5> texts;
    for (int k = 0; k < 5; ++k) texts[k] = strokeCombos_[k]->currentText();
    controller_.strokeChooserEvent(texts);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text3_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn)) {
        // The phrase row never keeps the focus or a caret.
        focusBox(FocusBox::Text88);
        return event->type() == QEvent::MouseButtonPress;
    }
    if (event->type() == QEvent::KeyRelease && (watched == text5_ || watched == text6_)) {
        if (watched == text5_) controller_.keyUp(text5_->text(), text5_->cursorPosition());
        else controller_.keyUp(text6_->toPlainText(), text6_->textCursor().position());
    }
    if (watched == text6_->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // No context menu in the result list; the list keeps the focus.
        text6_->setFocus();
        return true;
    }
    if (watched == text6_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A click moves the caret like a key does: look up the character left of it.
        controller_.keyUp(text6_->toPlainText(), text6_->textCursor().position());
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
