#include "platform/capture_ocr.h"

#include "platform/ocr_cells.h"

#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>

#include <tesseract/baseapi.h>

#include <algorithm>
#include <cmath>

namespace tessivo::platform {

namespace {

constexpr int stripWidth = 400;
constexpr int stripHeight = 64;
constexpr int glyphTarget = 44;  // the recogniser reads glyphs of about this height best

// The band of the line, black ink on white, scaled so that glyphs are about glyphTarget high,
// from column `from` to column `to` of the field.
struct LineImage {
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
};

LineImage lineImage(const ocr::GreyView& strip, const ocr::LineCells& line, int from, int to) {
    const int scale = std::clamp(glyphTarget / std::max(line.band.size(), 1), 1, 4);
    const int margin = 4;
    const int w = (to - from) * scale + 2 * margin * scale;
    const int h = line.band.size() * scale + 2 * margin * scale;
    std::vector<std::uint8_t> out(std::size_t(w) * std::size_t(h), 255);
    // Smooth (bilinear) scaling: blocky glyphs read worse than soft ones.
    auto grey = [&](int x, int y) {
        x = std::clamp(x, 0, to - from - 1);
        y = std::clamp(y, 0, line.band.size() - 1);
        const int v = strip.at(from + x, line.band.begin + y);
        return line.inkIsLight ? 255 - v : v;
    };
    for (int y = 0; y < line.band.size() * scale; ++y) {
        const double sy = (y + 0.5) / scale - 0.5;
        const int y0 = int(std::floor(sy));
        const double fy = sy - y0;
        for (int x = 0; x < (to - from) * scale; ++x) {
            const double sx = (x + 0.5) / scale - 0.5;
            const int x0 = int(std::floor(sx));
            const double fx = sx - x0;
            const double v = (grey(x0, y0) * (1 - fx) + grey(x0 + 1, y0) * fx) * (1 - fy) +
                             (grey(x0, y0 + 1) * (1 - fx) + grey(x0 + 1, y0 + 1) * fx) * fy;
            out[std::size_t(y + margin * scale) * std::size_t(w) + std::size_t(x + margin * scale)] = std::uint8_t(v + 0.5);
        }
    }
    return {std::move(out), w, h};
}

}  // namespace

struct OcrReader::Engine {
    tesseract::TessBaseAPI api;

    QString read(const LineImage& image) {
        api.SetImage(image.pixels.data(), image.width, image.height, 1, image.width);
        api.SetSourceResolution(300);
        std::unique_ptr<char[]> text(api.GetUTF8Text());
        return text ? normalisedOcrText(QString::fromUtf8(text.get())) : QString();
    }
};

QString normalisedOcrText(const QString& text) {
    static const QString half = QStringLiteral(",:;!?()");
    static const QString full = QStringLiteral("，：；！？（）");
    QString out;
    for (const QChar c : text) {
        if (c.isSpace()) continue;
        const qsizetype i = half.indexOf(c);
        out += i >= 0 ? full[i] : c;
    }
    return out;
}

namespace {

// Where the recogniser finds its models: TESSDATA_PREFIX when set, else Debian's folder.
bool chineseModelInstalled() {
    const QString prefix = qEnvironmentVariable("TESSDATA_PREFIX");
    const QStringList folders = prefix.isEmpty() ? QStringList{QStringLiteral("/usr/share/tesseract-ocr/5/tessdata")}
                                                 : QStringList{prefix, prefix + QStringLiteral("/tessdata")};
    for (const QString& folder : folders)
        if (QFileInfo(folder + QStringLiteral("/chi_sim.traineddata")).isFile()) return true;
    return false;
}

}  // namespace

OcrReader::OcrReader() : engine_(std::make_unique<Engine>()) {
    // The model takes tens of megabytes and a noticeable start: it is loaded at the first read
    // that needs it, so a desktop whose programs all expose their text never pays for it.
    ready_ = chineseModelInstalled();
}

OcrReader::~OcrReader() {
    if (loaded_) engine_->api.End();
}

bool OcrReader::load() {
    if (loaded_) return true;
    // The library's OpenMP threads make one small line several times slower on a busy machine.
    if (qEnvironmentVariableIsEmpty("OMP_THREAD_LIMIT")) qputenv("OMP_THREAD_LIMIT", "1");
    loaded_ = engine_->api.Init(nullptr, "chi_sim", tesseract::OEM_LSTM_ONLY) == 0;
    if (loaded_) engine_->api.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    ready_ = loaded_;
    return loaded_;
}

std::optional<CaptureHit> OcrReader::readAt(const X11Connection& screen, QPoint at) {
    if (!ready_ || !load()) return std::nullopt;
    const QRect area(at.x() - stripWidth / 2, at.y() - stripHeight / 2, stripWidth, stripHeight);
    const auto grey = screen.grabGrey(area);
    if (!grey) return std::nullopt;
    const ocr::GreyView strip{grey->pixels.data(), grey->area.width(), grey->area.height()};
    const auto line = ocr::findLineCells(strip, at.x() - grey->area.x(), at.y() - grey->area.y());
    if (!line) return std::nullopt;
    const int from = line->cells.front().begin;
    const QString text = engine_->read(lineImage(strip, *line, from, line->cells.back().end));
    const QList<uint> chars = text.toUcs4();
    if (chars.isEmpty()) return std::nullopt;
    int index = line->pointed;
    if (chars.size() != qsizetype(line->cells.size())) {
        // Cells and characters disagree (Latin text, a mark read as two): count what the
        // recogniser reads up to the pointed cell.
        const QString upTo = engine_->read(lineImage(strip, *line, from, line->cells[line->pointed].end));
        index = int(upTo.toUcs4().size()) - 1;
    }
    if (index < 0 || index >= chars.size()) return std::nullopt;
    return trimmedAround(text, index, QStringLiteral("ocr"));
}

}  // namespace tessivo::platform
