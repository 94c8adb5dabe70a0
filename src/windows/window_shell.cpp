#include "windows/window_shell.h"

#include "platform/desktop.h"

namespace tessivo {

WindowShell::~WindowShell() {
    // The windows have no owner: the shell ends them with the program.
    for (QPointer<QWidget>& w : windows_) delete w.data();
}

void WindowShell::setFactory(SecondaryWindow which, Factory factory) {
    factories_[static_cast<int>(which)] = std::move(factory);
}

QWidget* WindowShell::open(SecondaryWindow which) {
    const int i = static_cast<int>(which);
    if (!windows_[i]) {
        if (!factories_[i]) return nullptr;
        QWidget* w = factories_[i]();
        if (!w) return nullptr;
        windows_[i] = w;
    }
    QWidget* w = windows_[i];
    w->show();
    platform::makeTopmost(w);
    emit opened(which, w);
    return w;
}

QWidget* WindowShell::window(SecondaryWindow which) const { return windows_[static_cast<int>(which)].data(); }

}  // namespace tessivo
