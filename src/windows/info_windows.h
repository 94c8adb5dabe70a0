#pragma once

// The About and Help windows: texts and links. Each is deleted when it closes.

#include <QWidget>

#include <functional>

namespace tessivo {

// Opens an address (the desktop's default browser or mail program).
using OpenAddress = std::function<void(const QString& address)>;

class AboutWindow : public QWidget {  // Form16
    Q_OBJECT

public:
    explicit AboutWindow(OpenAddress open = {});

protected:
    void paintEvent(QPaintEvent* event) override;
};

class HelpWindow : public QWidget {  // Formhelp
    Q_OBJECT

public:
    explicit HelpWindow(OpenAddress open = {});

    // The forum's title search for `text`: the forum address, the search path and the text's
    // GBK bytes percent-encoded.
    static QString forumSearch(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessivo
