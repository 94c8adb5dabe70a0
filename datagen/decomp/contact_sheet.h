#pragma once

// A review picture: many characters, each with its four radical panels as the program shows
// them (radicals filled from the written points, key pictures in key panels, empty panels blank).

#include "decomp/drawing.h"
#include "lookup/raster.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace tessivo::datagen {

struct SheetEntry {
    QString character;
    QString code;
    QString confidence;
    Drawing drawing;
};

// The `count` characters of `among` with the highest weight in the code dictionary text (the
// highest weight of any of a character's single-character rows), most frequent first; equal
// weights keep the order of `among`.
QStringList mostFrequent(const QString& wubiDictText, const QStringList& among, int count);

// What panel k shows: the filled drawing, the key picture (`keyPictures` in the order of
// identificationKeys()) of letter k of `code`, as the program picks it, or a blank raster for
// an empty panel or a letter without a picture.
Raster shownPanel(const Drawing& drawing, int k, const std::vector<Raster>& keyPictures, const QString& code);

// Lays the entries out in rows of `perRow`, labelled with character, code and confidence.
// Panels whose simulated fill missed or leaked pixels get a red frame.
QImage contactSheet(const std::vector<SheetEntry>& entries, const std::vector<Raster>& keyPictures,
                    const QString& fontFamily, int perRow = 5);

}  // namespace tessivo::datagen
