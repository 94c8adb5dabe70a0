// A Qt window with known text for the screen lookup checks: an editable text that programs read
// through the accessibility bus, and the same kind of text drawn into a picture that exposes
// nothing (for the OCR fallback). Arguments: [edit text] [picture text]
// [picture pixel size] [left,top]. Prints "TEXT|PICTURE CHAR x y" per character, then "READY".
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {

void print(const char* kind, QChar c, QPoint at) {
    std::printf("%s %s %d %d\n", kind, QString(c).toUtf8().constData(), at.x(), at.y());
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString editText = args.value(1, QStringLiteral("天地玄黄宇宙"));
    const QString pictureText = args.value(2, QStringLiteral("春眠不觉晓处"));
    const int pixelSize = args.value(3, QStringLiteral("18")).toInt();
    const QStringList at = args.value(4, QStringLiteral("520,300")).split(u',');

    QWidget window;
    window.setWindowTitle(QStringLiteral("capture-qt"));
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QTextEdit;
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(20);
    edit->setFont(font);
    edit->setPlainText(editText);
    layout->addWidget(edit);

    QFont pictureFont(QStringLiteral("Noto Sans CJK SC"));
    pictureFont.setPixelSize(pixelSize);
    const QFontMetrics fm(pictureFont);
    QPixmap picture(fm.horizontalAdvance(pictureText) + 40, fm.height() + 20);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.setFont(pictureFont);
        p.setPen(Qt::black);
        p.drawText(20, 10 + fm.ascent(), pictureText);
    }
    auto* pictureLabel = new QLabel;
    pictureLabel->setPixmap(picture);
    pictureLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(pictureLabel);
    window.resize(480, 260);
    window.move(at.value(0).toInt(), at.value(1).toInt());
    window.show();

    QTimer::singleShot(600, [&] {
        QTextCursor cursor(edit->document());
        for (int i = 0; i < editText.size(); ++i) {
            cursor.setPosition(i);
            const QRect left = edit->cursorRect(cursor);
            cursor.setPosition(i + 1);
            const QRect right = edit->cursorRect(cursor);
            print("TEXT", editText[i], edit->viewport()->mapToGlobal(QPoint((left.x() + right.x()) / 2, left.center().y())));
        }
        int x = 20;
        for (const QChar c : pictureText) {
            const int w = fm.horizontalAdvance(c);
            print("PICTURE", c, pictureLabel->mapToGlobal(QPoint(x + w / 2, 10 + fm.height() / 2)));
            x += w;
        }
        std::printf("READY\n");
        std::fflush(stdout);
    });
    return app.exec();
}
