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
    if (!enabled.value().variant().toBool()) {
        const QDBusMessage set = status.call(QStringLiteral("Set"), QStringLiteral("org.a11y.Status"),
                                             QStringLiteral("IsEnabled"), QVariant::fromValue(QDBusVariant(true)));
        if (set.type() == QDBusMessage::ErrorMessage) return QStringLiteral("辅助功能无法打开（%1）").arg(set.errorMessage());
    }
    return pinAccessibilityBus(bus);
}

QString pinAccessibilityBus(const QDBusConnection& session) {
    // The accessibility library looks for its bus in the X server's root window first, where a
    // bus that has gone away can leave its address behind; it aborts the program when it cannot
    // connect there. Ask the running bus for its address, check that it answers, and hand the
    // library that address.
    QDBusInterface launcher(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"), QStringLiteral("org.a11y.Bus"),
                            session);
    const QDBusReply<QString> address = launcher.call(QStringLiteral("GetAddress"));
    if (!address.isValid() || address.value().isEmpty())
        return QStringLiteral("辅助功能总线没有地址（%1）").arg(address.error().message());
    const QString probeName = QStringLiteral("tessivo-accessibility-probe");
    const bool reachable = QDBusConnection::connectToBus(address.value(), probeName).isConnected();
    QDBusConnection::disconnectFromBus(probeName);
    if (!reachable) return QStringLiteral("辅助功能总线无法连接（%1）").arg(address.value());
    qputenv("AT_SPI_BUS_ADDRESS", address.value().toUtf8());
    return {};
}

}  // namespace tessivo::platform
