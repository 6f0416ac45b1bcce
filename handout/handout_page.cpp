#include "handout/handout_page.h"

#include <variant>

#include "gen/record_text.h"
#include "handout/handout_tables.h"
#include "map/run_places.h"
#include "picture/system_picture.h"

namespace nexmar {

namespace {

// Colours from the Okabe-Ito palette, which readers with any common colour
// vision deficiency tell apart, and each mark a shape of its own as well,
// so that a page printed in black and white or read in grey loses nothing.
constexpr std::string_view kStyle = R"(body{font-family:sans-serif;color:#000;background:#fff;margin:1.5em;line-height:1.35}
h1{font-size:1.6em;margin:0 0 .2em}
h2{font-size:1.25em;margin:0 0 .4em;display:flex;gap:.5em;align-items:center}
.key{margin:.4em 0 1.2em;font-size:.95em}
.mark{display:inline-block;width:.9em;height:.9em;border:2px solid #000;box-sizing:border-box}
.known .mark,.mark.known{background:#0072B2;border-radius:0}
.rumoured .mark,.mark.rumoured{background:linear-gradient(135deg,#E69F00 50%,#fff 50%);border-radius:50%}
.status{font-size:.8em;font-weight:normal;border:1px solid #000;padding:0 .35em}
.rumoured .status{border-style:dashed}
section.system{border-top:2px solid #000;padding:.8em 0 1.2em}
section.rumoured{border-top-style:dashed}
svg{max-width:100%;height:auto;display:block;margin:.4em 0}
table{border-collapse:collapse;margin:.4em 0;font-size:.9em}
th,td{border:1px solid #555;padding:.15em .4em;text-align:left;vertical-align:top}
th{background:#eee}
td.hidden{font-weight:bold;text-align:center}
.notes{white-space:pre-line;border-left:4px solid #009E73;padding-left:.6em}
@media print{
body{margin:0;font-size:10pt}
th{background:none}
section.system{break-inside:avoid-page}
.medium section.system,.high section.system{break-before:page}
.medium section.system:first-of-type,.high section.system:first-of-type{break-before:auto}
}
)";

void AppendStatus(std::string& out, Visibility visibility)
{
    out.append("<span class=\"mark\" aria-hidden=\"true\"></span><span class=\"status\">");
    out.append(VisibilityName(visibility)).append("</span>");
}

void AppendStars(std::string& out, const HighSystem& system, const PlayerSystem& shown)
{
    out.append("<p>Stars: ");
    if (shown.hidden.Has(PlayerField::Stars)) {
        out.append("?</p>\n");
        return;
    }
    bool first = true;
    for (const StarComponent& component : system.components) {
        int number = 0;
        for (const Star& star : component.stars) {
            out.append(first ? "" : "; ");
            AppendHtmlText(out, StarItemName(component.letter, ++number) + " " + StarDescription(star));
            first = false;
        }
    }
    out.append("</p>\n");
}

// The picture inline: its document without the XML declaration.
void AppendPicture(std::string& out, int number, const SystemRecord& system, const PlayerSystem& shown)
{
    const std::string svg = SystemSvg(number, system, shown.name, shown.hidden);
    out.append(svg, svg.find("<svg"), std::string::npos);
}

}  // namespace

void HandoutPage::Begin(const RunSettings& settings)
{
    places_.emplace(RunPlaces(settings, edits_));
    std::string head = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Sector handout</title>\n<style>\n";
    head.append(kStyle).append("</style>\n</head>\n<body class=\"");
    head.append(settings.level == DetailLevel::Low ? "low" : settings.level == DetailLevel::Medium ? "medium" : "high");
    head.append("\">\n<h1>Sector handout</h1>\n<p class=\"key\">"
                "<span class=\"mark known\" aria-hidden=\"true\"></span> Known: charted. "
                "<span class=\"mark rumoured\" aria-hidden=\"true\"></span> Rumoured: reported, not charted. "
                "? marks what is not known.</p>\n");
    write_(head);
}

void HandoutPage::Add(int number, const SystemRecord& system)
{
    const std::optional<PlayerSystem> shown = PlayerSystemOf(edits_, number);
    if (!shown) {
        return;
    }
    const Visibility visibility = shown->edits != nullptr ? shown->edits->visibility : Visibility::Known;
    section_.assign("<section class=\"system ");
    section_.append(visibility == Visibility::Rumoured ? "rumoured" : "known").append("\">\n<h2>");
    AppendStatus(section_, visibility);
    section_.append("<span>");
    AppendHtmlText(section_, PictureTitle(number, shown->name));
    // The hex as the players' map shows it; a run read as it goes hands
    // each system's move with it.
    if (number <= places_->Systems()) {
        const HexPlace hex = shown->edits != nullptr && shown->edits->hex ? *shown->edits->hex : places_->Of(number);
        section_.append(", hex ").append(PlaceName(places_->Extent(), hex));
    }
    section_.append("</span></h2>\n");
    if (const auto* high = std::get_if<HighSystem>(&system)) {
        AppendStars(section_, *high, *shown);
    }
    AppendPicture(section_, number, system, *shown);
    std::visit([&](const auto& levelSystem) { AppendBodyTable(section_, number, levelSystem, *shown); }, system);
    if (shown->edits != nullptr && !shown->edits->playerNotes.empty()) {
        section_.append("<p class=\"notes\">");
        AppendHtmlText(section_, shown->edits->playerNotes);
        section_.append("</p>\n");
    }
    section_.append("</section>\n");
    write_(section_);
    ++shown_;
}

bool HandoutPage::Finish()
{
    write_(shown_ == 0 ? "<p>No system is known to the players.</p>\n</body>\n</html>\n" : "</body>\n</html>\n");
    return true;
}

}  // namespace nexmar
