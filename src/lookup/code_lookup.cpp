#include "lookup/code_lookup.h"

#include "lookup/code_rules.h"

#include <QFile>

#include <filesystem>
#include <utility>

namespace tessivo {
namespace {

constexpr char16_t IdentKeyLetters[] = u"gfdhjktreyuinbvl";
constexpr int IdentKeyCount = 16;

// A picture as the panel shows it: drawn at the top left of the white panel, cut at its edges.
Raster onPanel(const Raster& picture) {
    Raster panel(PanelWidthPixels, PanelHeightPixels, Raster::White);
    const int w = std::min(picture.width(), PanelWidthPixels);
    const int h = std::min(picture.height(), PanelHeightPixels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) panel.setPixel(x, y, picture.pixel(x, y));
    return panel;
}

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
    search_.start();
    for (Panel& panel : state_.panels) panel = Panel{};
    state_.label5.clear();
    state_.label10.clear();
}

QString CodeLookup::drawingPath(QStringView character) const {
    return programFolder_ + QStringLiteral("/bmp/") + character.toString() + QStringLiteral(".bmp");
}

CodeLookupResult CodeLookup::run(QStringView text23) {
    if (text23.isEmpty()) return {};
    if (search_.search(text23)) return showFound(text23);
    showNotFound();
    return {.ran = true, .found = false, .keepText23 = false};
}

void CodeLookup::showNotFound() {
    state_.label4.clear();
    state_.label8.clear();
    state_.label7.clear();
    state_.label6.clear();
    for (Panel& panel : state_.panels) panel = Panel{};
    state_.picture2Visible = true;
    state_.label10.clear();
    state_.label5.clear();
}

CodeLookupResult CodeLookup::showFound(QStringView text23) {
    state_.picture2Visible = false;
    search_.display();
    const RecordFields& f = search_.fields();
    state_.label4 = text23.toString();
    state_.label8 = f.text12;
    state_.label7 = f.text13;
    state_.label6 = f.text14;
    state_.label10 = codeLine(f.text12, f.text13, f.text14);
    state_.label5 = state_.label10;

    // The drawing, read once and given to every panel that shows it.
    Panel drawing;
    const QString character = f.text11.left(1);
    const QByteArray path = QFile::encodeName(drawingPath(character));
    if (auto picture = Raster::loadBmp(std::filesystem::path(path.toStdString()))) {
        drawing.kind = Panel::Kind::Drawing;
        drawing.surface = PanelSurface(onPanel(*picture));
    } else {
        drawing.kind = Panel::Kind::FontFallback;
        drawing.character = character;
    }
    const QString fill3 = f.text19.trimmed();
    const QString fill4 = f.text20.trimmed();
    const auto shown = [](const QString& fill) { return !fill.isEmpty() && fill != u"0"; };
    state_.panels[0] = drawing;
    state_.panels[1] = drawing;
    // Panels 3 and 4 are cleared when they get no drawing, so that nothing of the character
    // shown before stays beside the new one.
    state_.panels[2] = shown(fill3) ? drawing : Panel{};
    state_.panels[3] = shown(fill4) ? drawing : Panel{};
    const qsizetype shortest = f.text14.trimmed().size();
    if (shortest == 2) state_.panels[2] = Panel{};
    if (shortest == 2 || shortest == 3) state_.panels[3] = Panel{};

    fillPanel(0, f.text17);
    fillPanel(1, f.text18);
    if (fill3 == u"0") {
        if (f.text12.size() > 2) showKey(2, f.text12[2]);
        return {.ran = true, .found = true, .keepText23 = true};
    }
    fillPanel(2, f.text19);
    if (fill4 == u"0") {
        if (f.text12.size() > 3) showKey(3, f.text12[3]);
        return {.ran = true, .found = true, .keepText23 = true};
    }
    fillPanel(3, f.text20);
    return {.ran = true, .found = true, .keepText23 = false};
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
