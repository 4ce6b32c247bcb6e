/** @file metafile_writer.h Writes vehicle pictures as Windows metafiles (WMF and EMF), record by record. */
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <initializer_list>
#include <vector>

namespace gen {

/**
 * The drawing records a vehicle picture needs, in picture pixels. Each
 * shape brings its own solid brush and pen, so the file needs no state
 * beyond one record.
 */
class MetafileWriter {
public:
    virtual ~MetafileWriter() = default;

    /** Fills a rectangle given by its edges, both inclusive, with a rectangle record. */
    virtual void box(int left, int top, int right, int bottom, const QColor &colour) = 0;
    /** Fills a polygon given by its corners. */
    virtual void polygon(std::initializer_list<QPoint> corners, const QColor &colour) = 0;
    /** Draws a one-pixel line from a move-to and a line-to. */
    virtual void line(int x1, int y1, int x2, int y2, const QColor &colour) = 0;
    /** Fills a circle given by its centre and radius, as an ellipse record. */
    virtual void disc(int centreX, int centreY, int radius, const QColor &colour) = 0;
    /** Writes text in Arial of @p height pixels, its baseline at @p baseline. */
    virtual void text(int left, int baseline, const QString &text, int height, const QColor &colour) = 0;
    /** Places a bitmap at its own size, as a 24-bit device-independent bitmap. */
    virtual void bitmap(int left, int top, const QImage &picture) = 0;
    /** @return the whole file. */
    virtual QByteArray finish() = 0;
};

/** Writes a placeable WMF of @p width x @p height pixels (96 units per inch). */
class WmfWriter : public MetafileWriter {
public:
    WmfWriter(int width, int height);
    void box(int left, int top, int right, int bottom, const QColor &colour) override;
    void polygon(std::initializer_list<QPoint> corners, const QColor &colour) override;
    void line(int x1, int y1, int x2, int y2, const QColor &colour) override;
    void disc(int centreX, int centreY, int radius, const QColor &colour) override;
    void text(int left, int baseline, const QString &text, int height, const QColor &colour) override;
    void bitmap(int left, int top, const QImage &picture) override;
    QByteArray finish() override;

private:
    void record(uint16_t function, const std::vector<int> &words, const QByteArray &tail = {});
    /** Creates a solid brush and pen (null pen when @p outline is false) and selects them. */
    void paint(const QColor &colour, bool outline);
    void unpaint();

    int m_width;
    int m_height;
    QByteArray m_records;
    uint32_t m_largest = 0;
};

/** Writes an EMF of @p width x @p height pixels. */
class EmfWriter : public MetafileWriter {
public:
    EmfWriter(int width, int height);
    void box(int left, int top, int right, int bottom, const QColor &colour) override;
    void polygon(std::initializer_list<QPoint> corners, const QColor &colour) override;
    void line(int x1, int y1, int x2, int y2, const QColor &colour) override;
    void disc(int centreX, int centreY, int radius, const QColor &colour) override;
    void text(int left, int baseline, const QString &text, int height, const QColor &colour) override;
    void bitmap(int left, int top, const QImage &picture) override;
    QByteArray finish() override;

private:
    void record(uint32_t type, const QByteArray &body);
    void paint(const QColor &colour, bool outline);
    void unpaint();

    int m_width;
    int m_height;
    QByteArray m_records;
    uint32_t m_count = 0;
};

/** @return a picture as a bottom-up 24-bit BITMAPINFOHEADER and its pixel rows. */
QByteArray deviceIndependentBitmap(const QImage &picture);

} // namespace gen
