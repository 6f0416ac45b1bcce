#include "app/dialog_units.h"

#include <QFontMetrics>

namespace nexmar {

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average over the letters of the alphabet, rounded, as dialog
    // units have always been measured.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    charWidth_ = (letters / 26 + 1) / 2;
    charHeight_ = metrics.height();
}

int DialogUnits::X(int units) const
{
    return (units * charWidth_ + 2) / 4;
}

int DialogUnits::Y(int units) const
{
    return (units * charHeight_ + 4) / 8;
}

}  // namespace nexmar
