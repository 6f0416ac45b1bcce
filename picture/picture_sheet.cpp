#include "picture/picture_sheet.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "picture/picture_legend.h"
#include "picture/picture_style.h"
#include "picture/system_picture.h"

namespace nexmar {

namespace {

constexpr const PictureStyle& kStyle = kPictureStyle;
constexpr std::size_t kBlockBytes = 1 << 16;

double TitleHeight()
{
    return LineHeight(kStyle.titleSize) + kStyle.gap;
}

std::string SheetTitle(DetailLevel level, int systems)
{
    return std::to_string(systems) + (systems == 1 ? " system" : " systems") + " at " +
           std::string(DetailLevelName(level)) + " detail";
}

// A scale of at most 1 to four decimals, rounded down so that a shrunk
// picture never leaves its cell.
void AppendScale(std::string& out, double scale)
{
    const int tenThousandths = static_cast<int>(std::floor(scale * 10000));
    if (tenThousandths >= 10000) {
        out.append("1");
        return;
    }
    const std::string digits = std::to_string(10000 + tenThousandths);
    out.append("0.").append(digits, 1, std::string::npos);
}

// The system's picture as audience sees it, titled with its name when there
// are edits to name it; none for a system the players are not shown.
std::optional<SystemPicture> PictureFor(PictureAudience audience, const SectorEdits* edits, int number,
                                        const SystemRecord& system)
{
    if (edits == nullptr) {
        return PictureOf(number, system);
    }
    if (audience == PictureAudience::Referee) {
        return PictureOf(number, system, edits->Name(number));
    }
    const std::optional<PlayerSystem> shown = PlayerSystemOf(*edits, number);
    if (!shown) {
        return std::nullopt;
    }
    return PictureOf(number, system, shown->name, shown->hidden);
}

}  // namespace

void SystemPictures::Add(int number, const SystemRecord& system)
{
    std::optional<SystemPicture> picture = PictureFor(audience_, edits_, number, system);
    if (!picture) {
        return;
    }
    if (legend_ == PictureLegend::Below) {
        AddLegendBelow(*picture, LevelOf(system));
    }
    svg_.clear();
    AppendSvgDocument(svg_, *picture);
    save_(number, svg_);
}

PictureSheet::PictureSheet(DetailLevel level, int systems, Write write, const SectorEdits* edits,
                           PictureAudience audience)
    : columns_(level == DetailLevel::Low ? std::clamp(systems, 1, kStyle.lowCellsPerRow) : 1),
      cellWidth_(level == DetailLevel::Low ? kStyle.lowCellWidth : kStyle.rowCellWidth),
      cellHeight_(level == DetailLevel::Low      ? kStyle.lowCellHeight
                  : level == DetailLevel::Medium ? kStyle.mediumCellHeight
                                                 : kStyle.highCellHeight),
      headHeight_(TitleHeight() + LegendHeight(level, columns_ * cellWidth_) + kStyle.gap),
      systems_(systems),
      write_(std::move(write)),
      edits_(edits),
      audience_(audience)
{
    // The page's head is the same as a single picture's, with a title of its own.
    SystemPicture head;
    head.title = SheetTitle(level, systems);
    head.description = "A picture of every system of a run, in the order of the run.";
    head.viewBox = Page();
    head.unknownBodyStyle = audience == PictureAudience::Players;
    AddShape(head, ShapeKind::Rect, "paper", head.viewBox);
    AddLabel(head, head.title, "title", kStyle.titleSize, kStyle.margin, kStyle.margin);
    AddLegend(head, level, kStyle.margin, kStyle.margin + TitleHeight(), columns_ * cellWidth_);
    std::string document = SvgDocument(head);
    const std::string_view end = "</svg>\n";
    pending_.append(document, 0, document.size() - end.size());
    WriteFull();
}

PictureBox PictureSheet::Page() const
{
    const int rows = (std::max(systems_, 1) + columns_ - 1) / columns_;
    return {0, 0, 2 * kStyle.margin + columns_ * cellWidth_,
            2 * kStyle.margin + headHeight_ + rows * cellHeight_};
}

PictureBox PictureSheet::Cell(int index) const
{
    return {kStyle.margin + (index % columns_) * cellWidth_,
            kStyle.margin + headHeight_ + (index / columns_) * cellHeight_, cellWidth_, cellHeight_};
}

void PictureSheet::Add(int number, const SystemRecord& system)
{
    const std::optional<SystemPicture> drawn = PictureFor(audience_, edits_, number, system);
    if (!drawn) {
        return;
    }
    const SystemPicture& picture = *drawn;
    const PictureBox cell = Cell(placed_++);
    const PictureBox& view = picture.viewBox;
    const double scale = std::min({1.0, cell.width / view.width, cell.height / view.height});
    pending_.append("<g transform=\"translate(");
    AppendSvgNumber(pending_, cell.x - view.x * scale);
    pending_.append(" ");
    AppendSvgNumber(pending_, cell.y - view.y * scale);
    pending_.append(") scale(");
    AppendScale(pending_, scale);
    pending_.append(")\">\n<title>");
    AppendEscapedXml(pending_, picture.title);
    pending_.append("</title>\n");
    AppendPictureBody(pending_, picture);
    pending_.append("</g>\n<rect class=\"cell\"");
    for (const auto& [name, value] :
         {std::pair{"x", cell.x}, {"y", cell.y}, {"width", cell.width}, {"height", cell.height}}) {
        pending_.append(" ").append(name).append("=\"");
        AppendSvgNumber(pending_, value);
        pending_.append("\"");
    }
    pending_.append("/>\n");
    WriteFull();
}

void PictureSheet::WriteFull()
{
    if (pending_.size() >= kBlockBytes) {
        write_(pending_);
        pending_.clear();
    }
}

bool PictureSheet::Finish()
{
    pending_.append("</svg>\n");
    write_(pending_);
    pending_.clear();
    return true;
}

}  // namespace nexmar
