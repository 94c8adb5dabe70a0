#include "app/state/settings_files.h"

#include "platform/gbk_codec.h"
#include "platform/text_number.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tessivo::settings {

QString firstField(const QString& firstLine) {
    qsizetype i = 0;
    while (i < firstLine.size() && (firstLine[i] == u' ' || firstLine[i] == u'\t')) ++i;
    const QStringView rest = QStringView(firstLine).mid(i);
    if (rest.startsWith(u'"')) {
        const qsizetype close = rest.indexOf(u'"', 1);
        return (close < 0 ? rest.mid(1) : rest.mid(1, close - 1)).toString();
    }
    const qsizetype comma = rest.indexOf(u',');
    return (comma < 0 ? rest : rest.first(comma)).toString().trimmed();
}

std::optional<QString> readFirstField(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.readAll();
    const qsizetype eol = bytes.indexOf('\n');
    if (eol >= 0) bytes.truncate(eol);
    if (bytes.endsWith('\r')) bytes.chop(1);
    // A line that is not valid GBK is read as far as it goes: a damaged settings file must not
    // stop the program.
    const auto text = gbk::decode(bytes);
    return firstField(text ? *text : gbk::decodeLenient(bytes));
}

bool writeSingleLine(const QString& path, const QString& line, QString* error) {
    const auto bytes = gbk::encode(line);
    if (!bytes) {
        if (error) *error = QStringLiteral("\"%1\" cannot be stored in GBK").arg(line);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes + "\r\n") != bytes->size() + 2 || !file.commit()) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool ensureExists(const QString& path, const QString& line, QString* error) {
    if (QFileInfo::exists(path)) return true;
    return writeSingleLine(path, line, error);
}

CounterStep advanceCounter(const QString& field) {
    QString s = field;
    if (leadingNumber(s) < 0) s = QStringLiteral("100");
    const QString next = QString::number(leadingNumber(s) + 1);
    return {next, leadingNumber(next) > 30 && next.endsWith(u'5')};
}

bool opensOnlineLookupPage(const QString& timeText) {
    if (timeText.isEmpty()) return false;
    const QChar last = timeText.back();
    return last.unicode() >= u'0' && last.unicode() <= u'9' && last.unicode() - u'0' > 5;
}

}  // namespace tessivo::settings
