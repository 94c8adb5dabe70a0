#pragma once

#include <QStringList>

namespace tessivo {

// Command-line modes that need no window: lookups for scripts and checks, and the rendering
// of the radical panels. Returns the process exit status, or -1 when `arguments` asks for the
// window (no mode option).
int runCommandLine(const QStringList& arguments);

// The usage text printed for bad arguments.
QString usageText();

}  // namespace tessivo
