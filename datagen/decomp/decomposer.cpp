#include "decomp/decomposer.h"

#include "decomp/outputs.h"
#include "decomp/search.h"

#include <algorithm>
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
        const decomposer::Instance& in = k == 3 ? ord.back() : ord[k];
        if (!shapePasses(in)) d.shapeOk = false;
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
};

// Both coding orders compete; only when neither explains the code does the relaxed search look
// for the best split regardless of keys.
Found searchParses(const CharacterInput& input, const QStringList& variants, const chart::RadicalChart& chart,
                   const ReferenceLookup& references) {
    using decomposer::Mode;
    const decomposer::Geometry geometry = decomposer::Geometry::of(input);
    decomposer::ReferenceShapes shapes(references);
    decomposer::ShapeCache shapeCache;
    const decomposer::SearchInputs inputs{geometry, input.fullCode, chart, shapes, shapeCache};
    Found found;
    for (Mode mode : {Mode::StrictStart, Mode::StrictClose, Mode::Relaxed}) {
        for (int v = 0; v < variants.size(); ++v) {
            decomposer::Search search(variants[v], inputs, v * decomposer::kVariantStep);
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

// The cheapest parse, rated: high when confirmed by code, identification key and shapes, and
// clearly ahead of any other split; medium when ahead by a little; low for a near tie, or when
// not confirmed.
Decomposition bestOf(std::vector<Candidate> candidates, const CharacterInput& input) {
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    const Candidate& best = candidates.front();
    Decomposition d = fromCandidate(best, input, static_cast<int>(input.strokes.size()));
    const double margin = candidates.size() > 1 ? candidates[1].cost - best.cost : 1.0;
    if (!best.matches || !best.identOk || !d.shapeOk) d.confidence = Confidence::Low;
    else if (margin > decomposer::kHighMargin) d.confidence = Confidence::High;
    else if (margin > decomposer::kMediumMargin) d.confidence = Confidence::Medium;
    else d.confidence = Confidence::Low;
    // A code the radicals explain only with the wrong last stroke is not a match.
    if (!best.identOk) d.matchesCode = false;
    return d;
}

}  // namespace

Decomposition decompose(const CharacterInput& input, const chart::RadicalChart& chart, const QStringList& classVariants,
                        const ReferenceLookup& references) {
    const QStringList variants = usableVariants(input, classVariants);
    const int n = static_cast<int>(input.strokes.size());
    if (n == 0 || n > decomposer::kMaxStrokes || input.fullCode.size() < 3) return unsplittable(input);
    if (auto keyName = keyNameCharacter(input, chart)) return *keyName;
    if (auto stroke = singleStroke(input, variants)) return *stroke;
    if (chart.keysOf(input.character).contains(input.fullCode[0])) {
        if (auto r = radicalCharacter(input, variants, RadicalCharacter::InChart)) return *r;
    }
    Found found = searchParses(input, variants, chart, references);
    if (found.radicalCharacter) return *found.radicalCharacter;
    if (!found.candidates.empty()) return bestOf(std::move(found.candidates), input);
    // Even the relaxed search could not cover the strokes with chart radicals.
    if (auto r = radicalCharacter(input, variants, RadicalCharacter::LastResort)) return *r;
    return greedySplit(input, variants.front(), chart);
}

Decomposition decompose(const CharacterInput& input, const InputLoader& loader) {
    return decompose(input, chart::RadicalChart::wubi86(), loader.classVariants(input),
                     [&loader](const QString& glyph) { return loader.referenceOutline(glyph); });
}

QString describe(const CharacterInput& input, const Decomposition& d) {
    QString out = input.character + QLatin1Char(' ') + input.fullCode + QLatin1Char(':');
    for (const PanelAssignment& p : d.panels) out += QLatin1Char(' ') + panelColumn(p);
    return out;
}

}  // namespace tessivo::datagen
