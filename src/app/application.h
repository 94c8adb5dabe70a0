#pragma once

#include "app/state/skin.h"
#include "app/state/startup.h"

#include <QString>

#include <memory>

namespace tessivo {

class MainController;
class MainWindow;
class RecordFilesAhead;
class SkinChoice;
class SkinMenuForm;
class ScreenLookup;
class WindowShell;
namespace platform { class SingleInstance; }

// A run of the program with its window: start-up in order, the event loop, shutdown in order.
class Application {
public:
    explicit Application(ProgramFolders folders);
    ~Application();

    // Start-up: skin, single-copy check, main window, record files. Returns false when the run
    // must end at once; exitCode() then tells how (0 for a second copy, 1 for an error that
    // has been reported). Record files being opened `ahead` are taken when they are of the
    // program folder.
    bool start(RecordFilesAhead* ahead = nullptr);
    int exitCode() const { return exitCode_; }
    MainWindow* window() const { return window_.get(); }
    const Skin& skin() const { return skin_; }

    // Shutdown steps after the window closed. `timeText` is the time of day as text.
    ExitPage shutdown(const QString& timeText);

private:
    void connectSecondaryWindows();
    void registerSettings();

    ProgramFolders folders_;
    Skin skin_;
    std::unique_ptr<platform::SingleInstance> instance_;
    std::unique_ptr<MainController> controller_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<ScreenLookup> screenLookup_;
    std::unique_ptr<WindowShell> windows_;
    std::unique_ptr<SkinChoice> skinChoice_;
    std::unique_ptr<SkinMenuForm> skinMenu_;  // loaded before the skin, unloaded at exit
    int exitCode_ = 0;
};

}  // namespace tessivo
