#pragma once

#include <QStringList>

#include <functional>

namespace tessivo {

// Command-line modes that need no window: lookups for scripts and checks, and the rendering
// of the radical panels. Returns the process exit status, or -1 when `arguments` asks for the
// window (no mode option). `tables` gives the built-in tables; a damaged table ends the run with
// a message and status 1.
namespace tables { class ReferenceTables; }
using TablesProvider = std::function<const tables::ReferenceTables&()>;
int runCommandLine(const QStringList& arguments, const TablesProvider& tables);
int runCommandLine(const QStringList& arguments);

// The usage text printed for bad arguments.
QString usageText();

}  // namespace tessivo
