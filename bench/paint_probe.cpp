// Start-up as the user sees it: starts a program and reports, from the moment of exec, when its
// first top-level window is mapped and when the first damage (drawing) reaches that window, then
// its resident memory a moment later. The clock starts before exec, so library loading counts,
// and both programs of a comparison are measured the same way from outside.
//
//   paint_probe PROGRAM [ARGS...]      prints "mapped_ms paint_ms rss_kb" on one line
//
// Needs an X display with the DAMAGE extension (Xvfb has it).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// The process that owns a window, from the property every toolkit sets before mapping.
long windowPid(Display* dpy, Window w) {
    static const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && count == 1 && format == 32)
        pid = *reinterpret_cast<long*>(data);
    if (data) XFree(data);
    return pid;
}

long rssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // windows may vanish while we look at them

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: paint_probe PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0;
    if (!dpy || !XDamageQueryExtension(dpy, &damageEvent, &damageError)) {
        std::fprintf(stderr, "paint_probe: no X display with the DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double mapped = -1, painted = -1;
    const int fd = ConnectionNumber(dpy);
    while (painted < 0 && nowMs() - start < 10000) {
        if (!XPending(dpy)) {
            fd_set fds;
            FD_ZERO(&fds);
            FD_SET(fd, &fds);
            timeval tv{0, 20000};
            select(fd + 1, &fds, nullptr, nullptr, &tv);
            continue;
        }
        XEvent ev;
        XNextEvent(dpy, &ev);
        const double t = nowMs();
        if (ev.type == CreateNotify) {
            // Every new top-level window: its own map events, and its drawing.
            XSelectInput(dpy, ev.xcreatewindow.window, StructureNotifyMask);
            XDamageCreate(dpy, ev.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (ev.type == MapNotify && mapped < 0 && windowPid(dpy, ev.xmap.window) == child) {
            mapped = t - start;
        } else if (ev.type == damageEvent + XDamageNotify) {
            const auto* d = reinterpret_cast<XDamageNotifyEvent*>(&ev);
            if (windowPid(dpy, d->drawable) == child) painted = t - start;
        }
    }
    usleep(300 * 1000);  // what the program keeps once it is up
    const long rss = rssKb(child);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(dpy);
    if (painted < 0) {
        std::fprintf(stderr, "paint_probe: %s drew no window within 10 s\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %.1f %ld\n", mapped, painted, rss);
    return 0;
}
