#include "decomp/inputs.h"

#include "common/common.h"
#include "common/wubi_dict.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace tessivo::datagen {

namespace {

bool isClassString(const QString& s) {
    if (s.isEmpty()) return false;
    for (QChar c : s) {
        if (!QStringLiteral("hspnz").contains(c)) return false;
    }
    return true;
}

double pointDistance(const std::pair<double, double>& a, const std::pair<double, double>& b) {
    return std::hypot(a.first - b.first, a.second - b.second);
}

// Ramer-Douglas-Peucker: keeps the corners of a centre line, drops the wobble.
void simplifyInto(const Median& pts, std::size_t first, std::size_t last, double tolerance, Median& out) {
    const auto& a = pts[first];
    const auto& b = pts[last];
    const double len = std::max(pointDistance(a, b), 1e-9);
    double worst = 0;
    std::size_t worstIndex = first;
    for (std::size_t i = first + 1; i < last; ++i) {
        const auto& p = pts[i];
        const double d = std::abs((b.first - a.first) * (a.second - p.second) - (a.first - p.first) * (b.second - a.second)) / len;
        if (d > worst) {
            worst = d;
            worstIndex = i;
        }
    }
    if (worst > tolerance) {
        simplifyInto(pts, first, worstIndex, tolerance, out);
        simplifyInto(pts, worstIndex, last, tolerance, out);
    } else {
        out.push_back(b);
    }
}

// Screen direction in degrees: 0 = right, 90 = down (the outline data has y up).
double screenAngle(const std::pair<double, double>& from, const std::pair<double, double>& to) {
    return std::atan2(-(to.second - from.second), to.first - from.first) * 180.0 / std::numbers::pi;
}

char classOfDirection(double angle) {
    if (angle >= -80 && angle <= 25) return 'h';  // rising strokes (提) count as 横
    if (angle > 25 && angle < 68) return 'n';
    if (angle >= 68 && angle <= 112) return 's';
    if (angle > 112 || angle < -150) return 'p';
    return 'h';
}

}  // namespace

std::optional<Outline> readOutline(const QString& dir, const QString& character) {
    const QString path = dir + QLatin1Char('/') + character + QStringLiteral(".json");
    QFile file(path);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) throw GenError(QStringLiteral("cannot read %1 (package hanzi-writer-data)").arg(path));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) throw GenError(QStringLiteral("%1: not a JSON object (%2)").arg(path, parseError.errorString()));
    const QJsonArray strokes = doc.object().value(QStringLiteral("strokes")).toArray();
    const QJsonArray medians = doc.object().value(QStringLiteral("medians")).toArray();
    if (strokes.isEmpty() || strokes.size() != medians.size()) {
        throw GenError(QStringLiteral("%1: %2 outlines but %3 centre lines").arg(path).arg(strokes.size()).arg(medians.size()));
    }
    Outline outline;
    for (const auto& s : strokes) outline.paths.push_back(s.toString());
    for (const auto& m : medians) {
        Median median;
        for (const auto& p : m.toArray()) {
            const QJsonArray xy = p.toArray();
            if (xy.size() != 2) throw GenError(QStringLiteral("%1: a centre-line point is not a pair").arg(path));
            median.emplace_back(xy[0].toDouble(), xy[1].toDouble());
        }
        if (median.empty()) throw GenError(QStringLiteral("%1: a stroke has an empty centre line").arg(path));
        outline.medians.push_back(std::move(median));
    }
    return outline;
}

StrokeTable StrokeTable::load(const QString& path) {
    return fromText(readUtf8File(path, QStringLiteral("rime-data-stroke")));
}

