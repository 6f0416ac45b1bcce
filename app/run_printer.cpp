#include "app/run_printer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>

#include <algorithm>
#include <optional>
#include <string>

#include "model/run_records.h"
#include "app/run_session.h"
#include "picture/system_picture.h"

namespace nexmar {

namespace {

constexpr int kPictureDpi = 150;

QString Label(const ShownTree& tree, ItemId item)
{
    const std::string_view text = tree.at(item).text;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

SystemPicture PictureOf(int number, const SystemRecord& record)
{
    if (const auto* low = std::get_if<const LowSystem*>(&record)) {
        return LowSystemPicture(number, **low);
    }
    if (const auto* medium = std::get_if<const MediumSystem*>(&record)) {
        return MediumSystemPicture(number, **medium);
    }
    return HighSystemPicture(number, *std::get<const HighSystem*>(record));
}

// Lays the blocks out on pages and, given a painter, paints them. Laid out
// once without a painter it counts the pages, which every page's number needs.
class PageComposer {
public:
    PageComposer(QPagedPaintDevice& device, QPainter* painter, const QString& title, int pages)
        : device_(device), painter_(painter), title_(title), pages_(pages),
          bodyFont_(QStringLiteral("Sans Serif"), 9), headingFont_(QStringLiteral("Sans Serif"), 13, QFont::Bold),
          body_(bodyFont_, &device), heading_(headingFont_, &device)
    {
        width_ = device.width();
        height_ = device.height();
        line_ = body_.height() + body_.height() / 3;
        StartPage();
    }

    int Pages() const { return page_; }

    // A system's block: a new page unless its heading, its picture and a
    // few of its lines fit on this one.
    void System(const ShownTree& tree, ItemId system, const SystemPicture& picture)
    {
        const int headingHeight = heading_.height() + line_ / 2;
        // As wide as the page, unless that makes it taller than a third of it.
        const PictureBox& shape = picture.viewBox;
        const int pictureHeight =
            shape.width > 0 ? std::min(height_ / 3, static_cast<int>(width_ * shape.height / shape.width)) : 0;
        if (y_ + headingHeight + pictureHeight + 3 * line_ > height_ && y_ > top_) {
            NextPage();
        }
        if (painter_ != nullptr) {
            painter_->setFont(headingFont_);
            painter_->drawText(QRect(0, y_, width_, heading_.height()), Qt::AlignLeft | Qt::AlignVCenter,
                               Label(tree, system));
        }
        y_ += headingHeight;
        if (painter_ != nullptr && pictureHeight > 0) {
            DrawPicture(QByteArray::fromStdString(SvgDocument(picture)), QRect(0, y_, width_, pictureHeight));
        }
        y_ += pictureHeight + line_ / 2;
        for (const ItemId child : tree.at(system).children) {
            Rows(tree, child, 0);
        }
        y_ += line_;
    }

private:
    void Rows(const ShownTree& tree, ItemId item, int depth)
    {
        if (y_ + line_ > height_) {
            NextPage();
        }
        if (painter_ != nullptr) {
            const QString text = Label(tree, item);
            const qsizetype colon = text.indexOf(QLatin1String(": "));
            const int indent = depth * body_.horizontalAdvance(QLatin1Char('M')) * 2;
            const int split = width_ * 2 / 5;
            painter_->setFont(bodyFont_);
            painter_->setPen(QColor(190, 190, 190));
            painter_->drawLine(0, y_ + line_, width_, y_ + line_);
            painter_->setPen(Qt::black);
            const int pad = body_.averageCharWidth() / 2;
            painter_->drawText(QRect(indent + pad, y_, split - indent - pad, line_), Qt::AlignLeft | Qt::AlignVCenter,
                               colon < 0 ? text : text.left(colon));
            if (colon >= 0) {
                painter_->drawText(QRect(split + pad, y_, width_ - split - pad, line_),
                                   Qt::AlignLeft | Qt::AlignVCenter, text.mid(colon + 2));
            }
        }
        y_ += line_;
        for (const ItemId child : tree.at(item).children) {
            Rows(tree, child, depth + 1);
        }
    }

    // Drawn as an image of kPictureDpi: drawn as vectors, a picture's
    // translucent shapes make the PDF writer rasterise them at the page's
    // full resolution, a fifth of a second a picture.
    void DrawPicture(const QByteArray& svg, const QRect& box)
    {
        QSvgRenderer picture(svg);
        QSize size = picture.defaultSize().scaled(box.size(), Qt::KeepAspectRatio);
        const QRect placed(box.topLeft() + QPoint((box.width() - size.width()) / 2, 0), size);
        const double scale = kPictureDpi / static_cast<double>(device_.logicalDpiX());
        QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter onImage(&image);
        picture.render(&onImage);
        onImage.end();
        painter_->drawImage(placed, image);
    }

    void StartPage()
    {
        ++page_;
        const int headerHeight = body_.height();
        if (painter_ != nullptr) {
            painter_->setFont(bodyFont_);
            painter_->setPen(Qt::black);
            const QRect header(0, 0, width_, headerHeight);
            painter_->drawText(header, Qt::AlignLeft | Qt::AlignVCenter, title_);
            painter_->drawText(header, Qt::AlignRight | Qt::AlignVCenter,
                               QStringLiteral("Page %1 of %2").arg(page_).arg(pages_));
            painter_->drawLine(0, headerHeight + 2, width_, headerHeight + 2);
        }
        top_ = headerHeight + line_;
        y_ = top_;
    }

    void NextPage()
    {
        if (painter_ != nullptr) {
            device_.newPage();
        }
        StartPage();
    }

    QPagedPaintDevice& device_;
    QPainter* painter_;
    QString title_;
    int pages_;
    QFont bodyFont_;
    QFont headingFont_;
    QFontMetrics body_;
    QFontMetrics heading_;
    int width_ = 0;
    int height_ = 0;
    int line_ = 0;
    int page_ = 0;
    int top_ = 0;
    int y_ = 0;
};

}  // namespace

bool PrintSystems(QPagedPaintDevice& device, const RunSession& session, const std::vector<ItemId>& systems,
                  const QString& title, const std::function<bool(int done)>& step)
{
    const ShownTree& tree = *session.Tree();
    const RunRecords& records = session.Records();
    // The systems' rows in the tree are their places among the records.
    const auto pictureOf = [&](ItemId system) {
        const auto place = static_cast<std::size_t>(tree.at(system).row);
        return place < records.size() ? PictureOf(records.NumberAt(place), records.At(place)) : SystemPicture{};
    };
    int done = 0;
    PageComposer counting(device, nullptr, title, 0);
    for (const ItemId system : systems) {
        counting.System(tree, system, pictureOf(system));
        if (!step(++done)) {
            return false;
        }
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PageComposer composer(device, &painter, title, counting.Pages());
    for (const ItemId system : systems) {
        composer.System(tree, system, pictureOf(system));
        if (!step(++done)) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
                printer->abort();
            }
            painter.end();
            return false;
        }
    }
    return painter.end();
}

}  // namespace nexmar
