#include "command_line.h"

#include "app/state/main_controller.h"
#include "app/text_command_line.h"
#include "app/window/main_window.h"
#include "app/window/radical_panel.h"
#include "lookup/panel_geometry.h"
#include "platform/printer.h"
#include "platform/screen_reader.h"
#include "tables/reference_tables.h"
#include "windows/chart_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include <cstdio>

namespace tessivo {
namespace {

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

int runCommandLine(const QStringList& arguments) {
    return runCommandLine(arguments, [] () -> const tables::ReferenceTables& { return tables::ReferenceTables::embedded(); });
}

namespace {

// The modes that draw from the record files: the panels as a picture, the widget map.
int runDrawingWithRecordFiles(const CommandLine& command, const tables::ReferenceTables& tables) {
    const std::unique_ptr<MainController> controller = openController(command.dataDir, tables);
    if (!controller) return 1;
    if (command.mode == u"--widget-map") {
        printLine(widgetMap(*controller));
        return 0;
    }
    controller->typeCharacter(command.operands[0]);
    QString problem;
    const QString& path = command.operands[1];
    if (!writePng(renderPanels(controller->view().code()), path, &problem)) {
        printLine(QStringLiteral("tessivo: cannot write %1: %2").arg(path, problem), stderr);
        return 1;
    }
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
    const std::unique_ptr<platform::ScreenReader> reader =
        platform::loadScreenReader(platform::AccessibleText | platform::ScreenText);
    if (!reader->unavailableReason().isEmpty()) {
        printLine(QStringLiteral("tessivo: %1").arg(reader->unavailableReason()), stderr);
        return 1;
    }
    QJsonObject out;
    out[QStringLiteral("x")] = x;
    out[QStringLiteral("y")] = y;
    const auto hit = reader->captureAt(QPoint(x, y));
    out[QStringLiteral("backend")] = hit ? hit->backend : QString();
    out[QStringLiteral("line")] = hit ? hit->line : QString();
    out[QStringLiteral("index")] = hit ? hit->index : -1;
    const QList<uint> chars = hit ? hit->line.toUcs4() : QList<uint>();
    out[QStringLiteral("character")] =
        hit && hit->index < chars.size() ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&chars[hit->index]), 1) : QString();
    printLine(QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact)));
    return 0;
}

}  // namespace

int runCommandLine(const QStringList& arguments, const TablesProvider& tablesProvider) {
    const auto parsed = parseCommandLine(arguments);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const CommandLine& command = std::get<CommandLine>(parsed);
    if (command.mode.isEmpty()) return -1;
    if (isTextMode(command.mode)) return runTextMode(command, tablesProvider);
    if (command.mode == u"--print-chart") return printChart();
    if (command.mode == u"--capture-at") return runCaptureAt(command.operands[0]);
    const tables::ReferenceTables* tables = tablesOrMessage(tablesProvider);
    if (!tables) return 1;
    return runDrawingWithRecordFiles(command, *tables);
}

}  // namespace tessivo
