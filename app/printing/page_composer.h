#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QSizeF>
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/printing/column_places.h"
#include "gen/names/sector_edits.h"

class QPagedPaintDevice;
class QPainter;

namespace nexmar {

class RunRecords;
struct PictureBox;
struct PrintColumn;
struct PrintRequest;
struct PrintRow;
struct SystemPicture;

// A system's title in a handout, " (Rumoured)" after it for a system the
// players only heard of, as the HTML handout and Player View mark it.
std::string HandoutTitle(std::string title, const std::optional<PlayerSystem>& player);

// Lays systems out on pages and, given a painter, paints them. Laid out once
// without a painter it counts the pages, which every page's number needs.
class PageComposer {
public:
    PageComposer(QPagedPaintDevice& device, QPainter* painter, const PrintRequest& request, int pages);

    int Pages() const { return page_; }

    // A Medium or High system: its heading, its picture, its table, its
    // notes; in a handout, what the players may see of them and the notes
    // written for them.
    void System(const RunRecords& records, std::size_t place, const std::optional<PlayerSystem>& player);

    // The Low systems' table: its head on every page, a system a row, each
    // followed by the rows of its notes (of one cell).
    void LowTable(const std::vector<PrintColumn>& columns, const std::vector<PrintRow>& rows,
                  const std::function<bool(std::size_t done)>& step);

private:
    // How a picture is laid on the page: at one scale, in strips one under
    // another where it is wider than the page at a readable size, as a line
    // of text wraps, the strips going on over the next page where they must.
    struct PicturePlace {
        double scale = 0;  // device units a picture unit
        int strips = 1;
        QSizeF size;  // of one strip
    };

    PicturePlace PlacePicture(const PictureBox& box) const;
    int RowHeight(const PrintRow& row, const ColumnPlaces& places) const;
    // As many lines as the cell of most lines wraps onto.
    int CellsHeight(const std::vector<std::string>& cells, const ColumnPlaces& places,
                    const QFontMetrics& metrics) const;
    void TableHead(const std::vector<PrintColumn>& columns, const ColumnPlaces& places);
    void Row(const PrintRow& row, const ColumnPlaces& places, int height);
    // The shapes through the SVG renderer, the labels as the page's own
    // text: the SVG renderer would draw every glyph as a shape, a hundred
    // times the bytes, and text no reader could find or copy.
    void DrawPicture(SystemPicture picture, const PicturePlace& place, int strip);
    // The header: the run and the page's number, then the selection and
    // the system the page continues, if any.
    void StartPage(const QString& continued);
    void NextPage(const QString& continued);

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

}  // namespace nexmar
