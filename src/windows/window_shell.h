#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

namespace tessivo {

// The secondary windows the main window's buttons open.
enum class SecondaryWindow { Settings, RadicalChart, About, Help };

// Opens each secondary window at most once: the first request creates it, later requests show
// the same window again. A window that closes itself for good (deleted on close) is created
// afresh by the next request. Windows are modeless and have no owner, so they never hide or
// block the main window.
class WindowShell : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<QWidget*()>;

    explicit WindowShell(QObject* parent = nullptr) : QObject(parent) {}
    ~WindowShell() override;

    // How to make a window; without a factory a request does nothing.
    void setFactory(SecondaryWindow which, Factory factory);

    // Shows the window (creating it on first use), keeps it above other windows and returns it;
    // nullptr when no factory is set.
    QWidget* open(SecondaryWindow which);

    // The window if it exists now.
    QWidget* window(SecondaryWindow which) const;

signals:
    void opened(SecondaryWindow which, QWidget* window);

private:
    static constexpr int Count = 4;
    std::array<Factory, Count> factories_{};
    std::array<QPointer<QWidget>, Count> windows_{};
};

}  // namespace tessivo
