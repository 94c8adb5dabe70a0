#pragma once

#include <QStringList>

#include <cstdio>
#include <functional>
#include <memory>
#include <variant>

// The command line's parsing and its text modes (lookups and reverse searches). QtCore only: the
// program runs these without loading the window's libraries.
namespace tessivo {

class MainController;
struct RecordFiles;
namespace tables { class ReferenceTables; }
using TablesProvider = std::function<const tables::ReferenceTables&()>;

// A command line taken apart.
struct CommandLine {
    QString mode;  // empty: open the window
    QStringList operands;
    QString dataDir;  // where wwbb11.dat, wwbb11cz.dat and bmp/ are read
};

// Parses `arguments` (the program's name first). Bad arguments print the problem and the usage
// and give the exit status 2; --help prints the usage and gives 0.
std::variant<CommandLine, int> parseCommandLine(const QStringList& arguments);

// The modes that print text: --lookup, --pinyin, --strokes.
bool isTextMode(const QString& mode);
int runTextMode(const CommandLine& command, const TablesProvider& tables);
// The whole command line when it asks for a text mode; -1 when it asks for the window or a mode
// that draws.
int runTextCommandLine(const QStringList& arguments);

// The tables, or a message and nullptr when the built-in tables are damaged.
const tables::ReferenceTables* tablesOrMessage(const TablesProvider& tables);
// The controller over the record files in `dataDir`, or a message and nullptr.
std::unique_ptr<MainController> openController(const QString& dataDir, const tables::ReferenceTables& tables);
// The same over files opened elsewhere.
std::unique_ptr<MainController> openController(RecordFiles files, const tables::ReferenceTables& tables);

void printLine(const QString& text, FILE* stream = stdout);
int usageError(const QString& problem);
// The usage text printed for bad arguments.
QString usageText();

}  // namespace tessivo
