// The baseline for start-up measurements: a plain Qt Widgets window with one line of Chinese
// text, which reports its first paint and ends, like `tessivo --quit-after-paint`.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <cstdio>

class Window : public QLabel {
public:
    explicit Window(QElapsedTimer since) : QLabel(QStringLiteral("五笔 查询")), since_(since) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (done_) return;
        done_ = true;
        std::printf("first paint after %.1f ms\n", since_.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

private:
    QElapsedTimer since_;
    bool done_ = false;
};

int main(int argc, char** argv) {
    QElapsedTimer since;
    since.start();
    QApplication app(argc, argv);
    Window w(since);
    w.resize(446, 170);
    w.show();
    return app.exec();
}
