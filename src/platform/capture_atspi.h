#pragma once

#include <QPoint>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// Reads the text under a screen point from the accessibility tree of the program that owns the
// window there. One object per thread: the accessibility library is not thread-safe.
namespace tessivo::platform {

// What a backend read at a point: the line around it and the position of the pointed character
// in it, counted in characters (a surrogate pair is one).
struct CaptureHit {
    QString line;
    int index = 0;
    QString backend;
};

class AtspiReader {
public:
    AtspiReader();
    ~AtspiReader();
    AtspiReader(const AtspiReader&) = delete;
    AtspiReader& operator=(const AtspiReader&) = delete;

    bool ready() const { return ready_; }
    // The text at `at` in the program with process id `pid` (0: any program that is showing).
    std::optional<CaptureHit> readAt(QPoint at, std::int64_t pid);

private:
    bool ready_ = false;
    void* context_ = nullptr;  // GMainContext*, kept out of this header with GLib
};

// Cuts a long line to at most `width` characters around `index`, moving the index with it.
CaptureHit trimmedAround(const QString& line, int index, const QString& backend, int width = 80);

}  // namespace tessivo::platform
