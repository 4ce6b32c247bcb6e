/** @file metafile_writer.cpp Writes vehicle pictures as Windows metafiles (WMF and EMF), record by record. */
#include "metafile_writer.h"

namespace gen {

namespace {

/** Appends a little-endian number of @p bytes bytes. */
void put(QByteArray &out, int64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(uint64_t(value) >> (8 * i) & 0xFF));
}

/** @return a colour as a COLORREF, 0x00BBGGRR. */
uint32_t colorRef(const QColor &c)
{
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}

constexpr uint32_t kSrcCopy = 0x00CC0020;

} // namespace

QByteArray deviceIndependentBitmap(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = (rgb.width() * 3 + 3) / 4 * 4;
    QByteArray out;
    put(out, 40, 4);
    put(out, rgb.width(), 4);
    put(out, rgb.height(), 4);
    put(out, 1, 2);
    put(out, 24, 2);
    put(out, 0, 4);
    put(out, int64_t(rowBytes) * rgb.height(), 4);
    put(out, 3780, 4);
    put(out, 3780, 4);
    put(out, 0, 4);
    put(out, 0, 4);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            row.append(char(qBlue(p)));
            row.append(char(qGreen(p)));
            row.append(char(qRed(p)));
        }
        row.append(QByteArray(rowBytes - row.size(), '\0'));
        out += row;
    }
    return out;
}

/* ------------------------------------------------------------------ WMF */

WmfWriter::WmfWriter(int width, int height) : m_width(width), m_height(height)
{
    record(0x020B, {0, 0});                // SetWindowOrg: y, x
    record(0x020C, {m_height, m_width});   // SetWindowExt: y, x
    record(0x0102, {1});                   // SetBkMode: transparent
}

void WmfWriter::record(uint16_t function, const std::vector<int> &words, const QByteArray &tail)
{
    QByteArray params;
    for (int w : words)
        put(params, w, 2);
    params += tail;
    if (params.size() % 2)
        params.append('\0');
    const uint32_t size = uint32_t(3 + params.size() / 2);
    m_largest = std::max(m_largest, size);
    put(m_records, size, 4);
    put(m_records, function, 2);
    m_records += params;
}

void WmfWriter::paint(const QColor &colour, bool outline)
{
    const uint32_t ref = colorRef(colour);
    /* Brush into object 0, pen into object 1. */
    record(0x02FC, {0, int(ref & 0xFFFF), int(ref >> 16), 0}); // CreateBrushIndirect: solid
    record(0x02FA, {outline ? 0 : 5, 1, 0, int(ref & 0xFFFF), int(ref >> 16)}); // CreatePenIndirect
    record(0x012D, {0});
    record(0x012D, {1});
}

void WmfWriter::unpaint()
{
    record(0x01F0, {0});
    record(0x01F0, {1});
}

void WmfWriter::box(int left, int top, int right, int bottom, const QColor &colour)
{
    paint(colour, false);
    record(0x041B, {bottom + 1, right + 1, top, left}); // Rectangle, edges exclusive at right and bottom
    unpaint();
}

void WmfWriter::polygon(std::initializer_list<QPoint> corners, const QColor &colour)
{
    paint(colour, false);
    std::vector<int> words{int(corners.size())};
    for (const QPoint &p : corners) {
        words.push_back(p.x());
        words.push_back(p.y());
    }
    record(0x0324, words);
    unpaint();
}

void WmfWriter::line(int x1, int y1, int x2, int y2, const QColor &colour)
{
    paint(colour, true);
    record(0x0214, {y1, x1}); // MoveTo
    record(0x0213, {y2, x2}); // LineTo
    unpaint();
}

void WmfWriter::disc(int centreX, int centreY, int radius, const QColor &colour)
{
    paint(colour, false);
    record(0x0418, {centreY + radius + 1, centreX + radius + 1, centreY - radius, centreX - radius}); // Ellipse
    unpaint();
}

void WmfWriter::text(int left, int baseline, const QString &text, int height, const QColor &colour)
{
    QByteArray face("Arial");
    face.append(QByteArray(32 - face.size(), '\0'));
    /* Font into object 0: height, width, escapement, orientation, weight, then bytes. */
    QByteArray bytes;
    put(bytes, 0, 1); // italic
    put(bytes, 0, 1); // underline
    put(bytes, 0, 1); // strike out
    put(bytes, 238, 1); // East European character set
    put(bytes, 0, 4); // precisions, quality, pitch
    record(0x02FB, {-height, 0, 0, 0, 700}, bytes + face);
    record(0x012D, {0});
    const uint32_t ref = colorRef(colour);
    record(0x0209, {int(ref & 0xFFFF), int(ref >> 16)}); // SetTextColor
    record(0x012E, {24});                                // SetTextAlign: baseline, left
    const QByteArray latin = text.toLatin1();
    QByteArray string = latin;
    if (string.size() % 2)
        string.append('\0');
    QByteArray tail = string;
    put(tail, baseline, 2);
    put(tail, left, 2);
    record(0x0521, {int(latin.size())}, tail); // TextOut: count, string, y, x
    record(0x01F0, {0});
}

