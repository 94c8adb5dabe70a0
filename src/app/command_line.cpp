#include "command_line.h"

#include "app/key_pictures.h"
#include "app/main_controller.h"
#include "app/radical_panel.h"
#include "pinyin/pinyin_lookup.h"
#include "strokes/stroke_lookup.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include <cstdio>

namespace tessivo {
namespace {

void printLine(const QString& text, FILE* stream = stdout) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

int usageError(const QString& problem) {
    printLine(QStringLiteral("tessivo: %1").arg(problem), stderr);
    printLine(usageText(), stderr);
    return 2;
}

QString panelWord(const Panel& panel) {
    switch (panel.kind) {
    case Panel::Kind::Empty: return QStringLiteral("empty");
    case Panel::Kind::Drawing: return QStringLiteral("drawing");
    case Panel::Kind::FontFallback: return QStringLiteral("font");
    case Panel::Kind::IdentKey: return QStringLiteral("key:%1").arg(panel.keyLetter);
    }
    return {};
}

QJsonObject lookupJson(MainController& controller, const tables::ReferenceTables& tables, const QString& text) {
    controller.text5Changed(text);
    const CodeDisplayState& code = controller.codeDisplay();
    const CharCodeRecord& record = controller.codeLookup().search().record();
    const bool found = controller.codeLookup().search().charFound();
    QJsonObject out;
    out[QStringLiteral("char")] = text.trimmed().isEmpty() ? QString() : firstCharacter(text);
    out[QStringLiteral("found")] = found;
    QJsonArray codes;
    if (found) {
        for (const QString& c : {record.code1, record.code2, record.code3}) codes.append(c.trimmed());
    }
    out[QStringLiteral("codes")] = codes;
    out[QStringLiteral("code_line")] = code.codeLine;
    QJsonArray phrases;
    for (const QString& w : controller.text1().split(u' ', Qt::SkipEmptyParts)) phrases.append(w);
    out[QStringLiteral("phrases")] = phrases;
    out[QStringLiteral("pages")] = controller.phrasePages().pageCount;
    QJsonArray panels;
    for (const Panel& p : code.panels) panels.append(panelWord(p));
    out[QStringLiteral("panels")] = panels;
    out[QStringLiteral("pinyin")] = pinyin::readingOf(tables, text);
    return out;
}

QImage renderPanels(const CodeDisplayState& code) {
    constexpr int gap = 4;
    QImage strip(4 * panel::WidthPixels + 3 * gap, panel::HeightPixels, QImage::Format_RGB32);
    strip.fill(QColor(224, 224, 224));
    QPainter p(&strip);
    for (int i = 0; i < 4; ++i) p.drawImage(i * (panel::WidthPixels + gap), 0, RadicalPanel::render(code.panels[i]));
    return strip;
}

}  // namespace

QString usageText() {
    return QStringLiteral(
        "usage: tessivo                              open the window\n"
        "       tessivo --lookup TEXT               look up the first character of TEXT, print JSON\n"
        "       tessivo --render TEXT FILE.png      write the four radical panels of TEXT\n"
        "       tessivo --pinyin READING            list the characters of a toneless reading\n"
        "       tessivo --strokes CODE              list the characters of a five-digit stroke code\n"
        "options: --data-dir DIR                    read wwbb11.dat, wwbb11cz.dat and bmp/ from DIR");
}

int runCommandLine(const QStringList& arguments) {
    QStringList args = arguments.mid(1);
    QString dataDir = QCoreApplication::applicationDirPath();
    const qsizetype dd = args.indexOf(QStringLiteral("--data-dir"));
    if (dd >= 0) {
        if (dd + 1 >= args.size()) return usageError(QStringLiteral("--data-dir needs a folder"));
        dataDir = args[dd + 1];
        args.remove(dd, 2);
    }
    if (args.isEmpty()) return dd >= 0 ? usageError(QStringLiteral("--data-dir goes with a mode")) : -1;
    const QString mode = args[0];
    const auto need = [&](int n) { return args.size() == n + 1; };

    if (mode == u"--help" || mode == u"-h") {
        printLine(usageText());
        return 0;
    }
    if (mode != u"--lookup" && mode != u"--render" && mode != u"--pinyin" && mode != u"--strokes")
        return usageError(QStringLiteral("unknown option %1").arg(mode));
    if ((mode == u"--render" && !need(2)) || (mode != u"--render" && !need(1)))
        return usageError(QStringLiteral("wrong number of arguments for %1").arg(mode));

    const tables::ReferenceTables& tables = tables::ReferenceTables::embedded();
    if (mode == u"--pinyin") {
        const auto list = pinyin::listForReading(tables, args[1]);
        if (!list) return usageError(QStringLiteral("\"%1\" is not a toneless reading").arg(args[1]));
        printLine(*list);
        return 0;
    }
    if (mode == u"--strokes") {
        const auto list = strokes::listForStrokeCode(tables, args[1]);
        if (!list) return usageError(QStringLiteral("\"%1\" is not a stroke code (five digits 0-5, first not 0)").arg(args[1]));
        printLine(*list);
        return 0;
    }

    MainController controller(tables, embeddedKeyPictures());
    QString error;
    if (!controller.open(dataDir, &error)) {
        printLine(QStringLiteral("tessivo: %1").arg(error), stderr);
        return 1;
    }
    const QJsonObject result = lookupJson(controller, tables, args[1]);
    if (mode == u"--lookup") {
        printLine(QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)));
        return 0;
    }
    const QImage strip = renderPanels(controller.codeDisplay());
    if (!strip.save(args[2], "PNG")) {
        printLine(QStringLiteral("tessivo: cannot write %1").arg(args[2]), stderr);
        return 1;
    }
    return 0;
}

}  // namespace tessivo
