#include "decomp/outline.h"

#include "common/common.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessivo::datagen {
namespace {

constexpr int QuadSegments = 8;
constexpr int CubicSegments = 12;
constexpr int Supersample = 4;

// The 1024 outline box drawn 106 pixels wide: the data reaches x 5..1023 and, on screen,
// y 2..1019, which this keeps three pixels clear of every panel edge.
constexpr double Scale = 106.0 / 1024.0;
constexpr double OffsetX = 3.0;
constexpr double OffsetY = 3.5;
constexpr double Baseline = 900.0;

// The outline data lies inside its 1024 box (x 5..1023, y -119..898); a coordinate more than a
// box away from it is corrupt data, and refusing it keeps every pixel coordinate small.
constexpr double MinCoordinate = -1024.0;
constexpr double MaxCoordinate = 2048.0;

class PathReader {
public:
    explicit PathReader(const QString& text) : text_(text) {}

    void skipSeparators() {
        while (pos_ < text_.size() && (text_[pos_].isSpace() || text_[pos_] == u',')) ++pos_;
    }
    bool atEnd() {
        skipSeparators();
        return pos_ >= text_.size();
    }
    bool atNumber() {
        skipSeparators();
        if (pos_ >= text_.size()) return false;
        const QChar c = text_[pos_];
        return c.isDigit() || c == u'-' || c == u'+' || c == u'.';
    }
    QChar command() {
        skipSeparators();
        return text_[pos_++];
    }
    double number() {
        skipSeparators();
        const qsizetype start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == u'-' || text_[pos_] == u'+')) ++pos_;
        while (pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == u'.')) ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == u'e' || text_[pos_] == u'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == u'-' || text_[pos_] == u'+')) ++pos_;
            while (pos_ < text_.size() && text_[pos_].isDigit()) ++pos_;
        }
        bool ok = false;
        const double value = text_.mid(start, pos_ - start).toDouble(&ok);
        if (!ok) throw GenError(QStringLiteral("outline path: number expected at %1 in \"%2\"").arg(start).arg(text_));
        if (!std::isfinite(value) || value < MinCoordinate || value > MaxCoordinate)
            throw GenError(QStringLiteral("outline path: coordinate %1 at %2 is outside %3..%4 in \"%5\"")
                               .arg(text_.mid(start, pos_ - start))
                               .arg(start)
                               .arg(MinCoordinate)
                               .arg(MaxCoordinate)
                               .arg(text_));
        return value;
    }
    QPointF point() {
        const double x = number();
        const double y = number();
        return {x, y};
    }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

// The contours of a path, command by command; curves become straight segments.
class ContourBuilder {
public:
    void moveTo(QPointF p) {
        closeCurrent();
        pos_ = p;
        current_.push_back(p);
    }
    void lineTo(QPointF p) {
        pos_ = p;
        current_.push_back(p);
    }
    void quadTo(QPointF c, QPointF e) {
        for (int k = 1; k <= QuadSegments; ++k) {
            const double t = static_cast<double>(k) / QuadSegments;
            const double u = 1.0 - t;
            current_.push_back(u * u * pos_ + 2 * u * t * c + t * t * e);
        }
        pos_ = e;
    }
    void cubicTo(QPointF c1, QPointF c2, QPointF e) {
        for (int k = 1; k <= CubicSegments; ++k) {
            const double t = static_cast<double>(k) / CubicSegments;
            const double u = 1.0 - t;
            current_.push_back(u * u * u * pos_ + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * e);
        }
        pos_ = e;
    }
    void closePath() {
        if (!current_.empty()) pos_ = current_.front();
        closeCurrent();
        current_.push_back(pos_);  // a path may continue from the start of the closed contour
    }
    std::vector<Contour> finish() {
        closeCurrent();
        return std::move(contours_);
    }

private:
    void closeCurrent() {
        if (current_.size() >= 3) contours_.push_back(std::move(current_));
        current_.clear();
    }

    std::vector<Contour> contours_;
    Contour current_;
    QPointF pos_;
};

}  // namespace

