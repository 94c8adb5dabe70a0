#include "app/state/settings_files.h"

#include "platform/gbk_codec.h"
#include "platform/text_number.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

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

std::optional<QString> fieldText(const QString& value) {
    if (value.contains(u'\n') || value.contains(u'\r')) return std::nullopt;
    if (firstField(value) == value) return value;
    const QString quoted = u'"' + value + u'"';
    if (firstField(quoted) == value) return quoted;
    return std::nullopt;
}

bool isSkinFileName(const QString& name) {
    if (name.contains(u'/') || name.contains(QStringLiteral(".."))) return false;
    if (!name.endsWith(QStringLiteral(".urf"), Qt::CaseInsensitive)) return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
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
    const QByteArray content = *bytes + "\r\n";
    QSaveFile file(path);
    // Unbuffered: a write that fails (full disk) fails here, with its count short, instead of
    // in a flush inside commit(), whose failure some Qt versions do not report. Then the old
    // file would be replaced by an empty or cut one.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         file.write(content) == content.size() && file.flush() && file.error() == QFileDevice::NoError;
    // Without a commit the temporary file is discarded and the old file stays.
    if (!written || !file.commit()) {
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