StrokeTable StrokeTable::fromText(const QString& text) {
    // The table lists the Taiwan-standard orders first; a comment line naming the mainland
    // standard opens the section we prefer.
    QHash<QString, QStringList> taiwan;
    QHash<QString, QStringList> mainland;
    bool body = false;
    bool inMainland = false;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (!body) {
            if (line == QStringLiteral("...")) body = true;
            continue;
        }
        if (line.startsWith(QLatin1Char('#'))) {
            if (line.contains(QStringLiteral("Mainland"))) inMainland = true;
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 2 || fields[0].size() > 2 || !isClassString(fields[1])) continue;
        auto& list = (inMainland ? mainland : taiwan)[fields[0]];
        if (!list.contains(fields[1])) list.push_back(fields[1]);
    }
    StrokeTable table;
    for (auto it = mainland.cbegin(); it != mainland.cend(); ++it) {
        table.variants_[it.key()] = it.value();
        table.mainlandCount_[it.key()] = static_cast<int>(it.value().size());
    }
    for (auto it = taiwan.cbegin(); it != taiwan.cend(); ++it) {
        auto& list = table.variants_[it.key()];
        for (const QString& v : it.value()) {
            if (!list.contains(v)) list.push_back(v);
        }
    }
    return table;
}

QStringList StrokeTable::variants(const QString& character) const { return variants_.value(character); }

char classifyMedian(const Median& median) {
    if (median.size() < 2) return 'n';  // a dot
    Median pts{median.front()};
    simplifyInto(median, 0, median.size() - 1, 60, pts);
    if (pts.size() < 2) return 'n';
    std::vector<double> angles;
    std::vector<double> lengths;
    double total = 0;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        angles.push_back(screenAngle(pts[i], pts[i + 1]));
        lengths.push_back(pointDistance(pts[i], pts[i + 1]));
        total += lengths.back();
    }
    std::vector<std::size_t> turns;
    for (std::size_t i = 1; i < angles.size(); ++i) {
        double delta = std::fmod(angles[i] - angles[i - 1] + 540.0, 360.0) - 180.0;
        if (std::abs(delta) > 65) turns.push_back(i);
    }
    if (turns.empty()) return classOfDirection(screenAngle(pts.front(), pts.back()));
    const char main = classOfDirection(angles.front());
    // A short hook at the end of a vertical or a left-falling stroke does not make it a fold.
    if (turns.size() == 1 && turns.front() == angles.size() - 1 && lengths.back() < 0.2 * std::max(total, 1e-9) &&
        (main == 's' || main == 'p')) {
        return main;
    }
    return 'z';
}

int classAgreement(const QString& classes, const std::vector<Median>& medians) {
    int agree = 0;
    for (qsizetype i = 0; i < classes.size() && i < static_cast<qsizetype>(medians.size()); ++i) {
        if (classes[i].toLatin1() == classifyMedian(medians[static_cast<std::size_t>(i)])) ++agree;
    }
    return agree;
}

QStringList fittingVariants(const QStringList& variants, const std::vector<Median>& medians, int preferred) {
    // (group, agreement, string): group 0 for the preferred strings.
    std::vector<std::tuple<int, int, QString>> scored;
    for (qsizetype i = 0; i < variants.size(); ++i) {
        const QString& v = variants[i];
        if (v.size() == static_cast<qsizetype>(medians.size())) scored.emplace_back(i < preferred ? 0 : 1, classAgreement(v, medians), v);
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) {
        if (std::get<0>(a) != std::get<0>(b)) return std::get<0>(a) < std::get<0>(b);
        return std::get<1>(a) > std::get<1>(b);
    });
    QStringList out;
    for (const auto& s : scored) out.push_back(std::get<2>(s));
    return out;
}

QStringList swappedVariants(const QStringList& variants, const std::vector<Median>& medians) {
    std::vector<char> shapes;
    for (const Median& m : medians) shapes.push_back(classifyMedian(m));
    QStringList out;
    for (const QString& v : variants) {
        if (v.size() != static_cast<qsizetype>(shapes.size())) continue;
        QString swapped = v;
        int swaps = 0;
        for (qsizetype i = 0; i + 1 < swapped.size(); ++i) {
            const char a = swapped[i].toLatin1();
            const char b = swapped[i + 1].toLatin1();
            const char sa = shapes[static_cast<std::size_t>(i)];
            const char sb = shapes[static_cast<std::size_t>(i + 1)];
            if (a != b && a != sa && b != sb && (a == sb || b == sa)) {
                std::swap(swapped[i], swapped[i + 1]);
                ++swaps;
                ++i;
            }
        }
        if (swaps == 1 && !variants.contains(swapped) && !out.contains(swapped)) out << swapped;
    }
    return out;
}

