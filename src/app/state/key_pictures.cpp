#include "app/state/key_pictures.h"

#include <QFile>

#include <map>
#include <vector>

namespace tessivo {

KeyPictureProvider embeddedKeyPictures() {
    // Decoded once; a picture that is missing from the build yields nullopt, never a crash.
    auto cache = std::make_shared<std::map<char16_t, std::optional<Raster>>>();
    return [cache](QChar letter) -> std::optional<Raster> {
        auto it = cache->find(letter.unicode());
        if (it != cache->end()) return it->second;
        std::optional<Raster> picture;
        QFile file(QStringLiteral(":/keys/%1.bmp").arg(letter));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            picture = Raster::decodeBmp(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
        cache->emplace(letter.unicode(), picture);
        return picture;
    };
}

}  // namespace tessivo
