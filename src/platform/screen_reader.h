#pragma once

#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

// What screen capture reads at a point, behind one interface so that the readers and the
// libraries they need (the accessibility library, D-Bus, the OCR engine) live in a module of
// their own. The program loads it only when screen text is first read: start-up and the
// command-line lookups never pay for those libraries.
namespace tessivo::platform {

// What a backend read at a point: the line around it and the position of the pointed character
// in it, counted in characters (a surrogate pair is one).
struct CaptureHit {
    QString line;
    int index = 0;
    QString backend;
};

enum CaptureBackend { AccessibleText = 1, ScreenText = 2 };

// Lives on one thread, the capture's worker or a command-line run.
class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    // Empty when some backend can read the screen, else why screen lookup cannot work here.
    virtual const QString& unavailableReason() const = 0;
    // Why a backend is missing while others work; empty when all work.
    virtual const QString& limitation() const = 0;
    virtual QPoint pointer() const = 0;
    // What is under `at`; nothing over this program's own windows.
    virtual std::optional<CaptureHit> captureAt(QPoint at) = 0;
};

// The module's one entry point. The version guards against a module left from another build.
inline constexpr int screenReaderInterface = 1;
inline constexpr const char* screenReaderModuleFile = "tessivo-screen-reader.so";
inline constexpr const char* screenReaderEntry = "tessivo_create_screen_reader";
using ScreenReaderFactory = ScreenReader* (*)(int interfaceVersion, int backends);

// Loads the module from the program's folder (once per process) and makes a reader with
// `backends` (CaptureBackend bits). Never null: when the module cannot be loaded, the reader
// reads nothing and its unavailableReason() says why.
std::unique_ptr<ScreenReader> loadScreenReader(int backends);

}  // namespace tessivo::platform
