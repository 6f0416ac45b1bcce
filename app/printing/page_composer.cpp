#include "app/printing/page_composer.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "app/printing/run_printer.h"
#include "gen/names/sector_edits.h"
#include "model/run_records.h"
#include "picture/picture_style.h"
#include "picture/system_picture.h"
#include "players/player_table.h"
#include "players/print_table.h"

namespace nexmar {

namespace {

constexpr int kBodyPoints = 9;
constexpr int kHeadingPoints = 12;
// A picture's unit on paper, in points: its labels of 11 units come out at
// 6.6 points where the page is wide enough for the picture.
constexpr double kPicturePointsPerUnit = 0.6;
// At most this share of a page's body goes to one picture, unless its
// labels would come out smaller than kLeastLabelPoints: a tall picture (three
// star pairs) then takes more of the page, and a wide one wraps in strips,
// rather than shrink its text beyond reading on paper.
constexpr double kPictureShareOfPage = 0.2;
constexpr double kLeastLabelPoints = 6;
// A system that does not fit on a page begins on the one it shares only
// when its heading, picture, table head and this many rows fit there.
constexpr int kRowsBeforeBreak = 4;

}  // namespace

std::string HandoutTitle(std::string title, const std::optional<PlayerSystem>& player)
{
    if (player && player->edits != nullptr && player->edits->visibility == Visibility::Rumoured) {
        title.append(" (").append(VisibilityName(Visibility::Rumoured)).append(")");
    }
    return title;
}

PageComposer::PageComposer(QPagedPaintDevice& device, QPainter* painter, const PrintRequest& request, int pages)
    : device_(device), painter_(painter), request_(request), pages_(pages),
      bodyFont_(QStringLiteral("Sans Serif"), kBodyPoints), boldFont_(bodyFont_),
      headingFont_(QStringLiteral("Sans Serif"), kHeadingPoints, QFont::Bold), body_(bodyFont_, &device),
      bold_((boldFont_.setBold(true), boldFont_), &device), heading_(headingFont_, &device)
{
    width_ = device.width();
    height_ = device.height();
    line_ = body_.height() * 23 / 20;
    pad_ = body_.averageCharWidth() / 3;
    StartPage({});
}

void PageComposer::System(const RunRecords& records, std::size_t place, const std::optional<PlayerSystem>& player)
{
    const int number = records.NumberAt(place);
    const SystemRecord& record = records.At(place);
    PrintTable table = SystemTable(number, record);
    if (player) {
        HideCells(table, player->hidden);
    }
    for (PrintRow& note : NoteRows(records, place, player ? NoteKind::Players : NoteKind::Referee)) {
        table.rows.push_back(std::move(note));
    }
    const ColumnPlaces places = PlaceColumns(table.columns, table.rows, body_, bold_, width_, pad_);
    std::vector<int> rowHeights;
    for (const PrintRow& row : table.rows) {
        rowHeights.push_back(RowHeight(row, places));
    }
    SystemPicture picture = player ? PictureOf(number, record, player->name, player->hidden)
                                   : PictureOf(number, record, records.Edits().Name(number));
    const QString name = CellText(HandoutTitle(picture.title, player));
    DropTitle(picture);
    const PicturePlace picturePlace = PlacePicture(picture.viewBox);
    const QSizeF pictureSize = picturePlace.size;
    const int headHeight = heading_.height() * 3 / 2 + static_cast<int>(pictureSize.height()) + line_ / 2 + line_;
    const int rowsHeight = std::accumulate(rowHeights.begin(), rowHeights.end(), 0);
    const int shortStart = std::accumulate(
        rowHeights.begin(), rowHeights.begin() + std::min<std::ptrdiff_t>(kRowsBeforeBreak, rowHeights.size()), 0);
    const bool fitsOnAPage = headHeight + rowsHeight <= height_ - top_;
    if (y_ > top_ && y_ + headHeight + (fitsOnAPage ? rowsHeight : shortStart) > height_) {
        NextPage({});
    }
    if (painter_ != nullptr) {
        painter_->setFont(headingFont_);
        painter_->drawText(QRect(0, y_, width_, heading_.height()), Qt::AlignLeft | Qt::AlignVCenter, name);
    }
    y_ += heading_.height() * 3 / 2;
    for (int strip = 0; strip < picturePlace.strips; ++strip) {
        if (strip > 0 && y_ + static_cast<int>(pictureSize.height()) > height_) {
            NextPage(name + QStringLiteral(", continued"));
        }
        if (painter_ != nullptr) {
            DrawPicture(picture, picturePlace, strip);
        }
        y_ += static_cast<int>(pictureSize.height()) + (strip + 1 < picturePlace.strips ? line_ : line_ / 2);
    }
    TableHead(table.columns, places);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (y_ + rowHeights[r] > height_) {
            NextPage(name + QStringLiteral(", continued"));
            TableHead(table.columns, places);
        }
        Row(table.rows[r], places, rowHeights[r]);
    }
    y_ += line_;
}

