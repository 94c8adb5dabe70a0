#pragma once

// Loading what the decomposer needs per character: the Wubi-86 codes, the stroke classes in
// mainland writing order, and the stroke outlines with their centre lines.

#include "decomp/decomposition.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace tessivo::datagen {

using Median = std::vector<std::pair<double, double>>;

// One character of the outline data: per stroke its SVG outline and its centre line, in writing
// order (1024 box, y up, baseline 900).
struct Outline {
    QStringList paths;
    std::vector<Median> medians;
};

// Reads `<dir>/<character>.json` of the outline package. nullopt when the package has no file
// for the character; GenError when the file exists but is malformed (unequal stroke and median
// counts, a median with no point, not JSON).
std::optional<Outline> readOutline(const QString& dir, const QString& character);

// The stroke-order table: per character every stroke-class string ("hspnz" letters), mainland
// entries first, each string once.
class StrokeTable {
public:
    static StrokeTable load(const QString& path);  // GenError if unreadable
    static StrokeTable fromText(const QString& text);
    QStringList variants(const QString& character) const;
    // How many of variants(character), from the front, come from the mainland section.
    int mainlandCount(const QString& character) const { return mainlandCount_.value(character); }

private:
    QHash<QString, QStringList> variants_;
    QHash<QString, int> mainlandCount_;
};

// Stroke class of one centre line from its geometry alone ('h' 's' 'p' 'n' 'z'). Used to order
// equally long stroke-table strings, and as the last resort when none fits the outline.
char classifyMedian(const Median& median);

// How many strokes of `classes` agree with the geometric class of the matching median.
int classAgreement(const QString& classes, const std::vector<Median>& medians);

// The stroke-class strings of `variants` that have exactly medians.size() letters: the first
// `preferred` of `variants` (the mainland ones) before the others, and within each group by
// agreement with the medians' geometry (ties keep the table order).
QStringList fittingVariants(const QStringList& variants, const std::vector<Median>& medians, int preferred = 0);

// The stroke table lists a few pairs of neighbouring strokes the other way round from the
// outline (萏's 臼: its inner 一 before its left 丨). For each of `variants` where both strokes of
// one pair disagree with their drawn shapes and one of them would agree swapped, the string with
// that pair swapped; none where several pairs do (the orders differ more widely than by a slip:
// 彘), and only strings `variants` does not hold.
QStringList swappedVariants(const QStringList& variants, const std::vector<Median>& medians);

// Where the strings of `variants` disagree on a stroke, each may be wrong in a different place
// (霈: one misreads strokes of 雨, the other the last vertical of 巿). The string that takes, at
// each such stroke, a class its drawn shape agrees with; nothing when that is one of `variants`.
std::optional<QString> shapeMergedVariant(const QStringList& variants, const std::vector<Median>& medians);

// Every repaired string to read beside `variants`: the swapped ones, then the merged one.
QStringList repairedVariants(const QStringList& variants, const std::vector<Median>& medians);

// Loads CharacterInput records from the three installed packages.
// Wubi reads a character left to right, and the stroke table lists its strokes so; the outline
// data writes a few a part early: 衙's 亍 (right of 吾) before 吾. The order to read `medians`
// in: the outline's, or with one block of strokes moved behind the next when the moved strokes
// then take the table's classes (several more strokes agree, nearly all do) and the moved block
// stands right of the one it follows; failing that, with a fold and its neighbour swapped where
// the outline writes them the other way round (肠's 𠃓). Indices into `medians`. The loaded input
// keeps the outline's order and notes this one (CharacterInput::readingOrder).
std::vector<int> readingOrder(const std::vector<Median>& medians, const QStringList& variants);

class InputLoader {
public:
    // Reads the code dictionary and the stroke table now; outline files are read on demand.
    // GenError naming the file and its package when one cannot be read.
    InputLoader(const QString& wubiDictPath, const QString& strokeDictPath,
                const QString& hanziWriterDir);

    // The character's full code (longest non-learning code), all its codes, and its strokes with
    // their classes taken from classVariants().front(), or from the geometry when the stroke table
    // has no string of the outline's length. GenError when the character has no code or no outline.
    CharacterInput load(const QString& character) const;

    // Every fitting stroke-class string for `input`, best first (see fittingVariants). Empty when
    // the stroke table has none of the right length.
    QStringList classVariants(const CharacterInput& input) const;

    // Outline of a glyph used as a radical's reference shape; nullptr when the outline package
    // has no such character. Cached; safe to call from several threads.
    const Outline* referenceOutline(const QString& glyph) const;

    bool hasCodes(const QString& character) const { return codes_.count(character) > 0; }
    const QString& hanziWriterDir() const { return hanziWriterDir_; }

private:
    std::map<QString, QStringList> codes_;
    StrokeTable strokes_;
    QString hanziWriterDir_;
    mutable std::mutex referencesMutex_;
    mutable std::map<QString, std::optional<Outline>> references_;
};

}  // namespace tessivo::datagen
