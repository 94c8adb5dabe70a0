// wwbb11.dat (the whole input): the open check over the whole file, then for every record the
// code lookup of its character (search, record display, drawing and fills) and of the character
// whose key follows it, which is mostly not in the file. The program folder is a scratch folder
// with an empty bmp/.
#include "fuzz_input.h"
#include "lookup/code_lookup.h"
#include "platform/gbk_codec.h"

#include <QDir>
#include <QFile>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    const QString& folder = fuzz::scratchFolder();
    QDir(folder).mkpath(QStringLiteral("bmp"));
    writeFile(folder + QStringLiteral("/wwbb11.dat"), in.rest());

    CharCodeFile file;
    if (!file.open(folder + QStringLiteral("/wwbb11.dat"))) return 0;
    CodeLookup lookup(file, folder, [](QChar) { return std::optional<Raster>(); });
    lookup.start();
    for (int n = 1; n <= file.recordCount(); ++n) {
        const auto record = file.read(n);
        if (!record) std::abort();  // the file was checked at open and is still there
        lookup.run(record->character.left(1));
        QByteArray next;
        (void)file.readKey(n, &next);
        next.resize(2);
        next[1] = static_cast<char>(next[1] + 1);
        lookup.run(gbk::decodeLenient(next).left(1));
    }
    return 0;
}
