/** @file contact_sheet.cpp One overview picture of all stock pictures with their names. */
#include "contact_sheet.h"

#include "canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace art {

namespace {

constexpr int kSheetWidth = 1240;   ///< Width of the sheet.
constexpr int kPad = 10;            ///< Space around and between cells.
constexpr int kLabelHeight = 30;    ///< Two lines of caption under each picture.
constexpr int kMinCellWidth = 96;   ///< Room for the longest names.
constexpr int kSmallSide = 64;      ///< Pictures no larger than this are doubled.

/** @return the picture as shown: see-through pixels as checks, doubled when small. */
QImage displayed(const Picture &pic, const QImage &img)
{
    const int scale = std::max(img.width(), img.height()) <= kSmallSide ? 2 : 1;
    QImage big = img.convertToFormat(QImage::Format_RGB32)
                     .scaled(img.width() * scale, img.height() * scale, Qt::IgnoreAspectRatio,
                             Qt::FastTransformation);
    if (!pic.transparent)
        return big;
    const QRgb key = img.pixel(0, img.height() - 1);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            if (big.pixel(x, y) == key)
                big.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(204, 204, 204) : qRgb(250, 250, 250));
    return big;
}

/** @return the caption's second line: size, format and see-through mark. */
QString detailLine(const Picture &pic)
{
    return QStringLiteral("%1x%2 %3%4")
        .arg(pic.width)
        .arg(pic.height)
        .arg(pic.format == Format::Bmp ? "bmp" : "jpg")
        .arg(pic.transparent ? " transp." : "");
}

} // namespace

QImage contactSheet(const std::vector<Picture> &pictures, const std::vector<QImage> &images)
{
    /* First pass: lay out cells in rows; second pass: draw. */
    struct Cell {
        QRect box;
        QImage shown;
    };
    std::vector<Cell> cells;
    const int titleHeight = 36;
    int x = kPad, y = titleHeight, rowHeight = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        QImage shown = displayed(pictures[i], images[i]);
        const int w = std::max(shown.width(), kMinCellWidth);
        const int h = shown.height() + kLabelHeight;
        if (x + w + kPad > kSheetWidth) {
            x = kPad;
            y += rowHeight + kPad;
            rowHeight = 0;
        }
        cells.push_back({QRect(x, y, w, h), std::move(shown)});
        x += w + kPad;
        rowHeight = std::max(rowHeight, h);
    }
    QImage sheet(kSheetWidth, y + rowHeight + kPad, QImage::Format_RGB32);
    sheet.fill(QColor(120, 126, 120));
    QPainter p(&sheet);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(16);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(kPad, 6, kSheetWidth - 2 * kPad, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Picture store A3: %1 stock images (small ones doubled; checks = see-through)")
                   .arg(pictures.size()));
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(11);
    name.setBold(true);
    QFont detail(QStringLiteral("DejaVu Sans"));
    detail.setPixelSize(10);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell &c = cells[i];
        p.fillRect(c.box.adjusted(-3, -3, 3, 3), QColor(96, 100, 96));
        p.drawImage(c.box.left() + (c.box.width() - c.shown.width()) / 2, c.box.top(), c.shown);
        const int ty = c.box.top() + c.shown.height() + 2;
        p.setPen(Qt::white);
        p.setFont(name);
        p.drawText(QRect(c.box.left(), ty, c.box.width(), 14), Qt::AlignHCenter, pictures[i].name);
        p.setPen(QColor(225, 230, 225));
        p.setFont(detail);
        p.drawText(QRect(c.box.left(), ty + 14, c.box.width(), 13), Qt::AlignHCenter, detailLine(pictures[i]));
    }
    p.end();
    return sheet;
}

} // namespace art
