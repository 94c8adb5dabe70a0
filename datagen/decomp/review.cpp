#include "decomp/review.h"

#include "decomp/outputs.h"

#include <QHash>

#include <algorithm>

namespace tessivo::datagen {

namespace {

using decomposer::StrokePoints;

// How many hosts a line of the report names per split.
constexpr int kHostsShown = 12;

// Characters of at least two strokes, by their class strings: the candidates for a component.
QHash<QString, std::vector<std::size_t>> componentsByClasses(const std::vector<ReviewEntry>& entries) {
    QHash<QString, std::vector<std::size_t>> out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].classes.size() >= 2 && entries[i].classes.size() == static_cast<qsizetype>(entries[i].strokes.size())) {
            out[entries[i].classes].push_back(i);
        }
    }
    return out;
}

QString confidenceChange(const DecompositionRow& before, const Decomposition& after) {
    return confidenceWord(before.confidence) + QStringLiteral(" -> ") + confidenceWord(after.confidence);
}

// What changed in a row: its panels' strokes, only the glyph names, only the confidence, or nothing.
QString changeKind(const DecompositionRow& before, const Decomposition& after) {
    bool strokes = false;
    bool names = false;
    for (std::size_t k = 0; k < 4; ++k) {
        const PanelAssignment& a = before.panels[k];
        const PanelAssignment& b = after.panels[k];
        if (a.kind != b.kind || a.strokes != b.strokes || a.key != b.key) strokes = true;
        else if (a.glyph != b.glyph) names = true;
    }
    if (strokes) return QStringLiteral("re-split");
    if (names) return QStringLiteral("radical names only");
    if (before.confidence != after.confidence) return QStringLiteral("confidence only");
    return {};
}

QString panelsText(const ReviewEntry& e) {
    QStringList out;
    for (const PanelAssignment& p : e.decomposition.panels) out << panelColumn(p);
    return out.join(QLatin1Char(' '));
}

QString summarySection(const std::vector<ReviewEntry>& entries) {
    std::map<Confidence, int> byConfidence;
    int spelling = 0;
    int shapeTrue = 0;
    for (const ReviewEntry& e : entries) {
        ++byConfidence[e.decomposition.confidence];
        spelling += e.decomposition.matchesCode;
        shapeTrue += e.decomposition.matchesCode && e.decomposition.shapeOk;
    }
    return QStringLiteral("characters %1\nconfidence high %2, medium %3, low %4\n"
                          "panels spell the full code %5; and every coded radical is shape-true %6\n")
        .arg(entries.size())
        .arg(byConfidence[Confidence::High])
        .arg(byConfidence[Confidence::Medium])
        .arg(byConfidence[Confidence::Low])
        .arg(spelling)
        .arg(shapeTrue);
}

QString listSection(const std::vector<ReviewEntry>& entries, const QString& title, bool (*wanted)(const Decomposition&),
                    bool (*wantedEntry)(const ReviewEntry&) = nullptr) {
    QString body;
    int count = 0;
    for (const ReviewEntry& e : entries) {
        if (wanted ? !wanted(e.decomposition) : !wantedEntry(e)) continue;
        ++count;
        body += e.character + QLatin1Char('\t') + e.fullCode + QLatin1Char('\t') + panelsText(e) + QLatin1Char('\n');
    }
    return QStringLiteral("\n## %1 (%2)\n").arg(title).arg(count) + body;
}

// Why a row stays low: the code or the shapes do not confirm it, or another split fits nearly
// as well (shown, so that the two can be compared). The group, then the reason.
std::pair<QString, QString> lowReason(const Decomposition& d) {
    if (!d.matchesCode) return {QStringLiteral("table faults"), QStringLiteral("no split spells the code")};
    if (!d.shapeOk) return {QStringLiteral("not shape-true"), QStringLiteral("a coded radical is not shape-true")};
    if (d.runnerUp[0].kind == PanelAssignment::Kind::Empty) return {QStringLiteral("unconfirmed"), QStringLiteral("no other split to compare")};
    QStringList other;
    for (const PanelAssignment& p : d.runnerUp) other << panelColumn(p);
    return {QStringLiteral("near ties"), QStringLiteral("nearly as good: ") + other.join(QLatin1Char(' '))};
}

QString lowSection(const std::vector<ReviewEntry>& entries) {
    std::map<QString, QString> byGroup;
    int count = 0;
    for (const ReviewEntry& e : entries) {
        if (e.decomposition.confidence != Confidence::Low) continue;
        ++count;
        const auto [group, reason] = lowReason(e.decomposition);
        byGroup[group] += e.character + QLatin1Char('\t') + e.fullCode + QLatin1Char('\t') + panelsText(e) + QLatin1Char('\t') + reason + QLatin1Char('\n');
    }
    QString out = QStringLiteral("\n## Low confidence, with the reason (%1)\n").arg(count);
    for (const auto& [group, lines] : byGroup) out += QStringLiteral("### %1 (%2)\n").arg(group).arg(lines.count(QLatin1Char('\n'))) + lines;
    return out;
}

QString componentSection(const std::vector<ReviewEntry>& entries) {
    const std::vector<ComponentSplits> all = componentSplits(entries);
    QString body;
    int twoWays = 0;
    int strayHosts = 0;
    for (const ComponentSplits& c : all) {
        if (c.splits.size() < 2) continue;
        ++twoWays;
        body += QStringLiteral("%1\town %2\tin %3 others\n").arg(c.component, c.ownSplit).arg(c.occurrences);
        for (const auto& [split, hosts] : c.splits) {
            if (split != c.ownSplit) strayHosts += static_cast<int>(hosts.size());
            body += QStringLiteral("\t%1\t%2\t%3\n").arg(split).arg(hosts.size()).arg(hosts.mid(0, kHostsShown).join(QString()));
        }
    }
    return QStringLiteral("\n## Components split more than one way (%1 of %2 components; %3 placements differ from the "
                          "component's own split)\n")
               .arg(twoWays)
               .arg(all.size())
               .arg(strayHosts) +
           body;
}

