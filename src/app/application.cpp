#include "app/application.h"

#include "app/state/key_pictures.h"
#include "app/state/links.h"
#include "app/screen_lookup.h"
#include "app/state/main_controller.h"
#include "app/widget_dump.h"
#include "app/window/main_window.h"
#include "platform/desktop.h"
#include "platform/shell.h"
#include "platform/skin_engine.h"
#include "windows/settings_window.h"
#include "windows/skin_choice.h"
#include "windows/chart_window.h"
#include "windows/info_windows.h"
#include "windows/window_shell.h"

#include <QIcon>
#include <QMessageBox>

namespace tessivo {

Application::Application(ProgramFolders folders) : folders_(std::move(folders)) {}

Application::~Application() = default;

bool Application::start(RecordFilesAhead* ahead) {
    const SkinStarter engine = [](const QString& path, int mode) { return platform::SkinEngine::start(path, mode); };
    skinChoice_ = std::make_unique<SkinChoice>(skin_, folders_.program, engine);
    skinMenu_ = std::make_unique<SkinMenuForm>(*skinChoice_);
    skin_.set(startSkin(folders_, engine));

    // One copy per settings folder: a second copy ends silently, before it opens or writes
    // anything else.
    instance_ = std::make_unique<platform::SingleInstance>(folders_.settings, QStringLiteral("tessivo"));
    if (!instance_->acquired()) {
        exitCode_ = 0;
        return false;
    }
    removeStaleSaveFiles(folders_);

    const tables::ReferenceTables* tables = nullptr;
    try {
        tables = &tables::ReferenceTables::embedded();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral(" Tessivo"), QString::fromUtf8(e.what()));
        exitCode_ = 1;
        return false;
    }
    controller_ = std::make_unique<MainController>(*tables, embeddedKeyPictures());
    QString error;
    const bool opened = ahead && ahead->folder() == folders_.program ? controller_->open(ahead->take(), &error)
                                                                     : controller_->open(folders_.program, &error);
    if (!opened) {
        QMessageBox::critical(nullptr, QStringLiteral(" Tessivo"), error);
        exitCode_ = 1;
        return false;
    }
    screenLookup_ = std::make_unique<ScreenLookup>(*controller_);
    screenLookup_->start();
    window_ = std::make_unique<MainWindow>(*controller_, skin_, nullptr, MainWindow::Build::ShownFirst);
    QObject::connect(window_.get(), &MainWindow::codeRowHovered, [lookup = screenLookup_.get()] { lookup->codeRowHovered(); });
    connectSecondaryWindows();
    if (const QString dumpPath = qEnvironmentVariable("TESSIVO_WIDGET_DUMP"); !dumpPath.isEmpty())
        installWidgetDump(*controller_, window_.get(), dumpPath);
    window_->show();
    platform::makeTopmost(window_.get());
    return true;
}

void Application::connectSecondaryWindows() {
    // The windows register their factories with the shell as they are built; a button whose
    // window is not there yet only moves the focus.
    windows_ = std::make_unique<WindowShell>();
    WindowShell* shell = windows_.get();
    shell->setFactory(SecondaryWindow::RadicalChart, [] { return ChartWindow::create(); });
    // About and Help carry the main window's icon; the chart has its own.
    const QIcon icon = window_->windowIcon();
    shell->setFactory(SecondaryWindow::About, [icon] {
        auto* w = new AboutWindow;
        w->setWindowIcon(icon);
        return w;
    });
    shell->setFactory(SecondaryWindow::Help, [icon] {
        auto* w = new HelpWindow;
        w->setWindowIcon(icon);
        return w;
    });
    QObject::connect(window_.get(), &MainWindow::settingsRequested, shell, [shell] { shell->open(SecondaryWindow::Settings); });
    QObject::connect(window_.get(), &MainWindow::chartRequested, shell, [shell] { shell->open(SecondaryWindow::RadicalChart); });
    QObject::connect(window_.get(), &MainWindow::aboutRequested, shell, [shell] { shell->open(SecondaryWindow::About); });
    QObject::connect(window_.get(), &MainWindow::helpRequested, shell, [shell] { shell->open(SecondaryWindow::Help); });
    registerSettings();
}

void Application::registerSettings() {
    MainWindow* main = window_.get();
    skinChoice_->setRefit({[main](bool on) { main->setFrameBorders(on); }, [main] { main->applySizeRule(); }});
    windows_->setFactory(SecondaryWindow::Settings, [this, main] {
        return new SettingsWindow(*controller_, skin_, *skinChoice_, main->windowIcon());
    });
}

ExitPage Application::shutdown(const QString& timeText) {
    screenLookup_.reset();
    if (controller_) controller_->close();
    skinMenu_.reset();
    windows_.reset();
    QStringList errors;
    const ExitPage page = writeExitSettings(folders_, skin_.fileName(), timeText, &errors);
    for (const QString& e : errors) qWarning("tessivo: %s", qPrintable(e));
    if (!errors.isEmpty()) {
        // Said once, in words: the next start would otherwise silently use the old settings.
        QMessageBox::warning(nullptr, QStringLiteral(" Tessivo"),
                             QStringLiteral("设置未能保存（可能是磁盘已满或没有写入权限），下次启动时仍使用原来的设置。\n\n") +
                                 errors.join(u'\n'));
    }
    if (page == ExitPage::OnlineLookup) platform::openUrl(links::onlineLookupPage());
    if (page == ExitPage::Forum) platform::openUrl(links::forumPage());
    platform::SkinEngine::remove();
    return page;
}

}  // namespace tessivo
