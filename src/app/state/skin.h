#pragma once

#include <QObject>
#include <QString>

namespace tessivo {

// The program-wide skin state. Windows that depend on it (the main window's size rule) listen
// to changed() instead of being told by whoever applied the skin.
class Skin : public QObject {
    Q_OBJECT

public:
    struct State {
        bool active = false;  // SkinActive
        QString fileName;     // SkinFileName: a skin file name, or the no-skin name
        QString filePath;     // SkinFilePath: the file in the program's folder
    };

    explicit Skin(QObject* parent = nullptr) : QObject(parent) {}

    bool active() const { return state_.active; }
    const QString& fileName() const { return state_.fileName; }
    const QString& filePath() const { return state_.filePath; }
    const State& state() const { return state_; }

    // Emits changed() when anything differs, so a re-fit happens once per real change.
    void set(const State& state) {
        if (state.active == state_.active && state.fileName == state_.fileName && state.filePath == state_.filePath)
            return;
        state_ = state;
        emit changed(state_.active);
    }

signals:
    void changed(bool active);

private:
    State state_;
};

}  // namespace tessivo
