/** @file menu_model.h The main menu's rows and pages as data: colours, hover groups and the pages' reset lists. */
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace ui {
class Control;
}
class TA0;

namespace frame {

/** Caption colour of an enabled row, and the normal background of the views' menu labels. */
inline const QColor Navy{0, 0, 128};
/** Colour of the row under the pointer. */
inline const QColor Blue{0, 0, 255};
/** Caption colour of a disabled row. */
inline const QColor Grey{0x3F, 0x3F, 0x3F};

/** A page of the menu and the controls its hover reset returns to navy. */
struct MenuPage {
    QString name;      ///< Its group, "G4".
    QStringList reset; ///< Controls whose blue turns navy.
    QString resetCode; ///< Error code of its reset.
};

/** @return the thirteen pages in their reset order: G4, I0, I9, K0, L1, M2, N7, P1, Q5, S0, T1, U2, V1. */
const std::vector<MenuPage> &menuPages();

/**
 * A row that lights up under the pointer: the controls that set off its
 * hover, and the controls that turn blue, the first of which is the probe
 * (only a navy probe lights the row).
 */
struct MenuRow {
    QStringList triggers; ///< Controls whose OnMouseMove is the row's hover.
    QStringList blues;    ///< Controls set to blue; the first one is the probe.
    QString code;         ///< Component named by the hover's error code.
};

/** @return every row of the menu: the left items, the game page and the rows of every page. */
const std::vector<MenuRow> &menuRows();

/** @return the hover colour of a control: a shape's pen, else its font. */
QColor hoverColor(const ui::Control &c);
/** Sets the hover colour of a control: a shape's pen, else its font. */
void setHoverColor(ui::Control &c, const QColor &color);

/**
 * @return the menu's error code for a handler of a component: "Error 00"
 *         + the name + "-A", "-B" or "-C" (empty suffix for none), and the
 *         closing "." that the components from R1's hover on lack.
 */
QString menuCode(const QString &component, const QString &suffix);

/** @return one of the menu's and the frame's own pictures ("Tl1", "C2" ...), drawn by our generator. */
QImage menuArt(const QString &name);

} // namespace frame
