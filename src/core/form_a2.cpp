/** @file form_a2.cpp The timetable window A2: its labels, sixteen rows of cells and the rows' vehicle pictures. */
#include "core/form_a2.h"

#include "core/stock_vehicles.h"

#include <algorithm>

namespace {

const QColor kNavy{0, 0, 128};      ///< The window's background.
const QColor kSilver{192, 192, 192}; ///< Background of the "Vlaky" group.

constexpr int kClientWidth = 665;   ///< Width of the window's client area.
constexpr int kRowsBottom = 384;    ///< Where the rows end and the "Vlaky" group begins.
constexpr int kCellHeight = 19;     ///< Height of every cell.
constexpr int kRowPitch = 18;       ///< Rows of one group lie this far apart.
constexpr int kGroupWidth = 689;    ///< The "Vlaky" group, just below the designed client area.
constexpr int kGroupHeight = 593;
constexpr int kOddRowsLeft = 8;     ///< Pictures of odd rows start here, those of even rows at kEvenRowsLeft.
constexpr int kEvenRowsLeft = 360;
constexpr int kPictureStep = 8;     ///< Each picture lies this far right of the one before it.
constexpr int kBandHeight = 72;     ///< Two rows of pictures, an odd and an even one, per band.
constexpr int kFirstBandTop = 16;   ///< Below the group's caption.

/** Top of the first row of each group: A (rows 1-4), B (5-9), C (10-16). */
constexpr int kGroupTop[3] = {43, 136, 247};

/** Number cell of each row, as the window's running sequence of names gives it. */
constexpr const char *kRowFirstCell[kTimetableRows] = {"B3", "C6", "D9", "F2", "G6", "H9", "J2", "K5",
                                                        "L8", "N2", "O5", "P8", "R1", "S4", "T7", "V0"};

/** One visible column of a row: hint, place and width; its heading is a part of B1's text. */
struct Column {
    const char *hint;    ///< Hint shown when the mouse rests on a cell.
    int left;            ///< Left edge of the cells.
    int width;           ///< Width of the cells.
};

/** Columns 1 to 13 in order; the last is the note. */
const Column kColumns[13] = {
    {"Číslo vlaku", 8, 73},
    {"Ze směru", 80, 89},
    {"Odjezd vlaku ze sousední stanice", 168, 41},
    {"Příjezd vlaku", 208, 41},
    {"Jízdní doba ze sousední stanice", 248, 33},
    {"Pravidelná kolej", 280, 17},
    {"Odjezd vlaku", 296, 41},
    {"Příjezd vlaku do sousední stanice", 336, 41},
    {"Jízdní doba do sousední stanice", 376, 25},
    {"Směr", 400, 89},
    {"Délka vlaku", 488, 33},
    {"Hmotnost vlaku", 520, 49},
    {"Poznámka", 568, 89},
};

/** Left edge of the hidden cells: the agreed time, minutes ahead (a) and re-offer countdown (b). */
constexpr int kAgreedTimeLeft = 776;
constexpr int kMinutesAheadLeft = 696;
constexpr int kReofferLeft = 736;
constexpr int kHiddenWidth = 41;

/** @return the font of the cells, black or in another colour. */
ui::Font cellFont(const QColor &color = Qt::black, bool bold = false)
{
    return ui::Font{QStringLiteral("Verdana"), 11, bold, false, color};
}

/** @return the position of a two-character code in the running sequence, B1 being 0. */
int sequenceIndex(const char *code)
{
    return (code[0] - 'A') * 10 + (code[1] - '0') - 11;
}

/** @return the two-character code at a position of the running sequence: 0 gives "B1", 221 gives "W2". */
QString sequenceCode(int index)
{
    const int n = index + 11;
    return QString(QChar('A' + n / 10)) + QChar('0' + n % 10);
}

/** @return the top of row r (1-based). */
int rowTop(int r)
{
    if (r <= 4)
        return kGroupTop[0] + (r - 1) * kRowPitch;
    if (r <= 9)
        return kGroupTop[1] + (r - 5) * kRowPitch;
    return kGroupTop[2] + (r - 10) * kRowPitch;
}

/** @return a group label: white bold text on the window's navy. */
ui::Label *groupLabel(TA2 &form, const QString &name, const QString &caption, int top)
{
    auto *label = form.make<ui::Label>(nullptr, name);
    label->setCaption(caption);
    label->setBounds(8, top, 420, 16);
    label->setColor(kNavy);
    label->setFont(cellFont(Qt::white, true));
    return label;
}

} // namespace

RowRange rowsOfGroup(core::TrainGroup group)
{
    switch (group) {
    case core::TrainGroup::Fast: return {1, 4};
    case core::TrainGroup::Passenger: return {5, 9};
    case core::TrainGroup::Freight: break;
    }
    return {10, 16};
}

QString timetableCellName(int r, int column)
{
    return sequenceCode(sequenceIndex(kRowFirstCell[r - 1]) + column);
}

void TimetableRow::clearInbound()
{
    neighbourDeparture->setColor(progress::White);
    comesFrom->setText(QString());
    neighbourDeparture->setText(QString());
    arrival->setText(QString());
    runningTimeFrom->setText(QString());
    if (!leavesFor->text().isEmpty())
        return;
    /* The train ends here: the row is freed, its number last. */
    track->setText(QString());
    agreedTime->setText(QString());
    note->setText(QString());
    trainNumber->setColor(progress::White);
    trainNumber->setText(QString());
}

void TimetableRow::clearOutbound(bool withNote)
{
    departure->setColor(progress::White);
    for (ui::Edit *cell : {track, departure, neighbourArrival, runningTimeTo, leavesFor, length, mass, agreedTime})
        cell->setText(QString());
    if (withNote)
        note->setText(QString());
    if (!comesFrom->text().isEmpty())
        return;
    /* The train started here: the row is freed, its number last. */
    trainNumber->setColor(progress::White);
    trainNumber->setText(QString());
}

