#include "command_line.h"

#include "app/state/key_pictures.h"
#include "app/state/main_controller.h"
#include "app/window/main_window.h"
#include "app/window/radical_panel.h"
#include "lookup/panel_geometry.h"
#include "platform/capture_engine.h"
#include "pinyin/pinyin_lookup.h"
#include "platform/printer.h"
#include "strokes/stroke_lookup.h"
#include "windows/chart_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    controller.typeCharacter(text);
    const MainView view = controller.view();
    const CodeDisplayState& code = view.code();
    const bool found = view.characterFound();
    QJsonObject out;
    out[QStringLiteral("char")] = text.trimmed().isEmpty() ? QString() : firstCharacter(text);
    out[QStringLiteral("found")] = found;
    QJsonArray codes;
    if (found) {
        for (const QString& c : {view.record().code1, view.record().code2, view.record().code3}) codes.append(c.trimmed());
    }
    out[QStringLiteral("codes")] = codes;
    out[QStringLiteral("code_line")] = code.codeLine;
    QJsonArray phrases;
    for (const QString& w : view.phrases().words.split(u' ', Qt::SkipEmptyParts)) phrases.append(w);
    out[QStringLiteral("phrases")] = phrases;
    out[QStringLiteral("pages")] = view.phrases().pageCount;
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

// Encodes in memory, then writes unbuffered so that every failed write is seen: a buffered
// QImage::save reports success when the final flush fails (a full disk leaves an empty file).
bool writePng(const QImage& image, const QString& path, QString* problem) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        *problem = QStringLiteral("the picture could not be encoded");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        *problem = file.errorString();
        return false;
    }
    if (file.write(png) != png.size() || !file.flush()) {
        *problem = file.errorString();
        file.close();
        // Leave no partial picture behind; only a regular file is ever removed.
        if (QFileInfo(path).isFile()) QFile::remove(path);
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *problem = file.errorString();
        return false;
    }
    return true;
}

// Every named widget of the main window with its rectangle in the window's client area, one per
// line: name, left, top, width, height. Scripts drive the real window through these positions.
QString widgetMap(MainController& controller) {
    Skin noSkin;
    MainWindow window(controller, noSkin);
    QStringList lines;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_")) continue;
        const QPoint at = w->mapTo(&window, QPoint(0, 0));
        lines << QStringLiteral("%1 %2 %3 %4 %5").arg(w->objectName()).arg(at.x()).arg(at.y()).arg(w->width()).arg(w->height());
    }
    return lines.join(u'\n');
}

}  // namespace

QString usageText() {
    return QStringLiteral(
        "usage: tessivo                              open the window\n"
        "       tessivo --lookup TEXT               look up the first character of TEXT, print JSON\n"
        "       tessivo --render TEXT FILE.png      write the four radical panels of TEXT\n"
        "       tessivo --pinyin READING            list the characters of a toneless reading\n"
        "       tessivo --strokes CODE              list the characters of a five-digit stroke code\n"
        "       tessivo --widget-map                print the main window's widgets and their positions\n"
        "       tessivo --print-chart               print the radical chart on the default printer (no question asked)\n"
        "       tessivo --capture-at X,Y            print what screen lookup reads at that screen point, as JSON\n"
        "options: --data-dir DIR                    read wwbb11.dat, wwbb11cz.dat and bmp/ from DIR");
}

int runCommandLine(const QStringList& arguments) {
    return runCommandLine(arguments, [] () -> const tables::ReferenceTables& { return tables::ReferenceTables::embedded(); });
}

namespace {

// The modes that read the record files: one lookup, the panels as a picture, the widget map.
int runWithRecordFiles(const QString& mode, const QStringList& args, const QString& dataDir,
                       const tables::ReferenceTables& tables) {
    MainController controller(tables, embeddedKeyPictures());
    QString error;
    if (!controller.open(dataDir, &error)) {
        printLine(QStringLiteral("tessivo: %1").arg(error), stderr);
        return 1;
    }
    if (mode == u"--widget-map") {
        printLine(widgetMap(controller));
        return 0;
    }
    const QJsonObject result = lookupJson(controller, tables, args[1]);
    if (mode == u"--lookup") {
        printLine(QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)));
        return 0;
    }
    QString problem;
    if (!writePng(renderPanels(controller.view().code()), args[2], &problem)) {
        printLine(QStringLiteral("tessivo: cannot write %1: %2").arg(args[2], problem), stderr);
        return 1;
    }
    return 0;
}

