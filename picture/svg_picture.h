#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nexmar {

// A picture as the layout computed it: every shape and every line of text
// with the box it takes, so that what is drawn can be checked for fitting
// its view box and for labels that overlap, before a byte of SVG is written.

struct PictureBox {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double Right() const { return x + width; }
    double Bottom() const { return y + height; }
    bool Contains(const PictureBox& inner) const;
    // Boxes that only touch do not overlap.
    bool Overlaps(const PictureBox& other) const;
};

enum class ShapeKind {
    Circle,       // the box's inscribed circle
    Ellipse,      // the box's inscribed ellipse
    Rect,         // the box
    RoundedRect,  // the box with corners as round as its narrower side allows
    Diamond,      // the box's corners' midpoints joined
    Line,         // from the box's top left corner to its bottom right one
};

struct PictureShape {
    ShapeKind kind = ShapeKind::Rect;
    // Its first word names what it is ("star", "object", "moon", "zone"...),
    // so a reader of the SVG can count the bodies of the system by class.
    std::string cssClass;
    PictureBox box;
    std::string tooltip;  // a <title> of its own, read aloud and shown on hover; none if empty
};

enum class TextAnchor { Start, Middle };

struct PictureLabel {
    std::string text;
    std::string_view cssClass;  // "title", "headline" or "label"
    double size = 0;            // of the font
    TextAnchor anchor = TextAnchor::Start;
    PictureBox box;
    std::string fullText;  // what an abbreviated text stands for, as a <title>; empty if not abbreviated
};

struct SystemPicture {
    std::string title;        // "System 12"
    std::string description;  // what the picture shows, in one sentence
    PictureBox viewBox;
    std::vector<PictureShape> shapes;  // drawn in order: the later ones on top
    std::vector<PictureLabel> labels;  // drawn over every shape
    // Its stylesheet holds the rule of bodies of no known kind ("unknown")
    // even when none is drawn, for a page of players' pictures.
    bool unknownBodyStyle = false;
};

// The width of text at a font size, as wide as the widest common sans-serif face sets it.
double TextWidth(std::string_view text, double size);
// The height of one line of text at a font size.
double LineHeight(double size);

void AddShape(SystemPicture& picture, ShapeKind kind, std::string cssClass, const PictureBox& box,
              std::string tooltip = {});
// One line of text whose box's top is at top; anchored Start, it begins at
// x, anchored Middle, it is centred on x. Returns its box.
const PictureBox& AddLabel(SystemPicture& picture, std::string text, std::string_view cssClass, double size,
                           double x, double top, TextAnchor anchor = TextAnchor::Start);
// A text cut to at most maxGlyphs characters, its end replaced by an
// ellipsis where it was cut.
std::string Abbreviated(std::string_view text, std::size_t maxGlyphs);

// The picture without its title line, its view box starting a margin above
// what is left: for a page that heads the picture with the system's name itself.
void DropTitle(SystemPicture& picture);

// Text with &, <, >, " and ' written as entities, and any control character
// XML forbids as U+FFFD.
void AppendEscapedXml(std::string& out, std::string_view text);
// A coordinate to two decimals, without trailing zeros: the same bytes for
// the same value on every machine and locale.
void AppendSvgNumber(std::string& out, double value);

// The shapes and labels alone, for a page holding many pictures.
void AppendPictureBody(std::string& out, const SystemPicture& picture);
// A complete SVG document: the title and description, the stylesheet, then
// the shapes and the labels.
void AppendSvgDocument(std::string& out, const SystemPicture& picture);
std::string SvgDocument(const SystemPicture& picture);

}  // namespace nexmar
