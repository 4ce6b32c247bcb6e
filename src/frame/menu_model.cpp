/** @file menu_model.cpp The main menu's pages, rows and error codes as data. */
#include "frame/menu_model.h"

#include "ui/controls.h"

namespace frame {

const std::vector<MenuPage> &menuPages()
{
    static const std::vector<MenuPage> pages = {
        {"G4", {"G5", "G7", "H0", "G6", "G8", "G9", "H1", "H2", "H3", "H4", "H6", "H8"}, "Error 00V8"},
        {"I0", {"I1", "I3", "I2", "I4", "I5", "I7"}, "Error 00V9"},
        {"I9", {"J0", "J2", "J4", "J6", "J8"}, "Error 00W0"},
        {"K0", {"K1", "K3", "K5", "K7", "K9"}, "Error 00W1"},
        {"L1", {"L2", "L4", "L6", "L8", "M0"}, "Error 00W2"},
        {"M2", {"M3", "M6", "M9", "N2", "N5", "M4", "M7", "N0", "N3", "M5", "M8", "N1", "N4"}, "Error 00W3"},
        {"N7", {"N8", "O1", "O4", "O7", "O9", "N9", "O2", "O5", "O0", "O3", "O6"}, "Error 00W4"},
        {"P1", {"P2", "P5", "P8", "Q1", "Q3", "P3", "P6", "P9", "P4", "P7", "Q0"}, "Error 00W5"},
        {"Q5", {"Q6", "Q9", "R2", "R5", "R8", "Q7", "Q8", "R0", "R1", "R3", "R4", "R6", "R7"}, "Error 00W6"},
        {"S0", {"S1", "S3", "S5", "S7", "S9"}, "Error 00W7"},
        {"T1", {"T2", "T4", "T6", "T8", "U0"}, "Error 00W8"},
        {"U2", {"U9"}, "Error 00W9"},
        {"V1", {"V3", "V5"}, "Error 00X0"},
    };
    return pages;
}

namespace {

/** A button row: its caption lights up when the pointer is over its button. */
MenuRow buttonRow(const QString &caption, const QString &image)
{
    return {{image}, {caption}, image};
}

/** An edit row: title, frame and edit light up together over the frame or the edit. */
MenuRow editRow(const QString &title, const QString &frame, const QString &edit)
{
    return {{frame, edit}, {title, frame, edit}, edit};
}

/** A slider row: title, track and knob light up together over the track or the knob. */
MenuRow sliderRow(const QString &title, const QString &track, const QString &knob)
{
    return {{track, knob}, {title, track, knob}, knob};
}

std::vector<MenuRow> buildRows()
{
    std::vector<MenuRow> rows;
    /* Left column. */
    for (auto [image, caption] : {std::pair{"F4", "F5"}, {"F6", "F7"}, {"F8", "F9"}, {"G0", "G1"}, {"G2", "G3"}})
        rows.push_back(buttonRow(caption, image));
    /* Game page: the choice rows light their frame with their label; the
       start-time row is probed by its caption "Počáteční čas". */
    rows.push_back({{"G5", "G6"}, {"G5", "G6"}, "G6"});
    rows.push_back({{"G7", "G8"}, {"G7", "G8"}, "G8"});
    rows.push_back({{"H0", "H1", "H2", "H3"}, {"G9", "H0", "H1", "H2", "H3"}, "H1"});
    for (auto [caption, image] : {std::pair{"H4", "H5"}, {"H6", "H7"}, {"H8", "H9"}})
        rows.push_back(buttonRow(caption, image));
    /* Saved games. */
    rows.push_back({{"I1", "I2"}, {"I1", "I2"}, "I2"});
    rows.push_back({{"I3", "I4"}, {"I3", "I4"}, "I4"});
    rows.push_back(buttonRow("I5", "I6"));
    rows.push_back(buttonRow("I7", "I8"));
    /* Pages of button rows. */
    for (auto [caption, image] :
         {std::pair{"J0", "J1"}, {"J2", "J3"}, {"J4", "J5"}, {"J6", "J7"}, {"J8", "J9"}, {"K1", "K2"}, {"K3", "K4"},
          {"K5", "K6"}, {"K7", "K8"}, {"K9", "L0"}, {"L2", "L3"}, {"L4", "L5"}, {"L6", "L7"}, {"L8", "L9"},
          {"M0", "M1"}, {"N5", "N6"}, {"O7", "O8"}, {"O9", "P0"}, {"Q1", "Q2"}, {"Q3", "Q4"}, {"R8", "R9"},
          {"S1", "S2"}, {"S3", "S4"}, {"S5", "S6"}, {"S7", "S8"}, {"S9", "T0"}, {"T2", "T3"}, {"T4", "T5"},
          {"T6", "T7"}, {"T8", "T9"}, {"U0", "U1"}, {"U9", "V0"}, {"V3", "V4"}, {"V5", "V6"}})
        rows.push_back(buttonRow(caption, image));
    /* Edit rows. */
    for (auto [title, frame, edit] :
         {std::tuple{"M3", "M4", "M5"}, {"M6", "M7", "M8"}, {"M9", "N0", "N1"}, {"N2", "N3", "N4"},
          {"N8", "N9", "O0"}, {"O1", "O2", "O3"}, {"O4", "O5", "O6"}, {"P2", "P3", "P4"}, {"P5", "P6", "P7"},
          {"P8", "P9", "Q0"}})
        rows.push_back(editRow(title, frame, edit));
    for (auto [title, track, knob] :
         {std::tuple{"Q6", "Q7", "Q8"}, {"Q9", "R0", "R1"}, {"R2", "R3", "R4"}, {"R5", "R6", "R7"}})
        rows.push_back(sliderRow(title, track, knob));
    return rows;
}

} // namespace

const std::vector<MenuRow> &menuRows()
{
    static const std::vector<MenuRow> rows = buildRows();
    return rows;
}

QColor hoverColor(const ui::Control &c)
{
    if (c.kind() == ui::Kind::Shape)
        return static_cast<const ui::Shape &>(c).penColor();
    return c.font().color;
}

void setHoverColor(ui::Control &c, const QColor &color)
{
    if (c.kind() == ui::Kind::Shape)
        static_cast<ui::Shape &>(c).setPenColor(color);
    else
        c.setFontColor(color);
}

QString menuCode(const QString &component, const QString &suffix)
{
    QString code = QStringLiteral("Error 00") + component;
    if (!suffix.isEmpty())
        code += QLatin1Char('-') + suffix;
    /* The handlers from R1's hover on close their code without a full stop. */
    const bool bare = component > QLatin1String("R1") || (component == QLatin1String("R1") && suffix != "A");
    return bare ? code : code + QLatin1Char('.');
}

} // namespace frame
