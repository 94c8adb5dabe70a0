#include "desktop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>

#include <unistd.h>

namespace tessivo::platform {

struct SingleInstance::Impl {
    explicit Impl(const QString& path) : lock(path) {}
    QLockFile lock;
};

SingleInstance::SingleInstance(const QString& name) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    impl_ = new Impl(QDir(dir).filePath(QStringLiteral("%1-%2.lock").arg(name).arg(::getuid())));
    // QLockFile notices a lock whose owner process is gone and takes it over.
    impl_->lock.setStaleLockTime(0);
    acquired_ = impl_->lock.tryLock(0);
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

int SkinEngine::start(const QString& skinPath, int mode) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (mode != 2) {
        if (app) app->setStyleSheet(QString());
        return 1;
    }
    QFile file(skinPath);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QString sheet = QString::fromUtf8(file.readAll());
    if (sheet.trimmed().isEmpty()) return 0;
    if (app) app->setStyleSheet(sheet);
    return 1;
}

void SkinEngine::remove() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) app->setStyleSheet(QString());
}

}  // namespace tessivo::platform
