#pragma once

// Paints the radical chart from its layout: into the window at any device pixel ratio, and
// straight onto a printer's page as vectors.

#include <QImage>

#include <QString>

class QPainter;

namespace tessivo::platform { class PagePrinter; }

namespace tessivo::chart {

struct ChartLayout;

// Paints the chart with its top-left corner at the painter's origin, one chart unit per painter
// unit (651 x 523 units in all). Faces are given in pixels of those units, so the chart scales
// with the painter's transform.
void paintChart(QPainter& painter, const ChartLayout& layout);

// The chart of the built-in table as a picture of 651 x 523 device-independent pixels at
// `devicePixelRatio` (2 gives a sharp picture on a doubled display).
QImage renderChart(qreal devicePixelRatio = 1);

// Where the chart lies on the printed page: its top-left corner in twips from the corner of the
// printable area, and its size: one chart unit is 15 twips, a pixel at 96 dots per inch, so the
// chart is 172.2 x 138.3 mm and fits one A4 page with the same margin left and right.
inline constexpr double PrintLeftTwips = 600, PrintTopTwips = 200, PrintTwipsPerUnit = 15;

// Paints the chart on a page whose painter works in twips (see platform::PagePrinter).
void paintChartPage(QPainter& painter);

// Prints the chart on one page of `printer`; false with the reason when it could not.
bool printChart(platform::PagePrinter& printer, QString* problem);

}  // namespace tessivo::chart