void WmfWriter::bitmap(int left, int top, const QImage &picture)
{
    const int w = picture.width();
    const int h = picture.height();
    /* StretchDIB: raster operation, usage, source h, w, y, x, destination h, w, y, x, bitmap. */
    record(0x0F43, {int(kSrcCopy & 0xFFFF), int(kSrcCopy >> 16), 0, h, w, 0, 0, h, w, top, left},
           deviceIndependentBitmap(picture));
}

QByteArray WmfWriter::finish()
{
    record(0x0000, {}); // EOF
    QByteArray placeable;
    put(placeable, 0x9AC6CDD7, 4);
    put(placeable, 0, 2);
    for (int v : {0, 0, m_width, m_height})
        put(placeable, v, 2);
    put(placeable, 96, 2);
    put(placeable, 0, 4);
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= uint16_t(uint8_t(placeable[2 * i]) | uint8_t(placeable[2 * i + 1]) << 8);
    put(placeable, checksum, 2);
    QByteArray header;
    put(header, 1, 2);      // in memory
    put(header, 9, 2);      // header words
    put(header, 0x0300, 2); // version
    put(header, 9 + m_records.size() / 2, 4);
    put(header, 2, 2);      // objects
    put(header, m_largest, 4);
    put(header, 0, 2);
    return placeable + header + m_records;
}

/* ------------------------------------------------------------------ EMF */

namespace {

constexpr uint32_t kEmrPolygon16 = 86;
constexpr uint32_t kEmrRectangle = 43;
constexpr uint32_t kEmrEllipse = 42;
constexpr uint32_t kEmrMoveTo = 27;
constexpr uint32_t kEmrLineTo = 54;
constexpr uint32_t kEmrSelectObject = 37;
constexpr uint32_t kEmrDeleteObject = 40;
constexpr uint32_t kEmrCreatePen = 38;
constexpr uint32_t kEmrCreateBrush = 39;
constexpr uint32_t kEmrSetBkMode = 18;
constexpr uint32_t kEmrSetTextColor = 24;
constexpr uint32_t kEmrSetTextAlign = 22;
constexpr uint32_t kEmrCreateFont = 82;
constexpr uint32_t kEmrExtTextOutW = 84;
constexpr uint32_t kEmrStretchDiBits = 81;
constexpr uint32_t kEmrEof = 14;

/** @return a rectangle of four 32-bit edges. */
QByteArray rectl(int left, int top, int right, int bottom)
{
    QByteArray out;
    for (int v : {left, top, right, bottom})
        put(out, v, 4);
    return out;
}

} // namespace

EmfWriter::EmfWriter(int width, int height) : m_width(width), m_height(height)
{
    QByteArray mode;
    put(mode, 1, 4);
    record(kEmrSetBkMode, mode); // transparent
}

void EmfWriter::record(uint32_t type, const QByteArray &body)
{
    QByteArray padded = body;
    while (padded.size() % 4)
        padded.append('\0');
    put(m_records, type, 4);
    put(m_records, 8 + padded.size(), 4);
    m_records += padded;
    ++m_count;
}

void EmfWriter::paint(const QColor &colour, bool outline)
{
    QByteArray brush;
    put(brush, 1, 4);                 // object 1
    put(brush, 0, 4);                 // solid
    put(brush, colorRef(colour), 4);
    put(brush, 0, 4);
    record(kEmrCreateBrush, brush);
    QByteArray pen;
    put(pen, 2, 4);                   // object 2
    put(pen, outline ? 0 : 5, 4);     // solid or null
    put(pen, 1, 4);                   // width x
    put(pen, 0, 4);                   // width y, unused
    put(pen, colorRef(colour), 4);
    record(kEmrCreatePen, pen);
    for (int object : {1, 2}) {
        QByteArray select;
        put(select, object, 4);
        record(kEmrSelectObject, select);
    }
}

void EmfWriter::unpaint()
{
    /* The stock white brush and black pen go back before the objects are deleted. */
    for (uint32_t stock : {0x80000000u, 0x80000007u}) {
        QByteArray select;
        put(select, stock, 4);
        record(kEmrSelectObject, select);
    }
    for (int object : {1, 2}) {
        QByteArray del;
        put(del, object, 4);
        record(kEmrDeleteObject, del);
    }
}

void EmfWriter::box(int left, int top, int right, int bottom, const QColor &colour)
{
    paint(colour, false);
    record(kEmrRectangle, rectl(left, top, right + 1, bottom + 1));
    unpaint();
}

void EmfWriter::polygon(std::initializer_list<QPoint> corners, const QColor &colour)
{
    paint(colour, false);
    int left = 32767, top = 32767, right = -32768, bottom = -32768;
    for (const QPoint &p : corners) {
        left = std::min(left, p.x());
        top = std::min(top, p.y());
        right = std::max(right, p.x());
        bottom = std::max(bottom, p.y());
    }
    QByteArray body = rectl(left, top, right, bottom);
    put(body, int(corners.size()), 4);
    for (const QPoint &p : corners) {
        put(body, p.x(), 2);
        put(body, p.y(), 2);
    }
    record(kEmrPolygon16, body);
    unpaint();
}

