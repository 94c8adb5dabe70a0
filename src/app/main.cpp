// The executable: the text modes run here on QtCore alone; the window and the modes that draw
// are in the window module, loaded only for them.
#include "app/text_command_line.h"
#include "app/window_module.h"
#include "platform/modules.h"
#include "platform/runtime.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    tessivo::platform::ensureRuntimeDir();
    if (!tessivo::wantsWindow(argc, argv) && !tessivo::drawsSomething(argc, argv)) {
        QCoreApplication app(argc, argv);
        const int status = tessivo::runTextCommandLine(app.arguments());
        if (status >= 0) return status;
    }
    QString problem;
    const auto windowMain = reinterpret_cast<tessivo::WindowMain>(
        tessivo::platform::moduleEntry(tessivo::windowModuleFile, tessivo::windowModuleEntry, &problem));
    if (!windowMain) {
        std::fprintf(stderr, "tessivo: the window module cannot be loaded: %s\n", problem.toLocal8Bit().constData());
        return 1;
    }
    return windowMain(argc, argv);
}
