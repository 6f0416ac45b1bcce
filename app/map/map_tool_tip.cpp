#include "app/map/map_tool_tip.h"

#include "gen/record_text.h"
#include "map/hex_grid.h"
#include "map/map_system.h"

namespace nexmar {

QString MapToolTip(const MapSystem& system, const QString& line)
{
    QString text = QString::fromStdString(SystemName(system.number));
    if (!system.name.empty()) {
        text += QStringLiteral(": ") + QString::fromStdString(system.name);
    }
    text += QStringLiteral(" (%1)").arg(QString::fromStdString(HexNumber(system.place)));
    if (!line.isEmpty()) {
        text += QLatin1Char('\n') + line;
    }
    // A name is the user's text: never read as markup.
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(escaped);
}

}  // namespace nexmar