TA2::TA2(platform::Platform &platform) : ui::Form(QStringLiteral("A2"), platform)
{
    setCaption(QStringLiteral("Jízdní řád"));
    setBounds(0, 0, kClientWidth, kRowsBottom - 1);
    setColor(kNavy);
    setFont(cellFont());
    setBorderStyle(ui::BorderStyle::ToolWindow);
    setCloseButtonOnly(true);
    setCentered(true);
    buildLabels();
    for (int r = 1; r <= kTimetableRows; ++r)
        buildRow(r);
    GroupBox1 = make<ui::GroupBox>(nullptr, QStringLiteral("GroupBox1"));
    GroupBox1->setCaption(QStringLiteral("Vlaky"));
    GroupBox1->setColor(kSilver);
    GroupBox1->setFont(cellFont(Qt::black, true));
    GroupBox1->setBounds(0, kRowsBottom, kGroupWidth, kGroupHeight);
    for (int r = 1; r <= kTimetableRows; ++r)
        buildVehicleStrip(r);
}

void TA2::buildLabels()
{
    B1 = make<ui::Label>(nullptr, QStringLiteral("B1"));
    B1->setCaption(QStringLiteral("  Číslo           Ze směru      Odj.s.  Příj.   J.d.  K.  Odj.  Příj.s. J.d. "
                                  "Směr             Dél.  Hmot.  Poznámka        "));
    B1->setBounds(0, 8, 672, 16);
    B1->setTransparent(true);
    /* The column headings, lined up by spaces over the cells, bold and underlined. */
    ui::Font headings = cellFont(Qt::white, true);
    headings.underline = true;
    B1->setFont(headings);
    B2 = groupLabel(*this, QStringLiteral("B2"), QStringLiteral("A - Rychlíky a spěšné vlaky"), 26);
    G5 = groupLabel(*this, QStringLiteral("G5"), QStringLiteral("B - Osobní vlaky"), 119);
    N1 = groupLabel(*this, QStringLiteral("N1"), QStringLiteral("C - Nákladní vlaky"), 230);
}

void TA2::buildRow(int r)
{
    TimetableRow &row = m_rows.at(r - 1);
    row.row = r;
    const int top = rowTop(r);
    auto cell = [&](const QString &name, int left, int width, const QString &hint) {
        auto *e = make<ui::Edit>(nullptr, name);
        e->setBounds(left, top, width, kCellHeight);
        e->setColor(progress::White);
        e->setFont(cellFont());
        e->setHint(hint);
        e->setReadOnly(true);
        e->setFrame(ui::Frame::Flat);
        return e;
    };
    ui::Edit **visible[12] = {&row.trainNumber, &row.comesFrom, &row.neighbourDeparture, &row.arrival,
                              &row.runningTimeFrom, &row.track, &row.departure, &row.neighbourArrival,
                              &row.runningTimeTo, &row.leavesFor, &row.length, &row.mass};
    for (int c = 0; c < 12; ++c) {
        const Column &col = kColumns[c];
        *visible[c] = cell(timetableCellName(r, c), col.left, col.width, QString::fromUtf8(col.hint));
    }
    const QString noteHint = QString::fromUtf8(kColumns[12].hint);
    const QString agreed = timetableCellName(r, 12);
    row.agreedTime = cell(agreed, kAgreedTimeLeft, kHiddenWidth, noteHint);
    row.minutesAhead = cell(agreed + 'a', kMinutesAheadLeft, kHiddenWidth, noteHint);
    row.reofferCountdown = cell(agreed + 'b', kReofferLeft, kHiddenWidth, noteHint);
    for (ui::Edit *hidden : {row.agreedTime, row.minutesAhead, row.reofferCountdown})
        hidden->hide();
    /* Only program code writes the two counters. */
    row.minutesAhead->setReadOnly(false);
    row.reofferCountdown->setReadOnly(false);
    row.note = cell(QStringLiteral("Poznamka%1").arg(r, 2, 10, QLatin1Char('0')), kColumns[12].left,
                    kColumns[12].width, noteHint);
}

void TA2::buildVehicleStrip(int r)
{
    TimetableRow &row = m_rows.at(r - 1);
    const int left = (r % 2 == 1 ? kOddRowsLeft : kEvenRowsLeft);
    const int top = kFirstBandTop + (r - 1) / 2 * kBandHeight;
    for (int v = 0; v < kRowVehicles; ++v) {
        auto *img = make<ui::Image>(GroupBox1, QStringLiteral("Vlak%1%2").arg(r).arg(QChar('a' + v)));
        img->setBounds(left + v * kPictureStep, top, 0, 0);
        img->setAutoSize(true);
        row.vehicles[v] = img;
    }
    /* Drawn once; every row shares the pictures until a train of its own replaces them. Pictures d to j are empty. */
    static const QImage locomotive = stockLocomotive();
    static const QImage coach = stockCoach();
    setVehicles(r, {locomotive, coach, coach, QImage(), QImage(), QImage(), QImage(), QImage(), QImage(), QImage()});
}

void TA2::setVehicles(int r, const std::array<QImage, kRowVehicles> &pictures)
{
    TimetableRow &row = m_rows.at(r - 1);
    for (int v = 0; v < kRowVehicles; ++v) {
        ui::Image *img = row.vehicles[v];
        img->setPicture(pictures[v]);
        /* Each picture sizes itself to its content; an empty one takes no room. */
        if (pictures[v].isNull())
            img->setBounds(img->left(), img->top(), 0, 0);
    }
}