// The reverse searches need only the built-in tables.
int runTableSearch(const QString& mode, const QString& operand, const tables::ReferenceTables& tables) {
    if (mode == u"--pinyin") {
        const auto list = pinyin::listForReading(tables, operand);
        if (!list) return usageError(QStringLiteral("\"%1\" is not a toneless reading").arg(operand));
        printLine(*list);
        return 0;
    }
    const auto list = strokes::listForStrokeCode(tables, operand);
    if (!list) return usageError(QStringLiteral("\"%1\" is not a stroke code (five digits 0-5, first not 0)").arg(operand));
    printLine(*list);
    return 0;
}

// The radical chart on one page of the default printer, as the chart window's print button
// prints it.
int printChart() {
    QString problem;
    const std::unique_ptr<platform::PagePrinter> printer = platform::defaultPrinter();
    if (!chart::printChart(*printer, &problem)) {
        printLine(QStringLiteral("tessivo: the radical chart was not printed: %1").arg(problem), stderr);
        return 1;
    }
    return 0;
}

// What the capture reads at one screen point, with the same backends as the window.
int runCaptureAt(const QString& operand) {
    const QStringList xy = operand.split(u',');
    bool okX = false, okY = false;
    const int x = xy.size() == 2 ? xy[0].trimmed().toInt(&okX) : 0;
    const int y = xy.size() == 2 ? xy[1].trimmed().toInt(&okY) : 0;
    if (!okX || !okY) return usageError(QStringLiteral("\"%1\" is not a screen point X,Y").arg(operand));
    platform::CaptureEngine engine;
    if (!engine.unavailableReason().isEmpty()) {
        printLine(QStringLiteral("tessivo: %1").arg(engine.unavailableReason()), stderr);
        return 1;
    }
    QJsonObject out;
    out[QStringLiteral("x")] = x;
    out[QStringLiteral("y")] = y;
    const auto hit = engine.captureAt(QPoint(x, y));
    out[QStringLiteral("backend")] = hit ? hit->backend : QString();
    out[QStringLiteral("line")] = hit ? hit->line : QString();
    out[QStringLiteral("index")] = hit ? hit->index : -1;
    const QList<uint> chars = hit ? hit->line.toUcs4() : QList<uint>();
    out[QStringLiteral("character")] =
        hit && hit->index < chars.size() ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&chars[hit->index]), 1) : QString();
    printLine(QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact)));
    return 0;
}

// How many operands a mode takes; -1 for an unknown mode.
int operandsOf(const QString& mode) {
    if (mode == u"--lookup" || mode == u"--pinyin" || mode == u"--strokes" || mode == u"--capture-at") return 1;
    if (mode == u"--render") return 2;
    if (mode == u"--widget-map" || mode == u"--print-chart") return 0;
    return -1;
}

}  // namespace

int runCommandLine(const QStringList& arguments, const TablesProvider& tablesProvider) {
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
    if (mode == u"--help" || mode == u"-h") {
        printLine(usageText());
        return 0;
    }
    const int operands = operandsOf(mode);
    if (operands < 0) return usageError(QStringLiteral("unknown option %1").arg(mode));
    if (args.size() != operands + 1) return usageError(QStringLiteral("wrong number of arguments for %1").arg(mode));

    if (mode == u"--print-chart") return printChart();
    if (mode == u"--capture-at") return runCaptureAt(args[1]);

    const tables::ReferenceTables* tables = nullptr;
    try {
        tables = &tablesProvider();
    } catch (const std::exception& e) {
        printLine(QStringLiteral("tessivo: the built-in tables cannot be read: %1").arg(QString::fromUtf8(e.what())), stderr);
        return 1;
    }
    if (mode == u"--pinyin" || mode == u"--strokes") return runTableSearch(mode, args[1], *tables);
    return runWithRecordFiles(mode, args, dataDir, *tables);
}

}  // namespace tessivo
