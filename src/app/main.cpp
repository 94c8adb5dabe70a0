#include "app/application.h"
#include "app/command_line.h"
#include "app/window/main_window.h"
#include "platform/desktop.h"
#include "platform/runtime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTime>

#include <cstdio>
#include <cstring>

namespace {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The modes that draw or read the screen (the panels as a picture, the window's widget map, the
// printed chart, screen capture) need fonts and a platform; the others are plain text and start
// faster without them.
bool drawsSomething(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* mode : {"--render", "--widget-map", "--print-chart", "--capture-at"})
            if (std::strcmp(argv[i], mode) == 0) return true;
    }
    return false;
}

bool wantsWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after-paint") != 0) return false;
    }
    return true;
}

// Start-up measurement: prints the time from the start of main() to the first paint of the main
// window, then ends the run.
class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(QObject* parent, QElapsedTimer since) : QObject(parent), since_(since) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            std::printf("first paint after %.1f ms\n", since_.nsecsElapsed() / 1e6);
            std::fflush(stdout);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer since_;
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    tessivo::platform::ensureRuntimeDir();
    if (!wantsWindow(argc, argv) && !drawsSomething(argc, argv)) {
        QCoreApplication app(argc, argv);
        return tessivo::runCommandLine(app.arguments());
    }
    if (!wantsWindow(argc, argv)) {
        // Command-line modes need no display: draw offscreen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        tessivo::platform::installSongFace();
        return tessivo::runCommandLine(app.arguments());
    }
    if (!hasDisplay()) {
        std::fputs("tessivo: no display is available, so the window cannot open.\n"
                   "The lookups work without one:\n", stderr);
        std::fputs(tessivo::usageText().toUtf8().constData(), stderr);
        std::fputc('\n', stderr);
        return 1;
    }
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    tessivo::platform::installSongFace();
    QApplication::setFont(QFont(QStringLiteral("宋体"), 12));

    tessivo::Application program(tessivo::ProgramFolders::forExecutable());
    if (!program.start()) return program.exitCode();
    QObject::connect(program.window(), &tessivo::MainWindow::closing, &app, &QApplication::quit);
    const bool probe = app.arguments().contains(QStringLiteral("--quit-after-paint"));
    if (probe) program.window()->installEventFilter(new FirstPaintProbe(&app, sinceStart));
    const int status = app.exec();
    if (probe) return status;  // a measurement run leaves the settings as they were
    program.shutdown(QLocale::c().toString(QTime::currentTime(), QStringLiteral("HH:mm:ss")));
    return status;
}