std::optional<QString> shapeMergedVariant(const QStringList& variants, const std::vector<Median>& medians) {
    if (variants.size() < 2) return std::nullopt;
    QString merged = variants.front();
    if (merged.size() != static_cast<qsizetype>(medians.size())) return std::nullopt;
    for (qsizetype i = 0; i < merged.size(); ++i) {
        // Hooks read as folds by their shape (亅 of 穿's 牙): only straight strokes are taken.
        const char shape = classifyMedian(medians[static_cast<std::size_t>(i)]);
        if (shape == 'z') continue;
        for (const QString& v : variants) {
            if (merged[i].toLatin1() != shape && v.size() == merged.size() && v[i].toLatin1() == shape) merged[i] = v[i];
        }
    }
    if (variants.contains(merged)) return std::nullopt;
    return merged;
}

QStringList repairedVariants(const QStringList& variants, const std::vector<Median>& medians) {
    QStringList out = swappedVariants(variants, medians);
    if (auto merged = shapeMergedVariant(variants, medians); merged && !out.contains(*merged)) out << *merged;
    return out;
}

namespace {

// Reordering needs this many more strokes whose shape agrees with the stroke table's class, and
// leaves at most this many disagreeing.
constexpr int kReorderGain = 3;
constexpr int kReorderMisfits = 2;

struct Span {
    double x0 = 1e9, x1 = -1e9;
    double centre() const { return (x0 + x1) / 2; }
};

Span spanOf(const std::vector<Median>& medians, int first, int last) {
    Span s;
    for (int i = first; i < last; ++i) {
        for (const auto& [x, y] : medians[static_cast<std::size_t>(i)]) {
            s.x0 = std::min(s.x0, x);
            s.x1 = std::max(s.x1, x);
        }
    }
    return s;
}

int agreementIn(const QString& classes, const std::vector<char>& shapes, const std::vector<int>& order, int first, int last) {
    int agree = 0;
    for (int i = first; i < last; ++i) agree += classes[i].toLatin1() == shapes[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])];
    return agree;
}

}  // namespace

std::vector<int> readingOrder(const std::vector<Median>& medians, const QStringList& variants) {
    const int n = static_cast<int>(medians.size());
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
    std::vector<char> shapes;
    for (const Median& m : medians) shapes.push_back(classifyMedian(m));
    std::vector<int> best = order;
    int bestGain = kReorderGain - 1;
    for (const QString& v : variants) {
        if (v.size() != n) continue;
        const int misfits = n - agreementIn(v, shapes, order, 0, n);
        for (int a = 0; a < n; ++a) {
            for (int b = a + 2; b < n; ++b) {
                for (int c = b + 2; c <= n; ++c) {
                    std::vector<int> moved = order;
                    std::rotate(moved.begin() + a, moved.begin() + b, moved.begin() + c);
                    const int gain = agreementIn(v, shapes, moved, a, c) - agreementIn(v, shapes, order, a, c);
                    if (gain <= bestGain || misfits - gain > kReorderMisfits) continue;
                    // Only a part standing right of the one it is read after.
                    const Span right = spanOf(medians, a, b);
                    const Span middle = spanOf(medians, b, c);
                    if (right.centre() <= middle.x1 || right.x0 <= middle.centre()) continue;
                    best = std::move(moved);
                    bestGain = gain;
                }
            }
        }
    }
    if (best != order || variants.isEmpty() || variants.front().size() != n) return best;
    // A fold and its neighbour that the outline writes the other way round, each of the other's
    // class and neither of its own, the fold clearly the longer (肠: the short 丿 inside 𠃓 before
    // its fold). Strokes alike in length are left alone: the shapes may misread them (女's く).
    const QString& v = variants.front();
    const auto length = [&](int k) {
        const Median& m = medians[static_cast<std::size_t>(best[static_cast<std::size_t>(k)])];
        double total = 0;
        for (std::size_t j = 1; j < m.size(); ++j) total += pointDistance(m[j - 1], m[j]);
        return total;
    };
    constexpr double kFoldLonger = 1.5;
    for (int i = 0; i + 1 < n; ++i) {
        const char first = v[i].toLatin1();
        const char second = v[i + 1].toLatin1();
        const auto at = [&](int k) { return shapes[static_cast<std::size_t>(best[static_cast<std::size_t>(k)])]; };
        const bool foldLonger = first == 'z' ? length(i + 1) >= kFoldLonger * length(i) : second == 'z' && length(i) >= kFoldLonger * length(i + 1);
        if (first != second && at(i) == second && at(i + 1) == first && foldLonger) {
            std::swap(best[static_cast<std::size_t>(i)], best[static_cast<std::size_t>(i + 1)]);
            ++i;
        }
    }
    return best;
}

