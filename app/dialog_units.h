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

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }

private:
    int charWidth_;
    int charHeight_;
};

}  // namespace nexmar
