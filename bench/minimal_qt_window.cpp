// The baseline for start-up measurements: a plain Qt Widgets window with one line of Chinese
// text. With --quit-after-paint it reports its first paint and ends, like tessivo.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <cstdio>

class Window : public QLabel {
public:
    Window(QElapsedTimer since, bool quit) : QLabel(QStringLiteral("五笔 查询")), since_(since), quit_(quit) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (done_ || !quit_) return;
        done_ = true;
        std::printf("first paint after %.1f ms\n", since_.nsecsElapsed() / 1e6);
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

private:
    QElapsedTimer since_;
    bool quit_;
    bool done_ = false;
};

int main(int argc, char** argv) {
    QElapsedTimer since;
    since.start();
    QApplication app(argc, argv);
    Window w(since, app.arguments().contains(QStringLiteral("--quit-after-paint")));
    w.resize(446, 170);
    w.show();
    return app.exec();
}
