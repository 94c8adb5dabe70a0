#pragma once

// A program folder with small record files and drawings, for tests of the window and its
// controller.

#include "lookup/charcode_record.h"
#include "lookup/panel_geometry.h"
#include "lookup/raster.h"
#include "platform/gbk_codec.h"
#include "support/builders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tessivo::testing {

struct Entry {
    QString character, code1, code2, code3;
    std::array<QString, 4> fill;
};

// A program folder with small record files and one drawing per character: a white panel
// with a closed black square whose inside is the radical the fill points hit.
class Fixture {
public:
    explicit Fixture(std::vector<Entry> entries, std::vector<QString> words) {
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return *gbk::charKey(a.character) < *gbk::charKey(b.character); });
        std::vector<CharCodeRecord> records;
        QDir(dir.path()).mkpath(QStringLiteral("bmp"));
        for (const Entry& e : entries) {
            records.push_back(record(e.character, e.code1, e.code2, e.code3, e.fill));
            Raster drawing(panel::WidthPixels, panel::HeightPixels);
            for (int i = 10; i <= 50; ++i) {
                drawing.setPixel(i, 10, Raster::Black);
                drawing.setPixel(i, 50, Raster::Black);
                drawing.setPixel(10, i, Raster::Black);
                drawing.setPixel(50, i, Raster::Black);
            }
            drawing.saveMonoBmp(QDir(dir.path()).filePath(QStringLiteral("bmp/%1.bmp").arg(e.character)).toStdString());
        }
        writeFile(dir, QStringLiteral("wwbb11.dat"), bytesOf(records));
        std::stable_sort(words.begin(), words.end(),
                         [](const QString& a, const QString& b) { return *gbk::charKey(a) < *gbk::charKey(b); });
        writeFile(dir, QStringLiteral("wwbb11cz.dat"), bytesOf(QStringList(words.begin(), words.end())));
    }
    QTemporaryDir dir;
};

// 20 x 20 pixels at 15 twips: inside the square of every drawing.
inline const QString Inside = QStringLiteral(" 300 300");

inline std::vector<Entry> entries() {
    return {
        {QStringLiteral("啊"), QStringLiteral("kbsk"), QStringLiteral("kb"), QStringLiteral("kbsk"), {Inside, Inside, Inside, Inside}},
        {QStringLiteral("阿"), QStringLiteral("bskg"), QStringLiteral("b"), QStringLiteral("bs"), {Inside, Inside, {}, {}}},
        {QStringLiteral("吖"), QStringLiteral("kuhh"), QStringLiteral(""), QStringLiteral("kuhh"), {Inside, Inside, Inside, Inside}},
        {QStringLiteral("一"), QStringLiteral("ggll"), QStringLiteral("ggl"), QStringLiteral("g"), {Inside, Inside, QStringLiteral("0"), {}}},
        {QStringLiteral("中"), QStringLiteral("khk"), QStringLiteral("k"), QStringLiteral("khk"), {Inside, Inside, QStringLiteral("0"), {}}},
    };
}

inline std::optional<Raster> keyPicture(QChar) { return Raster(108, 109, Raster::Black); }

}  // namespace tessivo::testing
