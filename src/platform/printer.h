#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPainter;

namespace tessivo::platform {

// One page on a printer. The page is drawn through a painter whose unit is the twip (1/1440
// inch), with the origin at the top-left corner of the page's printable area.
class PagePrinter {
public:
    using DrawPage = std::function<void(QPainter&)>;
    virtual ~PagePrinter() = default;
    // Draws one page and ends the document, which sends it to the printer. Returns false, with
    // the reason in `problem`, when there is no printer or the printer refuses the job.
    virtual bool printPage(const DrawPage& draw, QString* problem) = 0;
};

// The system's default printer, on A4 paper in portrait.
std::unique_ptr<PagePrinter> defaultPrinter();

}  // namespace tessivo::platform
