#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QMessageBox;
class QPushButton;

namespace tessivo {

namespace platform { class PagePrinter; }

// The two boxes of the print action. The window shows them through this interface so that tests
// can answer them.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // The confirmation box; true when the user chose OK.
    virtual bool confirmPrint(QWidget* parent) = 0;
    // The print-error box; returns when it has been acknowledged.
    virtual void reportPrintError(QWidget* parent) = 0;
};

// The real boxes: message boxes, modal over the chart window.
std::unique_ptr<PrintDialogs> messageBoxPrintDialogs();
// The boxes themselves (the caller owns them): the confirmation with OK and Cancel, Cancel the
// default; the error box with OK only and no icon.
QMessageBox* makePrintConfirmBox(QWidget* parent);
QMessageBox* makePrintErrorBox(QWidget* parent);

// The vertical position of the chart window after each activation, in pixels: the screen's
// height less 360 twips less the window's outer height, halved (computed in twips).
int chartWindowTop(int screenHeight, int windowHeight);

class ChartPicture;

// The radical chart window: the chart, and buttons to print it on one A4 page and to close.
// Deleted when it closes.
class ChartWindow : public QWidget {  // Form4
    Q_OBJECT

public:
    using PrinterFactory = std::function<std::unique_ptr<platform::PagePrinter>()>;
    ChartWindow(std::unique_ptr<PrintDialogs> dialogs, PrinterFactory printer);
    ~ChartWindow() override;
    // With the message boxes and the system's default printer.
    static ChartWindow* create();

    // The print action: confirm, print one page, or report the error and close.
    void print();
    QWidget* picture() const;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<PrintDialogs> dialogs_;
    PrinterFactory printer_;
    ChartPicture* picture_ = nullptr;  // Picture1
    QPushButton* printButton_ = nullptr;  // Command2
    QPushButton* exitButton_ = nullptr;   // Command3
    bool centred_ = false;
};

}  // namespace tessivo
