#include "picture/svg_picture.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "picture/picture_style.h"

namespace nexmar {

namespace {

void AppendAttribute(std::string& out, std::string_view name, double value)
{
    out.append(" ").append(name).append("=\"");
    AppendSvgNumber(out, value);
    out.append("\"");
}

void AppendTooltipAndClose(std::string& out, std::string_view element, const std::string& tooltip)
{
    if (tooltip.empty()) {
        out.append("/>\n");
        return;
    }
    out.append("><title>");
    AppendEscapedXml(out, tooltip);
    out.append("</title></").append(element).append(">\n");
}

void AppendShape(std::string& out, const PictureShape& shape)
{
    const PictureBox& b = shape.box;
    std::string_view element;
    switch (shape.kind) {
    case ShapeKind::Circle:
    case ShapeKind::Ellipse:
        element = shape.kind == ShapeKind::Circle ? "circle" : "ellipse";
        out.append("<").append(element).append(" class=\"").append(shape.cssClass).append("\"");
        AppendAttribute(out, "cx", b.x + b.width / 2);
        AppendAttribute(out, "cy", b.y + b.height / 2);
        if (shape.kind == ShapeKind::Circle) {
            AppendAttribute(out, "r", std::min(b.width, b.height) / 2);
        } else {
            AppendAttribute(out, "rx", b.width / 2);
            AppendAttribute(out, "ry", b.height / 2);
        }
        break;
    case ShapeKind::Rect:
    case ShapeKind::RoundedRect:
        element = "rect";
        out.append("<rect class=\"").append(shape.cssClass).append("\"");
        AppendAttribute(out, "x", b.x);
        AppendAttribute(out, "y", b.y);
        AppendAttribute(out, "width", b.width);
        AppendAttribute(out, "height", b.height);
        if (shape.kind == ShapeKind::RoundedRect) {
            AppendAttribute(out, "rx", std::min(b.width, b.height) / 2);
        }
        break;
    case ShapeKind::Diamond: {
        element = "polygon";
        out.append("<polygon class=\"").append(shape.cssClass).append("\" points=\"");
        const double midX = b.x + b.width / 2;
        const double midY = b.y + b.height / 2;
        const double points[] = {midX, b.y, b.Right(), midY, midX, b.Bottom(), b.x, midY};
        for (std::size_t i = 0; i < std::size(points); i += 2) {
            out.append(i == 0 ? "" : " ");
            AppendSvgNumber(out, points[i]);
            out.append(",");
            AppendSvgNumber(out, points[i + 1]);
        }
        out.append("\"");
        break;
    }
    case ShapeKind::Line:
        element = "line";
        out.append("<line class=\"").append(shape.cssClass).append("\"");
        AppendAttribute(out, "x1", b.x);
        AppendAttribute(out, "y1", b.y);
        AppendAttribute(out, "x2", b.Right());
        AppendAttribute(out, "y2", b.Bottom());
        break;
    }
    AppendTooltipAndClose(out, element, shape.tooltip);
}

void AppendLabel(std::string& out, const PictureLabel& label)
{
    if (!label.fullText.empty()) {
        out.append("<g><title>");
        AppendEscapedXml(out, label.fullText);
        out.append("</title>");
    }
    // Centred by a class of the stylesheet, not an attribute: Qt SVG drops
    // every rule of the stylesheet from an element that carries a
    // presentation attribute, and would set the text in its default size.
    const bool middle = label.anchor == TextAnchor::Middle;
    out.append("<text class=\"").append(label.cssClass).append(middle ? " middle\"" : "\"");
    AppendAttribute(out, "x", middle ? label.box.x + label.box.width / 2 : label.box.x);
    AppendAttribute(out, "y", label.box.y + kPictureStyle.baselineDrop * label.size);
    out.append(">");
    AppendEscapedXml(out, label.text);
    out.append(label.fullText.empty() ? "</text>\n" : "</text></g>\n");
}

}  // namespace

bool PictureBox::Contains(const PictureBox& inner) const
{
    return inner.x >= x && inner.y >= y && inner.Right() <= Right() && inner.Bottom() <= Bottom();
}

bool PictureBox::Overlaps(const PictureBox& other) const
{
    return x < other.Right() && other.x < Right() && y < other.Bottom() && other.y < Bottom();
}

double TextWidth(std::string_view text, double size)
{
    double ems = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            ems += kPictureStyle.glyphAdvance[byte - 0x20] / 100.0;
        } else if ((byte & 0xC0) != 0x80) {  // a character's first byte: UTF-8 continuation bytes add none
            ems += kPictureStyle.otherGlyphAdvance;
        }
    }
    return ems * size;
}

