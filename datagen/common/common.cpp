#include "common/common.h"

#include "platform/gbk_codec.h"

#include <QFile>
#include <QSaveFile>

#include <atomic>
#include <cstdio>

namespace tessivo::datagen {

namespace {

// A progress line is being rewritten in place: a message must start on a line of its own.
std::atomic<bool> progressLineOpen{false};

void printFailure(const char* tool, const char* what) {
    if (progressLineOpen.exchange(false)) std::fputc('\n', stderr);
    std::fprintf(stderr, "%s: %s\n", tool, what);
}

}  // namespace

int runTool(const char* tool, const std::function<int()>& body) {
    try {
        return body();
    } catch (const GenError& error) {
        printFailure(tool, error.what());
    } catch (const std::exception& error) {
        printFailure(tool, (std::string("unexpected error: ") + error.what()).c_str());
    }
    return 1;
}

const QStringList& gb2312Hanzi() {
    static const QStringList list = [] {
        QStringList out;
        for (int lead = 0xB0; lead <= 0xF7; ++lead) {
            for (int trail = 0xA1; trail <= 0xFE; ++trail) {
                if (lead == 0xD7 && trail >= 0xFA) continue;
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const auto text = gbk::decode(QByteArrayView(bytes, 2));
                if (!text || text->size() != 1) throw GenError(QStringLiteral("GB2312 code %1 does not decode").arg(lead << 8 | trail, 4, 16));
                out.push_back(*text);
            }
        }
        return out;
    }();
    return list;
}

QString readUtf8File(const QString& path, const QString& package) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QString message = QStringLiteral("cannot read %1").arg(path);
        if (!package.isEmpty()) message += QStringLiteral(" (install the package %1)").arg(package);
        throw GenError(message);
    }
    return QString::fromUtf8(file.readAll());
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw GenError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
}

Progress::Progress(QString label, int total) : label_(std::move(label)), total_(total) { print(true); }

void Progress::step(int n) {
    count_ += n;
    print(false);
}

void Progress::done() {
    count_ = total_;
    print(true);
    std::fputc('\n', stderr);
    progressLineOpen = false;
}

void Progress::print(bool force) {
    const int percent = total_ > 0 ? count_ * 100 / total_ : 100;
    if (!force && percent == lastPercent_) return;
    lastPercent_ = percent;
    std::fprintf(stderr, "\r%s: %d/%d (%d%%)", qPrintable(label_), count_, total_, percent);
    progressLineOpen = true;
    std::fflush(stderr);
}

}  // namespace tessivo::datagen
