#include "app/artwork.h"

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

QPixmap LogoPicture()
{
    RegisterResources();
    return QPixmap(QStringLiteral(":/logo.png"));
}

}  // namespace nexmar
