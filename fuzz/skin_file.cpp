// Skin files: the strict parser gives a whole look or one error, never part of a look, and what
// it accepts stays inside the ranges the engine draws with.
#include "fuzz_input.h"
#include "platform/skin_file.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const skin::ParseResult r = skin::parse(bytes);
    if (r.look.has_value() == r.error.has_value()) std::abort();
    if (r.error && r.error->message.isEmpty()) std::abort();
    if (r.look) {
        const skin::Look& l = *r.look;
        for (const std::uint32_t c : l.colours) {
            if (c > 0xFFFFFF) std::abort();
        }
        if (l.cornerRadius < 0 || l.cornerRadius > 12 || l.titleFontSize < 7 || l.titleFontSize > 16) std::abort();
        if (l.sheet.contains(QLatin1String("url("), Qt::CaseInsensitive) || l.sheet.contains(u'@')) std::abort();
        if (l.name.isEmpty() || l.titleFont.isEmpty()) std::abort();
    }
    // The same bytes read from a file give the same answer.
    const QString path = fuzz::scratchFolder() + QStringLiteral("/skin.urf");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        out.write(bytes);
    }
    const skin::ParseResult loaded = skin::load(path);
    if (loaded.look.has_value() != r.look.has_value()) std::abort();
    if (loaded.look && (loaded.look->colours != r.look->colours || loaded.look->sheet != r.look->sheet)) std::abort();
    return 0;
}
