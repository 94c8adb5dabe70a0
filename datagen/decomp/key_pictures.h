#pragma once

// The sixteen identification-key pictures shown in a radical panel in place of a radical: the
// fifteen keys that encode a last stroke and a shape, and "l", the padding letter of single
// strokes.

#include "lookup/raster.h"

#include <QChar>
#include <QString>

#include <vector>

namespace tessivo::datagen {

inline constexpr int KeyPictureWidth = 108;
inline constexpr int KeyPictureHeight = 109;

struct KeyMeaning {
    QChar letter;
    QString strokeName;   // 横 竖 撇 点 折; empty for the padding letter
    QString strokeGlyph;  // 一 丨 丿 丶 乙
    QString shape;        // 左右 上下 杂合; empty for the padding letter
};

// The sixteen letters in the program's picture order (identKeyLetter) with what each encodes:
// the zone of the key gives the last stroke, its place in the zone the shape.
const std::vector<KeyMeaning>& identificationKeys();

// Registers the font the pictures use; GenError when it cannot be loaded. Needs a
// QGuiApplication.
QString loadPictureFont(const QString& fontPath);

// Draws the picture of `key` with `fontFamily` (black on white, one bit a pixel: grey levels
// below the midpoint turn black).
Raster drawKeyPicture(const KeyMeaning& key, const QString& fontFamily);

// The default font of the pictures, from the Debian package fonts-noto-cjk.
QString defaultPictureFontPath();

}  // namespace tessivo::datagen
