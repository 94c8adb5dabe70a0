#include "platform/accessibility.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>

namespace tessivo::platform {

QString switchOnAccessibility() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return QStringLiteral("没有 D-Bus 会话总线");
    // Any call to the bus's name starts it when it is installed but not running.
    QDBusInterface status(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                          QStringLiteral("org.freedesktop.DBus.Properties"), bus);
    const QDBusReply<QDBusVariant> enabled =
        status.call(QStringLiteral("Get"), QStringLiteral("org.a11y.Status"), QStringLiteral("IsEnabled"));
    if (!enabled.isValid()) return QStringLiteral("辅助功能总线无法启动（%1）").arg(enabled.error().message());
    if (enabled.value().variant().toBool()) return {};
    const QDBusMessage set = status.call(QStringLiteral("Set"), QStringLiteral("org.a11y.Status"),
                                         QStringLiteral("IsEnabled"), QVariant::fromValue(QDBusVariant(true)));
    if (set.type() == QDBusMessage::ErrorMessage) return QStringLiteral("辅助功能无法打开（%1）").arg(set.errorMessage());
    return {};
}

}  // namespace tessivo::platform