double LineHeight(double size)
{
    return kPictureStyle.lineHeight * size;
}

void AddShape(SystemPicture& picture, ShapeKind kind, std::string cssClass, const PictureBox& box,
              std::string tooltip)
{
    picture.shapes.push_back({kind, std::move(cssClass), box, std::move(tooltip)});
}

const PictureBox& AddLabel(SystemPicture& picture, std::string text, std::string_view cssClass, double size,
                           double x, double top, TextAnchor anchor)
{
    const double width = TextWidth(text, size);
    const double left = anchor == TextAnchor::Middle ? x - width / 2 : x;
    picture.labels.push_back({std::move(text), cssClass, size, anchor, {left, top, width, LineHeight(size)}, {}});
    return picture.labels.back().box;
}

std::string Abbreviated(std::string_view text, std::size_t maxGlyphs)
{
    std::size_t glyphs = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && ++glyphs == maxGlyphs && at + 1 < text.size()) {
            std::string_view kept = text.substr(0, at);
            while (!kept.empty() && kept.back() == ' ') {
                kept.remove_suffix(1);
            }
            return std::string(kept) + "\u2026";
        }
    }
    return std::string(text);
}

void DropTitle(SystemPicture& picture)
{
    std::erase_if(picture.labels, [](const PictureLabel& label) { return label.cssClass == "title"; });
    double top = picture.viewBox.Bottom();
    for (const PictureShape& shape : picture.shapes) {
        top = shape.cssClass == "paper" ? top : std::min(top, shape.box.y);
    }
    for (const PictureLabel& label : picture.labels) {
        top = std::min(top, label.box.y);
    }
    const double cut = std::max(top - kPictureStyle.margin - picture.viewBox.y, 0.0);
    picture.viewBox.y += cut;
    picture.viewBox.height -= cut;
    for (PictureShape& shape : picture.shapes) {
        if (shape.cssClass == "paper") {
            shape.box = picture.viewBox;
        }
    }
}

void AppendEscapedXml(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out.append("&amp;");
            break;
        case '<':
            out.append("&lt;");
            break;
        case '>':
            out.append("&gt;");
            break;
        case '"':
            out.append("&quot;");
            break;
        case '\'':
            out.append("&apos;");
            break;
        default:
            // A control character has no place in XML, not even as an entity.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                out.append("\xEF\xBF\xBD");  // U+FFFD REPLACEMENT CHARACTER
            } else {
                out.push_back(c);
            }
        }
    }
}

void AppendSvgNumber(std::string& out, double value)
{
    long long hundredths = std::llround(value * 100);
    if (hundredths < 0) {
        out.push_back('-');
        hundredths = -hundredths;
    }
    char digits[24];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), hundredths / 100).ptr);
    const int fraction = static_cast<int>(hundredths % 100);
    if (fraction != 0) {
        out.push_back('.');
        out.push_back(static_cast<char>('0' + fraction / 10));
        if (fraction % 10 != 0) {
            out.push_back(static_cast<char>('0' + fraction % 10));
        }
    }
}

void AppendPictureBody(std::string& out, const SystemPicture& picture)
{
    for (const PictureShape& shape : picture.shapes) {
        AppendShape(out, shape);
    }
    for (const PictureLabel& label : picture.labels) {
        AppendLabel(out, label);
    }
}

void AppendSvgDocument(std::string& out, const SystemPicture& picture)
{
    const PictureBox& view = picture.viewBox;
    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out.append("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" role=\"img\"");
    AppendAttribute(out, "width", view.width);
    AppendAttribute(out, "height", view.height);
    out.append(" viewBox=\"");
    AppendSvgNumber(out, view.x);
    out.append(" ");
    AppendSvgNumber(out, view.y);
    out.append(" ");
    AppendSvgNumber(out, view.width);
    out.append(" ");
    AppendSvgNumber(out, view.height);
    out.append("\">\n<title>");
    AppendEscapedXml(out, picture.title);
    out.append("</title>\n<desc>");
    AppendEscapedXml(out, picture.description);
    out.append("</desc>\n<style>\n").append(PictureStyleSheet());
    if (picture.unknownBodyStyle || std::any_of(picture.shapes.begin(), picture.shapes.end(),
                    [](const PictureShape& shape) { return shape.cssClass.ends_with(" unknown"); })) {
        out.append(UnknownBodyStyle());
    }
    out.append("</style>\n");
    AppendPictureBody(out, picture);
    out.append("</svg>\n");
}

std::string SvgDocument(const SystemPicture& picture)
{
    std::string out;
    AppendSvgDocument(out, picture);
    return out;
}

}  // namespace nexmar
