#include "windows/info_windows.h"

#include "app/state/links.h"
#include "platform/gbk_codec.h"
#include "platform/shell.h"
#include "windows/info_widgets.h"

#include <QPainter>
#include <QPushButton>

namespace tessivo {

using windows::LinkLabel;
using windows::songFont;
using windows::textLabel;
using windows::twipsPoint;
using windows::twipsRect;

namespace {

const QColor Caption(0, 0, 192), MailBlue(0, 0, 255), Star(255, 128, 0);

OpenAddress orDesktop(OpenAddress open) {
    if (open) return open;
    return [](const QString& address) { platform::openUrl(address); };
}

LinkLabel* link(QWidget* window, const OpenAddress& open, const QString& name, const QString& caption,
                const QString& address, QPoint at, const QFont& font, const QColor& colour) {
    auto* l = new LinkLabel(window, name, caption, address, at, font, colour);
    QObject::connect(l, &LinkLabel::activated, window, [open](const QString& a) { open(a); });
    return l;
}

QPushButton* closeButton(QWidget* window, const QString& name, const QString& caption, QRect at) {
    auto* b = new QPushButton(caption, window);
    b->setObjectName(name);
    b->setGeometry(at);
    b->setFont(songFont(9));
    QObject::connect(b, &QPushButton::clicked, window, &QWidget::close);
    return b;
}

// The white box behind the About window's addresses.
const QRect AddressBox = twipsRect(150, 420, 4905, 2085);  // Shape12

void buildAboutTexts(QWidget* w) {
    const QFont title = songFont(10.5, true);
    const QString version = QStringLiteral("版本：Tessivo1.6");
    textLabel(w, QStringLiteral("op"), version, twipsPoint(1185, 90), title, Qt::black);
    textLabel(w, QStringLiteral("Label2"), version, twipsPoint(1215, 105), title, Qt::white);
    // The captions are smaller than the addresses, so that the longest ends before its address.
    const QFont text = songFont(9);
    textLabel(w, QStringLiteral("Label17(0)"), QStringLiteral("软件网站1:"), twipsPoint(540, 585), text, Caption);
    textLabel(w, QStringLiteral("Label17(1)"), QStringLiteral("软件网站2:"), twipsPoint(540, 900), text, Caption);
    textLabel(w, QStringLiteral("Label17(3)"), QStringLiteral("五笔编码在线查询:"), twipsPoint(540, 1230), text, Caption);
    textLabel(w, QStringLiteral("Label17(2)"), QStringLiteral("Pellaris论坛:"), twipsPoint(540, 1545), text, Caption);
    textLabel(w, QStringLiteral("Label18"), QStringLiteral("联系邮箱:"), twipsPoint(540, 1875), text, Caption);
    textLabel(w, QStringLiteral("Label27"), QStringLiteral("作者QQ:"), twipsPoint(540, 2190), text, Caption);
    // The messenger number is plain text: no link, no hand pointer.
    textLabel(w, QStringLiteral("Label46"), links::messengerNumber(), twipsPoint(1560, 2175), songFont(10.5), Qt::black);
}

}  // namespace

AboutWindow::AboutWindow(OpenAddress open) {
    windows::makeFixedDialog(this, QStringLiteral("Form16"), QStringLiteral(" 关于"), 5220, 3075);
    buildAboutTexts(this);
    const OpenAddress opener = orDesktop(std::move(open));
    const QFont font = songFont(10.5);
    link(this, opener, QStringLiteral("Label36"), links::webSite1(), links::webSite1(), twipsPoint(1710, 570), font, Caption);
    link(this, opener, QStringLiteral("Label21"), links::webSite2(), links::webSite2(), twipsPoint(1710, 885), font, Caption);
    link(this, opener, QStringLiteral("Label1"), links::onlineLookupPage(), links::onlineLookupPage(), twipsPoint(2160, 1215),
         font, Caption);
    link(this, opener, QStringLiteral("Label16"), links::forumPage(), links::forumPage(), twipsPoint(2040, 1530), font, Caption);
    link(this, opener, QStringLiteral("Label58"), links::authorEmail(), QStringLiteral("mailto:") + links::authorEmail(),
         twipsPoint(1560, 1860), font, MailBlue);
    closeButton(this, QStringLiteral("Command1"), QStringLiteral("确  定"), twipsRect(1898, 2610, 1425, 345))->setFocus();
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    p.fillRect(AddressBox, Qt::white);
    p.setPen(QColor(192, 64, 0));
    p.drawRect(AddressBox.adjusted(0, 0, -1, -1));
}

namespace {

struct Question {
    int top;
    int textLeft;
    const char* text;
    int answerLeft;
    const char* searchText;
};

// The three frequently asked questions: the question shown, where its "答案" link lies, and the
// title of the forum thread that answers it.
const Question Questions[3] = {
    {1740, 465, "有些字，如焗、镕、喆等字，五笔用正确的编码为何也打不出？", 5550,
     "有些字，如焗、镕、喆等字，为何我的五笔用正确的编码也打不出？"},
    {2040, 405, "“蔻”，“靥”两个字的最后一码为何是L ?", 4080, "“蔻”，“靥”两个字的最后一码为何是L?"},
    {2340, 465, "单笔画（一丨丿丶乙）输入为何后面要加打两个L？", 4680, "单笔画（一丨丿丶乙）输入为何后面要加打两个L？"},
};
const char* const QuestionNames[3][2] = {{"Label4", "Label11"}, {"Label5", "Label12"}, {"Label7", "Label13"}};
const int StarTops[6] = {180, 690, 1200, 1740, 2040, 2340};

void buildHelpTexts(QWidget* w) {
    const QFont text = songFont(9);
    for (int i = 0; i < 6; ++i) {
        textLabel(w, QStringLiteral("Label6(%1)").arg(i), QStringLiteral("★"), twipsPoint(120, StarTops[i]), text, Star);
    }
    textLabel(w, QStringLiteral("Label1"), QStringLiteral("笔画查询方法："), twipsPoint(465, 180), text, Qt::black);
    textLabel(w, QStringLiteral("Label9"), QStringLiteral("汉字第一笔画＋第二笔画＋第三笔画＋第四笔画＋最后一笔画"),
              twipsPoint(465, 390), text, Qt::black);
    textLabel(w, QStringLiteral("Label2"), QStringLiteral("查询不到的汉字，可以试试五笔编码在线查询："), twipsPoint(465, 690),
              text, Qt::black);
    textLabel(w, QStringLiteral("Label3"), QStringLiteral("对五笔拆分或五笔相关有疑问，请到Pellaris论坛留言提问："),
              twipsPoint(465, 1200), text, Qt::black);
    for (int i = 0; i < 3; ++i) {
        textLabel(w, QString::fromLatin1(QuestionNames[i][0]), QString::fromUtf8(Questions[i].text),
                  twipsPoint(Questions[i].textLeft, Questions[i].top), text, Qt::black);
    }
}

}  // namespace

QString HelpWindow::forumSearch(const QString& text) {
    const std::optional<QByteArray> query = gbk::percentEncoded(text);
    // The search texts are the program's own and all have GBK codes; the forum itself otherwise.
    if (!query) return links::forumPage();
    return links::forumPage() + links::forumSearchPath() + QString::fromLatin1(*query);
}

HelpWindow::HelpWindow(OpenAddress open) {
    windows::makeFixedDialog(this, QStringLiteral("Formhelp"), QStringLiteral(" 帮助"), 6090, 3435);
    buildHelpTexts(this);
    const OpenAddress opener = orDesktop(std::move(open));
    const QFont font = songFont(9);
    const QColor blue(0, 0, 255);
    link(this, opener, QStringLiteral("Label10"), links::onlineLookupPage(), links::onlineLookupPage(), twipsPoint(450, 900),
         font, blue);
    link(this, opener, QStringLiteral("Label8"), links::forumPage(), links::forumPage(), twipsPoint(465, 1410), font, blue);
    for (int i = 0; i < 3; ++i) {
        link(this, opener, QString::fromLatin1(QuestionNames[i][1]), QStringLiteral("答案"),
             forumSearch(QString::fromUtf8(Questions[i].searchText)), twipsPoint(Questions[i].answerLeft, Questions[i].top),
             font, blue);
    }
    closeButton(this, QStringLiteral("cmdOK"), QStringLiteral("确　定"), twipsRect(2430, 2970, 1410, 345))->setFocus();
}

void HelpWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The etched separator above the button: a grey line with a white one just below it.
    QPainter p(this);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(twipsPoint(495, 2760), twipsPoint(5380, 2760));  // Line1(1)
    p.setPen(Qt::white);
    p.drawLine(twipsPoint(510, 2775), twipsPoint(5380, 2775));  // Line1(0)
}

}  // namespace tessivo
