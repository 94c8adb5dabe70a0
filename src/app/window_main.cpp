// The window's side of the program: the main window and the modes that draw, run by the
// executable through this module.
#include "app/application.h"
#include "app/command_line.h"
#include "app/window_module.h"
#include "app/state/record_files.h"
#include "app/window/main_window.h"
#include "platform/desktop.h"
#include "platform/modules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTime>

#include <cstdio>
#include <type_traits>

namespace {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Start-up measurement: prints the time from the start of the window run to the first paint of the main
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

extern "C" __attribute__((visibility("default"))) int tessivo_window_main(int argc, char** argv) {
    static_assert(std::is_same_v<decltype(&tessivo_window_main), tessivo::WindowMain>);
    if (!tessivo::wantsWindow(argc, argv)) {
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
    // Checked and loaded while the application connects to the display; waited for (if never
    // taken) after the application is gone.
    tessivo::RecordFilesAhead recordFiles(tessivo::platform::executableFolder());
    std::jthread fontConfiguration = tessivo::platform::loadFontConfigurationAhead();
    QApplication app(argc, argv);
    // Joined before the application is destroyed (declared after it).
    const std::jthread fontList = tessivo::platform::readFontListAhead(fontConfiguration);
    tessivo::platform::installSongFace();
    QApplication::setFont(QFont(QStringLiteral("宋体"), 12));

    tessivo::Application program(tessivo::ProgramFolders::forExecutable());
    if (!program.start(&recordFiles)) return program.exitCode();
    QObject::connect(program.window(), &tessivo::MainWindow::closing, &app, &QApplication::quit);
    const bool probe = app.arguments().contains(QStringLiteral("--quit-after-paint"));
    if (probe) program.window()->installEventFilter(new FirstPaintProbe(&app, sinceStart));
    const int status = app.exec();
    if (probe) return status;  // a measurement run leaves the settings as they were
    program.shutdown(QLocale::c().toString(QTime::currentTime(), QStringLiteral("HH:mm:ss")));
    return status;
}
