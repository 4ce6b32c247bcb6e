/** @file menu_layout.cpp The menu's measures in proportion to the screen, laid out one step a tick. */
#include "core/app.h"
#include "core/form_a1.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"

#include <QHash>


namespace frame {

namespace {

/** The place of a control and, for texts, its font size. */
struct Measure {
    QRect rect;
    int fontSize = 0; ///< 0: the control has no text.
};

/** Tops of the five rows shared by the left items and the pages' button rows. */
struct Rows {
    int image[6];
    int caption[6];
};

Rows rowTops(int H)
{
    return {{0, H * 479 / 2500, H * 13 / 40, H * 4583 / 10000, H * 1479 / 2500, H * 29 / 40},
            {0, H * 2083 / 10000, H * 427 / 1250, H * 19 / 40, H * 6083 / 10000, H * 927 / 1250}};
}

/** Every measured control of the menu except F1 .. F3, which follow one another. */
QHash<QString, Measure> measures(int W, int H)
{
    QHash<QString, Measure> m;
    const int font = H / 30;
    const Rows rows = rowTops(H);

    const char *items[5][2] = {{"F4", "F5"}, {"F6", "F7"}, {"F8", "F9"}, {"G0", "G1"}, {"G2", "G3"}};
    for (int r = 1; r <= 5; ++r) {
        m[items[r - 1][0]] = {QRect(W / 40, rows.image[r], W * 8 / 125, H * 427 / 5000)};
        m[items[r - 1][1]] = {QRect(W / 8, rows.caption[r], W * 503 / 2000, H * 13 / 250), font};
    }
    for (const char *page : {"G4", "I0", "I9", "K0", "L1", "M2", "N7", "P1", "Q5", "S0", "T1", "U2", "V1"})
        m[page] = {QRect(W / 2, 0, W / 2, H)};

    /* Button rows: caption and image at the tops of their row. */
    auto buttonRow = [&](const char *caption, const char *image, int r) {
        m[caption] = {QRect(W / 80, rows.caption[r], W * 3766 / 10000, H * 13 / 250), font};
        m[image] = {QRect(W * 33 / 80, rows.image[r], W * 8 / 125, H * 427 / 5000)};
    };
    const char *fullPages[4][5][2] = {
        {{"J0", "J1"}, {"J2", "J3"}, {"J4", "J5"}, {"J6", "J7"}, {"J8", "J9"}},
        {{"K1", "K2"}, {"K3", "K4"}, {"K5", "K6"}, {"K7", "K8"}, {"K9", "L0"}},
        {{"L2", "L3"}, {"L4", "L5"}, {"L6", "L7"}, {"L8", "L9"}, {"M0", "M1"}},
        {{"S1", "S2"}, {"S3", "S4"}, {"S5", "S6"}, {"S7", "S8"}, {"S9", "T0"}}};
    for (const auto &page : fullPages)
        for (int r = 1; r <= 5; ++r)
            buttonRow(page[r - 1][0], page[r - 1][1], r);
    const char *t1[5][2] = {{"T2", "T3"}, {"T4", "T5"}, {"T6", "T7"}, {"T8", "T9"}, {"U0", "U1"}};
    for (int r = 1; r <= 5; ++r)
        buttonRow(t1[r - 1][0], t1[r - 1][1], r);
    buttonRow("H4", "H5", 3);
    buttonRow("H6", "H7", 4);
    buttonRow("H8", "H9", 5);
    buttonRow("I5", "I6", 4);
    buttonRow("I7", "I8", 5);
    buttonRow("N5", "N6", 5);
    buttonRow("O7", "O8", 4);
    buttonRow("O9", "P0", 5);
    buttonRow("Q1", "Q2", 4);
    buttonRow("Q3", "Q4", 5);
    buttonRow("R8", "R9", 5);
    buttonRow("U9", "V0", 5);
    buttonRow("V3", "V4", 4);
    buttonRow("V5", "V6", 5);

    /* Edit rows by slot: title, frame, edit. */
    const int titleTop[5] = {0, H * 1583 / 10000, H * 2916 / 10000, H * 17 / 40, H * 5583 / 10000};
    const int frameTop[5] = {0, H * 2166 / 10000, H * 7 / 20, H * 4833 / 10000, H * 3083 / 5000};
    const int editTop[5] = {0, H * 2187 / 10000, H * 44 / 125, H * 2427 / 5000, H * 6187 / 10000};
    auto editRow = [&](const char *title, const char *frame, const char *edit, int slot) {
        m[title] = {QRect(W / 80, titleTop[slot], W * 58 / 125, H * 521 / 10000), font};
        m[frame] = {QRect(W / 80, frameTop[slot], W * 58 / 125, H * 11 / 160)};
        m[edit] = {QRect(W / 40, editTop[slot], W * 439 / 1000, H * 323 / 5000), font};
    };
    const char *editPages[3][4][3] = {
        {{"M3", "M4", "M5"}, {"M6", "M7", "M8"}, {"M9", "N0", "N1"}, {"N2", "N3", "N4"}},
        {{"N8", "N9", "O0"}, {"O1", "O2", "O3"}, {"O4", "O5", "O6"}, {nullptr, nullptr, nullptr}},
        {{"P2", "P3", "P4"}, {"P5", "P6", "P7"}, {"P8", "P9", "Q0"}, {nullptr, nullptr, nullptr}}};
    for (const auto &page : editPages)
        for (int slot = 1; slot <= 4; ++slot)
            if (page[slot - 1][0])
                editRow(page[slot - 1][0], page[slot - 1][1], page[slot - 1][2], slot);

    /* Sliders. */
    const char *sliders[4][3] = {{"Q6", "Q7", "Q8"}, {"Q9", "R0", "R1"}, {"R2", "R3", "R4"}, {"R5", "R6", "R7"}};
    const int sliderTitle[4] = {H * 1583 / 10000, H * 729 / 2500, H * 4333 / 10000, H * 5583 / 10000};
    const int trackTop[4] = {H * 2333 / 10000, H * 1833 / 5000, H / 2, H * 6333 / 10000};
    const int knobTop[4] = {H * 2166 / 10000, H * 7 / 20, H * 4833 / 10000, H * 3083 / 5000};
    for (int k = 0; k < 4; ++k) {
        m[sliders[k][0]] = {QRect(W / 80, sliderTitle[k], W * 58 / 125, H * 521 / 10000), font};
        m[sliders[k][1]] = {QRect(W / 80, trackTop[k], W * 58 / 125, H * 177 / 5000)};
        m[sliders[k][2]] = {QRect(W / 40, knobTop[k], W * 7 / 500, H * 11 / 160)};
    }

    /* Game page. */
    m["G5"] = {QRect(W / 80, H / 5, W * 58 / 125, H * 11 / 160)};
    m["G6"] = {QRect(W / 40, H * 2083 / 10000, W * 439 / 1000, H * 13 / 250), font};
    m["G7"] = {QRect(W / 80, H / 3, W * 58 / 125, H * 11 / 160)};
    m["G8"] = {QRect(W / 40, H * 427 / 1250, W * 439 / 1000, H * 13 / 250), font};
    m["G9"] = {QRect(W / 80, H * 19 / 40, W * 289 / 1000, H * 13 / 250), font};
    m["H0"] = {QRect(W * 13 / 40, H * 4666 / 10000, W * 303 / 2000, H * 11 / 160)};
    m["H1"] = {QRect(W * 3343 / 10000, H * 19 / 40, W * 129 / 2500, H * 13 / 250), font};
    m["H2"] = {QRect(W * 3953 / 10000, H * 19 / 40, W * 7 / 500, H * 13 / 250), font};
    m["H3"] = {QRect(W * 4156 / 10000, H * 19 / 40, W * 129 / 2500, H * 13 / 250), font};

    /* Saved games. */
    m["I1"] = {QRect(W / 80, H / 5, W * 58 / 125, H * 1177 / 5000)};
    m["I2"] = {QRect(W / 40, H * 2166 / 10000, W * 439 / 1000, H * 2021 / 10000), font};
    m["I3"] = {QRect(W / 80, H * 4666 / 10000, W * 58 / 125, H * 11 / 160)};
    m["I4"] = {QRect(W / 40, H * 4687 / 10000, W * 439 / 1000, H * 323 / 5000), font};

    /* About and quit. */
    const int aboutLeft = 3 * W / 80;
    const int aboutWidth = W * 2133 / 5000;
    m["U3"] = {QRect(aboutLeft, H * 2083 / 10000, aboutWidth, H * 11 / 160), H * 417 / 10000};
    m["U4"] = {QRect(aboutLeft, H * 2917 / 10000, aboutWidth, H * 427 / 5000), H * 271 / 5000};
    const int infoTop[4] = {H * 3917 / 10000, H * 4917 / 10000, H * 5583 / 10000, 5 * H / 8};
    for (int k = 0; k < 4; ++k)
        m[QStringLiteral("U%1").arg(5 + k)] = {QRect(aboutLeft, infoTop[k], aboutWidth, H * 251 / 5000), font};
    m["V2"] = {QRect(W / 40, H * 4083 / 10000, W * 1129 / 2500, H * 13 / 250), font};
    return m;
}

/** @return the grid code after this one: "G9" -> "H0". */
QString nextCode(const QString &code)
{
    const int digit = code.at(1).digitValue();
    if (digit < 9)
        return QString(code.at(0)) + QChar('0' + digit + 1);
    return QString(QChar(code.at(0).unicode() + 1)) + QLatin1Char('0');
}

/** @return the controls of a layout step (1 .. 82): the menu and its column first, then two codes a step. */
QStringList stepControls(int step)
{
    if (step == 1)
        return {"F0", "F1", "F2", "F3"};
    if (step <= 6) {
        static const char *items[5][2] = {{"F4", "F5"}, {"F6", "F7"}, {"F8", "F9"}, {"G0", "G1"}, {"G2", "G3"}};
        return {items[step - 2][0], items[step - 2][1]};
    }
    if (step == 7)
        return {"G4", "G5", "G6"};
    if (step > 82)
        return {};
    /* From step 8 on two grid codes a step, in order from G7 to V6. */
    QString first = QStringLiteral("G7");
    for (int k = 8; k < step; ++k)
        first = nextCode(nextCode(first));
    return {first, nextCode(first)};
}

/** Gives a laid-out button its start picture: an option's on or off picture, else the normal one. */
void setButtonPicture(App &app, ui::Image &image)
{
    TA0 &a0 = app.A0();
    const QString &n = image.name();
    if (n == "K6" || n == "K8" || n == "L3" || n == "L5")
        image.assignPicture(*a0.Tl3);
    else if (n == "L7" || n == "L9")
        image.assignPicture(*a0.Tl4);
    else if (n == "L0") {
        app.A1().KodPoruchy->setChecked(true);
        image.assignPicture(*a0.Tl3);
    } else
        image.assignPicture(*a0.Tl1);
}

} // namespace

void layoutMenuStep(App &app, int step)
{
    TA0 &a0 = app.A0();
    const int W = app.ScreenWidth;
    const int H = app.ScreenHeight;
    if (step == 1) {
        a0.F0->setBounds(0, 0, W, H);
        a0.F1->setBounds(0, 0, W * 339 / 1000, H * 1729 / 10000);
        a0.F2->setBounds(0, a0.F1->height(), W * 203 / 2000, H - 2 * a0.F1->height());
        const int bottom = H * 1729 / 10000;
        a0.F3->setBounds(0, H - bottom, W * 339 / 1000, bottom);
        return;
    }
    const QHash<QString, Measure> all = measures(W, H);
    for (const QString &name : stepControls(step)) {
        ui::Control &c = a0.get<ui::Control>(name);
        const auto it = all.constFind(name);
        if (it != all.constEnd()) {
            c.setBounds(it->rect);
            if (it->fontSize > 0) {
                ui::Font f = c.font();
                f.pixelSize = it->fontSize;
                c.setFont(f);
            }
        }
        if (c.kind() == ui::Kind::Image)
            setButtonPicture(app, static_cast<ui::Image &>(c));
    }
}

} // namespace frame
