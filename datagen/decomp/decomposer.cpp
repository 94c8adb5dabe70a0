#include "decomp/decomposer.h"

#include "decomp/outputs.h"
#include "decomp/search.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <iterator>
#include <optional>

namespace tessivo::datagen {

namespace {

using decomposer::Candidate;
using decomposer::StrokeSet;

PanelAssignment strokesPanel(const QString& glyph, std::vector<int> strokes) {
    PanelAssignment p;
    p.kind = PanelAssignment::Kind::Strokes;
    p.glyph = glyph;
    p.strokes = std::move(strokes);
    return p;
}

PanelAssignment strokesPanel(const QString& glyph, StrokeSet set) { return strokesPanel(glyph, decomposer::indicesOf(set)); }

PanelAssignment keyPanel(QChar key) {
    PanelAssignment p;
    p.kind = PanelAssignment::Kind::IdentKey;
    p.key = key;
    return p;
}

std::vector<int> allStrokes(int n) {
    std::vector<int> all(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) all[static_cast<std::size_t>(i)] = i;
    return all;
}

// The class strings of `classVariants` as long as the outline; the strokes' own classes when
// there is none.
QStringList usableVariants(const CharacterInput& input, const QStringList& classVariants) {
    QStringList variants;
    for (const QString& v : classVariants) {
        if (v.size() == static_cast<qsizetype>(input.strokes.size())) variants << v;
    }
    if (variants.isEmpty()) {
        QString own;
        for (const Stroke& s : input.strokes) own.append(QLatin1Char(s.strokeClass));
        variants << own;
    }
    return variants;
}

// What reading a repaired class string costs (two neighbouring strokes swapped, or the table's
// strings merged by the drawn shapes): enough that only a clearly better split (萏 霈) comes of
// it, not one that merely edges ahead.
constexpr double kRepairedVariant = 0.10;

// No outline, too many strokes or too short a code: the whole character in panels 1 and 2.
Decomposition unsplittable(const CharacterInput& input) {
    const int n = static_cast<int>(input.strokes.size());
    Decomposition d;
    d.kind = QStringLiteral("general");
    d.panels[0] = strokesPanel(input.character, allStrokes(n));
    d.panels[1] = d.panels[0];
    d.atoms.push_back(allStrokes(n));
    d.radicals.push_back(d.panels[0]);
    return d;
}

// 键名字: all four panels show the whole character.
std::optional<Decomposition> keyNameCharacter(const CharacterInput& input, const chart::RadicalChart& chart) {
    const QString& code = input.fullCode;
    if (code != QString(4, code[0]) || chart.keyNameGlyph(code[0]) != input.character) return std::nullopt;
    const int n = static_cast<int>(input.strokes.size());
    Decomposition d;
    d.kind = QStringLiteral("keyname");
    for (auto& p : d.panels) p = strokesPanel(input.character, allStrokes(n));
    d.atoms.push_back(allStrokes(n));
    d.radicals.push_back(d.panels[0]);
    d.confidence = Confidence::High;
    d.matchesCode = d.shapeOk = true;
    return d;
}

// 单笔画: the stroke twice, then the padding key "l".
std::optional<Decomposition> singleStroke(const CharacterInput& input, const QStringList& variants) {
    const QString& code = input.fullCode;
    if (input.strokes.size() != 1 || code.size() != 4 || !code.endsWith(QStringLiteral("ll"))) return std::nullopt;
    Decomposition d;
    d.kind = QStringLiteral("single-stroke");
    d.panels[0] = d.panels[1] = strokesPanel(input.character, std::vector<int>{0});
    d.panels[2] = keyPanel(QLatin1Char('l'));
    d.atoms.push_back({0});
    d.radicals.push_back(d.panels[0]);
    d.matchesCode = d.shapeOk = code[0] == chart::strokeLetter(variants.front()[0].toLatin1());
    d.confidence = d.matchesCode ? Confidence::High : Confidence::Low;
    return d;
}

enum class RadicalCharacter {
    InChart,      // the character is a chart radical on its first code letter
    CodeShaped,   // not in the chart, but coded exactly as key + first, second and last stroke (孑)
    LastResort,   // nothing else explains the character: show its strokes as the code names them
};

// The strokes the code's letters after the key name, matched by class, not position, because
// the fold counts last in 力 九 乃 …: letters 2 and 3 take the first unused stroke of their
// class, letter 4 the last one. A letter whose class is missing takes its place in the order of
// writing instead (`found` false); `positional` when every letter took its own place.
struct NamedStrokes {
    std::vector<int> strokes;
    bool found = true;
    bool positional = true;
};

NamedStrokes namedStrokes(const QString& classes, const QString& code, int n) {
    NamedStrokes out;
    const auto unused = [&](int i, char want) {
        return classes[i].toLatin1() == want && std::find(out.strokes.begin(), out.strokes.end(), i) == out.strokes.end();
    };
    for (int j = 1; j < code.size(); ++j) {
        const char want = chart::strokeClassOfLetter(code[j]);
        int pick = -1;
        if (j < 3) {
            for (int i = 0; i < n && pick < 0; ++i) {
                if (unused(i, want)) pick = i;
            }
        } else {
            for (int i = n - 1; i >= 0 && pick < 0; --i) {
                if (unused(i, want)) pick = i;
            }
        }
        const int place = std::min(j < 3 ? j - 1 : n - 1, n - 1);
        if (pick < 0) {
            out.found = false;
            pick = place;
        }
        out.positional = out.positional && pick == place;
        out.strokes.push_back(pick);
    }
    return out;
}

// 成字字根: the whole radical, then the named strokes one by one, each its own outline.
Decomposition radicalCharacterPanels(const CharacterInput& input, const QString& classes, const NamedStrokes& named,
                                     RadicalCharacter how) {
    const int n = static_cast<int>(input.strokes.size());
    const std::vector<int>& chosen = named.strokes;
    Decomposition d;
    d.kind = QStringLiteral("radical-char");
    d.panels[0] = strokesPanel(input.character, allStrokes(n));
    d.radicals.push_back(d.panels[0]);
    for (std::size_t j = 0; j < chosen.size() && j < 3; ++j) {
        d.panels[j + 1] = strokesPanel(chart::strokeGlyph(classes[chosen[j]].toLatin1()), std::vector<int>{chosen[j]});
    }
    StrokeSet rest = decomposer::firstStrokes(n);
    for (int i : chosen) {
        if (rest >> i & 1) d.atoms.push_back({i});
        rest &= ~(StrokeSet{1} << i);
    }
    if (rest) d.atoms.push_back(decomposer::indicesOf(rest));
    d.matchesCode = how != RadicalCharacter::LastResort && named.found;
    d.shapeOk = true;
    d.confidence = !d.matchesCode ? Confidence::Low : how == RadicalCharacter::InChart ? Confidence::High : Confidence::Medium;
    return d;
}

// The first class string whose strokes suit `how`; the last resort takes the last string even
// when a letter's stroke is missing.
std::optional<Decomposition> radicalCharacter(const CharacterInput& input, const QStringList& variants, RadicalCharacter how) {
    const int n = static_cast<int>(input.strokes.size());
    for (const QString& s : variants) {
        const NamedStrokes named = namedStrokes(s, input.fullCode, n);
        const bool last = &s == &variants.back();
        if (how == RadicalCharacter::InChart && !named.found) continue;
        if (how == RadicalCharacter::CodeShaped && !(named.found && named.positional && n >= 3)) continue;
        if (how == RadicalCharacter::LastResort && !named.found && !last) continue;
        return radicalCharacterPanels(input, s, named, how);
    }
    return std::nullopt;
}

// The k-th coded radical of a parse: the first three, then the last.
const decomposer::Instance& codedRadical(const Candidate& c, std::size_t k) { return k == 3 ? c.ordered.back() : c.ordered[k]; }
decomposer::Instance& codedRadical(Candidate& c, std::size_t k) { return k == 3 ? c.ordered.back() : c.ordered[k]; }

// Caps a rating at medium (the enum runs from High to Low).
void notHigh(Confidence& confidence) { confidence = std::max(confidence, Confidence::Medium); }

Decomposition fromCandidate(const Candidate& best, const CharacterInput& input, int n) {
    Decomposition d;
    d.kind = QStringLiteral("general");
    const auto& ord = best.ordered;
    d.panels[0] = strokesPanel(glyphOf(ord[0]), ord[0].mask);
    d.panels[1] = strokesPanel(glyphOf(ord[1]), ord[1].mask);
    StrokeSet coded = ord[0].mask | ord[1].mask;
    d.atoms.push_back(decomposer::indicesOf(ord[0].mask));
    d.atoms.push_back(decomposer::indicesOf(ord[1].mask));
    if (best.radicals == 2) {
        d.panels[2] = keyPanel(input.fullCode[2]);
    } else {
        d.panels[2] = strokesPanel(glyphOf(ord[2]), ord[2].mask);
        d.atoms.push_back(decomposer::indicesOf(ord[2].mask));
        coded |= ord[2].mask;
        if (best.radicals == 3) {
            d.panels[3] = keyPanel(input.fullCode[3]);
        } else {
            d.panels[3] = strokesPanel(glyphOf(ord.back()), ord.back().mask);
            d.atoms.push_back(decomposer::indicesOf(ord.back().mask));
            coded |= ord.back().mask;
        }
    }
    if (const StrokeSet middle = decomposer::firstStrokes(n) & ~coded) d.atoms.push_back(decomposer::indicesOf(middle));
    for (const decomposer::Instance& in : ord) d.radicals.push_back(strokesPanel(glyphOf(in), in.mask));
    d.matchesCode = best.matches;
    d.shapeOk = true;
    const std::size_t codedCount = best.radicals == 4 ? 4 : static_cast<std::size_t>(best.radicals);
    for (std::size_t k = 0; k < codedCount; ++k) {
        if (!shapePasses(codedRadical(best, k))) d.shapeOk = false;
    }
    return d;
}

// Last resort when even the relaxed search finds nothing: the longest chart radical at each
// point, coded in writing order.
Decomposition greedySplit(const CharacterInput& input, const QString& classes, const chart::RadicalChart& chart) {
    const int n = static_cast<int>(input.strokes.size());
    std::vector<std::pair<QString, std::vector<int>>> parts;
    for (int i = 0; i < n;) {
        const chart::Radical* pick = nullptr;
        for (const chart::Radical* r : chart.startingWith(classes[i].toLatin1())) {
            if (classes.mid(i, r->classes.size()) == r->classes) {
                pick = r;
                break;
            }
        }
        const int len = pick ? static_cast<int>(pick->classes.size()) : 1;
        parts.emplace_back(pick ? pick->glyph : chart::strokeGlyph(classes[i].toLatin1()), std::vector<int>{});
        for (int k = i; k < i + len; ++k) parts.back().second.push_back(k);
        i += len;
    }
    Decomposition d;
    d.kind = QStringLiteral("general");
    const int shown = input.fullCode.size() == 3 ? 2 : 4;
    for (int p = 0; p < shown && p < static_cast<int>(parts.size()); ++p) {
        std::vector<int> strokes = parts[static_cast<std::size_t>(p)].second;
        if (p == shown - 1) {
            for (std::size_t k = static_cast<std::size_t>(p) + 1; k < parts.size(); ++k) strokes.insert(strokes.end(), parts[k].second.begin(), parts[k].second.end());
        }
        d.panels[static_cast<std::size_t>(p)] = strokesPanel(parts[static_cast<std::size_t>(p)].first, strokes);
        d.atoms.push_back(strokes);
    }
    for (const auto& [glyph, strokes] : parts) d.radicals.push_back(strokesPanel(glyph, strokes));
    if (shown == 2 && parts.size() < 2) d.panels[1] = d.panels[0];
    if (shown == 2) d.panels[2] = keyPanel(input.fullCode[2]);
    d.confidence = Confidence::Low;
    return d;
}

// What the searches found: parses, or a radical character that no parse explains.
struct Found {
    std::vector<Candidate> candidates;
    std::optional<Decomposition> radicalCharacter;
    decomposer::Geometry geometry;  // of the strokes searched, for the rules between the candidates
};

// Whether no stroke of `a` meets a stroke of `b`.
bool apart(const decomposer::Geometry& g, StrokeSet a, StrokeSet b) {
    for (int i : decomposer::indicesOf(a)) {
        for (int j : decomposer::indicesOf(b)) {
            const decomposer::Contact c = g.contacts.at(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
            if (c != decomposer::Contact::Apart && c != decomposer::Contact::Unsure) return false;
        }
    }
    return true;
}

// Whether strokes i and j stand clear of each other (boxes far apart need no closer look).
bool clearOf(const decomposer::Geometry& g, int i, int j) {
    constexpr double kNear = 30;  // outline units
    const decomposer::Box& a = g.boxes[static_cast<std::size_t>(i)];
    const decomposer::Box& b = g.boxes[static_cast<std::size_t>(j)];
    if (a.x1 + kNear < b.x0 || b.x1 + kNear < a.x0 || a.y1 + kNear < b.y0 || b.y1 + kNear < a.y0) return true;
    const decomposer::Contact c = g.contacts.at(static_cast<std::size_t>(i), static_cast<std::size_t>(j));
    return c == decomposer::Contact::Apart || c == decomposer::Contact::Unsure;
}

// Whether the strokes meet as in the component itself, but for one pair in ten (and one in any
// case) that fonts draw either way (日 and the 一 below it are no 吴: 吴's third 一 closes its 口,
// the 一 under 日 stands apart, and 日's bottom meets its sides; 考 beside 钅 leaves two of its
// fifteen pairs apart that meet on its own).
constexpr int kContactsDiffering = 1;
constexpr int kPairsPerDifference = 10;
bool meetsAsItself(const ComponentHint& hint, const decomposer::Geometry& geometry) {
    const std::vector<int> strokes = decomposer::indicesOf(hint.strokes);
    const std::size_t count = strokes.size();
    int differ = 0;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            const signed char own = hint.apart[i * count + j];
            const decomposer::Contact c = geometry.contacts.at(static_cast<std::size_t>(strokes[i]), static_cast<std::size_t>(strokes[j]));
            if (own >= 0 && c != decomposer::Contact::Unsure && (own == 1) != (c == decomposer::Contact::Apart)) ++differ;
        }
    }
    return differ <= kContactsDiffering + static_cast<int>(count * (count - 1) / 2) / kPairsPerDifference;
}

// Whether stroke j lies mostly outside `box`: a stroke that only reaches the component's edge
// (扌's rising stroke touching 考 in 拷) leaves the component whole; one that runs through its
// box (且's sides around 三) may take its strokes.
bool outsideOf(const decomposer::Geometry& g, int j, const decomposer::Box& box) {
    constexpr int kInsideAtMost = 2;  // of the eight points of the centre line
    int inside = 0;
    for (const decomposer::Point& p : g.strokes[static_cast<std::size_t>(j)]) {
        inside += p.x > box.x0 && p.x < box.x1 && p.y > box.y0 && p.y < box.y1;
    }
    return inside <= kInsideAtMost;
}

// A look-alike component read otherwise stops another from guiding unless it is this much
// farther in shape, and this many times as far.
constexpr double kRivalShapeMargin = 0.03;
constexpr double kRivalShapeRatio = 1.5;

// The contained components that can guide the split: of more than one radical, read one way
// only (干 于 亍 all fit the 一 一 丨 of 余 and disagree), meeting as in themselves, and written
// clear of the other strokes that run into them (三 inside 且 meets 且's sides, and its strokes
// may belong with them).
std::vector<ComponentHint> guidingComponents(const std::vector<ComponentHint>& hints, const decomposer::Geometry& geometry) {
    std::vector<ComponentHint> out;
    for (const ComponentHint& hint : hints) {
        // A rival read otherwise counts unless clearly farther in shape (牛 beside 午 in 许, 干
        // beside 于 in 圩).
        const bool oneWay = std::none_of(hints.begin(), hints.end(), [&](const ComponentHint& other) {
            return other.strokes == hint.strokes && other.groups != hint.groups &&
                   other.distance < std::min(hint.distance + kRivalShapeMargin, hint.distance * kRivalShapeRatio);
        });
        const bool known = std::any_of(out.begin(), out.end(), [&](const ComponentHint& h) { return h.strokes == hint.strokes; });
        // A component that is one radical (干 土) says no more than that radical's own shape,
        // which the search weighs already, and would claim strokes that only resemble it (the 二
        // 丨 under 奉's 人 is no 干); it only tells that strokes read another way may be it.
        const bool oneRadical = hint.groups.size() == 1;
        if (!oneWay || known || oneRadical) continue;
        if (!meetsAsItself(hint, geometry)) continue;
        const decomposer::Box box = geometry.boxOf(hint.strokes);
        bool apart = true;
        for (int i : decomposer::indicesOf(hint.strokes)) {
            for (int j = 0; j < geometry.n && apart; ++j) {
                apart = (hint.strokes >> j & 1) || clearOf(geometry, i, j) || outsideOf(geometry, j, box);
            }
        }
        if (apart) out.push_back(hint);
    }
    return out;
}

// Both coding orders compete; only when neither explains the code does the relaxed search look
// for the best split regardless of keys.
Found searchParses(const CharacterInput& input, const QStringList& variants, const chart::RadicalChart& chart,
                   const ReferenceLookup& references, const std::vector<ComponentHint>& components,
                   const QStringList& repaired = {}) {
    using decomposer::Mode;
    Found found;
    found.geometry = decomposer::Geometry::of(input);
    const decomposer::Geometry& geometry = found.geometry;
    decomposer::ReferenceShapes shapes(references);
    decomposer::ShapeCache shapeCache;
    const std::vector<ComponentHint> guiding = guidingComponents(components, geometry);
    const decomposer::SearchInputs inputs{geometry, input.fullCode, chart, shapes, shapeCache, guiding};
    for (Mode mode : {Mode::StrictStart, Mode::StrictClose, Mode::Relaxed}) {
        for (int v = 0; v < variants.size(); ++v) {
            decomposer::Search search(variants[v], inputs, v * decomposer::kVariantStep);
            search.run(mode, found.candidates);
        }
        for (int v = 0; v < repaired.size(); ++v) {
            decomposer::Search search(repaired[v], inputs, kRepairedVariant + v * decomposer::kVariantStep);
            search.run(mode, found.candidates);
        }
        if (mode == Mode::StrictStart) continue;
        if (mode != Mode::Relaxed) {
            std::erase_if(found.candidates, [](const Candidate& c) { return !c.matches; });
        }
        if (!found.candidates.empty()) break;
        // A radical character missing from the chart still has the code of one.
        if (mode == Mode::StrictClose) found.radicalCharacter = radicalCharacter(input, variants, RadicalCharacter::CodeShaped);
        if (found.radicalCharacter) break;
    }
    return found;
}

Confidence rated(double margin) {
    if (margin > decomposer::kHighMargin) return Confidence::High;
    if (margin > decomposer::kMediumMargin) return Confidence::Medium;
    return Confidence::Low;
}

// Whether two parses differ only in one stroke that belongs to one radical in `a` and to another
// in `b`.
bool oneStrokeMoved(const Candidate& a, const Candidate& b) {
    const auto masksOf = [](const Candidate& c) {
        std::vector<StrokeSet> masks;
        for (const decomposer::Instance& in : c.ordered) masks.push_back(in.mask);
        std::sort(masks.begin(), masks.end());
        return masks;
    };
    const std::vector<StrokeSet> ma = masksOf(a);
    const std::vector<StrokeSet> mb = masksOf(b);
    std::vector<StrokeSet> onlyA;
    std::vector<StrokeSet> onlyB;
    std::set_difference(ma.begin(), ma.end(), mb.begin(), mb.end(), std::back_inserter(onlyA));
    std::set_difference(mb.begin(), mb.end(), ma.begin(), ma.end(), std::back_inserter(onlyB));
    if (onlyA.size() != 2 || onlyB.size() != 2 || (onlyA[0] | onlyA[1]) != (onlyB[0] | onlyB[1])) return false;
    return std::popcount(onlyA[0] ^ onlyB[0]) == 1 || std::popcount(onlyA[0] ^ onlyB[1]) == 1;
}

bool sameKeys(const Candidate& a, const Candidate& b) {
    return std::equal(a.ordered.begin(), a.ordered.end(), b.ordered.begin(), b.ordered.end(),
                      [](const decomposer::Instance& x, const decomposer::Instance& y) { return keyOf(x) == keyOf(y); });
}

// Two parses that Wubi's rules may choose between: the same keys, both confirmed alike, one
// stroke moved between two radicals.
bool rivalsByRule(const Candidate& a, const Candidate& b) {
    return sameKeys(a, b) && a.matches == b.matches && a.identOk == b.identOk && oneStrokeMoved(a, b);
}

// 能连不交: the one whose radicals cross each other less (半 is 丷 干, not 䒑 with a 十 through its 一).
bool crossesLess(const Candidate& a, const Candidate& b) { return a.crossings < b.crossings && rivalsByRule(a, b); }

// 取大优先 for the first radical: of two that cross alike, the one whose first radical, written
// from stroke 0 without a gap, takes the moved stroke (午 is 𠂉 十, not 丿 干). Only between
// radicals in their first forms: a later form is there for a stroke given to a neighbour (豕
// without its 一 under 遂's 丷 would let 䒑 take it).
bool largerFirstRadical(const Candidate& a, const Candidate& b) {
    const auto firstForms = [](const Candidate& c) {
        return std::all_of(c.ordered.begin(), c.ordered.end(), [](const decomposer::Instance& in) { return in.radical->alternative == 0 || in.part >= 0; });
    };
    const auto fromStart = [](const Candidate& c) {
        const StrokeSet first = c.ordered.front().mask;
        return (first & 1) && std::popcount(first + 1) == 1;  // strokes 0 .. k, no gap
    };
    return a.crossings == b.crossings && rivalsByRule(a, b) && firstForms(a) && firstForms(b) && fromStart(a) && fromStart(b) &&
           std::popcount(a.ordered.front().mask) > std::popcount(b.ordered.front().mask);
}

// Two splits that both spell the code and are tied on the shapes.
bool tiedAndConfirmed(const Candidate& a, const Candidate& b) {
    return std::abs(a.cost - b.cost) <= decomposer::kMediumMargin && a.matches && a.identOk && b.matches && b.identOk;
}

// Of two tied splits, the one whose radicals' strokes do not cross where the radicals' own only
// meet (译's 又 二 丨, not 又 干 with the 丨 through its top stroke), unless a rule above prefers
// the other (半 is 丷 干).
bool meetsAsDrawn(const Candidate& a, const Candidate& b) {
    return a.crossedMeetings < b.crossedMeetings && tiedAndConfirmed(a, b) && !crossesLess(b, a) && !largerFirstRadical(b, a);
}

// 兼顾直观 between two tied splits that differ by one stroke: like strokes that meet a radical
// alike stay together (叚 is コ 丨 二, not コ ⺊ 一), unless a rule above prefers the other.
bool keepsLikePairs(const Candidate& a, const Candidate& b) {
    return a.splitPairs < b.splitPairs && oneStrokeMoved(a, b) && tiedAndConfirmed(a, b) && !crossesLess(b, a) &&
           !largerFirstRadical(b, a) && !meetsAsDrawn(b, a);
}

// Whether one of the four rules above prefers `a` to `b`: the later rules yield to them.
bool anEarlierRulePrefers(const Candidate& a, const Candidate& b) {
    return crossesLess(a, b) || largerFirstRadical(a, b) || meetsAsDrawn(a, b) || keepsLikePairs(a, b);
}

// The stroke table lists a few neighbouring strokes the other way round from the outline: 戊's
// dot before its 丿, as Wubi codes 戈. Two coded single-stroke radicals on such a pair, each
// drawn with a stroke of the other's shape, take the stroke of their own shape instead.
void giveSingleStrokesTheirShapes(Candidate& c, const CharacterInput& input) {
    const auto shapeOf = [&](StrokeSet mask) { return classifyMedian(input.strokes[static_cast<std::size_t>(std::countr_zero(mask))].median); };
    const auto classOf = [](const decomposer::Instance& in) { return in.radical->classes.front().toLatin1(); };
    const auto coded = std::min<std::size_t>(static_cast<std::size_t>(c.radicals), c.ordered.size());
    for (std::size_t k = 0; k + 1 < coded; ++k) {
        decomposer::Instance& a = codedRadical(c, k);
        decomposer::Instance& b = codedRadical(c, k + 1);
        if (std::popcount(a.mask) != 1 || std::popcount(b.mask) != 1 || a.radical->classes.size() != 1 || b.radical->classes.size() != 1) continue;
        if (a.mask != b.mask << 1 && b.mask != a.mask << 1) continue;
        const char sa = shapeOf(a.mask);
        const char sb = shapeOf(b.mask);
        if (sa == classOf(a) || sb == classOf(b) || sa != classOf(b) || sb != classOf(a)) continue;
        std::swap(a.mask, b.mask);
        std::swap(a.first, b.first);
        std::swap(a.last, b.last);
        c.panelMasks[k] = a.mask;
        c.panelMasks[k + 1] = b.mask;
    }
}

// A split costing more than this on the shapes is never rated high. The highest of the others
// cost about 0.75.
constexpr double kPoorFit = 0.9;

// Strokes of one radical this far apart in the writing, other than round a wrap (那's 刀, 非's
// 刂 and 垂's 士 are at most four apart).
constexpr int kFarApart = 5;

// 取大优先 past the first radical, between two tied splits: the one where a coded radical takes
// the next stroke, written straight on from its own, from the radical after it, when that stroke
// meets the radical and stands apart from the rest of the other (澧's 曲 is 冂 廿, not 冂 艹 with
// the 廿's last stroke in a 二 with the top of 豆; 页's 一 under 屯 in 顿 stays with its 丿).
// Unless a rule above prefers the other.
bool largerCodedRadical(const Candidate& a, const Candidate& b, const decomposer::Geometry& g) {
    // Both spell the code, so their coded radicals lie on the same keys; the uncoded ones may not.
    if (!tiedAndConfirmed(a, b) || !oneStrokeMoved(a, b) || a.crossings != b.crossings) return false;
    const std::size_t coded = std::min<std::size_t>(3, a.ordered.size());
    for (std::size_t k = 1; k < coded; ++k) {
        const decomposer::Instance& x = a.ordered[k];
        const decomposer::Instance& y = b.ordered[k];
        if (x.mask == y.mask) continue;
        const StrokeSet moved = x.mask & ~y.mask;
        const bool grows = (y.mask & ~x.mask) == 0 && std::popcount(moved) == 1 && moved == StrokeSet{1} << (y.last + 1);
        if (!grows || x.gaps > 0 || x.radical->alternative != 0 || y.radical->alternative != 0 || anEarlierRulePrefers(b, a)) return false;
        const auto giver = std::find_if(b.ordered.begin(), b.ordered.end(), [&](const decomposer::Instance& in) { return (in.mask & moved) != 0; });
        return !apart(g, moved, y.mask) && apart(g, moved, giver->mask & ~moved);
    }
    return false;
}

// 取大优先 between two tied splits, one of which reads as two radicals what the other reads as
// one: the one radical, when the second part lies within the first and each of its strokes
// touches it (肾's 月, not 乃 and the 二 inside it; 身's 丿 reaches out of its 三 and stays
// apart). Unless a rule above prefers the other.
bool oneRadicalForTwo(const Candidate& a, const Candidate& b, const decomposer::Geometry& g) {
    if (!tiedAndConfirmed(a, b) || a.ordered.size() + 1 != b.ordered.size() || a.crossings != b.crossings) return false;
    for (std::size_t k = 0; k < a.ordered.size(); ++k) {
        const decomposer::Instance& merged = a.ordered[k];
        if (merged.mask == b.ordered[k].mask) continue;
        const decomposer::Instance& first = b.ordered[k];
        const decomposer::Instance& second = b.ordered[k + 1];
        if (merged.mask != (first.mask | second.mask) || merged.gaps > 0 || first.gaps > 0 || second.gaps > 0 || first.last + 1 != second.first) return false;
        for (std::size_t j = k + 1; j < a.ordered.size(); ++j) {
            if (a.ordered[j].mask != b.ordered[j + 1].mask) return false;
        }
        if (anEarlierRulePrefers(b, a)) return false;
        const decomposer::Box outer = g.boxOf(first.mask);
        const decomposer::Box inner = g.boxOf(second.mask);
        if (inner.x0 < outer.x0 || inner.x1 > outer.x1 || inner.y0 < outer.y0 || inner.y1 > outer.y1) return false;
        const std::vector<int> own = decomposer::indicesOf(first.mask);
        for (int i : decomposer::indicesOf(second.mask)) {
            const auto contact = [&](int j) { return g.contacts.at(static_cast<std::size_t>(i), static_cast<std::size_t>(j)); };
            const bool touches = std::any_of(own.begin(), own.end(), [&](int j) { return contact(j) == decomposer::Contact::Corner || contact(j) == decomposer::Contact::Tee; });
            if (!touches) return false;
        }
        return true;
    }
    return false;
}

// Parses this close are nearly equal for Wubi's rules.
constexpr double kRuleTie = 0.07;

// The cheapest parse, rated: high when confirmed by code, identification key and shapes, and
// clearly ahead of any other split; medium when ahead by a little; low for a near tie, or when
// not confirmed. The contained components choose among the parses and may lift a near tie to
// medium, but never overrule a parse clearly ahead on the shapes alone, and high needs that lead:
// a component's own split is no proof.
Decomposition bestOf(std::vector<Candidate> candidates, const CharacterInput& input, const decomposer::Geometry& geometry) {
    const auto shapeCost = [](const Candidate& c) { return c.cost - c.componentCost; };
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) { return shapeCost(a) < shapeCost(b); });
    double shapeMargin = candidates.size() > 1 ? shapeCost(candidates[1]) - shapeCost(candidates[0]) : 1.0;
    if (shapeMargin <= decomposer::kHighMargin) {
        std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    }
    // The rules that choose between near rivals, in their order: 能连不交, 取大优先 for the first
    // radical, strokes meeting as drawn, like strokes kept together, 取大优先 further on.
    using Rule = std::function<bool(const Candidate&, const Candidate&)>;
    const Rule rules[] = {
        crossesLess,
        largerFirstRadical,
        meetsAsDrawn,
        keepsLikePairs,
        [&](const Candidate& a, const Candidate& b) { return largerCodedRadical(a, b, geometry); },
        [&](const Candidate& a, const Candidate& b) { return oneRadicalForTwo(a, b, geometry); },
    };
    auto chosen = candidates.end();
    for (const Rule& better : rules) {
        chosen = std::find_if(candidates.begin() + 1, candidates.end(), [&](const Candidate& c) {
            return c.cost - candidates.front().cost <= kRuleTie && better(c, candidates.front());
        });
        if (chosen != candidates.end()) break;
    }
    bool byRule = chosen != candidates.end();
    if (byRule) std::rotate(candidates.begin(), chosen, chosen + 1);
    giveSingleStrokesTheirShapes(candidates.front(), input);
    const Candidate& best = candidates.front();
    Decomposition d = fromCandidate(best, input, static_cast<int>(input.strokes.size()));
    double margin = 1.0;
    shapeMargin = 1.0;
    for (std::size_t k = 1; k < candidates.size(); ++k) {
        // A near rival that a rule sets aside caps the rating at medium instead.
        const Candidate& rival = candidates[k];
        if (rival.cost - best.cost <= kRuleTie &&
            std::any_of(std::begin(rules), std::end(rules), [&](const Rule& rule) { return rule(best, rival); })) {
            byRule = true;
            continue;
        }
        margin = std::min(margin, candidates[k].cost - best.cost);
        shapeMargin = std::min(shapeMargin, shapeCost(candidates[k]) - shapeCost(best));
    }
    const Confidence byShapes = rated(shapeMargin);
    const Confidence withComponents = std::max(rated(margin), Confidence::Medium);  // the enum runs from High to Low
    if (!best.matches || !best.identOk || !d.shapeOk) d.confidence = Confidence::Low;
    else d.confidence = std::min(byShapes, withComponents);
    // Cutting a contained component otherwise than its own split may be right (the code of the
    // whole decides), but the shapes alone cannot show it: such a split is not rated high.
    if (best.componentCost > 0) notHigh(d.confidence);
    // A lead over rivals means little when even the best split fits this badly (彘, whose outline
    // and stroke table disagree over most of 矢).
    if (best.cost - best.componentCost > kPoorFit) notHigh(d.confidence);
    // A coded radical whose strokes lie far apart in the writing, around other radicals it does
    // not wrap, rests on the outline's order alone (翰, whose outline writes 人 in among 羽).
    for (std::size_t k = 0; k < static_cast<std::size_t>(best.radicals); ++k) {
        const decomposer::Instance& in = codedRadical(best, k);
        if (in.gaps > 0 && !in.wrapGap && in.last - in.first > kFarApart) notHigh(d.confidence);
    }
    // A rule decided between near rivals, not a margin.
    if (byRule) d.confidence = best.matches && best.identOk && d.shapeOk ? Confidence::Medium : Confidence::Low;
    if (candidates.size() > 1) {
        const auto next = std::min_element(candidates.begin() + 1, candidates.end(),
                                           [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
        d.runnerUp = fromCandidate(*next, input, static_cast<int>(input.strokes.size())).panels;
    }
    // A code the radicals explain only with the wrong last stroke is not a match.
    if (!best.identOk) d.matchesCode = false;
    return d;
}

// Wubi reads the parts of one band left to right. The outline data and the stroke table write a
// few a part before the one left of it: 燕's 口 before the left half of 北, which its code reads
// first (廿 丬 口 匕 灬, auko). The orders that move such a block of strokes behind the block
// written next, when that one stands wholly left of it, level with it and apart from it.
std::vector<std::vector<int>> leftFirstOrders(const decomposer::Geometry& g) {
    std::vector<std::vector<int>> out;
    const int n = g.n;
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            for (int c = b + 1; c <= n; ++c) {
                const StrokeSet x = decomposer::firstStrokes(b) & ~decomposer::firstStrokes(a);
                const StrokeSet y = decomposer::firstStrokes(c) & ~decomposer::firstStrokes(b);
                const decomposer::Box bx = g.boxOf(x);
                const decomposer::Box by = g.boxOf(y);
                if (by.x1 >= bx.x0 || by.y0 >= bx.y1 || bx.y0 >= by.y1 || !apart(g, x, y)) continue;
                std::vector<int> order(static_cast<std::size_t>(n));
                for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
                std::rotate(order.begin() + a, order.begin() + b, order.begin() + c);
                out.push_back(std::move(order));
            }
        }
    }
    return out;
}

