#include "platform/skin_engine.h"

#include "platform/skin_frame.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <cstdio>

namespace tessivo::platform {
namespace {

QPalette paletteOf(const skin::Look& look) {
    const auto c = [&](skin::Colour which) { return QColor::fromRgb(look.colour(which)); };
    QPalette p;
    const QColor button = c(skin::Colour::Button);
    p.setColor(QPalette::Window, c(skin::Colour::Window));
    p.setColor(QPalette::WindowText, c(skin::Colour::Text));
    p.setColor(QPalette::Base, c(skin::Colour::Base));
    p.setColor(QPalette::AlternateBase, c(skin::Colour::Base).darker(105));
    p.setColor(QPalette::Text, c(skin::Colour::BaseText));
    p.setColor(QPalette::PlaceholderText, c(skin::Colour::BaseText).lighter(150));
    p.setColor(QPalette::Button, button);
    p.setColor(QPalette::ButtonText, c(skin::Colour::ButtonText));
    p.setColor(QPalette::Highlight, c(skin::Colour::Highlight));
    p.setColor(QPalette::HighlightedText, c(skin::Colour::HighlightText));
    p.setColor(QPalette::ToolTipBase, c(skin::Colour::Base));
    p.setColor(QPalette::ToolTipText, c(skin::Colour::BaseText));
    p.setColor(QPalette::BrightText, c(skin::Colour::HighlightText));
    p.setColor(QPalette::Link, c(skin::Colour::Highlight));
    p.setColor(QPalette::Light, button.lighter(150));
    p.setColor(QPalette::Midlight, button.lighter(120));
    p.setColor(QPalette::Mid, button.darker(130));
    p.setColor(QPalette::Dark, button.darker(160));
    p.setColor(QPalette::Shadow, button.darker(250));
    // Disabled text: halfway to its background, readable but plainly off.
    const auto half = [](QColor a, QColor b) {
        return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
    };
    p.setColor(QPalette::Disabled, QPalette::WindowText, half(c(skin::Colour::Text), c(skin::Colour::Window)));
    p.setColor(QPalette::Disabled, QPalette::Text, half(c(skin::Colour::BaseText), c(skin::Colour::Base)));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, half(c(skin::Colour::ButtonText), button));
    return p;
}

// Ordinary windows and dialogs get the frame; menus, pop-ups, tool tips and windows that already
// go without a frame keep theirs.
bool takesFrame(const QWidget* w) {
    if (!w || !w->isWindow()) return false;
    const Qt::WindowType type = w->windowType();
    if (type != Qt::Window && type != Qt::Dialog) return false;
    return !w->windowFlags().testFlag(Qt::FramelessWindowHint) || SkinFrame::of(w);
}

// The skin applied now, the look the program had before it, and the watch on windows shown later.
class Engine : public QObject {
public:
    static Engine& instance() {
        static QPointer<Engine> engine;
        if (!engine) engine = new Engine(QCoreApplication::instance());
        return *engine;
    }

    const std::optional<skin::Look>& look() const { return look_; }

    void apply(const skin::Look& look) {
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        look_ = look;
        if (!app) return;
        if (!saved_) {
            savedPalette_ = QApplication::palette();
            savedSheet_ = app->styleSheet();
            saved_ = true;
            app->installEventFilter(this);
        }
        QApplication::setPalette(paletteOf(look));
        app->setStyleSheet(savedSheet_.isEmpty() ? look.sheet : savedSheet_ + u'\n' + look.sheet);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            // Hidden windows get the frame when they are shown; those that have it get the new look.
            if (SkinFrame* frame = SkinFrame::of(w)) frame->setLook(look);
            else if (w->isVisible() && takesFrame(w)) SkinFrame::attach(w, look);
        }
    }

    void clear() {
        look_.reset();
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (!app || !saved_) return;
        app->removeEventFilter(this);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (SkinFrame* frame = SkinFrame::of(w)) frame->detach();
        }
        app->setStyleSheet(savedSheet_);
        QApplication::setPalette(savedPalette_);
        saved_ = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && look_ && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (takesFrame(w) && !SkinFrame::of(w)) SkinFrame::attach(w, *look_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    explicit Engine(QObject* parent) : QObject(parent) {}

    std::optional<skin::Look> look_;
    QPalette savedPalette_;
    QString savedSheet_;
    bool saved_ = false;
};

}  // namespace

int SkinEngine::start(const QString& skinPath, int mode) {
    if (mode == 0 || mode == 1) {
        if (QCoreApplication::instance()) Engine::instance().clear();
        return 1;
    }
    if (mode != 2) {
        std::fprintf(stderr, "tessivo: skin engine: unknown mode %d\n", mode);
        return 0;
    }
    const skin::ParseResult parsed = skin::load(skin::resolvePath(skinPath));
    if (!parsed.look) {
        std::fprintf(stderr, "tessivo: skin file %s refused: %s\n", qPrintable(skinPath), qPrintable(parsed.error->text()));
        return 0;
    }
    if (QCoreApplication::instance()) Engine::instance().apply(*parsed.look);
    return 1;
}

void SkinEngine::remove() {
    if (QCoreApplication::instance()) Engine::instance().clear();
}

std::optional<skin::Look> SkinEngine::current() {
    if (!QCoreApplication::instance()) return std::nullopt;
    return Engine::instance().look();
}

}  // namespace tessivo::platform