InputLoader::InputLoader(const QString& wubiDictPath, const QString& strokeDictPath, const QString& hanziWriterDir)
    : codes_(singleCharacterCodes(loadWubiDict(wubiDictPath))),
      strokes_(StrokeTable::load(strokeDictPath)),
      hanziWriterDir_(hanziWriterDir) {
    if (!QFile::exists(hanziWriterDir + QStringLiteral("/package.json"))) {
        throw GenError(QStringLiteral("cannot read %1/package.json (install the npm package hanzi-writer-data)").arg(hanziWriterDir));
    }
}

CharacterInput InputLoader::load(const QString& character) const {
    const auto codeIt = codes_.find(character);
    if (codeIt == codes_.end() || codeIt->second.isEmpty()) throw GenError(QStringLiteral("%1 has no Wubi-86 code").arg(character));
    const auto outline = readOutline(hanziWriterDir_, character);
    if (!outline) throw GenError(QStringLiteral("%1 has no stroke outline in hanzi-writer-data").arg(character));

    CharacterInput input;
    input.character = character;
    input.codes = codeIt->second;
    input.fullCode = fullCode(input.codes);
    for (std::size_t i = 0; i < outline->medians.size(); ++i) {
        Stroke stroke;
        stroke.path = outline->paths[static_cast<qsizetype>(i)];
        stroke.median = outline->medians[i];
        input.strokes.push_back(std::move(stroke));
    }
    std::vector<Median> medians;
    for (const Stroke& s : input.strokes) medians.push_back(s.median);
    std::vector<int> order = readingOrder(medians, strokes_.variants(character));
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] != static_cast<int>(i)) input.readingOrder = order;
    }
    if (input.readingOrder.empty()) {
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    }
    const QStringList variants = classVariants(input);
    for (std::size_t i = 0; i < input.strokes.size(); ++i) {
        Stroke& s = input.strokes[static_cast<std::size_t>(order[i])];
        s.strokeClass = variants.isEmpty() ? classifyMedian(s.median) : variants.front()[static_cast<qsizetype>(i)].toLatin1();
    }
    return input;
}

QStringList InputLoader::classVariants(const CharacterInput& input) const {
    std::vector<Median> medians;
    for (std::size_t i = 0; i < input.strokes.size(); ++i) {
        const std::size_t k = input.readingOrder.empty() ? i : static_cast<std::size_t>(input.readingOrder[i]);
        medians.push_back(input.strokes[k].median);
    }
    return fittingVariants(strokes_.variants(input.character), medians, strokes_.mainlandCount(input.character));
}

const Outline* InputLoader::referenceOutline(const QString& glyph) const {
    const std::lock_guard lock(referencesMutex_);
    auto it = references_.find(glyph);
    if (it == references_.end()) {
        std::optional<Outline> outline;
        if (glyph.size() <= 2) outline = readOutline(hanziWriterDir_, glyph);
        it = references_.emplace(glyph, std::move(outline)).first;
    }
    return it->second ? &*it->second : nullptr;
}

}  // namespace tessivo::datagen
