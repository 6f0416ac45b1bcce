#include "app/printing/picture_pdf.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

namespace nexmar {

bool WritePicturePdf(const QByteArray& svg, QIODevice& file)
{
    QSvgRenderer renderer(svg);
    const QSizeF size = renderer.viewBoxF().size();
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("Tolvik Nexmar"));
    // A unit of the picture a point of the page.
    pdf.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    pdf.setResolution(72 * 4);
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    renderer.render(&painter, QRectF(QPointF(0, 0), size * 4));
    return painter.end();
}

}  // namespace nexmar
