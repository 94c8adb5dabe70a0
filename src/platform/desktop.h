#pragma once

#include <QString>

class QWidget;

// Desktop services the main window needs: one copy per user, windows above all others, the
// Song-style Chinese face. The skin engine is in skin_engine.h.
namespace tessivo::platform {

// Holds a lock in `folder` (the settings folder) for the life of the object. acquired() is
// false when another copy of the program holds it (a lock left by a crashed copy is taken over).
// When no lock can be written at all (a full disk), acquired() is true: the program still runs.
class SingleInstance {
public:
    SingleInstance(const QString& folder, const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    bool acquired() const { return acquired_; }

private:
    struct Impl;
    Impl* impl_;
    bool acquired_ = false;
};

// Keeps `window` above all non-topmost windows. Safe to call repeatedly (on every activation);
// it changes neither position nor size.
void makeTopmost(QWidget* window);

// Maps "宋体" and "SimSun" to a Simplified-Chinese Song face, so that Chinese text never falls
// back to Japanese glyph forms. Returns the family used.
QString installSongFace();

}  // namespace tessivo::platform
