// wwbb11cz.dat: the open check, then the phrase lookup of every record's first character with
// its pages and the record buttons, then lookups of characters the input names.
#include "fuzz_input.h"
#include "phrases/phrase_lookup.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    const QString asked = in.text(16);
    const QByteArray moves = in.bytes(16);
    const QString path = fuzz::scratchFolder() + QStringLiteral("/wwbb11cz.dat");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        out.write(in.rest());
    }
    PhraseFile file;
    if (!file.open(path)) return 0;
    PhraseLookup lookup(file);
    lookup.start();
    for (int n = 1; n <= file.recordCount(); ++n) {
        const auto record = file.read(n);
        if (!record) std::abort();
        lookup.lookup(QStringView(*record).left(1));
        lookup.nextPage();
        lookup.previousPage();
    }
    for (qsizetype i = 0; i < asked.size(); ++i) lookup.lookup(QStringView(asked).mid(i, 1));
    for (const char m : moves) {
        switch (static_cast<unsigned char>(m) % 5) {
        case 0: lookup.previousRecord(); break;
        case 1: lookup.nextRecord(); break;
        case 2: lookup.backToMatch(); break;
        case 3: lookup.nextPage(); break;
        default: lookup.previousPage(); break;
        }
        (void)lookup.recordText();
    }
    (void)lookup.lowerProbe();
    (void)lookup.upperProbe();
    return 0;
}
