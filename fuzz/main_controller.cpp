// The main window's state: the controller over the real data files of the build, driven by a
// sequence of user actions decoded from the input (typing, clicks in the boxes, the choosers,
// the page and expand buttons, hand-overs). Every action must leave a state the window can show.
#include "app/state/key_pictures.h"
#include "app/state/main_controller.h"
#include "fuzz_input.h"
#include "pinyin/pinyin_lookup.h"
#include "strokes/stroke_lookup.h"

#include <QCoreApplication>

namespace {

tessivo::MainController* controller = nullptr;

QString chooserItem(tessivo::fuzz::FuzzInput& in) {
    const QStringList& items = tessivo::pinyin::readingChooserItems();
    return items[in.intIn(0, static_cast<int>(items.size()) - 1)];
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    using namespace tessivo;
    controller = new MainController(tables::ReferenceTables::embedded(), embeddedKeyPictures());
    QString error;
    // The fuzz targets live in the program's folder of the build, beside the data files.
    if (!controller->open(QCoreApplication::applicationDirPath(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    // One controller for the whole run, as in the window: state carries over between inputs.
    MainController& c = *controller;
    for (int steps = 0; !in.empty() && steps < 64; ++steps) {
        switch (in.byte() % 11) {
        case 0: c.typeCharacter(in.text(8)); break;
        case 1: {
            const QString box = in.text(16);
            c.pickCharacterAt(box, in.intIn(-1, static_cast<int>(box.size()) + 1));
            break;
        }
        case 2: c.editResultList(in.text(24)); break;
        case 3: c.chooseReading(in.text(8), in.byte() % 2 ? ChooserAction::Typed : ChooserAction::Picked); break;
        case 4: c.chooseReading(chooserItem(in), in.byte() % 2 ? ChooserAction::Typed : ChooserAction::Picked); break;
        case 5: {
            std::array<QString, 5> texts;
            for (int k = 0; k < 5; ++k) {
                const QStringList items = strokes::strokeChooserItems(k + 1);
                const int pick = in.intIn(0, static_cast<int>(items.size()));
                texts[static_cast<std::size_t>(k)] = pick < items.size() ? items[pick] : in.text(2);
            }
            c.chooseStrokes(texts);
            break;
        }
        case 6: c.pageBack(); break;
        case 7: c.pageForward(); break;
        case 8: (void)c.toggleExpand(); break;
        case 9: c.handOver(in.text(4)); break;
        default: {
            // Pick a character out of the result list, as a click in it does.
            const QString list = c.view().resultList();
            c.pickCharacterAt(list, in.intIn(0, static_cast<int>(list.size())));
            break;
        }
        }
        const PhrasePages& pages = c.view().phrases();
        if (pages.pageCount > 0 && (pages.page < 1 || pages.page > pages.pageCount)) std::abort();
    }
    return 0;
}
