#include "picture/picture_style.h"

#include "picture/svg_picture.h"

namespace nexmar {

namespace {

struct Rule {
    std::string& out;

    // selector{property:value;...} with each value a text.
    Rule& operator()(std::string_view selector, std::initializer_list<std::pair<std::string_view, std::string_view>>
                                                    declarations)
    {
        out.append(selector).append("{");
        for (const auto& [property, value] : declarations) {
            out.append(property).append(":").append(value).append(";");
        }
        out.append("}\n");
        return *this;
    }
};

std::string Pixels(double value)
{
    std::string text;
    AppendSvgNumber(text, value);
    return text + "px";
}

}  // namespace

std::string_view StarColourClass(int colour)
{
    static constexpr std::string_view kClasses[] = {"extremely-hot-blue", "blue-b", "blue-a", "white",
                                                    "yellow",             "orange", "red"};
    return kClasses[colour];
}

std::string UnknownBodyStyle()
{
    return ".unknown{fill:" + std::string(kPictureStyle.paper) + ";stroke-width:1.2;}\n";
}

std::string PictureStyleSheet()
{
    const PictureStyle& s = kPictureStyle;
    std::string out;
    Rule rule{out};
    rule("text", {{"font-family", s.fontFamily}, {"fill", s.ink}, {"stroke", "none"}})
        (".title", {{"font-size", Pixels(s.titleSize)}, {"font-weight", "bold"}})
        (".headline", {{"font-size", Pixels(s.headlineSize)}, {"font-weight", "bold"}})
        (".label", {{"font-size", Pixels(s.labelSize)}})
        (".middle", {{"text-anchor", "middle"}})
        (".paper", {{"fill", s.paper}})
        (".zone", {{"stroke", "none"}})
        (".zone.inner", {{"fill", s.innerZone}})
        (".zone.habitable", {{"fill", s.habitableZone}})
        (".zone.outer", {{"fill", s.outerZone}})
        (".orbit", {{"stroke", s.orbit}, {"stroke-width", "0.8"}})
        (".star", {{"stroke", s.ink}, {"stroke-width", "1.2"}})
        (".object", {{"stroke", s.ink}, {"stroke-width", "1.2"}})
        (".gas-giant", {{"fill", s.gasGiant}})
        (".ring", {{"fill", "none"}, {"stroke", s.ink}, {"stroke-width", "1"}})
        (".terrestrial", {{"fill", s.terrestrial}})
        (".sub-terrestrial", {{"fill", s.subTerrestrial}, {"stroke-width", "2"}})
        (".hostile", {{"fill", s.hostile}})
        (".asteroid-belt", {{"fill", s.paper}})
        (".rubble", {{"fill", s.belt}, {"stroke", "none"}})
        (".gaia-world", {{"fill", "none"}, {"stroke", s.terrestrial}, {"stroke-width", "2"}})
        (".moon", {{"fill", s.moon}, {"stroke", s.ink}, {"stroke-width", "0.8"}})
        (".card", {{"fill", s.paper}, {"stroke", s.ink}, {"stroke-width", "1.5"}})
        (".colony", {{"fill", s.colony}, {"stroke", s.ink}, {"stroke-width", "1.2"}})
        (".importance", {{"fill", "none"}, {"stroke", s.ink}, {"stroke-width", "1.2"}})
        (".cell", {{"fill", "none"}, {"stroke", "#999999"}, {"stroke-width", "0.5"}});
    for (int colour = 0; colour < static_cast<int>(s.starColour.size()); ++colour) {
        const std::string selector = ".star." + std::string(StarColourClass(colour));
        rule(selector, {{"fill", s.starColour[static_cast<std::size_t>(colour)]}});
    }
    return out;
}

}  // namespace nexmar
