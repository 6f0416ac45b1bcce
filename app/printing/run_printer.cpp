#include "app/printing/run_printer.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <string>
#include <utility>

#include "gen/names/sector_edits.h"
#include "model/player_table.h"
#include "model/print_table.h"
#include "model/run_records.h"
#include "picture/picture_style.h"
#include "picture/system_picture.h"

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

QString Text(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A system's title in a handout, " (Rumoured)" after it for a system the
// players only heard of, as the HTML handout and Player View mark it.
std::string HandoutTitle(std::string title, const std::optional<PlayerSystem>& player)
{
    if (player && player->edits != nullptr && player->edits->visibility == Visibility::Rumoured) {
        title.append(" (").append(VisibilityName(Visibility::Rumoured)).append(")");
    }
    return title;
}

// Where a table's columns go across the page: each as wide as its widest
// cell, the columns that wrap sharing what room is left, and the last one
// reaching the page's right edge.
struct ColumnPlaces {
    std::vector<int> lefts;
    std::vector<int> widths;

    // The width of cell of a row with cells cells: the last one takes the
    // room of the columns the row lacks.
    int WidthOf(std::size_t cell, std::size_t cells) const
    {
        return cell + 1 == cells ? lefts.back() + widths.back() - lefts[cell] : widths[cell];
    }
};

ColumnPlaces PlaceColumns(const std::vector<PrintColumn>& columns, const std::vector<PrintRow>& rows,
                          const QFontMetrics& body, const QFontMetrics& bold, int pageWidth, int pad)
{
    const int slack = body.averageCharWidth() / 4;
    const std::size_t count = columns.size();
    std::vector<int> natural(count);
    for (std::size_t c = 0; c < count; ++c) {
        natural[c] = bold.horizontalAdvance(Text(columns[c].heading));
    }
    for (const PrintRow& row : rows) {
        // A cell spanning to the end claims no column's width.
        const std::size_t claiming = row.cells.size() == count ? count : row.cells.size() - 1;
        for (std::size_t c = 0; c < claiming; ++c) {
            natural[c] = std::max(natural[c], body.horizontalAdvance(Text(row.cells[c])));
        }
    }
    int fixed = 0;
    int wrapping = 0;
    for (std::size_t c = 0; c < count; ++c) {
        // Printed text can come out a little wider than measured.
        natural[c] += 2 * pad + slack;
        (columns[c].wraps ? wrapping : fixed) += natural[c];
    }
    // Room to spare goes to every column alike, up to two characters a column.
    if (fixed + wrapping < pageWidth) {
        const int extra = std::min((pageWidth - fixed - wrapping) / static_cast<int>(count), 2 * slack * 4);
        for (std::size_t c = 0; c < count; ++c) {
            natural[c] += extra;
            (columns[c].wraps ? wrapping : fixed) += extra;
        }
    }
    const int room = std::max(pageWidth - fixed, 0);
    ColumnPlaces places;
    int left = 0;
    for (std::size_t c = 0; c < count; ++c) {
        int width = natural[c];
        if (columns[c].wraps && wrapping > room) {
            width = static_cast<int>(static_cast<long long>(room) * natural[c] / std::max(wrapping, 1));
        }
        places.lefts.push_back(left);
        places.widths.push_back(width);
        left += width;
    }
    places.widths.back() = std::max(places.widths.back(), pageWidth - places.lefts.back());
    return places;
}

// Lays systems out on pages and, given a painter, paints them. Laid out once
// without a painter it counts the pages, which every page's number needs.
class PageComposer {
public:
    PageComposer(QPagedPaintDevice& device, QPainter* painter, const PrintRequest& request, int pages)
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

    int Pages() const { return page_; }

    // A Medium or High system: its heading, its picture, its table, its
    // notes; in a handout, what the players may see of them and the notes
    // written for them.
    void System(const RunRecords& records, std::size_t place, const std::optional<PlayerSystem>& player)
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
        const QString name = Text(HandoutTitle(picture.title, player));
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

    // The Low systems' table: its head on every page, a system a row, each
    // followed by the rows of its notes (of one cell).
    void LowTable(const std::vector<PrintColumn>& columns, const std::vector<PrintRow>& rows,
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

private:
    // How a picture is laid on the page: at one scale, in strips one under
    // another where it is wider than the page at a readable size, as a line
    // of text wraps, the strips going on over the next page where they must.
    struct PicturePlace {
        double scale = 0;  // device units a picture unit
        int strips = 1;
        QSizeF size;  // of one strip
    };

    PicturePlace PlacePicture(const PictureBox& box) const
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

    int RowHeight(const PrintRow& row, const ColumnPlaces& places) const { return CellsHeight(row.cells, places, body_); }

    // As many lines as the cell of most lines wraps onto.
    int CellsHeight(const std::vector<std::string>& cells, const ColumnPlaces& places, const QFontMetrics& metrics) const
    {
        int lines = 1;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int room = places.WidthOf(c, cells.size()) - 2 * pad_;
            const QString text = Text(cells[c]);
            if (metrics.horizontalAdvance(text) > room || text.contains(QLatin1Char('\n'))) {
                const QRect wrapped = metrics.boundingRect(QRect(0, 0, room, 1 << 20), Qt::TextWordWrap, text);
                lines = std::max(lines, (wrapped.height() + metrics.height() - 1) / metrics.height());
            }
        }
        return line_ + (lines - 1) * body_.lineSpacing();
    }

    void TableHead(const std::vector<PrintColumn>& columns, const ColumnPlaces& places)
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
                                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(headings[c]));
            }
            painter_->drawLine(0, y_ + height, width_, y_ + height);
        }
        y_ += height;
    }

    void Row(const PrintRow& row, const ColumnPlaces& places, int height)
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
                                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Text(row.cells[c]));
            }
        }
        y_ += height;
    }

    // The shapes through the SVG renderer, the labels as the page's own
    // text: the SVG renderer would draw every glyph as a shape, a hundred
    // times the bytes, and text no reader could find or copy.
    void DrawPicture(SystemPicture picture, const PicturePlace& place, int strip)
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
                painter_->drawText(at, across | Qt::AlignVCenter | Qt::TextDontClip, Text(label.text));
            }
        }
        painter_->restore();
    }

    // The header: the run and the page's number, then the selection and
    // the system the page continues, if any.
    void StartPage(const QString& continued)
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

    void NextPage(const QString& continued)
    {
        if (painter_ != nullptr) {
            device_.newPage();
        }
        StartPage(continued);
    }

    QPagedPaintDevice& device_;
    QPainter* painter_;
    const PrintRequest& request_;
    int pages_;
    QFont bodyFont_;
    QFont boldFont_;
    QFont headingFont_;
    QFontMetrics body_;
    QFontMetrics bold_;
    QFontMetrics heading_;
    int width_ = 0;
    int height_ = 0;
    int line_ = 0;
    int pad_ = 0;
    int page_ = 0;
    int top_ = 0;
    int y_ = 0;
};

