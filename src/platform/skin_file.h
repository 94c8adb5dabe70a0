#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The ".urf" skin file: a small, strict text format of our own (docs/skin-format.md). Parsing is
// all or nothing, so a damaged file is refused whole and never half-applied.
namespace tessivo::skin {

// Larger files are refused before they are read: a real skin is a few kilobytes.
inline constexpr qsizetype MaxFileBytes = 64 * 1024;
inline constexpr int MaxSheetLines = 400;

// The colours a skin gives, in file order. Every one is required.
enum class Colour {
    Window,          // window and frame backgrounds
    Text,            // text on the window background
    Base,            // input boxes and lists
    BaseText,        // text in them
    Button,          // button faces
    ButtonText,      // button captions
    Highlight,       // selection, focus, the checked mark
    HighlightText,   // text on the highlight
    TitleTop,        // drawn title bar: gradient from top ...
    TitleBottom,     // ... to bottom
    TitleText,       // the caption in the title bar
    FrameLine,       // the line around a skinned window
    CloseButton,     // the title bar's close button
    CloseText,       // its cross
};
inline constexpr int ColourCount = 14;

// Key of each colour in the file, indexed by Colour.
extern const std::array<const char*, ColourCount> ColourKeys;

struct Look {
    QString name;
    std::array<std::uint32_t, ColourCount> colours{};  // 0xRRGGBB
    int cornerRadius = 0;                             // of the title bar's upper corners, 0..12
    QString titleFont;                                // family of the title font
    int titleFontSize = 10;                           // points, 7..16
    bool titleBold = false;
    QString sheet;                                    // style sheet rules for the whole program

    std::uint32_t colour(Colour c) const { return colours[static_cast<int>(c)]; }
};

// Why a file was refused: the line (1-based, 0 for the whole file) and what is wrong there.
struct Error {
    int line = 0;
    QString message;
    QString text() const;
};

// Parses the bytes of a skin file (GBK text). Exactly one of look and error is set.
struct ParseResult {
    std::optional<Look> look;
    std::optional<Error> error;
};
ParseResult parse(const QByteArray& bytes);

// Reads and parses the file at `path`: only a regular file of at most MaxFileBytes.
ParseResult load(const QString& path);

// The file `name` in `folder`, found ignoring letter case ("pixos.urf" finds "PixOS.urf"); an
// exact match wins over others. nullopt when there is no such regular file.
std::optional<QString> findInFolder(const QString& folder, const QString& name);

// The path of a skin file for the engine: the path itself when a file is there, else the file
// of that name found ignoring case in the same folder, else the path unchanged.
QString resolvePath(const QString& path);

}  // namespace tessivo::skin
