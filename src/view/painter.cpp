/** @file painter.cpp Painting of the graphic controls and of the containers' backgrounds with QPainter. */
#include "view/painter.h"

#include "platform/picture_copies.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

namespace view {

namespace {

/** A transparent picture and its masked copy, kept together. */
struct Masked {
    QImage picture; ///< The picture, sharing its pixels with the controls that show it.
    QImage masked;  ///< Its masked copy.
};

/** @return the masked copies of the transparent pictures, by the picture's cache key. */
QHash<qint64, Masked> &maskCache()
{
    static QHash<qint64, Masked> cache;
    /* A store of pictures asking whether anything shows one sets this copy of it aside first. */
    static const bool registered = (platform::registerPictureCopies([](qint64 key) { cache.remove(key); }), true);
    (void)registered;
    return cache;
}

/** @return the picture with every pixel of the key colour cleared. */
QImage makeMasked(const QImage &picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb key = picture.pixel(0, picture.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0x00FFFFFFu) == key)
                row[x] = 0;
    }
    return out;
}

/** @return where a picture lands inside an image control of the given size. */
QRect pictureTarget(const ui::Image &img, const QSize &pic)
{
    const QRect r(QPoint(0, 0), img.bounds().size());
    if (img.stretch())
        return r;
    if (img.center())
        return QRect(QPoint((r.width() - pic.width()) / 2, (r.height() - pic.height()) / 2), pic);
    return QRect(QPoint(0, 0), pic);
}

/** Paints an image control; its origin is already at the control's top-left. */
void paintImage(QPainter &p, const ui::Image &img)
{
    const QImage &pic = img.picture();
    if (pic.isNull())
        return;
    const QRect target = pictureTarget(img, pic.size());
    if (img.transparent())
        p.drawImage(target, maskedPicture(pic));
    else
        p.drawImage(target, pic);
}

/** @return the Qt alignment flags of a label. */
int labelFlags(const ui::Label &l)
{
    int flags = l.verticalCenter() ? Qt::AlignVCenter : Qt::AlignTop;
    switch (l.alignment()) {
    case ui::Align::Left: flags |= Qt::AlignLeft; break;
    case ui::Align::Center: flags |= Qt::AlignHCenter; break;
    case ui::Align::Right: flags |= Qt::AlignRight; break;
    }
    if (l.wordWrap())
        flags |= Qt::TextWordWrap;
    return flags;
}

} // namespace

QRect labelTextRect(const ui::Label &l)
{
    const QRect r(QPoint(0, 0), l.bounds().size());
    return QFontMetrics(toQFont(l.font())).boundingRect(r, labelFlags(l), l.caption());
}

