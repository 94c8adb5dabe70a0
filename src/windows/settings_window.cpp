#include "windows/settings_window.h"

#include "app/state/window_layout.h"
#include "platform/desktop.h"
#include "platform/skin_engine.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace tessivo {
namespace {

// The designed client width and the room a line of text takes in the mode frame.
constexpr int ClientWidth = 5055;
constexpr int ReasonLine = 240;

QRect twips(int left, int top, int width, int height) {
    using layout::twipsToPixels;
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

QFont songFont(double points) {
    QFont f(QStringLiteral("宋体"));
    f.setPointSizeF(points);
    return f;
}

QRadioButton* option(QWidget* parent, const QString& name, const QString& caption, QRect at) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    o->setGeometry(at);
    return o;
}

}  // namespace

SettingsWindow::SettingsWindow(MainController& controller, const Skin& skin, SkinChoice& choice, const QIcon& icon,
                               QWidget* parent)
    : QWidget(parent), controller_(controller), skin_(skin), choice_(choice) {
    setObjectName(QStringLiteral("frmsetup"));
    setWindowTitle(QStringLiteral(" 设置"));
    setWindowIcon(icon);
    setFont(songFont(9));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed dialog without minimize and maximize boxes, above all other windows.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint);
    platform::setSizedForSkinFrame(this);

    // Where screen lookup cannot work, the mode frame grows by one line that says why.
    const int extra = controller_.view().screenLookupOff().isEmpty() ? 0 : ReasonLine;
    buildModeFrame(extra);
    buildSkinFrame(extra);
    closeButton_ = new QPushButton(QStringLiteral(" 确  定"), this);
    closeButton_->setObjectName(QStringLiteral("Command1"));
    closeButton_->setGeometry(twips(1890, 2625 + extra, 1275, 315));
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);

    outerHeight_ = settingsHeight(skin_.active()) + extra;
    fitSize();
    // The window keeps its outer size when a skin comes or goes while it is open.
    connect(&skin_, &Skin::changed, this, &SettingsWindow::fitSize);
    // Each control carries the face itself: a style sheet over a widget stops the window's
    // font from reaching it.
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w != screenLookupOff_) w->setFont(songFont(9));
    }
    // The substitute Song face sets Latin wider than the designed one: a skin's caption may
    // take the room up to the next column.
    for (QRadioButton* o : skinOptions_) o->resize(std::max(o->width(), o->sizeHint().width()), o->height());
    markCurrent();
}

void SettingsWindow::buildModeFrame(int extra) {
    modeFrame_ = new QGroupBox(QStringLiteral("查询方式"), this);
    modeFrame_->setObjectName(QStringLiteral("Frame1"));
    modeFrame_->setGeometry(twips(120, 30, 4815, 915 + extra));
    clickMode_ = option(modeFrame_, QStringLiteral("Option1"), QStringLiteral("即点即查（用鼠标点击查询汉字就查询）"),
                        twips(390, 180, 3585, 375));
    hoverMode_ = option(modeFrame_, QStringLiteral("Option2"), QStringLiteral("即指即查（鼠标移动到查询汉字上面就查询）"),
                        twips(390, 550, 3975, 315));
    connect(clickMode_, &QRadioButton::clicked, this, [this] { controller_.selectLookupMode(LookupMode::Click); });
    connect(hoverMode_, &QRadioButton::clicked, this, [this] { controller_.selectLookupMode(LookupMode::Hover); });
    if (extra == 0) return;
    const QString reason = controller_.view().screenLookupOff();
    screenLookupOff_ = new QLabel(modeFrame_);
    screenLookupOff_->setObjectName(QStringLiteral("screenLookupOff"));
    screenLookupOff_->setTextFormat(Qt::PlainText);
    screenLookupOff_->setGeometry(twips(390, 880, 4300, ReasonLine));
    screenLookupOff_->setFont(songFont(8));
    screenLookupOff_->setForegroundRole(QPalette::PlaceholderText);
    screenLookupOff_->setText(screenLookupOff_->fontMetrics().elidedText(reason, Qt::ElideRight, screenLookupOff_->width()));
    screenLookupOff_->setToolTip(reason);
}