std::vector<Contour> parseOutlinePath(const QString& path) {
    ContourBuilder contours;
    PathReader reader(path);
    QChar cmd;
    bool started = false;
    while (!reader.atEnd()) {
        if (!reader.atNumber()) {
            cmd = reader.command();
        } else if (!started || cmd == u'Z') {
            throw GenError(QStringLiteral("outline path: command expected in \"%1\"").arg(path));
        } else if (cmd == u'M') {
            cmd = u'L';  // further coordinate pairs after a move draw lines
        }
        if (!started && cmd != u'M') throw GenError(QStringLiteral("outline path does not start with M: \"%1\"").arg(path));
        started = true;
        switch (cmd.unicode()) {
        case u'M': contours.moveTo(reader.point()); break;
        case u'L': contours.lineTo(reader.point()); break;
        case u'Q': {
            const QPointF c = reader.point();
            const QPointF e = reader.point();
            contours.quadTo(c, e);
            break;
        }
        case u'C': {
            const QPointF c1 = reader.point();
            const QPointF c2 = reader.point();
            const QPointF e = reader.point();
            contours.cubicTo(c1, c2, e);
            break;
        }
        case u'Z': contours.closePath(); break;
        default:
            throw GenError(QStringLiteral("outline path: unsupported command '%1' in \"%2\"").arg(cmd).arg(path));
        }
    }
    return contours.finish();
}

QPointF toPanel(QPointF p) {
    return {OffsetX + p.x() * Scale, OffsetY + (Baseline - p.y()) * Scale};
}

int Mask::count() const {
    return static_cast<int>(std::count_if(bits_.begin(), bits_.end(), [](std::uint8_t b) { return b != 0; }));
}

Mask& Mask::operator|=(const Mask& other) {
    const std::size_t n = std::min(bits_.size(), other.bits_.size());
    for (std::size_t i = 0; i < n; ++i) bits_[i] |= other.bits_[i];
    return *this;
}

namespace {

// A crossing of a sample row with an edge: row, x in sample units, winding direction.
struct Crossing {
    int row;
    double x;
    int dir;
    bool operator<(const Crossing& o) const { return row != o.row ? row < o.row : x < o.x; }
};

// A sample position as an int, clamped first to just outside [0, limit]: a cast of a value
// beyond int's range is undefined.
int sampleIndex(double v, int limit) { return static_cast<int>(std::ceil(std::clamp(v, -1.0, limit + 1.0))); }

std::vector<Crossing> rowCrossings(const std::vector<Contour>& contours, int subRows) {
    std::vector<Crossing> crossings;
    for (const Contour& contour : contours) {
        const std::size_t n = contour.size();
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF a = contour[i] * Supersample;
            const QPointF b = contour[(i + 1) % n] * Supersample;
            if (a.y() == b.y() || !std::isfinite(a.x() + a.y() + b.x() + b.y())) continue;
            const int dir = b.y() > a.y() ? 1 : -1;
            const double y0 = std::min(a.y(), b.y());
            const double y1 = std::max(a.y(), b.y());
            // Sample rows sit at r + 0.5; an edge owns the rows with y0 <= r + 0.5 < y1.
            const int first = std::max(0, sampleIndex(y0 - 0.5, subRows));
            const int last = std::min(subRows - 1, sampleIndex(y1 - 0.5, subRows) - 1);
            for (int r = first; r <= last; ++r) {
                const double sy = r + 0.5;
                crossings.push_back({r, a.x() + (sy - a.y()) * (b.x() - a.x()) / (b.y() - a.y()), dir});
            }
        }
    }
    std::sort(crossings.begin(), crossings.end());
    return crossings;
}

}  // namespace

Mask rasterise(const std::vector<Contour>& contours, int width, int height) {
    Mask mask(width, height);
    const int subCols = width * Supersample;
    const std::vector<Crossing> crossings = rowCrossings(contours, height * Supersample);
    std::vector<std::uint8_t> hits(static_cast<std::size_t>(width) * height, 0);
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        const Crossing& c = crossings[i];
        winding += c.dir;
        if (crossings[i + 1].row != c.row) {
            winding = 0;  // a closed contour crosses each row an even number of times
            continue;
        }
        if (winding == 0) continue;
        // Samples at column k + 0.5 with xa <= k + 0.5 < xb.
        const int from = std::max(0, sampleIndex(c.x - 0.5, subCols));
        const int to = std::min(subCols, sampleIndex(crossings[i + 1].x - 0.5, subCols));
        const std::size_t line = static_cast<std::size_t>(c.row / Supersample) * width;
        for (int k = from; k < to; ++k) ++hits[line + k / Supersample];
    }
    constexpr int Half = Supersample * Supersample / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (hits[static_cast<std::size_t>(y) * width + x] >= Half) mask.set(x, y);
        }
    }
    return mask;
}

Mask strokeMask(const QString& path) {
    std::vector<Contour> contours = parseOutlinePath(path);
    for (Contour& contour : contours) {
        for (QPointF& p : contour) p = toPanel(p);
    }
    return rasterise(contours);
}

}  // namespace tessivo::datagen
