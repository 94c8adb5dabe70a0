// face.txt and ji.txt: the first field of a line, the same read from a file (GBK bytes as
// stored), the run-counter step and the page choice.
#include "app/state/settings_files.h"
#include "fuzz_input.h"
#include "platform/text_number.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessivo;
    fuzz::FuzzInput in(data, size);
    const QString timeText = in.text(16);
    const QByteArray fileBytes = in.rest();

    const QString path = fuzz::scratchFolder() + QStringLiteral("/ji.txt");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        out.write(fileBytes);
    }
    const auto field = settings::readFirstField(path);
    const QString line = QString::fromUtf8(fileBytes).section(QLatin1Char('\n'), 0, 0);
    for (const QString& f : {settings::firstField(line), field.value_or(QString())}) {
        const settings::CounterStep step = settings::advanceCounter(f);
        // Whatever was stored, the counter written back is a positive number.
        if (leadingNumber(step.next) <= 0) std::abort();
    }
    (void)settings::opensOnlineLookupPage(timeText);
    return 0;
}
