#pragma once

#include "lookup/charcode_search.h"
#include "lookup/panel_geometry.h"
#include "lookup/panel_surface.h"
#include "lookup/raster.h"

#include <QChar>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

namespace tessivo {

// The sixteen identification-key letters, in picture order: "gfdhjktreyuinbvl".
// Index of `letter` in that order, or nullopt when it is not one of them.
std::optional<int> identKeyIndex(QChar letter);
QChar identKeyLetter(int index);  // inverse of identKeyIndex; QChar() out of range

// The picture of an identification key (108 x 109 one-bit pictures in the program), or
// nullopt when it is unavailable. Embedded resources in the program, own pictures in tests.
using KeyPictureProvider = std::function<std::optional<Raster>(QChar letter)>;

// One radical panel.
struct Panel {
    enum class Kind {
        Empty,         // white, no picture
        Drawing,       // the character drawing, radical areas filled: see `surface`
        FontFallback,  // the drawing could not be read: the window draws `character` from a font
        IdentKey,      // an identification-key picture: `keyLetter`, `keyIndex`; `surface` holds
                       // the picture over the white panel, or a null raster when unavailable
    };
    Kind kind = Kind::Empty;
    PanelSurface surface;  // panel::WidthPixels x panel::HeightPixels for Drawing and IdentKey
    QString character;     // FontFallback
    QChar keyLetter;       // IdentKey
    int keyIndex = -1;     // IdentKey
};

// What the code row and the radical strip show.
struct CodeDisplayState {
    QString shownCharacter = QStringLiteral("单字：");  // Label4: the text looked up, as given
    QString code1;                                     // Label8: as read (padded)
    QString code2;                                     // Label7
    QString code3;                                     // Label6
    QString codeLine;                                  // shown by the code label and its white twin
    bool bannerShown = false;                          // the "not found" banner is shown
    std::array<Panel, 4> panels;                       // the four radical panels
};

// How a run ended, for the cells the controller owns.
struct CodeLookupResult {
    bool ran = false;  // false: empty input, nothing changed at all
    bool found = false;
    bool keepsRequest = false;  // ended at an identification-key panel: the request keeps the character
    // The request must be emptied (every run except one that keeps it).
    bool clearRequest() const { return ran && !keepsRequest; }
    // The phrase list must be emptied (not found).
    bool clearPhraseList() const { return ran && !found; }
};

// The code lookup of one character: the search, then the found or the not-found display.
class CodeLookup {
public:
    // `programFolder` holds bmp/<character>.bmp, the drawings of the characters.
    CodeLookup(CharCodeFile& file, QString programFolder, KeyPictureProvider keyPictures);

    // Load step: record 1 into the record fields, all panels cleared.
    void start();

    // The lookup of the text of the request box. The caller applies the result to the request
    // and the phrase list (see CodeLookupResult) after reading state().
    CodeLookupResult run(QStringView request);  // Click of Command6

    const CodeDisplayState& state() const { return state_; }
    // The phrase lookup found no word: it clears the third code, nothing else here.
    void clearCode3() { state_.code3.clear(); }
    const CharCodeSearch& search() const { return search_; }

    // The drawing file of a character: <programFolder>/bmp/<character>.bmp. nullopt when the
    // character cannot name a drawing: drawings exist only for GBK double-byte characters, and
    // nothing else (a NUL, '/', a control character, text of another length) becomes a path.
    std::optional<QString> drawingPath(QStringView character) const;

private:
    CodeLookupResult showFound(QStringView request);
    void showNotFound();
    void showDrawings(const CharCodeRecord& record);
    std::optional<Raster> loadDrawing(QStringView character) const;
    void fillPanel(int index, QStringView field);
    void showKey(int index, QChar letter);

    CharCodeSearch search_;
    QString programFolder_;
    KeyPictureProvider keyPictures_;
    CodeDisplayState state_;
    // The last request and its result: the same request again shows what is on display already.
    QString lastRequest_;
    std::optional<CodeLookupResult> last_;
};

}  // namespace tessivo
