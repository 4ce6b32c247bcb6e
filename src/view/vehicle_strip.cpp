/** @file vehicle_strip.cpp The timetable window's vehicle pictures as a strip below its rows, drawn small. */
#include "view/vehicle_strip.h"

#include "view/form_window.h"
#include "view/painter.h"

#include "ui/controls.h"

#include <QPainter>

#include <algorithm>

namespace view {

namespace {

constexpr int kRows = 16;
constexpr int kPictures = 10;
constexpr int kScale = 4;          ///< Pictures are drawn at 1 / this size.
constexpr int kLineTop = 20;       ///< First line of pictures, below the caption.
constexpr int kLinePitch = 21;     ///< One line holds an odd and an even row.
constexpr int kPictureHeight = 16; ///< A 64-pixel picture at a quarter.
constexpr int kEvenColumn = 328;   ///< Even rows start this far right of odd rows.
constexpr int kNumberWidth = 22;   ///< Room for the row's number before its pictures.
constexpr int kRoom = 296;         ///< Room for one row's pictures.

const QColor kSilver{192, 192, 192};

/** @return the image control of picture v of row r, or null once the window has let its form go. */
const ui::Image *pictureOf(const FormWindow &window, int r, int v)
{
    const ui::Form *form = window.form();
    if (!form)
        return nullptr;
    return dynamic_cast<const ui::Image *>(form->find(QStringLiteral("Vlak%1%2").arg(r).arg(QChar('a' + v))));
}

/** @return the left edge of row r's line of pictures. */
int rowLeft(int r)
{
    return 8 + ((r - 1) % 2) * kEvenColumn;
}

/** @return the top edge of row r's line. */
int rowTop(int r)
{
    return kLineTop + (r - 1) / 2 * kLinePitch;
}

} // namespace

VehicleStrip::VehicleStrip(FormWindow &window) : QWidget(&window), m_window(window)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect VehicleStrip::pictureRect(int r, int v) const
{
    int natural = 0;
    for (int k = 0; k < kPictures; ++k)
        if (const ui::Image *img = pictureOf(m_window, r, k))
            natural += img->picture().width();
    /* A quarter of the size, smaller still when a long train would run into the next row. */
    double scale = 1.0 / kScale;
    if (natural * scale > kRoom)
        scale = double(kRoom) / natural;
    int x = rowLeft(r) + kNumberWidth;
    for (int k = 0; k < kPictures; ++k) {
        const ui::Image *img = pictureOf(m_window, r, k);
        const QSize size = img ? img->picture().size() : QSize();
        const int width = int(size.width() * scale);
        if (k == v) {
            const int height = std::min(kPictureHeight, int(size.height() * scale + 0.5));
            return width > 0 ? QRect(x, rowTop(r) + kPictureHeight - height, width, height) : QRect();
        }
        x += width;
    }
    return {};
}

void VehicleStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), kSilver);
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(4, 6, -5, -5));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.fillRect(QRect(12, 0, 44, 14), kSilver);
    p.setPen(Qt::black);
    p.drawText(QRect(14, 0, 44, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vlaky"));
    font.setBold(false);
    p.setFont(font);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int r = 1; r <= kRows; ++r) {
        p.drawText(QRect(rowLeft(r), rowTop(r), kNumberWidth - 4, kPictureHeight), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(r));
        for (int v = 0; v < kPictures; ++v) {
            const QRect target = pictureRect(r, v);
            const ui::Image *img = pictureOf(m_window, r, v);
            /* Vehicle pictures leave their ground (the bottom-left colour) see-through, as on the tracks. */
            if (img && !target.isEmpty())
                p.drawImage(target, maskedPicture(img->picture()));
        }
    }
}

} // namespace view
