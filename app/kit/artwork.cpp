#include "app/kit/artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "run/tree_images.h"

// Resources compiled into a static library are registered by their users.
static void RegisterResources()
{
    Q_INIT_RESOURCE(nexmar);
}

namespace nexmar {

namespace {

// The TreeImage pictures, by image index.
constexpr const char* kTreeImageFiles[kTreeImageCount] = {
    ":/tree/system.png",        // TreeImage::System
    ":/tree/yellow-star.png",   // TreeImage::YellowStar
    ":/tree/green-object.png",  // TreeImage::GreenObject
    ":/tree/moon.png",          // TreeImage::Moon
    ":/tree/asteroids.png",     // TreeImage::AsteroidField
    ":/tree/blank.png",         // TreeImage::Blank
    ":/tree/red-object.png",    // TreeImage::RedObject
    ":/tree/blue-object.png",   // TreeImage::BlueObject
    ":/tree/blue-star.png",     // TreeImage::BlueStar
    ":/tree/red-star.png",      // TreeImage::RedStar
    ":/tree/white-star.png",    // TreeImage::WhiteStar
    ":/tree/orange-star.png",   // TreeImage::OrangeStar
};

}  // namespace

QList<QIcon> LoadTreeImages()
{
    RegisterResources();
    QList<QIcon> images;
    for (const char* file : kTreeImageFiles) {
        images.append(QIcon(QString::fromLatin1(file)));
    }
    return images;
}

QIcon ApplicationIcon()
{
    RegisterResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icon/nexmar-32.png"));
    icon.addFile(QStringLiteral(":/icon/nexmar-128.png"));
    return icon;
}

QIcon LockIcon()
{
    // Drawn on a grid of 16, at twice the size for sharp screens.
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap picture(16 * scale, 16 * scale);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.setPen(QPen(QColor(90, 90, 100), 1.6));
        QPainterPath shackle;
        shackle.moveTo(5, 8);
        shackle.lineTo(5, 5.5);
        shackle.arcTo(QRectF(5, 2, 6, 6), 180, -180);
        shackle.lineTo(11, 8);
        painter.drawPath(shackle);
        painter.setPen(QPen(QColor(120, 90, 20), 1));
        painter.setBrush(QColor(222, 178, 60));
        painter.drawRoundedRect(QRectF(3.5, 7.5, 9, 7), 1.5, 1.5);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(90, 60, 10));
        painter.drawEllipse(QPointF(8, 10.5), 1.2, 1.2);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}

QPixmap LogoPicture()
{
    RegisterResources();
    return QPixmap(QStringLiteral(":/logo.png"));
}

}  // namespace nexmar
