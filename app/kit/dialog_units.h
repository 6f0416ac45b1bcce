#pragma once

#include <QFont>
#include <QRect>

namespace nexmar {

// Positions in dialog units: a quarter of the font's average character
// width across and an eighth of its height down, so a window laid out in
// them keeps its proportions at any font size.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    // Widens the unit across, if need be, so that a text of textWidth pixels
    // fits a box units wide. Fonts differ in how wide their blanks and
    // punctuation are beside their average letter; this keeps every caption
    // whole and the layout in proportion.
    void FitText(int units, int textWidth);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const
    {
        return {X(x), Y(y), X(x + width) - X(x), Y(y + height) - Y(y)};
    }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }

private:
    double xUnit_;
    double yUnit_;
};

}  // namespace nexmar
