#include "platform/printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace tessivo::platform {

namespace {

constexpr double TwipsPerInch = 1440;

class SystemPrinter : public PagePrinter {
public:
    bool printPage(const DrawPage& draw, QString* problem) override {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return fail(problem, QStringLiteral("no default printer is set up"));
        // A stopped queue (CUPS stops one whose device failed, e.g. a printer not connected)
        // would keep the page without printing it.
        if (info.state() == QPrinter::Error) return fail(problem, QStringLiteral("the printer %1 is stopped").arg(info.printerName()));
        // High resolution: the page is drawn as vectors at the printer's own resolution.
        QPrinter printer(info, QPrinter::HighResolution);
        if (!printer.isValid()) return fail(problem, QStringLiteral("the printer %1 cannot be used").arg(info.printerName()));
        printer.setDocName(QStringLiteral("Tessivo"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setCopyCount(1);
        // The origin at the corner of what the printer can print on, not inside a margin of
        // the print engine's own.
        QPageLayout layout = printer.pageLayout();
        layout.setMargins(layout.minimumMargins());
        printer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&printer)) return fail(problem, QStringLiteral("the printer %1 refused the job").arg(info.printerName()));
        const double scale = printer.resolution() / TwipsPerInch;
        painter.scale(scale, scale);
        draw(painter);
        if (!painter.end() || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
            return fail(problem, QStringLiteral("the printer %1 refused the job").arg(info.printerName()));
        }
        return true;
    }

private:
    static bool fail(QString* problem, const QString& why) {
        if (problem) *problem = why;
        return false;
    }
};

}  // namespace

std::unique_ptr<PagePrinter> defaultPrinter() { return std::make_unique<SystemPrinter>(); }

}  // namespace tessivo::platform