void PageComposer::LowTable(const std::vector<PrintColumn>& columns, const std::vector<PrintRow>& rows,
              const std::function<bool(std::size_t done)>& step)
{
    const ColumnPlaces places = PlaceColumns(columns, rows, body_, bold_, width_, pad_);
    TableHead(columns, places);
    std::size_t systems = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int height = RowHeight(rows[r], places);
        if (y_ + height > height_) {
            NextPage({});
            TableHead(columns, places);
        }
        Row(rows[r], places, height);
        if (rows[r].cells.size() > 1 && !step(++systems)) {
            return;
        }
    }
}

PageComposer::PicturePlace PageComposer::PlacePicture(const PictureBox& box) const
{
    if (box.width <= 0 || box.height <= 0) {
        return {};
    }
    const double unit = kPicturePointsPerUnit * device_.logicalDpiX() / 72.0;
    const double readable = kLeastLabelPoints / kPictureStyle.labelSize * device_.logicalDpiX() / 72.0;
    // A picture may fill a page of its own under the system's heading and
    // its table's head; one too large for that shrinks instead.
    const double room = height_ - top_ - 2 * heading_.height() - 3 * line_;
    const double tall = std::min(readable, room / box.height);
    PicturePlace place;
    place.scale = std::min(unit, std::max(kPictureShareOfPage * height_ / box.height, tall));
    if (box.width * place.scale > width_) {
        place.scale = std::max(std::min(place.scale, readable), width_ / box.width);
    }
    place.strips = std::max(1, static_cast<int>(std::ceil(box.width * place.scale / width_ - 1e-9)));
    place.size = {std::min(box.width * place.scale, static_cast<double>(width_)), box.height * place.scale};
    return place;
}

int PageComposer::RowHeight(const PrintRow& row, const ColumnPlaces& places) const
{
    return CellsHeight(row.cells, places, body_);
}

int PageComposer::CellsHeight(const std::vector<std::string>& cells, const ColumnPlaces& places,
                              const QFontMetrics& metrics) const
{
    int lines = 1;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const int room = places.WidthOf(c, cells.size()) - 2 * pad_;
        const QString text = CellText(cells[c]);
        if (metrics.horizontalAdvance(text) > room || text.contains(QLatin1Char('\n'))) {
            const QRect wrapped = metrics.boundingRect(QRect(0, 0, room, 1 << 20), Qt::TextWordWrap, text);
            lines = std::max(lines, (wrapped.height() + metrics.height() - 1) / metrics.height());
        }
    }
    return line_ + (lines - 1) * body_.lineSpacing();
}

