#pragma once

#include "app/text_command_line.h"

#include <QStringList>

namespace tessivo {

// Command-line modes that need no window: lookups for scripts and checks, and the rendering
// of the radical panels. Returns the process exit status, or -1 when `arguments` asks for the
// window (no mode option). `tables` gives the built-in tables; a damaged table ends the run with
// a message and status 1.
int runCommandLine(const QStringList& arguments, const TablesProvider& tables);
int runCommandLine(const QStringList& arguments);

}  // namespace tessivo