namespace {

/** Paints a label control; its origin is already at the control's top-left. */
void paintLabel(QPainter &p, const ui::Label &l)
{
    const QRect r(QPoint(0, 0), l.bounds().size());
    if (!l.transparent())
        p.fillRect(r, l.color());
    if (l.caption().isEmpty())
        return;
    p.setFont(toQFont(l.font()));
    p.setPen(l.enabled() ? l.font().color : QColor(128, 128, 128));
    p.drawText(r, labelFlags(l), l.caption());
}

/** Paints a shape control the way the classic shape does: the outline inside the bounds. */
void paintShape(QPainter &p, const ui::Shape &s)
{
    const int pw = std::max(0, s.penWidth());
    int x = pw / 2;
    int y = x;
    int w = s.width() - pw + 1;
    int h = s.height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const int side = std::min(w, h);
    const ui::ShapeType t = s.shape();
    if (t == ui::ShapeType::Square || t == ui::ShapeType::RoundSquare || t == ui::ShapeType::Circle) {
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = side;
        h = side;
    }
    if (w <= 0 || h <= 0)
        return;
    QPen pen(s.penColor(), std::max(1, pw));
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(s.brushClear() ? QBrush(Qt::NoBrush) : QBrush(s.brushColor()));
    /* The outline runs through the middle of the pen, from x to x + w - 1. */
    const QRect r(x, y, w - 1, h - 1);
    switch (t) {
    case ui::ShapeType::Rectangle:
    case ui::ShapeType::Square:
        p.drawRect(r);
        break;
    case ui::ShapeType::RoundRect:
    case ui::ShapeType::RoundSquare:
        p.setRenderHint(QPainter::Antialiasing);
        p.drawRoundedRect(r, side / 8.0, side / 8.0);
        break;
    case ui::ShapeType::Circle:
    case ui::ShapeType::Ellipse:
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(r);
        break;
    }
}

/** Paints a group box's etched frame below the caption's middle and the caption over it. */
void paintGroupFrame(QPainter &p, const ui::Control &c, const QRect &rect)
{
    const QFont font = toQFont(c.font());
    const QFontMetrics fm(font);
    const int top = c.caption().isEmpty() ? 0 : fm.height() / 2;
    const QRect frame = rect.adjusted(0, top, -1, -1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawRect(frame.adjusted(1, 1, 0, 0));
    if (c.caption().isEmpty())
        return;
    const QRect text(8, 0, fm.horizontalAdvance(c.caption()) + 4, fm.height());
    p.fillRect(text, c.color());
    p.setFont(font);
    p.setPen(c.font().color);
    p.drawText(text, Qt::AlignCenter, c.caption());
}

/** Paints a panel's raised edge and its centred caption. */
void paintPanelFace(QPainter &p, const ui::Panel &panel, const QRect &rect)
{
    if (panel.bevel()) {
        const QRect r = rect.adjusted(0, 0, -1, -1);
        p.setPen(Qt::white);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    if (panel.caption().isEmpty())
        return;
    p.setFont(toQFont(panel.font()));
    p.setPen(panel.font().color);
    p.drawText(rect, Qt::AlignCenter, panel.caption());
}

} // namespace

void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
}

QFont toQFont(const ui::Font &font)
{
    QFont f(font.family);
    f.setPixelSize(std::max(1, font.pixelSize));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

bool isGraphic(const ui::Control &c)
{
    const ui::Kind k = c.kind();
    return k == ui::Kind::Image || k == ui::Kind::Label || k == ui::Kind::Shape;
}

QImage maskedPicture(const QImage &picture)
{
    QHash<qint64, Masked> &cache = maskCache();
    const qint64 key = picture.cacheKey();
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return it->masked;
    /* A picture that only the cache still holds is shown nowhere any more: its copies go with it. */
    cache.removeIf([](const QHash<qint64, Masked>::iterator &e) { return e->picture.isDetached(); });
    const QImage masked = makeMasked(picture);
    cache.insert(key, Masked{picture, masked});
    return masked;
}

int maskedPicturesKept()
{
    return int(maskCache().size());
}

void paintGraphic(QPainter &p, const ui::Control &c)
{
    const QRect b = c.bounds();
    if (b.isEmpty())
        return;
    p.save();
    p.translate(b.topLeft());
    p.setClipRect(QRect(QPoint(0, 0), b.size()), Qt::IntersectClip);
    switch (c.kind()) {
    case ui::Kind::Image: paintImage(p, static_cast<const ui::Image &>(c)); break;
    case ui::Kind::Label: paintLabel(p, static_cast<const ui::Label &>(c)); break;
    case ui::Kind::Shape: paintShape(p, static_cast<const ui::Shape &>(c)); break;
    default: break;
    }
    p.restore();
}

void paintContainerFace(QPainter &p, const ui::Control &c, const QRect &rect)
{
    p.fillRect(rect, c.color());
    switch (c.kind()) {
    case ui::Kind::GroupBox: paintGroupFrame(p, c, rect); break;
    case ui::Kind::Panel: paintPanelFace(p, static_cast<const ui::Panel &>(c), rect); break;
    default: break;
    }
}

} // namespace view