void PageComposer::TableHead(const std::vector<PrintColumn>& columns, const ColumnPlaces& places)
{
    std::vector<std::string> headings;
    for (const PrintColumn& column : columns) {
        headings.push_back(column.heading);
    }
    const int height = CellsHeight(headings, places, bold_);
    if (painter_ != nullptr) {
        painter_->setFont(boldFont_);
        const int textTop = y_ + (line_ - bold_.height()) / 2;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            painter_->drawText(QRect(places.lefts[c] + pad_, textTop, places.widths[c] - 2 * pad_, height),
                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, CellText(headings[c]));
        }
        painter_->drawLine(0, y_ + height, width_, y_ + height);
    }
    y_ += height;
}

void PageComposer::Row(const PrintRow& row, const ColumnPlaces& places, int height)
{
    if (painter_ != nullptr) {
        painter_->setFont(bodyFont_);
        if (row.firstOfGroup) {
            painter_->setPen(QColor(150, 150, 150));
            painter_->drawLine(0, y_, width_, y_);
            painter_->setPen(Qt::black);
        }
        const int textTop = y_ + (line_ - body_.height()) / 2;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            painter_->drawText(QRect(places.lefts[c] + pad_, textTop, places.WidthOf(c, row.cells.size()) - 2 * pad_,
                                     height),
                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, CellText(row.cells[c]));
        }
    }
    y_ += height;
}

void PageComposer::DrawPicture(SystemPicture picture, const PicturePlace& place, int strip)
{
    const std::vector<PictureLabel> labels = std::exchange(picture.labels, {});
    QSvgRenderer renderer(QByteArray::fromStdString(SvgDocument(picture)));
    const PictureBox& view = picture.viewBox;
    const double pointsPerUnit = place.scale * 72.0 / device_.logicalDpiY();
    const double stripWidth = width_ / place.scale;  // in picture units
    const double left = view.x + strip * stripWidth;
    const QRectF source(left, view.y, std::min(stripWidth, view.Right() - left), view.height);
    const QRectF box(0, y_, source.width() * place.scale, view.height * place.scale);
    renderer.setViewBox(source);
    renderer.render(painter_, box);
    painter_->save();
    painter_->setClipRect(box);
    QFont font(QStringLiteral("Sans Serif"));
    for (const PictureLabel& label : labels) {
        font.setPointSizeF(label.size * pointsPerUnit);
        font.setBold(label.cssClass != "label");
        painter_->setFont(font);
        const QRectF at(box.x() + (label.box.x - source.x()) * place.scale,
                        box.y() + (label.box.y - view.y) * place.scale, label.box.width * place.scale,
                        label.box.height * place.scale);
        const Qt::Alignment across = label.anchor == TextAnchor::Middle ? Qt::AlignHCenter : Qt::AlignLeft;
        if (at.intersects(box)) {
            painter_->drawText(at, across | Qt::AlignVCenter | Qt::TextDontClip, CellText(label.text));
        }
    }
    painter_->restore();
}

void PageComposer::StartPage(const QString& continued)
{
    ++page_;
    if (painter_ != nullptr) {
        painter_->setFont(bodyFont_);
        painter_->setPen(Qt::black);
        const QRect first(0, 0, width_, line_);
        const QRect second(0, line_, width_, line_);
        painter_->drawText(first, Qt::AlignLeft | Qt::AlignVCenter, request_.run);
        painter_->drawText(first, Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Page %1 of %2").arg(page_).arg(pages_));
        painter_->drawText(second, Qt::AlignLeft | Qt::AlignVCenter, request_.selection);
        if (!continued.isEmpty()) {
            painter_->setFont(boldFont_);
            painter_->drawText(second, Qt::AlignRight | Qt::AlignVCenter, continued);
        }
        painter_->drawLine(0, 2 * line_ + 2, width_, 2 * line_ + 2);
    }
    top_ = 2 * line_ + line_ / 2;
    y_ = top_;
}

void PageComposer::NextPage(const QString& continued)
{
    if (painter_ != nullptr) {
        device_.newPage();
    }
    StartPage(continued);
}

}  // namespace nexmar