// `d` split the strokes in `order` (place i held stroke order[i]); back to the outline's numbers.
Decomposition inOutlineOrder(Decomposition d, const std::vector<int>& order) {
    const auto renumber = [&](std::vector<int>& strokes) {
        for (int& s : strokes) s = order[static_cast<std::size_t>(s)];
        std::sort(strokes.begin(), strokes.end());
    };
    for (PanelAssignment& p : d.panels) renumber(p.strokes);
    for (PanelAssignment& r : d.radicals) renumber(r.strokes);
    for (std::vector<int>& atom : d.atoms) renumber(atom);
    return d;
}

// A split read left to right (leftFirstOrders) that spells the code, with every radical
// shape-true, where no split in the order of writing does; the cheapest over the orders wins, the
// first on a tie. At best medium: the order is inferred.
std::optional<Decomposition> leftToRight(const CharacterInput& input, const chart::RadicalChart& chart, const QStringList& variants,
                                         const ReferenceLookup& references) {
    std::optional<Decomposition> best;
    double bestCost = 0;
    for (const std::vector<int>& order : leftFirstOrders(decomposer::Geometry::of(input))) {
        CharacterInput moved = input;
        QStringList movedVariants(variants.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            moved.strokes[i] = input.strokes[static_cast<std::size_t>(order[i])];
            for (int k = 0; k < variants.size(); ++k) movedVariants[k].append(variants[k][order[i]]);
        }
        Found found = searchParses(moved, movedVariants, chart, references, {});
        if (found.candidates.empty() || found.radicalCharacter) continue;
        double cost = found.candidates.front().cost;
        for (const Candidate& c : found.candidates) cost = std::min(cost, c.cost);
        Decomposition d = bestOf(std::move(found.candidates), moved, found.geometry);
        if (!d.matchesCode || !d.shapeOk || (best && cost >= bestCost)) continue;
        notHigh(d.confidence);
        best = inOutlineOrder(std::move(d), order);
        bestCost = cost;
    }
    return best;
}

