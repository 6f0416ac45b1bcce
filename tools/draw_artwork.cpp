// Draws the program's pictures into res/: the twelve 16 x 16 tree images,
// each also at 32 x 32 ("@2x") for a screen at twice the density, the 196 x
// 138 logo and the application icon in two sizes. The PNG files
// are committed; run this again only to change a picture:
//   QT_QPA_PLATFORM=offscreen nexmar-draw-artwork <source>/res

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace {

constexpr int kTile = 16;

// A tile scale times 16 pixels wide, drawn in the coordinates of 16.
QImage BlackTile(int scale)
{
    QImage image(kTile * scale, kTile * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

void Antialiased(QPainter& painter, int scale)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.scale(scale, scale);
}

QImage Rings(int scale)
{
    QImage image = BlackTile(scale);
    QPainter painter(&image);
    Antialiased(painter, scale);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1.2));
    for (const double radius : {6.3, 3.8}) {
        painter.drawEllipse(QPointF(8, 8), radius, radius);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(8, 8), 1.5, 1.5);
    return image;
}

QImage StarBurst(const QColor& colour, int scale)
{
    QImage image = BlackTile(scale);
    QPainter painter(&image);
    Antialiased(painter, scale);
    QPainterPath burst;
    constexpr int kPoints = 8;
    for (int i = 0; i < 2 * kPoints; ++i) {
        const double angle = i * std::numbers::pi / kPoints - std::numbers::pi / 2;
        const double radius = i % 2 == 0 ? (i % 4 == 0 ? 7.6 : 5.6) : 2.4;
        const QPointF point(8 + radius * std::cos(angle), 8 + radius * std::sin(angle));
        i == 0 ? burst.moveTo(point) : burst.lineTo(point);
    }
    burst.closeSubpath();
    painter.setBrush(colour);
    painter.drawPath(burst);
    painter.setBrush(colour.lighter(150));
    painter.drawEllipse(QPointF(8, 8), 2.2, 2.2);
    return image;
}

QImage Disc(const QColor& colour, int scale)
{
    QImage image = BlackTile(scale);
    QPainter painter(&image);
    Antialiased(painter, scale);
    QRadialGradient shade(QPointF(6, 6), 7.5);
    shade.setColorAt(0, colour.lighter(160));
    shade.setColorAt(1, colour.darker(130));
    painter.setBrush(shade);
    painter.drawEllipse(QPointF(8, 8), 6.2, 6.2);
    return image;
}

QImage ScatteredDots(int scale)
{
    QImage image = BlackTile(scale);
    QPainter painter(&image);
    Antialiased(painter, scale);
    painter.setBrush(QColor(160, 160, 160));
    constexpr struct { double x, y, r; } kDots[] = {
        {3, 4, 1.3}, {8, 2.5, 0.9}, {12.5, 5, 1.4}, {5.5, 9, 1.0}, {10, 9.5, 1.2},
        {2.5, 13, 1.0}, {7.5, 13.5, 1.4}, {13, 12.5, 0.9}, {14, 8.5, 0.7}, {1.5, 8, 0.7},
    };
    for (const auto& dot : kDots) {
        painter.drawEllipse(QPointF(dot.x, dot.y), dot.r, dot.r);
    }
    return image;
}

QImage WhiteSquare(int scale)
{
    QImage image(kTile * scale, kTile * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A deterministic scatter of faint stars.
void Starfield(QPainter& painter, const QRectF& area, int count)
{
    std::uint32_t state = 20261207;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    };
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF point(area.left() + next() * area.width(), area.top() + next() * area.height());
        const int grey = 110 + int(next() * 145);
        painter.setBrush(QColor(grey, grey, std::min(255, grey + 20)));
        const double radius = 0.35 + next() * 0.6;
        painter.drawEllipse(point, radius, radius);
    }
}

