// A key typed into the character input until the window has painted what it shows, in the real
// main window on a real X display, beside the same key typed into a bare QLineEdit window. Each
// key is a press and a release of one GB2312 character, sent through the X server (XTest, on a
// key code mapped to the character as input tools do); the clock stops when the event loop is
// idle again and the X server has carried out every drawing request the program sent.
//
//   tessivo_bench_keystroke [KEYS] [DATA_DIR]      needs a display (run it under xvfb-run)
#include "app/state/key_pictures.h"
#include "app/state/main_controller.h"
#include "app/state/skin.h"
#include "app/window/main_window.h"
#include "common/common.h"
#include "platform/desktop.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <xcb/xcb.h>
// Xlib's event-type macros would shadow Qt's event names below.
#undef KeyPress
#undef KeyRelease
#undef FocusIn
#undef FocusOut

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace tessivo;
using Clock = std::chrono::steady_clock;

namespace {

// Runs the event loop until nothing is left to do, painting included.
void settle() {
    for (int quiet = 0; quiet < 3;) {
        if (QCoreApplication::eventDispatcher()->processEvents(QEventLoop::AllEvents))
            quiet = 0;
        else
            ++quiet;
    }
}

// Waits for the X server to have processed everything the program sent it, drawing included.
void roundTrip() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11->connection();
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

class KeyTyper {
public:
    KeyTyper() : dpy_(XOpenDisplay(nullptr)) {
        int min = 0, max = 0;
        XDisplayKeycodes(dpy_, &min, &max);
        spare_ = static_cast<KeyCode>(max);  // the highest code: no key of the keyboard uses it
    }
    ~KeyTyper() {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(dpy_, spare_, 1, &none, 1);
        XCloseDisplay(dpy_);
    }

    double type(QWidget* target, const QString& character) {
        focus(target);
        if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();  // a user replaces the last one
        KeySym sym = 0x01000000 | character.toUcs4().value(0);
        XChangeKeyboardMapping(dpy_, spare_, 1, &sym, 1);
        XSync(dpy_, False);
        waitQuiet(20);  // the program reloads its keyboard map before the clock starts
        released_ = false;
        target->installEventFilter(&watch_);
        const auto t0 = Clock::now();
        XTestFakeKeyEvent(dpy_, spare_, True, CurrentTime);
        XTestFakeKeyEvent(dpy_, spare_, False, CurrentTime);
        XFlush(dpy_);
        const auto giveUp = t0 + std::chrono::seconds(2);
        while (!released_ && Clock::now() < giveUp) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!released_) {
            std::fprintf(stderr, "the key did not reach %s (active window: %s)\n", qPrintable(target->objectName()),
                         QApplication::activeWindow() ? qPrintable(QApplication::activeWindow()->objectName()) : "none");
            std::exit(1);
        }
        settle();
        roundTrip();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        target->removeEventFilter(&watch_);
        return ms;
    }

private:
    struct Watch : QObject {
        bool* released;
        explicit Watch(bool* r) : released(r) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyRelease) *released = true;
            return false;
        }
    };

    static void waitQuiet(int ms) {
        const auto until = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    static void focus(QWidget* target) {
        if (target->hasFocus() && target->window()->isActiveWindow()) return;
        target->window()->activateWindow();
        target->setFocus();
        for (int i = 0; i < 200 && !(target->window()->isActiveWindow() && target->hasFocus()); ++i) waitQuiet(5);
        waitQuiet(50);
    }

    Display* dpy_;
    KeyCode spare_ = 0;
    bool released_ = false;
    Watch watch_{&released_};
};

struct Stats {
    double median, p90;
};

Stats stats(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10]};
}

}  // namespace

int main(int argc, char** argv) {
    platform::loadFontConfiguration();  // the fonts as the program sets them up
    QApplication app(argc, argv);
    platform::installSongFace();
    QApplication::setFont(QFont(QStringLiteral("宋体"), 12));
    const int keys = argc > 1 ? std::max(10, atoi(argv[1])) : 300;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(TESSIVO_BIN_DIR);
    const QStringList& all = datagen::gb2312Hanzi();
    QStringList chars;
    for (int i = 0; i < keys; ++i) chars << all[(i * 97) % all.size()];  // spread over the table

    MainController controller(tables::ReferenceTables::embedded(), embeddedKeyPictures());
    QString error;
    if (!controller.open(dir, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Skin skin;
    MainWindow window(controller, skin);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();  // the input panel
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("Text5"));
    QLineEdit bare;
    bare.setObjectName(QStringLiteral("bare"));
    bare.resize(300, 40);
    bare.move(0, 400);
    bare.show();
    settle();

    if (qEnvironmentVariableIsSet("TESSIVO_BENCH_PROFILE")) {
        // For a profiler: the main window's keys only, delivered straight to the input, no waiting.
        for (const QString& c : chars) {
            input->selectAll();
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, c);
            QApplication::sendEvent(input, &press);
            QApplication::sendEvent(input, &release);
            settle();
        }
        return 0;
    }
    // In alternating blocks, so that both see the same machine without a focus change per key.
    KeyTyper typer;
    std::vector<double> tessivo, reference;
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const bool block = (i / 20) % 2 == 0;
        (block ? tessivo : reference).push_back(typer.type(block ? static_cast<QWidget*>(input) : &bare, chars[i]));
        (block ? reference : tessivo).push_back(typer.type(block ? static_cast<QWidget*>(&bare) : input, chars[i]));
    }
    const Stats t = stats(tessivo), r = stats(reference);
    std::printf("key -> painted, main window:  median %.2f ms, p90 %.2f ms (%d keys)\n", t.median, t.p90, keys);
    std::printf("key -> painted, bare QLineEdit: median %.2f ms, p90 %.2f ms\n", r.median, r.p90);
    std::printf("ratio (medians): %.2f\n", t.median / r.median);
    return 0;
}
