/** @file vehicle_strip.h The timetable window's vehicle pictures as a strip below its rows, drawn small. */
#pragma once

#include <QWidget>

namespace view {

class FormWindow;

/**
 * Shows the vehicle pictures of the timetable window's sixteen rows
 * (`Vlak1a` .. `Vlak16j`) below the rows, at a quarter of their size (less
 * for a train too long for its place), two rows side by side per line.
 * The model keeps the pictures at their own sizes in the "Vlaky" group
 * outside the window's designed area; only this view makes them small.
 */
class VehicleStrip : public QWidget {
    Q_OBJECT
public:
    /** Height of the strip in pixels. */
    static constexpr int kHeight = 196;

    /** Shows the pictures of the form of @p window, below its designed area. */
    explicit VehicleStrip(FormWindow &window);

    /** @return where picture v (0 = a) of row r (1 .. 16) is drawn, in the strip; empty when it takes no room. */
    QRect pictureRect(int r, int v) const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    FormWindow &m_window;
};

} // namespace view
