#include "lookup/code_lookup.h"

#include "lookup/code_rules.h"
#include "platform/gbk_codec.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace tessivo {
namespace {

constexpr char16_t IdentKeyLetters[] = u"gfdhjktreyuinbvl";
constexpr int IdentKeyCount = 16;

// A picture as the panel shows it: drawn at the top left of the white panel, cut at its edges.
// Drawings are made panel-sized, so the usual case is the picture itself.
Raster onPanel(Raster picture) {
    if (picture.width() == panel::WidthPixels && picture.height() == panel::HeightPixels) return picture;
    Raster shown(panel::WidthPixels, panel::HeightPixels, Raster::White);
    const int w = std::min(picture.width(), panel::WidthPixels);
    const int h = std::min(picture.height(), panel::HeightPixels);
    for (int y = 0; y < h; ++y) std::copy_n(picture.row(y), w, shown.row(y));
    return shown;
}

// Drawings are panel-sized pictures of about 2 KB: anything larger is not one.
constexpr BmpLimits DrawingLimits{.maxBytes = 64 * 1024, .maxWidth = panel::WidthPixels, .maxHeight = panel::HeightPixels};

// A fill field that gives its panel the drawing: neither blank nor "0" (the key-picture marker).
bool showsDrawing(QStringView fill) { return !fill.isEmpty() && fill != u"0"; }

}  // namespace

std::optional<int> identKeyIndex(QChar letter) {
    for (int i = 0; i < IdentKeyCount; ++i)
        if (letter.unicode() == IdentKeyLetters[i]) return i;
    return std::nullopt;
}

QChar identKeyLetter(int index) {
    return index >= 0 && index < IdentKeyCount ? QChar(IdentKeyLetters[index]) : QChar();
}

CodeLookup::CodeLookup(CharCodeFile& file, QString programFolder, KeyPictureProvider keyPictures)
    : search_(file), programFolder_(std::move(programFolder)), keyPictures_(std::move(keyPictures)) {}

void CodeLookup::start() {
    last_.reset();
    search_.start();
    for (Panel& panel : state_.panels) panel = Panel{};
    state_.codeLine.clear();
}

std::optional<QString> CodeLookup::drawingPath(QStringView character) const {
    const auto bytes = gbk::encode(character);
    if (!bytes || bytes->size() != 2 || static_cast<std::uint8_t>(bytes->at(0)) < 0x81) return std::nullopt;
    return programFolder_ + QStringLiteral("/bmp/") + character.toString() + QStringLiteral(".bmp");
}

CodeLookupResult CodeLookup::run(QStringView request) {
    if (request.isEmpty()) return {};
    // A key press looks its character up on the way in and again on key-up. Nothing but this
    // lookup changes the display, the search or the records, so a repeat would find the same
    // record and draw the same panels: only the third code, which the phrase lookup may have
    // emptied since, is shown again.
    if (last_ && request == lastRequest_) {
        if (last_->found) state_.code3 = search_.record().code3;
        return *last_;
    }
    if (search_.search(request)) {
        last_ = showFound(request);
    } else {
        showNotFound();
        last_ = CodeLookupResult{.ran = true, .found = false, .keepsRequest = false};
    }
    lastRequest_ = request.toString();
    return *last_;
}

void CodeLookup::showNotFound() {
    state_.shownCharacter.clear();
    state_.code1.clear();
    state_.code2.clear();
    state_.code3.clear();
    for (Panel& panel : state_.panels) panel = Panel{};
    state_.bannerShown = true;
    state_.codeLine.clear();
}

CodeLookupResult CodeLookup::showFound(QStringView request) {
    state_.bannerShown = false;
    search_.loadCurrentRecord();
    const CharCodeRecord& r = search_.record();
    state_.shownCharacter = request.toString();
    state_.code1 = r.code1;
    state_.code2 = r.code2;
    state_.code3 = r.code3;
    state_.codeLine = tessivo::codeLine(r.code1, r.code2, r.code3);
    showDrawings(r);

    fillPanel(0, r.fill[0]);
    fillPanel(1, r.fill[1]);
    // A third or fourth fill of "0" shows the key picture of that code letter instead, and ends
    // the display there.
    if (r.fill[2].trimmed() == u"0") {
        if (r.code1.size() > 2) showKey(2, r.code1[2]);
        return {.ran = true, .found = true, .keepsRequest = true};
    }
    fillPanel(2, r.fill[2]);
    if (r.fill[3].trimmed() == u"0") {
        if (r.code1.size() > 3) showKey(3, r.code1[3]);
        return {.ran = true, .found = true, .keepsRequest = true};
    }
    fillPanel(3, r.fill[3]);
    return {.ran = true, .found = true, .keepsRequest = false};
}

// The drawing, read once and given to every panel that shows it.
void CodeLookup::showDrawings(const CharCodeRecord& record) {
    Panel drawing;
    const QString character = record.character.left(1);
    if (auto picture = loadDrawing(character)) {
        drawing.kind = Panel::Kind::Drawing;
        drawing.surface = PanelSurface(onPanel(std::move(*picture)));
    } else {
        drawing.kind = Panel::Kind::FontFallback;
        drawing.character = character;
    }
    state_.panels[0] = drawing;
    state_.panels[1] = drawing;
    // Panels 3 and 4 are cleared when they get no drawing, so that nothing of the character
    // shown before stays beside the new one.
    state_.panels[2] = showsDrawing(record.fill[2].trimmed()) ? drawing : Panel{};
    state_.panels[3] = showsDrawing(record.fill[3].trimmed()) ? drawing : Panel{};
    const qsizetype shortest = record.code3.trimmed().size();
    if (shortest == 2) state_.panels[2] = Panel{};
    if (shortest == 2 || shortest == 3) state_.panels[3] = Panel{};
}

std::optional<Raster> CodeLookup::loadDrawing(QStringView character) const {
    const auto path = drawingPath(character);
    if (!path) return std::nullopt;
    return Raster::loadBmp(std::filesystem::path(QFile::encodeName(*path).toStdString()), nullptr, DrawingLimits);
}

void CodeLookup::fillPanel(int index, QStringView field) {
    Panel& panel = state_.panels[static_cast<std::size_t>(index)];
    // Only a drawing is filled: a fill in an empty panel would blacken the blank panel itself.
    if (panel.kind != Panel::Kind::Drawing) return;
    for (const FillPoint& p : parseFillField(field)) floodFill(panel.surface, p.x, p.y, Raster::Black);
}

void CodeLookup::showKey(int index, QChar letter) {
    const auto keyIndex = identKeyIndex(letter);
    if (!keyIndex) return;  // not a key letter: the panel stays as it is
    Panel panel;
    panel.kind = Panel::Kind::IdentKey;
    panel.keyLetter = letter;
    panel.keyIndex = *keyIndex;
    if (keyPictures_) {
        if (const auto picture = keyPictures_(letter)) panel.surface = PanelSurface(onPanel(*picture));
    }
    state_.panels[static_cast<std::size_t>(index)] = std::move(panel);
}

}  // namespace tessivo
