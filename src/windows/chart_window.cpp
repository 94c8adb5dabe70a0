#include "windows/chart_window.h"

#include "platform/desktop.h"
#include "platform/printer.h"
#include "windows/chart_layout.h"
#include "windows/chart_picture.h"
#include "windows/info_widgets.h"

#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace tessivo {

using windows::px;
using windows::twipsRect;

// The chart as the window shows it, drawn afresh for the screen's pixel ratio.
class ChartPicture : public QWidget {
public:
    explicit ChartPicture(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        if (picture_.isNull() || picture_.devicePixelRatio() != ratio) picture_ = chart::renderChart(ratio);
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawImage(QPointF((width() - chart::PictureWidth) / 2.0, (height() - chart::PictureHeight) / 2.0), picture_);
    }

private:
    QImage picture_;
};

namespace {

const QString ConfirmText = QStringLiteral("准备好A4打印纸一张，连接好打印机，点“确定”进行打印，点“取消”不打印");
const QString ErrorText = QStringLiteral("打印出错，检查打印机是否联接好？打印纸是否放好？打印机驱动程序是否安装好？");

class MessageBoxDialogs : public PrintDialogs {
public:
    // A box is a child of the chart window, which deletes it should it end first.
    bool confirmPrint(QWidget* parent) override {
        const QPointer<QMessageBox> box = makePrintConfirmBox(parent);
        const bool ok = box->exec() == QMessageBox::Ok && box;
        delete box.data();
        return ok;
    }
    void reportPrintError(QWidget* parent) override {
        const QPointer<QMessageBox> box = makePrintErrorBox(parent);
        box->exec();
        delete box.data();
    }
};

QPushButton* chartButton(QWidget* parent, const QString& objectName, const QString& caption, QRect at) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setGeometry(at);
    b->setFont(windows::songFont(10.5));
    return b;
}

// The window's own icon: three rows of keys in the zones' colours.
QIcon chartIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    const QColor zones[5] = {QColor(196, 64, 64), QColor(196, 128, 16), QColor(48, 104, 184), QColor(48, 136, 64),
                             QColor(120, 80, 168)};
    const int rowZones[3][5] = {{2, 2, 3, 3, 3}, {0, 0, 1, 1, 1}, {4, 4, 4, 1, -1}};
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < 5; ++i) {
            if (rowZones[row][i] >= 0) p.fillRect(1 + row + i * 6, 2 + row * 10, 5, 8, zones[rowZones[row][i]]);
        }
    }
    return QIcon(pixmap);
}

}  // namespace

std::unique_ptr<PrintDialogs> messageBoxPrintDialogs() { return std::make_unique<MessageBoxDialogs>(); }

QMessageBox* makePrintConfirmBox(QWidget* parent) {
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("警告！？"), ConfirmText,
                                QMessageBox::Ok | QMessageBox::Cancel, parent);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box->button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

QMessageBox* makePrintErrorBox(QWidget* parent) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("提示！"), ErrorText, QMessageBox::Ok, parent);
    box->button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    return box;
}

int chartWindowTop(int screenHeight, int windowHeight) {
    const double top = (screenHeight * double(windows::TwipsPerPixel) - 360 - windowHeight * double(windows::TwipsPerPixel)) / 2;
    return int(std::lround(top / windows::TwipsPerPixel));
}

ChartWindow::ChartWindow(std::unique_ptr<PrintDialogs> dialogs, PrinterFactory printer)
    : dialogs_(std::move(dialogs)), printer_(std::move(printer)) {
    windows::makeFixedDialog(this, QStringLiteral("Form4"), QStringLiteral(" 字根表 和 口诀"), 9855, 7920);
    setWindowIcon(chartIcon());
    picture_ = new ChartPicture(this);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->setGeometry(twipsRect(15, 0, 9825, 7905));
    picture_->setFocusPolicy(Qt::StrongFocus);
    printButton_ = chartButton(this, QStringLiteral("Command2"), QStringLiteral("打印字根表和口诀"), twipsRect(6810, 6660, 2115, 375));
    exitButton_ = chartButton(this, QStringLiteral("Command3"), QStringLiteral("退    出"), twipsRect(6810, 7140, 2115, 375));
    // The buttons' colour belongs to the chart's design, whatever the skin.
    setStyleSheet(QStringLiteral("QPushButton#Command2, QPushButton#Command3 { background-color: rgb(192,192,255);"
                                 " border: 1px solid rgb(96,96,160); border-radius: 3px; }\n"
                                 "QPushButton#Command2:pressed, QPushButton#Command3:pressed { background-color: rgb(160,160,232); }\n"
                                 "QPushButton#Command2:focus, QPushButton#Command3:focus { border: 2px solid rgb(64,64,160); }\n"));
    setTabOrder(picture_, printButton_);
    setTabOrder(printButton_, exitButton_);
    connect(printButton_, &QPushButton::clicked, this, &ChartWindow::print);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
    picture_->setFocus();
}

ChartWindow::~ChartWindow() = default;

ChartWindow* ChartWindow::create() { return new ChartWindow(messageBoxPrintDialogs(), [] { return platform::defaultPrinter(); }); }

QWidget* ChartWindow::picture() const { return picture_; }

void ChartWindow::print() {
    // The box runs an event loop of its own: the program may end the window meanwhile.
    const QPointer<ChartWindow> self(this);
    const bool confirmed = dialogs_->confirmPrint(this);
    if (!self) return;
    if (!confirmed) {
        picture_->setFocus();
        return;
    }
    QString problem = QStringLiteral("no printer");
    const std::unique_ptr<platform::PagePrinter> printer = printer_ ? printer_() : nullptr;
    if (!printer || !chart::printChart(*printer, &problem)) {
        qWarning("tessivo: the radical chart was not printed: %s", qPrintable(problem));
        dialogs_->reportPrintError(this);
        close();
        return;
    }
    picture_->setFocus();
}

void ChartWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (centred_) return;
    centred_ = true;
    windows::centreOnScreen(this);
}

void ChartWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    if (const QScreen* s = screen()) move(x(), chartWindowTop(s->geometry().height(), frameGeometry().height()));
    platform::makeTopmost(this);
}

}  // namespace tessivo