void SettingsWindow::buildSkinFrame(int extra) {
    skinFrame_ = new QGroupBox(QStringLiteral("软件皮肤"), this);
    skinFrame_->setObjectName(QStringLiteral("Frame2"));
    skinFrame_->setGeometry(twips(120, 1020 + extra, 4815, 1485));
    noSkin_ = option(skinFrame_, QStringLiteral("Option3"), QStringLiteral("取消皮肤"), twips(360, 180, 1125, 345));
    connect(noSkin_, &QRadioButton::clicked, this, [this] { choice_.chooseNoSkin(); });
    // Left, top and width of each skin's option, in the order of SkinCaptions.
    const int at[9][3] = {{360, 480, 885},   {1650, 480, 1455}, {3180, 480, 1425}, {360, 780, 1065}, {1650, 780, 735},
                          {3180, 780, 915},  {360, 1080, 1065}, {1650, 1080, 1065}, {3180, 1080, 1065}};
    for (int i = 0; i < 9; ++i) {
        skinOptions_[i] = option(skinFrame_, QStringLiteral("Option4(%1)").arg(i), QString::fromLatin1(SkinCaptions[i]),
                                 twips(at[i][0], at[i][1], at[i][2], 345));
        connect(skinOptions_[i], &QRadioButton::clicked, this, [this, i] { choice_.chooseSkin(i); });
    }
    // Keyboard order as designed: the tab indexes of the options.
    QWidget* order[] = {clickMode_, hoverMode_, skinOptions_[1], skinOptions_[3], skinOptions_[4], skinOptions_[6],
                        skinOptions_[7], skinOptions_[0], noSkin_, skinOptions_[8], skinOptions_[5], skinOptions_[2]};
    for (int k = 0; k + 1 < int(std::size(order)); ++k) setTabOrder(order[k], order[k + 1]);
}

void SettingsWindow::select(QRadioButton* option) {
    option->setChecked(true);
    option->clicked(true);
}

void SettingsWindow::markCurrent() {
    const SettingsMarks marks = settingsMarks(controller_.view().lookupMode(), skin_.fileName());
    select(marks.mode == LookupMode::Click ? clickMode_ : hoverMode_);
    if (marks.noSkin) select(noSkin_);
    if (marks.skin) select(skinOptions_[*marks.skin]);
}

void SettingsWindow::fitSize() {
    setFixedSize(layout::widgetSize(ClientWidth + layout::FrameWidth, outerHeight_, skin_.active()));
    // The frames' captions sit on their border line, as the designed positions expect; a skin
    // gives the line its colour, else it is the palette's.
    const QString line = skin_.active() ? QString() : QStringLiteral("border: 1px solid palette(mid);");
    setStyleSheet(QStringLiteral("QRadioButton#Option3 { color: rgb(255,0,0); }\n"
                                 "QGroupBox { %1 margin-top: 7px; }\n"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0px 2px; }\n")
                      .arg(line));
}

SkinMenuForm::SkinMenuForm(SkinChoice& choice, QWidget* parent) : QWidget(parent), choice_(choice) {
    setObjectName(QStringLiteral("Form99"));
    setWindowTitle(QStringLiteral("Form3"));
    menu_ = new QMenu(QStringLiteral("换肤"), this);
    menu_->setObjectName(QStringLiteral("face"));
    QAction* none = menu_->addAction(QStringLiteral("取消皮肤"));
    none->setObjectName(QStringLiteral("noface"));
    connect(none, &QAction::triggered, this, [this] { choice_.chooseNoSkin(); });
    for (int i = 0; i < 9; ++i) {
        QAction* item = menu_->addAction(QString::fromLatin1(SkinCaptions[i]));
        item->setObjectName(QStringLiteral("fff(%1)").arg(i));
        connect(item, &QAction::triggered, this, [this, i] { choice_.chooseSkin(i); });
    }
}

}  // namespace tessivo
