#include "decomp/key_pictures.h"

#include "lookup/code_lookup.h"
#include "windows/radical_chart.h"

#include "common/common.h"

#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>

namespace tessivo::datagen {
namespace {

// Grey levels below this turn black: a fixed threshold keeps the pictures the same on every run.
constexpr int InkThreshold = 128;

QFont pixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

}  // namespace

const std::vector<KeyMeaning>& identificationKeys() {
    static const std::vector<KeyMeaning> keys = [] {
        // The program's picture order: five zones of three keys, then the padding letter l.
        // Within a zone the first key means 左右, the second 上下, the third 杂合.
        const QStringList strokeNames = {QStringLiteral("横"), QStringLiteral("竖"), QStringLiteral("撇"),
                                         QStringLiteral("点"), QStringLiteral("折")};
        const char strokeClasses[] = {'h', 's', 'p', 'n', 'z'};
        const QStringList shapes = {QStringLiteral("左右"), QStringLiteral("上下"), QStringLiteral("杂合")};
        std::vector<KeyMeaning> out;
        for (int i = 0; i < 15; ++i) out.push_back({identKeyLetter(i), strokeNames[i / 3], chart::strokeGlyph(strokeClasses[i / 3]), shapes[i % 3]});
        out.push_back({identKeyLetter(15), {}, {}, {}});
        return out;
    }();
    return keys;
}

QString defaultPictureFontPath() { return QStringLiteral("/usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc"); }

QString loadPictureFont(const QString& fontPath) {
    const int id = QFontDatabase::addApplicationFont(fontPath);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) throw GenError(QStringLiteral("cannot load the font %1 (install the package fonts-noto-cjk)").arg(fontPath));
    // A collection holds one face per region; the simplified-Chinese one has the right glyph forms.
    for (const QString& family : families) {
        if (family.endsWith(QStringLiteral(" SC"))) return family;
    }
    return families.front();
}

Raster drawKeyPicture(const KeyMeaning& key, const QString& fontFamily) {
    QImage image(KeyPictureWidth, KeyPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, KeyPictureWidth - 1, KeyPictureHeight - 1);
        const QString letter = QString(key.letter).toUpper();
        if (key.strokeName.isEmpty()) {
            painter.setFont(pixelFont(fontFamily, 44));
            painter.drawText(QRect(0, 2, KeyPictureWidth, 50), Qt::AlignCenter, letter);
            painter.setFont(pixelFont(fontFamily, 26));
            painter.drawText(QRect(0, 50, KeyPictureWidth, 30), Qt::AlignCenter, QStringLiteral("补码"));
            painter.setFont(pixelFont(fontFamily, 17));
            painter.drawText(QRect(0, 82, KeyPictureWidth, 22), Qt::AlignCenter, QStringLiteral("补足四码"));
        } else {
            painter.setFont(pixelFont(fontFamily, 44));
            painter.drawText(QRect(4, 2, 50, 50), Qt::AlignCenter, letter);
            painter.drawText(QRect(54, 2, 50, 50), Qt::AlignCenter, key.strokeGlyph);
            painter.setFont(pixelFont(fontFamily, 22));
            painter.drawText(QRect(0, 52, KeyPictureWidth, 28), Qt::AlignCenter, key.strokeName + QStringLiteral(" ") + key.shape);
            painter.setFont(pixelFont(fontFamily, 17));
            painter.drawText(QRect(0, 82, KeyPictureWidth, 22), Qt::AlignCenter, QStringLiteral("识别码"));
        }
    }
    Raster raster(KeyPictureWidth, KeyPictureHeight);
    for (int y = 0; y < KeyPictureHeight; ++y) {
        for (int x = 0; x < KeyPictureWidth; ++x) {
            if (qGray(image.pixel(x, y)) < InkThreshold) raster.setPixel(x, y, Raster::Black);
        }
    }
    return raster;
}

}  // namespace tessivo::datagen
