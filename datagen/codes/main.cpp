// tessivo-datagen-codes: writes wwbb11.dat (character codes) and wwbb11cz.dat (two-character
// words) from the installed Wubi table and word lists.
#include "codes/generator.h"
#include "common/common.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    using namespace tessivo::datagen;
    return runTool("tessivo-datagen-codes", [&] {
        QElapsedTimer timer;
        timer.start();
        const CodesOptions options = parseCodesArguments(app.arguments().mid(1));
        const CodesOutput output = runCodes(options);
        std::printf("wwbb11.dat: %d character records (%d with three panels, %d with fill points)\n",
                    output.characters, output.threePanelCharacters, output.filledCharacters);
        std::printf("wwbb11cz.dat: %d words from %d confirmed candidates, %d first characters, at most %d per character\n",
                    static_cast<int>(output.selection.words.size()), output.selection.candidates,
                    output.selection.firstCharacters, output.selection.cap);
        std::printf("done in %lld ms\n", static_cast<long long>(timer.elapsed()));
        return 0;
    });
}