// What the players may see of the system at place, in a handout; none in
// the referee's print.
std::optional<PlayerSystem> PlayerOf(const RunRecords& records, const PrintRequest& request, std::size_t place)
{
    if (request.players == nullptr) {
        return std::nullopt;
    }
    return PlayerSystemOf(*request.players, records.NumberAt(place));
}

// Whether the system at place is printed: a handout leaves out a secret one.
bool Printed(const RunRecords& records, const PrintRequest& request, std::size_t place)
{
    return request.players == nullptr || PlayerSystemOf(*request.players, records.NumberAt(place)).has_value();
}

bool IsLowRun(const RunRecords& records)
{
    return records.size() > 0 && std::holds_alternative<LowSystem>(records.At(0));
}

// Lays out or paints every system of request; false once step says stop.
bool Compose(PageComposer& composer, const RunRecords& records, const PrintRequest& request,
             const std::function<bool(int done)>& step)
{
    if (IsLowRun(records)) {
        const bool census = !request.places.empty() && HasCensus(records.At(request.places.front()));
        std::vector<PrintRow> rows;
        const std::vector<PrintColumn> columns = LowColumns(census);
        for (const std::size_t place : request.places) {
            if (!Printed(records, request, place)) {
                continue;
            }
            const std::optional<PlayerSystem> player = PlayerOf(records, request, place);
            const int number = records.NumberAt(place);
            const std::string name = player ? player->name : records.Edits().Name(number);
            rows.push_back(LowRow(number, std::get<LowSystem>(records.At(place)), census, name));
            rows.back().cells.front() = HandoutTitle(rows.back().cells.front(), player);
            if (player) {
                HideCells(columns, rows.back(), player->hidden);
            }
            for (PrintRow& note : NoteRows(records, place, player ? NoteKind::Players : NoteKind::Referee)) {
                rows.push_back(std::move(note));
            }
        }
        bool going = true;
        composer.LowTable(columns, rows,
                          [&](std::size_t done) { return going = step(static_cast<int>(done)); });
        return going;
    }
    int done = 0;
    for (const std::size_t place : request.places) {
        if (Printed(records, request, place)) {
            composer.System(records, place, PlayerOf(records, request, place));
        }
        if (!step(++done)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool PrintSystems(QPagedPaintDevice& device, const RunRecords& records, const PrintRequest& request,
                  const std::function<bool(int done)>& step)
{
    PageComposer counting(device, nullptr, request, 0);
    // Laying out is quick beside painting: it tells no progress, only heeds a stop.
    if (!Compose(counting, records, request, [&step](int) { return step(0); })) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PageComposer composer(device, &painter, request, counting.Pages());
    if (!Compose(composer, records, request, step)) {
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
            printer->abort();
        }
        painter.end();
        return false;
    }
    return painter.end();
}

namespace {

constexpr int kPaperResolution = 600;

QPageLayout PaperLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

}  // namespace

void UsePaper(QPrinter& printer)
{
    printer.setPageLayout(PaperLayout());
    printer.setResolution(kPaperResolution);
}

void UsePaper(QPdfWriter& pdf)
{
    pdf.setPageLayout(PaperLayout());
    pdf.setResolution(kPaperResolution);
}

}  // namespace nexmar
