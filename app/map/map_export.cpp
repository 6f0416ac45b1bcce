#include "app/map/map_export.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <string>

#include "map/sector_map_svg.h"

namespace nexmar {

namespace {

constexpr const char* kMapFilter = "SVG Map (*.svg);;PNG Image (*.png);;PDF Document (*.pdf)";
constexpr const char* kMapSuffix = "svg";
// A PNG is drawn at twice the map's own size, sharp enough to print.
constexpr double kPngScale = 2.0;
// A PDF's page has this many dots a unit of the map (a point).
constexpr int kPdfDotsPerPoint = 4;
// Round a subsector's hexes on its page, in hexes: the names and routes
// that cross its edge.
constexpr double kSubsectorSurround = 0.5;
// The heading over each subsector's page, in points.
constexpr double kHeadingPoints = 11;

QByteArray SvgBytes(const ShownMap& map)
{
    return QByteArray(map.svg.data(), static_cast<qsizetype>(map.svg.size()));
}

// The subsectors of the sector drawn that the map spans, as 0 (A) to 15 (P):
// the map takes whole subsectors in reading order, sector after sector.
int SubsectorsSpanned(const ShownMap& map)
{
    return std::clamp(map.input.extent.subsectors - (map.sector - 1) * kSubsectorsPerSector, 0,
                      kSubsectorsPerSector);
}

// Where subsector (0 for A) lies on the sector's map, in its units, with
// what surrounds it.
QRectF SubsectorArea(const ShownMap& map, int subsector)
{
    const MapStyle& s = kMapStyle;
    const PictureBox& grid = map.layout.grid;
    const int firstColumn = subsector % kSubsectorsAcross * kSubsectorColumns + 1;
    const int firstRow = subsector / kSubsectorsAcross * kSubsectorRows + 1;
    const MapPoint topLeft = HexCentre({firstColumn, firstRow}, grid.x, grid.y);
    const MapPoint bottomRight =
        HexCentre({firstColumn + kSubsectorColumns - 1, firstRow + kSubsectorRows - 1}, grid.x, grid.y);
    const double around = s.RowHeight() * kSubsectorSurround;
    // The odd columns stand half a hex higher than the even ones.
    return QRectF(QPointF(topLeft.x - s.hexRadius - around, topLeft.y - s.RowHeight() / 2 - around),
                  QPointF(bottomRight.x + s.hexRadius + around, bottomRight.y + s.RowHeight() / 2 + around));
}

// area of the map drawn as large as room allows, centred across its top.
void PaintArea(QPainter& painter, QSvgRenderer& renderer, const QRectF& area, const QRectF& room)
{
    const double scale = std::min(room.width() / area.width(), room.height() / area.height());
    const QRectF target(room.x() + (room.width() - area.width() * scale) / 2, room.y(), area.width() * scale,
                        area.height() * scale);
    renderer.setViewBox(area);
    painter.save();
    painter.setClipRect(target);
    renderer.render(&painter, target);
    painter.restore();
}

}  // namespace

int MapPageCount(const ShownMap& map, MapPages pages)
{
    return pages == MapPages::Sector ? 1 : std::max(SubsectorsSpanned(map), 1);
}

bool PaintMapPages(QPagedPaintDevice& device, const ShownMap& map, MapPages pages)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRectF room(0, 0, device.width(), device.height());
    if (pages == MapPages::Sector || SubsectorsSpanned(map) == 0) {
        QSvgRenderer renderer(SvgBytes(map));
        PaintArea(painter, renderer, QRectF(0, 0, map.layout.viewBox.width, map.layout.viewBox.height), room);
        return painter.end();
    }
    QFont font = painter.font();
    font.setPointSizeF(kHeadingPoints);
    font.setBold(true);
    painter.setFont(font);
    const double headingHeight = painter.fontMetrics().height() * 1.6;
    for (int subsector = 0; subsector < SubsectorsSpanned(map); ++subsector) {
        if (subsector > 0 && !device.newPage()) {
            return false;
        }
        // The page's own hexes alone: the sector's 1,280 hex numbers would
        // cost QtSvg five times the time and the PDF five times the bytes.
        const QRectF area = SubsectorArea(map, subsector);
        const std::string svg = SectorMapSvg(map.input, PictureBox{area.x(), area.y(), area.width(), area.height()});
        QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
        const QString heading = QStringLiteral("Sector %1, subsector %2")
                                    .arg(map.sector)
                                    .arg(QChar(QLatin1Char(static_cast<char>('A' + subsector))));
        painter.drawText(QRectF(room.x(), room.y(), room.width(), headingHeight), Qt::AlignLeft | Qt::AlignTop,
                         heading);
        PaintArea(painter, renderer, area, room.adjusted(0, headingHeight, 0, 0));
    }
    return painter.end();
}

bool WriteMapPng(const ShownMap& map, QIODevice& file)
{
    QSvgRenderer renderer(SvgBytes(map));
    const QSizeF size = renderer.viewBoxF().size() * kPngScale;
    QImage image(static_cast<int>(std::ceil(size.width())), static_cast<int>(std::ceil(size.height())),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
    }
    return image.save(&file, "PNG");
}

bool WriteMapPdf(const ShownMap& map, QIODevice& file)
{
    QSvgRenderer renderer(SvgBytes(map));
    const QSizeF size = renderer.viewBoxF().size();
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("Tolvik Nexmar"));
    pdf.setTitle(QString::fromStdString(map.input.title));
    // A unit of the map a point of the page.
    pdf.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    pdf.setResolution(72 * kPdfDotsPerPoint);
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    renderer.render(&painter, QRectF(QPointF(0, 0), size * kPdfDotsPerPoint));
    return painter.end();
}

void MapExport::Export(const ShownMap& map) const
{
    if (map.svg.empty()) {
        return;
    }
    const QString title = QStringLiteral("Export Map: %1").arg(QString::fromStdString(map.input.title));
    const QString name = seams_.askName(QString::fromLatin1(kMapFilter), QString::fromLatin1(kMapSuffix), title);
    if (name.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(name).suffix().toLower();
    const QString done = QStringLiteral("Exported the map of sector %1 as %2")
                             .arg(map.sector)
                             .arg(QDir::toNativeSeparators(name));
    if (suffix == QLatin1String("svg")) {
        const QByteArray bytes = SvgBytes(map);
        seams_.save(name, [&bytes](QSaveFile& file) { return file.write(bytes) == bytes.size(); }, done);
    } else if (suffix == QLatin1String("png")) {
        seams_.save(name, [&map](QSaveFile& file) { return WriteMapPng(map, file); }, done);
    } else if (suffix == QLatin1String("pdf")) {
        seams_.save(name, [&map](QSaveFile& file) { return WriteMapPdf(map, file); }, done);
    } else {
        seams_.refuse(QString::fromLatin1(kMapFormatRefused));
    }
}

void MapExport::Print(const ShownMap& map, MapPages pages) const
{
    if (map.svg.empty()) {
        return;
    }
    seams_.preview([&map, pages](QPrinter& printer) {
        printer.setDocName(QString::fromStdString(map.input.title));
        PaintMapPages(printer, map, pages);
    });
}

}  // namespace nexmar
