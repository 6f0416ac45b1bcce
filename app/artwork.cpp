#include "app/artwork.h"

#include "core/result_tree.h"

// Resources compiled into a static library are registered by their users.
static void RegisterResources()
{
    Q_INIT_RESOURCE(nexmar);
}

namespace nexmar {

namespace {

// The TreeImage pictures, by image index.
constexpr const char* kTreeImageFiles[kTreeImageCount] = {
    ":/tree/system.png",        // ImgSystem
    ":/tree/yellow-star.png",   // ImgYellowStar
    ":/tree/green-object.png",  // ImgGreenObject
    ":/tree/moon.png",          // ImgMoon
    ":/tree/asteroids.png",     // ImgAsteroidField
    ":/tree/blank.png",         // ImgBlank
    ":/tree/red-object.png",    // ImgRedObject
    ":/tree/blue-object.png",   // ImgBlueObject
    ":/tree/blue-star.png",     // ImgBlueStar
    ":/tree/red-star.png",      // ImgRedStar
    ":/tree/white-star.png",    // ImgWhiteStar
    ":/tree/orange-star.png",   // ImgOrangeStar
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