// Whether an uncoded middle radical is written wholly before the third coded one: the code reads
// it later than it is written (官's 丨 inside 管 and 耜, 亍 in 衙). The split then rests on how
// Wubi codes the component, which the strokes alone do not show, so it is not rated high.
bool codedAheadOfWriting(const Decomposition& d) {
    if (d.kind != QLatin1String("general") || d.radicals.size() <= 4 || d.radicals[2].strokes.empty()) return false;
    const int third = d.radicals[2].strokes.front();
    return std::any_of(d.radicals.begin() + 3, d.radicals.end() - 1,
                       [&](const PanelAssignment& r) { return !r.strokes.empty() && r.strokes.back() < third; });
}

Decomposition notHighIfCodedAhead(Decomposition d) {
    if (codedAheadOfWriting(d)) notHigh(d.confidence);
    return d;
}

}  // namespace

Decomposition decompose(const CharacterInput& input, const chart::RadicalChart& chart, const QStringList& classVariants,
                        const ReferenceLookup& references, const std::vector<ComponentHint>& components) {
    if (!input.readingOrder.empty()) {
        // Split in reading order, numbered as the outline.
        CharacterInput read = input;
        read.readingOrder.clear();
        for (std::size_t i = 0; i < input.strokes.size(); ++i) read.strokes[i] = input.strokes[static_cast<std::size_t>(input.readingOrder[i])];
        return notHighIfCodedAhead(inOutlineOrder(decompose(read, chart, classVariants, references), input.readingOrder));
    }
    const QStringList variants = usableVariants(input, classVariants);
    const int n = static_cast<int>(input.strokes.size());
    if (n == 0 || n > decomposer::kMaxStrokes || input.fullCode.size() < 3) return unsplittable(input);
    if (auto keyName = keyNameCharacter(input, chart)) return *keyName;
    if (auto stroke = singleStroke(input, variants)) return *stroke;
    if (chart.keysOf(input.character).contains(input.fullCode[0])) {
        if (auto r = radicalCharacter(input, variants, RadicalCharacter::InChart)) return *r;
    }
    std::vector<Median> medians;
    for (const Stroke& s : input.strokes) medians.push_back(s.median);
    Found found = searchParses(input, variants, chart, references, components, repairedVariants(variants, medians));
    if (found.radicalCharacter) return *found.radicalCharacter;
    if (!found.candidates.empty()) {
        Decomposition best = bestOf(std::move(found.candidates), input, found.geometry);
        if (!best.matchesCode) {
            if (auto read = leftToRight(input, chart, variants, references)) return *read;
        }
        return notHighIfCodedAhead(std::move(best));
    }
    // Even the relaxed search could not cover the strokes with chart radicals.
    if (auto r = radicalCharacter(input, variants, RadicalCharacter::LastResort)) return *r;
    return greedySplit(input, variants.front(), chart);
}

Decomposition decompose(const CharacterInput& input, const InputLoader& loader, const std::vector<ComponentHint>& components) {
    return decompose(input, chart::RadicalChart::wubi86(), loader.classVariants(input),
                     [&loader](const QString& glyph) { return loader.referenceOutline(glyph); }, components);
}

QString describe(const CharacterInput& input, const Decomposition& d) {
    QString out = input.character + QLatin1Char(' ') + input.fullCode + QLatin1Char(':');
    for (const PanelAssignment& p : d.panels) out += QLatin1Char(' ') + panelColumn(p);
    return out;
}

}  // namespace tessivo::datagen
