#include "app/text_command_line.h"

#include "app/state/key_pictures.h"
#include "app/state/main_controller.h"
#include "pinyin/pinyin_lookup.h"
#include "strokes/stroke_lookup.h"
#include "tables/reference_tables.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tessivo {

namespace {

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

// How many operands a mode takes; -1 for an unknown mode.
int operandsOf(const QString& mode) {
    if (mode == u"--lookup" || mode == u"--pinyin" || mode == u"--strokes" || mode == u"--capture-at") return 1;
    if (mode == u"--render") return 2;
    if (mode == u"--widget-map" || mode == u"--print-chart") return 0;
    return -1;
}

const tables::ReferenceTables& embeddedTables() { return tables::ReferenceTables::embedded(); }

}  // namespace

void printLine(const QString& text, FILE* stream) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fputc('\n', stream);
}

int usageError(const QString& problem) {
    printLine(QStringLiteral("tessivo: %1").arg(problem), stderr);
    printLine(usageText(), stderr);
    return 2;
}

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

std::variant<CommandLine, int> parseCommandLine(const QStringList& arguments) {
    QStringList args = arguments.mid(1);
    CommandLine command;
    command.dataDir = QCoreApplication::applicationDirPath();
    const qsizetype dd = args.indexOf(QStringLiteral("--data-dir"));
    if (dd >= 0) {
        if (dd + 1 >= args.size()) return usageError(QStringLiteral("--data-dir needs a folder"));
        command.dataDir = args[dd + 1];
        args.remove(dd, 2);
    }
    if (args.isEmpty()) {
        if (dd >= 0) return usageError(QStringLiteral("--data-dir goes with a mode"));
        return command;
    }
    command.mode = args[0];
    if (command.mode == u"--help" || command.mode == u"-h") {
        printLine(usageText());
        return 0;
    }
    const int operands = operandsOf(command.mode);
    if (operands < 0) return usageError(QStringLiteral("unknown option %1").arg(command.mode));
    if (args.size() != operands + 1) return usageError(QStringLiteral("wrong number of arguments for %1").arg(command.mode));
    command.operands = args.mid(1);
    return command;
}

bool isTextMode(const QString& mode) { return mode == u"--lookup" || mode == u"--pinyin" || mode == u"--strokes"; }

const tables::ReferenceTables* tablesOrMessage(const TablesProvider& tablesProvider) {
    try {
        return &tablesProvider();
    } catch (const std::exception& e) {
        printLine(QStringLiteral("tessivo: the built-in tables cannot be read: %1").arg(QString::fromUtf8(e.what())), stderr);
        return nullptr;
    }
}

std::unique_ptr<MainController> openController(const QString& dataDir, const tables::ReferenceTables& tables) {
    return openController(RecordFiles::open(dataDir), tables);
}

std::unique_ptr<MainController> openController(RecordFiles files, const tables::ReferenceTables& tables) {
    auto controller = std::make_unique<MainController>(tables, embeddedKeyPictures());
    QString error;
    if (!controller->open(std::move(files), &error)) {
        printLine(QStringLiteral("tessivo: %1").arg(error), stderr);
        return nullptr;
    }
    return controller;
}

int runTextMode(const CommandLine& command, const TablesProvider& tablesProvider) {
    if (command.mode != u"--lookup") {
        const tables::ReferenceTables* tables = tablesOrMessage(tablesProvider);
        return tables ? runTableSearch(command.mode, command.operands[0], *tables) : 1;
    }
    // The record files are checked while the tables are unpacked.
    RecordFilesAhead files(command.dataDir);
    const tables::ReferenceTables* tables = tablesOrMessage(tablesProvider);
    if (!tables) return 1;
    const std::unique_ptr<MainController> controller = openController(files.take(), *tables);
    if (!controller) return 1;
    const QJsonObject result = lookupJson(*controller, *tables, command.operands[0]);
    printLine(QString::fromUtf8(QJsonDocument(result).toJson(QJsonDocument::Compact)));
    return 0;
}

int runTextCommandLine(const QStringList& arguments) {
    const auto parsed = parseCommandLine(arguments);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const CommandLine& command = std::get<CommandLine>(parsed);
    if (!isTextMode(command.mode)) return -1;
    return runTextMode(command, embeddedTables);
}

}  // namespace tessivo
