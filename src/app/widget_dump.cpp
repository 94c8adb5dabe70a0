#include "app/widget_dump.h"

#include "app/state/main_controller.h"

#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QWidget>

namespace tessivo {

namespace {

void dump(QWidget* window, const QString& path) {
    QString text;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_")) continue;
        if (const auto* label = qobject_cast<const QLabel*>(w)) text += w->objectName() + u'\t' + label->text() + u'\n';
        if (const auto* box = qobject_cast<const QLineEdit*>(w)) text += w->objectName() + u'\t' + box->text() + u'\n';
    }
    // Written whole and renamed, so a reader never sees half a dump.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toUtf8());
        file.commit();
    }
}

}  // namespace

void installWidgetDump(MainController& controller, QWidget* window, const QString& path) {
    // Queued: the window redraws its widgets on the same change first.
    QObject::connect(&controller, &MainController::changed, window, [window, path] { dump(window, path); }, Qt::QueuedConnection);
    dump(window, path);
}

}  // namespace tessivo
