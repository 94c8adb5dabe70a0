// The command line: runCommandLine with arguments from the input (blank-separated words, or a
// known mode followed by fuzzed operands), on the offscreen platform, with the data of the
// build. The run happens in a scratch folder, and a picture is always written there under one
// name, so that no input makes the target write anywhere else.
#include "app/command_line.h"
#include "fuzz_input.h"

#include <QApplication>
#include <QDir>

namespace {

const char* const modes[] = {"--lookup", "--pinyin", "--strokes", "--render", "--widget-map", "--data-dir", "--help"};

}  // namespace

// Fontconfig keeps caches for the life of the process that the leak checker reports.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // --print-chart must find no printer: a scheduler that is not there has none.
    qputenv("CUPS_SERVER", "/nonexistent/tessivo-fuzz/cups.sock");
    static QApplication app(*argc, *argv);
    if (!QDir::setCurrent(tessivo::fuzz::scratchFolder())) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    QStringList arguments{QStringLiteral("tessivo")};
    const int count = in.byte() % 5;
    for (int i = 0; i < count && !in.empty(); ++i) {
        const std::uint8_t kind = in.byte();
        if (kind < 128) {
            arguments << QString::fromLatin1(modes[kind % std::size(modes)]);
        } else {
            arguments << in.text(24);
        }
    }
    // The folder option is taken out and put back at the end, so that the mode is first, as the
    // command line reads it; a picture then always goes to the scratch folder.
    QStringList folder;
    for (qsizetype dd; (dd = arguments.indexOf(QStringLiteral("--data-dir"), 1)) >= 0;) {
        folder = arguments.mid(dd, 2);
        arguments.remove(dd, folder.size());
    }
    if (arguments.size() >= 4 && arguments[1] == u"--render") arguments[3] = QStringLiteral("panels.png");
    arguments += folder;
    const int status = runCommandLine(arguments);
    if (status < -1 || status > 2) std::abort();
    return 0;
}
