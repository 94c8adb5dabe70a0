#pragma once

// The process environment the program needs before Qt starts.
namespace tessivo::platform {

// Qt wants a private runtime folder and warns on every start without one (root shells, CI): when
// XDG_RUNTIME_DIR is unset, uses /tmp/tessivo-runtime-<uid> if it is ours and private.
void ensureRuntimeDir();

}  // namespace tessivo::platform
