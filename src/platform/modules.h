#pragma once

#include <QString>

// The program's own modules: shared objects installed beside the executable and loaded when a
// part of the program that needs heavy libraries is first used.
namespace tessivo::platform {

// The folder of the running executable (links resolved).
QString executableFolder();

// The address of `entry` in the module `file` of the executable's folder, loaded once and kept
// for the rest of the run (the libraries modules pull in are not made to be unloaded). Null,
// with `problem` set, when the module or its entry is missing.
void* moduleEntry(const char* file, const char* entry, QString* problem);

}  // namespace tessivo::platform
