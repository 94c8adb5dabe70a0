#include "desktop.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QLockFile>
#include <QWidget>

#include <memory>

#include <fontconfig/fontconfig.h>

#include <unistd.h>

namespace tessivo::platform {

struct SingleInstance::Impl {
    std::unique_ptr<QLockFile> lock;

    // QLockFile notices a lock whose owner process is gone and takes it over.
    bool tryLock(const QString& path) {
        lock = std::make_unique<QLockFile>(path);
        lock->setStaleLockTime(0);
        return lock->tryLock(0);
    }
};

SingleInstance::SingleInstance(const QString& folder, const QString& name) : impl_(new Impl) {
    // The lock lives beside the settings it protects, so every launch that would write them
    // sees it, whatever its environment (su, sudo, cron change the runtime folder).
    acquired_ = impl_->tryLock(QDir(folder).filePath(QStringLiteral(".%1.lock").arg(name)));
    if (acquired_ || impl_->lock->error() == QLockFile::LockFailedError) return;
    // The folder cannot hold a lock file (read-only, missing): settings cannot be written there
    // either, but still keep to one copy per user and folder.
    const QByteArray folderHash =
        QCryptographicHash::hash(QDir(folder).absolutePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString fallback = QStringLiteral("%1/%2-%3-%4.lock")
                                 .arg(QDir::tempPath(), name)
                                 .arg(::getuid())
                                 .arg(QString::fromLatin1(folderHash));
    acquired_ = impl_->tryLock(fallback);
    if (acquired_ || impl_->lock->error() == QLockFile::LockFailedError) return;
    // No lock file can be written anywhere (a full disk): run rather than refuse to start.
    acquired_ = true;
}

SingleInstance::~SingleInstance() { delete impl_; }

void makeTopmost(QWidget* window) {
    if (!window) return;
    if (!(window->windowFlags() & Qt::WindowStaysOnTopHint)) {
        // Changing the flags of a shown window hides it; show it again where it was.
        const bool visible = window->isVisible();
        const QPoint pos = window->pos();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        if (visible) {
            window->move(pos);
            window->show();
        }
    }
    if (window->isVisible()) window->raise();
}

QString installSongFace() {
    const QStringList song = {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                              QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), song);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), song);
    return song.front();
}

namespace {

// The Song face's bold weight is left out of the font list: bold labels are emboldened from the
// regular weight, as a desktop whose Song face has one weight draws them. A second weight of a
// CJK face costs 4 MB of memory and its loading at start-up.
const char* const songBoldLeftOut = R"(<?xml version="1.0"?>
<fontconfig>
  <selectfont><rejectfont><pattern>
    <patelt name="family"><string>Noto Serif CJK SC</string></patelt>
    <patelt name="weight"><const>bold</const></patelt>
  </pattern></rejectfont></selectfont>
</fontconfig>
)";

}  // namespace

void loadFontConfiguration() {
    FcConfig* config = FcInitLoadConfig();
    if (!config) return;  // Qt then starts fontconfig as it would without us
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(songBoldLeftOut), FcFalse) &&
        FcConfigBuildFonts(config))
        FcConfigSetCurrent(config);
    FcConfigDestroy(config);  // the current configuration holds its own reference
}

std::jthread loadFontConfigurationAhead() {
    return std::jthread(loadFontConfiguration);
}

std::jthread readFontListAhead(std::jthread& configuration) {
    // Two loads at once would each build the whole configuration; Qt's own start of fontconfig
    // finds it built.
    return std::jthread([&configuration] {
        if (configuration.joinable()) configuration.join();
        QFontDatabase::families();
    });
}

}  // namespace tessivo::platform