QString changesSection(const std::vector<ReviewEntry>& entries, const std::vector<DecompositionRow>& previous) {
    QHash<QString, const DecompositionRow*> before;
    for (const DecompositionRow& row : previous) before.insert(row.character, &row);
    std::map<QString, QStringList> byKind;
    std::map<QString, int> confidenceMoves;
    for (const ReviewEntry& e : entries) {
        const DecompositionRow* old = before.value(e.character);
        if (!old) continue;
        const QString kind = changeKind(*old, e.decomposition);
        if (kind.isEmpty()) continue;
        byKind[kind] << e.character;
        ++confidenceMoves[confidenceChange(*old, e.decomposition)];
    }
    QString out = QStringLiteral("\n## Changed against the previous table\n");
    for (const auto& [kind, chars] : byKind) out += QStringLiteral("%1 %2: %3\n").arg(kind).arg(chars.size()).arg(chars.join(QString()));
    for (const auto& [move, n] : confidenceMoves) out += QStringLiteral("confidence %1: %2\n").arg(move).arg(n);
    return out;
}

}  // namespace

ReviewEntry reviewEntryOf(const CharacterInput& input, const Decomposition& decomposition) {
    ReviewEntry e;
    e.character = input.character;
    e.fullCode = input.fullCode;
    for (const Stroke& s : input.strokes) {
        e.classes.append(QLatin1Char(s.strokeClass));
        e.strokes.push_back(decomposer::resample(s.median));
    }
    e.decomposition = decomposition;
    e.readingOrder = !input.readingOrder.empty();
    return e;
}

QString splitOf(const Decomposition& d, int first, int count) {
    std::vector<int> group(static_cast<std::size_t>(count), -1);
    for (std::size_t r = 0; r < d.radicals.size(); ++r) {
        for (int s : d.radicals[r].strokes) {
            if (s >= first && s < first + count) group[static_cast<std::size_t>(s - first)] = static_cast<int>(r);
        }
    }
    QStringList parts;
    std::vector<bool> done(static_cast<std::size_t>(count), false);
    for (int i = 0; i < count; ++i) {
        if (done[static_cast<std::size_t>(i)]) continue;
        QStringList members;
        for (int j = i; j < count; ++j) {
            if (group[static_cast<std::size_t>(j)] != group[static_cast<std::size_t>(i)]) continue;
            if (group[static_cast<std::size_t>(i)] < 0 && j != i) continue;  // each loose stroke alone
            done[static_cast<std::size_t>(j)] = true;
            members << QString::number(j);
        }
        parts << (group[static_cast<std::size_t>(i)] < 0 ? QStringLiteral("·") : QString()) + members.join(QLatin1Char(','));
    }
    return parts.join(QLatin1Char('|'));
}

std::vector<ComponentSplits> componentSplits(const std::vector<ReviewEntry>& entries) {
    const QHash<QString, std::vector<std::size_t>> byClasses = componentsByClasses(entries);
    std::map<std::size_t, ComponentSplits> found;
    for (const ReviewEntry& host : entries) {
        const int n = static_cast<int>(host.strokes.size());
        if (host.classes.size() != n) continue;
        for (int first = 0; first < n; ++first) {
            for (int count = 2; first + count <= n && count < n; ++count) {
                const auto it = byClasses.find(host.classes.mid(first, count));
                if (it == byClasses.end()) continue;
                const decomposer::Shape run = decomposer::normalisedRun(host.strokes, first, count);
                for (std::size_t c : *it) {
                    const ReviewEntry& comp = entries[c];
                    if (decomposer::shapeDistance(run, decomposer::normalisedRun(comp.strokes, 0, count), false) > decomposer::kSameComponentShape) continue;
                    ComponentSplits& cs = found[c];
                    ++cs.occurrences;
                    cs.splits[splitOf(host.decomposition, first, count)] << host.character;
                }
            }
        }
    }
    std::vector<ComponentSplits> out;
    for (auto& [index, cs] : found) {
        const ReviewEntry& comp = entries[index];
        cs.component = comp.character;
        cs.ownSplit = splitOf(comp.decomposition, 0, static_cast<int>(comp.strokes.size()));
        cs.splits[cs.ownSplit].prepend(comp.character);
        out.push_back(std::move(cs));
    }
    return out;
}

QString reviewReport(const std::vector<ReviewEntry>& entries, const std::vector<DecompositionRow>& previous) {
    QString out = QStringLiteral("# Decomposition review\n\n") + summarySection(entries);
    out += listSection(entries, QStringLiteral("Table faults: no split of the outline spells the code (code kept, best split shown)"),
                       [](const Decomposition& d) { return !d.matchesCode; });
    out += listSection(entries, QStringLiteral("Spelling the code, but a coded radical is not shape-true"),
                       [](const Decomposition& d) { return d.matchesCode && !d.shapeOk; });
    out += listSection(entries,
                       QStringLiteral("Read in Wubi's order: a part the outline writes before the one left of it, "
                                      "or a fold after its short neighbour"),
                       nullptr, [](const ReviewEntry& e) { return e.readingOrder; });
    out += lowSection(entries);
    out += componentSection(entries);
    if (!previous.empty()) out += changesSection(entries, previous);
    return out;
}

}  // namespace tessivo::datagen