void EmfWriter::line(int x1, int y1, int x2, int y2, const QColor &colour)
{
    paint(colour, true);
    QByteArray from;
    put(from, x1, 4);
    put(from, y1, 4);
    record(kEmrMoveTo, from);
    QByteArray to;
    put(to, x2, 4);
    put(to, y2, 4);
    record(kEmrLineTo, to);
    unpaint();
}

void EmfWriter::disc(int centreX, int centreY, int radius, const QColor &colour)
{
    paint(colour, false);
    record(kEmrEllipse, rectl(centreX - radius, centreY - radius, centreX + radius + 1, centreY + radius + 1));
    unpaint();
}

void EmfWriter::text(int left, int baseline, const QString &text, int height, const QColor &colour)
{
    QByteArray font;
    put(font, 3, 4);       // object 3
    put(font, -height, 4); // character height
    put(font, 0, 4);       // width
    put(font, 0, 4);       // escapement
    put(font, 0, 4);       // orientation
    put(font, 700, 4);     // bold
    put(font, 0, 3);       // italic, underline, strike out
    put(font, 238, 1);     // East European character set
    put(font, 0, 4);       // precisions, quality, pitch
    QByteArray face;
    for (QChar c : QStringLiteral("Arial"))
        put(face, c.unicode(), 2);
    face.append(QByteArray(64 - face.size(), '\0'));
    record(kEmrCreateFont, font + face);
    QByteArray select;
    put(select, 3, 4);
    record(kEmrSelectObject, select);
    QByteArray colourBody;
    put(colourBody, colorRef(colour), 4);
    record(kEmrSetTextColor, colourBody);
    QByteArray align;
    put(align, 24, 4); // baseline, left
    record(kEmrSetTextAlign, align);

    const int chars = int(text.size());
    QByteArray string;
    for (QChar c : text)
        put(string, c.unicode(), 2);
    while (string.size() % 4)
        string.append('\0');
    QByteArray body = rectl(left, baseline - height, left + chars * height, baseline);
    put(body, 1, 4);          // compatible graphics mode
    put(body, 0, 4);          // x scale (float 0)
    put(body, 0, 4);          // y scale
    put(body, left, 4);       // reference point
    put(body, baseline, 4);
    put(body, chars, 4);
    put(body, 76, 4);         // the string follows the record's fixed part
    put(body, 0, 4);          // options
    body += rectl(0, 0, -1, -1);
    put(body, 76 + string.size(), 4); // the advances follow the string
    body += string;
    for (int i = 0; i < chars; ++i)
        put(body, height * 2 / 3, 4);
    record(kEmrExtTextOutW, body);
    QByteArray stock;
    put(stock, 0x8000000Du, 4); // the system font
    record(kEmrSelectObject, stock);
    QByteArray del;
    put(del, 3, 4);
    record(kEmrDeleteObject, del);
}

void EmfWriter::bitmap(int left, int top, const QImage &picture)
{
    const QByteArray dib = deviceIndependentBitmap(picture);
    const int w = picture.width();
    const int h = picture.height();
    QByteArray body = rectl(left, top, left + w - 1, top + h - 1);
    for (int v : {left, top, 0, 0, w, h})
        put(body, v, 4);
    put(body, 80, 4);          // the header follows the fixed part
    put(body, 40, 4);
    put(body, 80 + 40, 4);     // the pixels follow the header
    put(body, dib.size() - 40, 4);
    put(body, 0, 4);           // RGB colours
    put(body, kSrcCopy, 4);
    put(body, w, 4);
    put(body, h, 4);
    record(kEmrStretchDiBits, body + dib);
}

QByteArray EmfWriter::finish()
{
    QByteArray eof;
    put(eof, 0, 4);  // no palette
    put(eof, 16, 4); // where a palette would be
    put(eof, 20, 4); // this record's size
    record(kEmrEof, eof);
    const int headerSize = 88;
    QByteArray header;
    put(header, 1, 4);
    put(header, headerSize, 4);
    header += rectl(0, 0, m_width - 1, m_height - 1);
    /* The frame in hundredths of a millimetre at 96 pixels per inch. */
    header += rectl(0, 0, (m_width * 2540 + 48) / 96, (m_height * 2540 + 48) / 96);
    put(header, 0x464D4520, 4); // " EMF"
    put(header, 0x10000, 4);
    put(header, headerSize + m_records.size(), 4);
    put(header, m_count + 1, 4);
    put(header, 4, 2);          // handles: the file itself and three objects
    put(header, 0, 2);
    put(header, 0, 4);          // no description
    put(header, 0, 4);
    put(header, 0, 4);          // no palette
    put(header, 1024, 4);       // reference device in pixels
    put(header, 768, 4);
    put(header, 271, 4);        // and millimetres, 96 dots per inch
    put(header, 203, 4);
    return header + m_records;
}

} // namespace gen