void Planet(QPainter& painter, const QPointF& centre, double radius, const QColor& colour)
{
    QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
    shade.setColorAt(0, colour.lighter(170));
    shade.setColorAt(1, colour.darker(160));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

QImage Logo()
{
    QImage image(196, 138, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 138);
    sky.setColorAt(0, QColor(6, 8, 28));
    sky.setColorAt(1, QColor(22, 10, 46));
    painter.fillRect(image.rect(), sky);
    Starfield(painter, image.rect(), 90);

    const QPointF sun(60, 58);
    QRadialGradient glow(sun, 34);
    glow.setColorAt(0, QColor(255, 236, 160, 230));
    glow.setColorAt(0.35, QColor(255, 180, 60, 120));
    glow.setColorAt(1, QColor(255, 120, 20, 0));
    painter.setBrush(glow);
    painter.drawEllipse(sun, 34, 34);
    painter.setBrush(QColor(255, 246, 210));
    painter.drawEllipse(sun, 9, 9);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 150, 220, 150), 1));
    for (const double scale : {1.0, 1.55, 2.2}) {
        painter.drawEllipse(sun, 28 * scale, 11 * scale);
    }
    painter.setPen(Qt::NoPen);
    Planet(painter, sun + QPointF(24, 5.5), 3.2, QColor(200, 60, 40));
    Planet(painter, sun + QPointF(-38, -9), 4.5, QColor(40, 150, 70));
    Planet(painter, sun + QPointF(50, 18), 7, QColor(50, 90, 210));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(26);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    painter.setFont(title);
    painter.setPen(QColor(235, 225, 190));
    painter.drawText(QRectF(0, 98, 196, 30), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("NEXMAR"));
    painter.setPen(QPen(QColor(255, 180, 60), 1.5));
    painter.drawLine(QPointF(30, 128.5), QPointF(166, 128.5));
    return image;
}

QImage Icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    QLinearGradient sky(0, 0, 0, 32);
    sky.setColorAt(0, QColor(14, 20, 60));
    sky.setColorAt(1, QColor(40, 16, 70));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 180, 240), 1.1));
    painter.save();
    painter.translate(16, 16);
    painter.rotate(-25);
    painter.drawEllipse(QPointF(0, 0), 12.5, 6);
    painter.restore();

    QRadialGradient glow(QPointF(16, 16), 8);
    glow.setColorAt(0, QColor(255, 240, 180));
    glow.setColorAt(0.5, QColor(255, 190, 70));
    glow.setColorAt(1, QColor(255, 140, 30, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(16, 16), 8, 8);
    Planet(painter, QPointF(26.5, 11), 3, QColor(60, 170, 90));
    return image;
}

bool Save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, "PNG")) {
        std::fprintf(stderr, "nexmar-draw-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: nexmar-draw-artwork <res directory>\n", stderr);
        return 2;
    }
    const QDir res(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const int scale : {1, 2}) {
        // In image index order.
        const struct {
            const char* name;
            QImage image;
        } kTreeImages[] = {
            {"tree/system", Rings(scale)},
            {"tree/yellow-star", StarBurst(QColor(255, 220, 40), scale)},
            {"tree/green-object", Disc(QColor(40, 170, 60), scale)},
            {"tree/moon", Disc(QColor(150, 150, 150), scale)},
            {"tree/asteroids", ScatteredDots(scale)},
            {"tree/blank", WhiteSquare(scale)},
            {"tree/red-object", Disc(QColor(200, 40, 30), scale)},
            {"tree/blue-object", Disc(QColor(40, 80, 220), scale)},
            {"tree/blue-star", StarBurst(QColor(90, 150, 255), scale)},
            {"tree/red-star", StarBurst(QColor(230, 50, 40), scale)},
            {"tree/white-star", StarBurst(QColor(255, 255, 255), scale)},
            {"tree/orange-star", StarBurst(QColor(200, 200, 200), scale)},
        };
        // Qt takes "name@2x.png" beside "name.png" for twice the density.
        const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
        for (const auto& tree : kTreeImages) {
            ok = Save(tree.image, res, QString::fromLatin1(tree.name) + suffix) && ok;
        }
    }
    ok = Save(Logo(), res, QStringLiteral("logo.png")) && ok;
    ok = Save(Icon(32), res, QStringLiteral("icon/nexmar-32.png")) && ok;
    ok = Save(Icon(128), res, QStringLiteral("icon/nexmar-128.png")) && ok;
    return ok ? 0 : 1;
}
