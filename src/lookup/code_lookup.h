#pragma once

#include "lookup/charcode_search.h"
#include "lookup/panel_surface.h"
#include "lookup/raster.h"

#include <QChar>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

namespace tessivo {

// Size of a radical panel: 1680 x 1695 twips, 112 x 113 pixels at 15 twips a pixel.
inline constexpr int PanelWidthTwips = 1680;
inline constexpr int PanelHeightTwips = 1695;
inline constexpr int PanelWidthPixels = 112;
inline constexpr int PanelHeightPixels = 113;

// The sixteen identification-key letters, in picture order: "gfdhjktreyuinbvl".
// Index of `letter` in that order, or nullopt when it is not one of them.
std::optional<int> identKeyIndex(QChar letter);
QChar identKeyLetter(int index);  // inverse of identKeyIndex; QChar() out of range

// The picture of an identification key (108 x 109 one-bit pictures in the program), or
// nullopt when it is unavailable. Embedded resources in the program, own pictures in tests.
using KeyPictureProvider = std::function<std::optional<Raster>(QChar letter)>;

struct Panel {
    enum class Kind {
        Empty,         // white, no picture
        Drawing,       // the character drawing, radical areas filled: see `surface`
        FontFallback,  // the drawing could not be read: the window draws `character` from a font
        IdentKey,      // an identification-key picture: `keyLetter`, `keyIndex`; `surface` holds
                       // the picture over the white panel, or a null raster when unavailable
    };
    Kind kind = Kind::Empty;
    PanelSurface surface;  // PanelWidthPixels x PanelHeightPixels for Drawing and IdentKey
    QString character;     // FontFallback
    QChar keyLetter;       // IdentKey
    int keyIndex = -1;     // IdentKey
};

// What the code row and the radical strip show.
struct CodeDisplayState {
    QString label4 = QStringLiteral("单字：");  // character shown (the text of Text23 as given)
    QString label6;                              // code3 as read (padded)
    QString label7;                              // code2 as read
    QString label8;                              // code1 as read
    QString label10;                             // the code line
    QString label5;                              // its twin: always the same text as label10
    bool picture2Visible = false;                // the "not found" banner
    std::array<Panel, 4> panels;
};

// How a run ended, for the cells the controller owns.
struct CodeLookupResult {
    bool ran = false;         // false: empty input, nothing changed at all
    bool found = false;
    bool keepText23 = false;  // ended at an identification-key panel: Text23 keeps the character
    // Text23 must be set to "" (every run except one that keeps it).
    bool clearText23() const { return ran && !keepText23; }
    // The phrase list Text1 must be emptied (not found).
    bool clearPhraseList() const { return ran && !found; }
};

// The code lookup of one character: the search, then the found or the not-found display.
class CodeLookup {
public:
    // `programFolder` holds bmp/<character>.bmp, the drawings of the characters.
    CodeLookup(CharCodeFile& file, QString programFolder, KeyPictureProvider keyPictures);

    // Load step: record 1 into the record fields, all panels cleared.
    void start();

    // Click of Command6 with the text of Text23. The caller applies the result to Text23 and
    // Text1 (see CodeLookupResult) after reading state().
    CodeLookupResult run(QStringView text23);

    const CodeDisplayState& state() const { return state_; }
    // The phrase lookup found no word: it clears the code3 cell (Label6), nothing else here.
    void clearLabel6() { state_.label6.clear(); }
    CharCodeSearch& search() { return search_; }
    const CharCodeSearch& search() const { return search_; }

    // The drawing file of a character: <programFolder>/bmp/<character>.bmp.
    QString drawingPath(QStringView character) const;

private:
    CodeLookupResult showFound(QStringView text23);
    void showNotFound();
    void fillPanel(int index, QStringView field);
    void showKey(int index, QChar letter);

    CharCodeSearch search_;
    QString programFolder_;
    KeyPictureProvider keyPictures_;
    CodeDisplayState state_;
};

}  // namespace tessivo
