// The About and Help windows: every text where it belongs, the links and what they open, the
// hand pointer over the links only, and the buttons that close the windows.

#include "app/state/links.h"
#include "windows/info_widgets.h"
#include "windows/info_windows.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace tessivo;

namespace {

struct Opened {
    QStringList addresses;
    OpenAddress opener() {
        return [this](const QString& a) { addresses << a; };
    }
};

void click(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

QLabel* labelOf(QWidget* window, const char* name) {
    auto* l = window->findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(l, nullptr) << name;
    return l;
}

QColor textColour(QLabel* l) {
    l->ensurePolished();
    return l->palette().color(QPalette::WindowText);
}

// The bytes of the forum search for the 蔻/靥 question, written out (GBK of each character, as
// iconv -f UTF-8 -t GBK gives them).
const char* const LastCodeLSearch =
    "https://tessivo.org/forum/search.asp?page=1&type=title&searchtxt="
    "%A1%B0%DE%A2%A1%B1%A3%AC%A1%B0%D8%CC%A1%B1%C1%BD%B8%F6%D7%D6%B5%C4%D7%EE%BA%F3%D2%BB%C2%EB%CE%AA%BA%CE%CA%C7L?";

}  // namespace

TEST(AboutWindow, ShowsEveryTextAtItsPlace) {
    AboutWindow w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral(" 关于"));
    EXPECT_EQ(w.size(), QSize(348, 205));  // 5220 x 3075 twips
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(labelOf(&w, "op")->text(), QStringLiteral("版本：Tessivo1.6"));
    EXPECT_EQ(labelOf(&w, "op")->pos(), QPoint(79, 6));
    EXPECT_EQ(labelOf(&w, "Label2")->pos(), QPoint(81, 7));
    EXPECT_EQ(textColour(labelOf(&w, "Label2")), QColor(Qt::white));
    EXPECT_TRUE(labelOf(&w, "op")->font().bold());
    EXPECT_EQ(labelOf(&w, "Label17(3)")->text(), QStringLiteral("五笔编码在线查询:"));
    EXPECT_EQ(labelOf(&w, "Label17(2)")->text(), QStringLiteral("Pellaris论坛:"));
    EXPECT_EQ(labelOf(&w, "Label17(2)")->pos(), QPoint(36, 103));
    EXPECT_EQ(textColour(labelOf(&w, "Label17(0)")), QColor(0, 0, 192));
    EXPECT_EQ(labelOf(&w, "Label27")->text(), QStringLiteral("作者QQ:"));
    EXPECT_EQ(labelOf(&w, "Label1")->text(), links::onlineLookupPage());
    EXPECT_EQ(labelOf(&w, "Label1")->pos(), QPoint(144, 81));
    EXPECT_EQ(labelOf(&w, "Label58")->text(), links::authorEmail());  // the bare address
    EXPECT_EQ(textColour(labelOf(&w, "Label58")), QColor(0, 0, 255));
    EXPECT_EQ(textColour(labelOf(&w, "Label36")), QColor(0, 0, 192));
    EXPECT_TRUE(labelOf(&w, "Label36")->font().underline());
    auto* ok = w.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确  定"));
    EXPECT_EQ(ok->geometry(), QRect(126, 174, 95, 23));
}

