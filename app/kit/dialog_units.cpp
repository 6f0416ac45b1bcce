#include "app/kit/dialog_units.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace nexmar {

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average over the letters of the alphabet, rounded, as dialog
    // units have always been measured.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    xUnit_ = ((letters / 26 + 1) / 2) / 4.0;
    yUnit_ = metrics.height() / 8.0;
}

void DialogUnits::FitText(int units, int textWidth)
{
    xUnit_ = std::max(xUnit_, static_cast<double>(textWidth) / units);
}

int DialogUnits::X(int units) const
{
    return static_cast<int>(std::lround(units * xUnit_));
}

int DialogUnits::Y(int units) const
{
    return static_cast<int>(std::lround(units * yUnit_));
}

}  // namespace nexmar
