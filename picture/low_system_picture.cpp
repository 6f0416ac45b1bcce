#include <algorithm>
#include <vector>

#include "picture/picture_style.h"
#include "gen/record_text.h"
#include "picture/slot_lines.h"
#include "picture/system_picture.h"

namespace nexmar {

namespace {

struct CardLine {
    std::string text;
    std::string_view cssClass;
    double size;
    double spaceBefore = 0;  // sets the headline apart from the title and the stats
};

// The card's lines from the title down: the size class and importance as
// headlines, then the stats, the census and the special result.
std::vector<CardLine> CardLines(const LowSystem& system, const std::string& title, const std::string& sizeClass,
                                const std::string& importance, PlayerFields hidden)
{
    using enum PlayerField;
    constexpr const PictureStyle& style = kPictureStyle;
    std::vector<CardLine> lines = {{title, "title", style.titleSize},
                                   {sizeClass, "headline", style.headlineSize, style.gap / 2},
                                   {importance, "headline", style.headlineSize},
                                   {StatLine("Capacity", system.capacity, hidden.Has(Capacity)), "label",
                                    style.labelSize, style.gap / 2},
                                   {StatLine("Raw", system.raw, hidden.Has(Raw)), "label", style.labelSize}};
    if (system.census) {
        const bool census = hidden.Has(Census);
        lines.push_back({StatLine("Census", system.census->census, census), "label", style.labelSize});
        lines.push_back({StatLine("Morale", system.census->morale, census), "label", style.labelSize});
        lines.push_back({StatLine("Productivity", system.census->productivity, census), "label", style.labelSize});
    }
    if (hidden.Has(Special)) {
        lines.push_back({"Special: ?", "label", style.labelSize});
    } else if (!system.special.empty()) {
        lines.push_back({std::string(system.special), "label", style.labelSize});
    }
    return lines;
}

}  // namespace

SystemPicture LowSystemPicture(int systemNumber, const LowSystem& system, std::string_view name, PlayerFields hidden)
{
    using enum PlayerField;
    constexpr const PictureStyle& style = kPictureStyle;
    const std::string sizeClass = hidden.Has(Size) ? "Size: ?" : std::string(LowSizeClassName(system.sizeClass));
    const std::string importance =
        hidden.Has(Importance) ? "Importance: ?" : std::string(ImportanceName(system.importance));

    SystemPicture picture;
    picture.title = PictureTitle(systemNumber, name);
    picture.description = picture.title + " at Low detail: " + sizeClass + ", " + importance + ".";

    std::vector<CardLine> lines = CardLines(system, picture.title, sizeClass, importance, hidden);
    double textWidth = 0;
    double textHeight = 0;
    for (const CardLine& line : lines) {
        textWidth = std::max(textWidth, TextWidth(line.text, line.size));
        textHeight += line.spaceBefore + LineHeight(line.size);
    }

    // The mark keeps the room of the largest, so that cards side by side align.
    const double markRoom = style.colonyRadius.back() + 2 * style.importanceRingSpread;
    const double pad = style.bandPadding;
    const double cardWidth = pad + textWidth + 2 * style.gap + 2 * markRoom + pad;
    const double cardHeight = pad + std::max(textHeight, 2 * markRoom) + pad;
    const PictureBox card{style.margin, style.margin, cardWidth, cardHeight};
    picture.viewBox = {0, 0, cardWidth + 2 * style.margin, cardHeight + 2 * style.margin};

    AddShape(picture, ShapeKind::Rect, "paper", picture.viewBox);
    AddShape(picture, ShapeKind::Rect, "card", card);
    const double markX = card.Right() - pad - markRoom;
    const double markY = card.y + pad + markRoom;
    // Rings for importance: none for an Unimportant system, one for a Minor,
    // two for a Major. A mark of a hidden size is drawn as a Minor Colony's.
    const int rings = hidden.Has(Importance) ? 0 : static_cast<int>(system.importance);
    const double radius = style.colonyRadius[static_cast<std::size_t>(
        hidden.Has(Size) ? LowSizeClass::MinorColony : system.sizeClass)];
    for (int ring = rings; ring >= 1; --ring) {
        const double r = radius + ring * style.importanceRingSpread;
        AddShape(picture, ShapeKind::Circle, "importance", {markX - r, markY - r, 2 * r, 2 * r});
    }
    AddShape(picture, ShapeKind::Circle, "colony", {markX - radius, markY - radius, 2 * radius, 2 * radius},
             sizeClass + "/" + importance);

    double top = card.y + pad;
    for (CardLine& line : lines) {
        top += line.spaceBefore;
        AddLabel(picture, std::move(line.text), line.cssClass, line.size, card.x + pad, top);
        top += LineHeight(line.size);
    }
    return picture;
}

}  // namespace nexmar