TEST(AboutWindow, LinksOpenTheirAddressesAndTheMessengerNumberIsNoLink) {
    Opened opened;
    AboutWindow w(opened.opener());
    w.show();
    for (const char* name : {"Label36", "Label21", "Label1", "Label16", "Label58"}) {
        EXPECT_EQ(labelOf(&w, name)->cursor().shape(), Qt::PointingHandCursor) << name;
        click(labelOf(&w, name));
    }
    EXPECT_EQ(opened.addresses, (QStringList{links::webSite1(), links::webSite2(), links::onlineLookupPage(),
                                             links::forumPage(), QStringLiteral("mailto:") + links::authorEmail()}));
    QLabel* number = labelOf(&w, "Label46");
    EXPECT_EQ(number->text(), links::messengerNumber());
    EXPECT_NE(number->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(qobject_cast<windows::LinkLabel*>(number), nullptr);
    for (const char* name : {"Label46", "Label17(0)", "op"}) click(labelOf(&w, name));
    EXPECT_EQ(opened.addresses.size(), 5);  // plain texts open nothing
    EXPECT_TRUE(w.isVisible());             // and a link leaves the window open
}

TEST(HelpWindow, ShowsEveryRowWithItsStar) {
    HelpWindow w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral(" 帮助"));
    EXPECT_EQ(w.size(), QSize(406, 229));  // 6090 x 3435 twips
    const int tops[6] = {12, 46, 80, 116, 136, 156};
    for (int i = 0; i < 6; ++i) {
        QLabel* star = w.findChild<QLabel*>(QStringLiteral("Label6(%1)").arg(i));
        ASSERT_NE(star, nullptr);
        EXPECT_EQ(star->text(), QStringLiteral("★"));
        EXPECT_EQ(star->pos(), QPoint(8, tops[i]));
        EXPECT_EQ(textColour(star), QColor(255, 128, 0));
    }
    EXPECT_EQ(labelOf(&w, "Label9")->text(), QStringLiteral("汉字第一笔画＋第二笔画＋第三笔画＋第四笔画＋最后一笔画"));
    EXPECT_EQ(labelOf(&w, "Label5")->text(), QStringLiteral("“蔻”，“靥”两个字的最后一码为何是L ?"));
    EXPECT_EQ(labelOf(&w, "Label5")->pos(), QPoint(27, 136));
    EXPECT_EQ(labelOf(&w, "Label12")->text(), QStringLiteral("答案"));
    EXPECT_EQ(labelOf(&w, "Label12")->pos(), QPoint(272, 136));
    EXPECT_EQ(textColour(labelOf(&w, "Label12")), QColor(0, 0, 255));
    EXPECT_DOUBLE_EQ(labelOf(&w, "Label12")->font().pointSizeF(), 9);
    auto* ok = w.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确") + QChar(0x3000) + QStringLiteral("定"));
    EXPECT_EQ(ok->geometry(), QRect(162, 198, 94, 23));
}

TEST(HelpWindow, AnswersSearchTheForumWithGbkBytes) {
    Opened opened;
    HelpWindow w(opened.opener());
    w.show();
    for (const char* name : {"Label10", "Label8", "Label11", "Label12", "Label13"}) {
        EXPECT_EQ(labelOf(&w, name)->cursor().shape(), Qt::PointingHandCursor) << name;
        click(labelOf(&w, name));
    }
    ASSERT_EQ(opened.addresses.size(), 5);
    EXPECT_EQ(opened.addresses[0], links::onlineLookupPage());
    EXPECT_EQ(opened.addresses[1], links::forumPage());
    EXPECT_EQ(opened.addresses[3], QString::fromLatin1(LastCodeLSearch));
    // The thread titles differ in wording from the questions shown.
    EXPECT_EQ(opened.addresses[2], HelpWindow::forumSearch(QStringLiteral("有些字，如焗、镕、喆等字，为何我的五笔用正确的编码也打不出？")));
    EXPECT_EQ(opened.addresses[4], HelpWindow::forumSearch(QStringLiteral("单笔画（一丨丿丶乙）输入为何后面要加打两个L？")));
    for (const QString& a : opened.addresses.mid(2)) {
        EXPECT_TRUE(a.startsWith(links::forumPage() + QStringLiteral("/search.asp?page=1&type=title&searchtxt=%"))) << a.toStdString();
    }
    EXPECT_EQ(labelOf(&w, "Label1")->cursor().shape(), Qt::ArrowCursor);  // a plain row text
}

TEST(InfoWindows, TheirButtonsCloseAndUnloadThem) {
    QPointer<QWidget> about = new AboutWindow;
    QPointer<QWidget> help = new HelpWindow;
    about->show();
    help->show();
    about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    help->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(help.isNull());
}
