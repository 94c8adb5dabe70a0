#pragma once

#include <QString>

#include <thread>

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

// Loads fontconfig's configuration and font caches, the slowest part of the first text a program
// lays out, and makes it the current configuration. The Song face appears in its regular weight
// only: bold text is emboldened from it. Call before anything lays out text.
void loadFontConfiguration();
// The same on a thread of its own. Made before the QApplication, this overlaps the application's
// connection to the display.
std::jthread loadFontConfigurationAhead();

// Then reads Qt's font list on a thread of its own, once `configuration` is done, while the caller
// goes on with work that needs no fonts. The font database is thread-safe: a first use on the
// caller's thread waits for the reading to end. Call after the QApplication is made, from the
// thread that owns `configuration`; the thread returned must be joined before the application is
// destroyed.
std::jthread readFontListAhead(std::jthread& configuration);

}  // namespace tessivo::platform
