#include "windows/skin_choice.h"

#include "app/state/settings_files.h"

#include <QDir>

namespace tessivo {

QString skinFileOf(int index) { return QString::fromLatin1(SkinCaptions.at(index)) + QStringLiteral(".urf"); }

SkinChoice::SkinChoice(Skin& skin, QString programFolder, SkinStarter start, MainWindowRefit refit)
    : skin_(skin), programFolder_(std::move(programFolder)), start_(std::move(start)), refit_(std::move(refit)) {}

void SkinChoice::doSkin(const QString& skinFile, bool /*powerful*/) {
    Skin::State s = skin_.state();
    s.filePath = QDir(programFolder_).filePath(skinFile);
    skin_.set(s);
    start_(s.filePath, 2);
}

void SkinChoice::chooseSkin(int index) {
    const QString file = skinFileOf(index);
    Skin::State s = skin_.state();
    s.fileName = file;
    skin_.set(s);
    doSkin(file, true);
    // Active whatever the engine made of the file: a missing one is found at the next start.
    s = skin_.state();
    s.active = true;
    skin_.set(s);
    if (refit_.setFrameBorders) refit_.setFrameBorders(false);
    if (refit_.applySizeRule) refit_.applySizeRule();
}

void SkinChoice::chooseNoSkin() {
    Skin::State s = skin_.state();
    if (s.active) {
        start_(QString(), 0);
        s.active = false;
        skin_.set(s);
        if (refit_.applySizeRule) refit_.applySizeRule();
        if (refit_.setFrameBorders) refit_.setFrameBorders(true);
    }
    s.fileName = QString::fromUtf8(settings::NoSkin);
    skin_.set(s);
}

SettingsMarks settingsMarks(LookupMode mode, const QString& skinFileName) {
    SettingsMarks marks;
    marks.mode = mode;
    marks.noSkin = skinFileName == QString::fromUtf8(settings::NoSkin);
    for (int i = 0; i < int(SkinCaptions.size()); ++i) {
        if (skinFileName == skinFileOf(i)) marks.skin = i;
    }
    return marks;
}

int settingsHeight(bool skinActive) {
    constexpr int ButtonTop = 2625, ButtonHeight = 315;
    return ButtonTop + ButtonHeight + (skinActive ? 600 : 500);
}

}  // namespace tessivo
