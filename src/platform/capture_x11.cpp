#include "platform/capture_x11.h"

#include <poll.h>
#include <unistd.h>

// Xlib after every Qt header: its macros (None, Status, Bool) would break them.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

namespace tessivo::platform {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

std::int64_t pidOfWindow(Display* d, Window w) {
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", True);
    if (pidAtom == 0) return 0;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::int64_t pid = 0;
    if (XGetWindowProperty(d, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        pid = static_cast<std::int64_t>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

}  // namespace

X11Connection::X11Connection() : display_(XOpenDisplay(nullptr)) {}

X11Connection::~X11Connection() {
    if (display_) XCloseDisplay(dpy(display_));
}

QPoint X11Connection::pointer() const {
    if (!display_) return {};
    Display* d = dpy(display_);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &x, &y, &mask);
    return {rootX, rootY};
}

std::int64_t X11Connection::windowProcessAt(QPoint at) const {
    if (!display_) return 0;
    Display* d = dpy(display_);
    // Down from the root through the window manager's frame to the program's own window: the
    // first window on the way that names its process wins.
    Window from = DefaultRootWindow(d);
    int x = at.x(), y = at.y();
    for (int depth = 0; depth < 8; ++depth) {
        Window child = 0;
        int cx = 0, cy = 0;
        if (!XTranslateCoordinates(d, from, from, x, y, &cx, &cy, &child) || child == 0) return 0;
        int nx = 0, ny = 0;
        Window ignored = 0;
        XTranslateCoordinates(d, from, child, x, y, &nx, &ny, &ignored);
        if (const std::int64_t pid = pidOfWindow(d, child)) return pid;
        from = child;
        x = nx;
        y = ny;
    }
    return 0;
}

std::optional<X11Connection::Grey> X11Connection::grabGrey(QRect area) const {
    if (!display_) return std::nullopt;
    Display* d = dpy(display_);
    const int screen = DefaultScreen(d);
    area &= QRect(0, 0, DisplayWidth(d, screen), DisplayHeight(d, screen));
    if (area.isEmpty()) return std::nullopt;
    XImage* image = XGetImage(d, DefaultRootWindow(d), area.x(), area.y(), unsigned(area.width()),
                              unsigned(area.height()), AllPlanes, ZPixmap);
    if (!image) return std::nullopt;
    Grey grey{area, std::vector<std::uint8_t>(std::size_t(area.width()) * std::size_t(area.height()))};
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned r = (p >> 16) & 0xff, g = (p >> 8) & 0xff, b = p & 0xff;
            grey.pixels[std::size_t(y) * std::size_t(area.width()) + std::size_t(x)] = std::uint8_t((r * 30 + g * 59 + b * 11) / 100);
        }
    }
    XDestroyImage(image);
    return grey;
}

X11InputWatcher::~X11InputWatcher() { stop(); }

bool X11InputWatcher::start() {
    if (thread_.joinable()) return true;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return false;
    int event = 0, error = 0, major = 2, minor = 2;  // raw events reach the root window from 2.1 on
    if (!XQueryExtension(d, "XInputExtension", &opcode_, &event, &error) || XIQueryVersion(d, &major, &minor) != Success ||
        pipe(wakePipe_) != 0) {
        XCloseDisplay(d);
        return false;
    }
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawButtonPress);
    if (motionHandler_) XISetMask(bits, XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
    XFlush(d);
    display_ = d;
    thread_ = std::thread([this] { run(); });
    return true;
}

void X11InputWatcher::stop() {
    if (thread_.joinable()) {
        const char stopByte = 1;
        [[maybe_unused]] const ssize_t n = write(wakePipe_[1], &stopByte, 1);
        thread_.join();
    }
    for (int& fd : wakePipe_) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
    if (display_) XCloseDisplay(dpy(display_));
    display_ = nullptr;
}

void X11InputWatcher::run() {
    Display* d = dpy(display_);
    pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
    for (;;) {
        while (XPending(d) > 0) {
            XEvent ev;
            XNextEvent(d, &ev);
            handle(&ev);
        }
        // Sleeps until the server sends something: no wake-ups while nothing happens.
        if (poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents || (fds[0].revents & (POLLERR | POLLHUP))) return;
    }
}

void X11InputWatcher::handle(void* event) {
    Display* d = dpy(display_);
    XGenericEventCookie* cookie = &static_cast<XEvent*>(event)->xcookie; 
    if (cookie->type != GenericEvent || cookie->extension != opcode_ || !XGetEventData(d, cookie)) return;
    if (cookie->evtype == XI_RawButtonPress) {
        const int detail = static_cast<XIRawEvent*>(cookie->data)->detail;
        if (detail == 1 && buttonHandler_) buttonHandler_(RawButton::Left);
        if (detail == 3 && buttonHandler_) buttonHandler_(RawButton::Right);
    } else if (cookie->evtype == XI_RawMotion && motionHandler_) {
        motionHandler_();
    }
    XFreeEventData(d, cookie);
}

}  // namespace tessivo::platform
