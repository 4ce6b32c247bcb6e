/** @file track_model.cpp Builds the track view's five tracks at their design places. */
#include "trackview/track_model.h"

/** Registers the track view's pictures, which a static library does not do by itself. */
static void initTrackViewArt()
{
    Q_INIT_RESOURCE(trackview_art);
}

namespace {

/** Design data of one row. */
struct RowPlan {
    int number;
    char letter;
    char rightLetter;
    int top;
};
constexpr RowPlan Rows[] = {{7, 'F', 'G', 96}, {5, 'H', 'I', 168}, {3, 'J', 'K', 240}, {1, 'L', 'M', 312},
                            {2, 'N', 'O', 384}};

/** Slot suffixes of slots 1 .. 10. */
constexpr char SlotSuffix[kTrackSlots + 1] = "56789ABCDE";

const QColor LampGreen(0, 255, 0);
const QColor LampRed(255, 0, 0);
const QColor LampWhite(255, 255, 255);
const QColor LampYellow(255, 255, 0);

/** One lamp of a signal picture: its colour and its offset from the row top. */
struct LampPlan {
    QColor colour;
    int offset;
};

ui::Image *picture(ui::Form &f, ui::Control *parent, const QString &name, const QRect &design, const QString &art)
{
    auto *img = f.make<ui::Image>(parent, name);
    img->setBounds(design);
    img->setAutoSize(true);
    img->setTransparent(true);
    if (!art.isEmpty())
        img->setPicture(trackViewPicture(art));
    return img;
}

/** Creates four lamps at x; only the red one is lit (shown) at creation. */
std::array<ui::Shape *, 4> lamps(ui::Form &f, ui::Control *parent, const QString &stem, const char *suffixes,
                                 int x, int top, const std::array<LampPlan, 4> &plan, ui::ShapeType shape,
                                 QSize size)
{
    std::array<ui::Shape *, 4> out{};
    for (int i = 0; i < 4; ++i) {
        auto *s = f.make<ui::Shape>(parent, stem + QChar(suffixes[i]));
        s->setShape(shape);
        s->setBounds(x, top + plan[i].offset, size.width(), size.height());
        s->setBrushColor(plan[i].colour);
        s->setPenColor(plan[i].colour.darker(150));
        s->setVisible(plan[i].colour == LampRed);
        out[i] = s;
    }
    return out;
}

ui::Shape *bar(ui::Form &f, ui::Control *parent, const QString &name, int top, int height, const QColor &c)
{
    auto *s = f.make<ui::Shape>(parent, name);
    s->setBounds(4, top, 737, height);
    s->setBrushColor(c);
    s->setPenColor(c);
    return s;
}

ui::Timer *shuntTimer(ui::Form &f, const QString &name)
{
    auto *t = f.make<ui::Timer>(nullptr, name);
    t->setEnabledFlag(false);
    t->setInterval(50);
    return t;
}

ui::Edit *edit(ui::Form &f, ui::Control *parent, const QString &name, const QString &text, int y)
{
    auto *e = f.make<ui::Edit>(parent, name);
    e->setBounds(8, y, 60, 21);
    e->setText(text);
    e->setColor(Qt::white);
    return e;
}

ui::SpinEdit *spin(ui::Form &f, ui::Control *parent, const QString &name, int y)
{
    auto *e = f.make<ui::SpinEdit>(parent, name);
    e->setBounds(72, y, 50, 21);
    e->setColor(Qt::white);
    return e;
}

/** One platform piece: its top, height and colours (the pen draws its outline). */
struct PlatformPlan {
    int top;
    int height;
    QColor brush;
    QColor pen;
};

const QColor Surface(184, 184, 176);
const QColor Coping(236, 236, 228);
const QColor Shadow(140, 140, 132);
const QColor SafetyLine(250, 250, 250);
const QColor Face(120, 116, 108);

/*
 * The platforms in kPlatformNames order. The island between tracks 5 and 3
 * runs from under track 5's bar (238) to track 3's rail (304): the Peron5
 * pieces are its half along track 5 (surface, coping, its shadow, the
 * safety line), the Peron3 pieces its half along track 3 (surface, safety
 * line, coping, the wall that faces track 3). The island between tracks 1
 * and 2 (382 .. 448) is built alike, with only surface and wall on track
 * 2's side; the house platform lies between the station building and
 * track 7. The trains of the lower track stand in front of their island.
 */
const PlatformPlan Platforms[15] = {
    {382, 33, Surface, Surface},       // Peron1a: the island's half along track 1
    {382, 2, Coping, Coping},          // Peron1b
    {384, 1, Shadow, Shadow},          // Peron1c
    {388, 1, SafetyLine, SafetyLine},  // Peron1d
    {415, 27, Surface, Surface},       // Peron2a: its half along track 2
    {442, 6, Face, Coping},            // Peron2b: the wall facing track 2, coped
    {271, 27, Surface, Surface},       // Peron3a: the island's half along track 3
    {293, 1, SafetyLine, SafetyLine},  // Peron3b
    {298, 1, Coping, Coping},          // Peron3c
    {299, 5, Face, Face},              // Peron3d: the wall facing track 3
    {238, 33, Surface, Surface},       // Peron5a: its half along track 5
    {238, 2, Coping, Coping},          // Peron5b
    {240, 1, Shadow, Shadow},          // Peron5c
    {244, 1, SafetyLine, SafetyLine},  // Peron5d
    {118, 42, Surface, Coping}};       // Peron7a: the house platform

/** The platforms' Left and Width at design; the frame widens them with the view. */
constexpr int PlatformLeft = 50;
constexpr int PlatformWidth = 646;

/** Creates the fifteen platform pieces in the content group, behind everything built after them. */
void buildPlatforms(ui::Form &f, ui::Control *d5, TrackViewModel &model)
{
    static_assert(std::size(Platforms) == kPlatformNames.size());
    for (size_t k = 0; k < kPlatformNames.size(); ++k) {
        const PlatformPlan &plan = Platforms[k];
        auto *s = f.make<ui::Shape>(d5, QString::fromLatin1(kPlatformNames[k]));
        s->setBounds(PlatformLeft, plan.top, PlatformWidth, plan.height);
        s->setBrushColor(plan.brush);
        s->setPenColor(plan.pen);
        model.platforms[k] = s;
    }
}

void buildRow(ui::Form &f, ui::Control *d5, const RowPlan &plan, TrackRow &row)
{
    const QString n = QString::number(plan.number);
    const QString l(QChar::fromLatin1(plan.letter));
    const QString r(QChar::fromLatin1(plan.rightLetter));
    row.number = plan.number;
    row.letter = QChar::fromLatin1(plan.letter);
    row.rightLetter = QChar::fromLatin1(plan.rightLetter);
    row.top = plan.top;

    row.rail = bar(f, d5, "Kolejnice" + n, plan.top + 64, 2, QColor(192, 192, 192));
    row.bar = bar(f, d5, "Kolej" + n, plan.top + 65, 5, QColor(128, 0, 0));

    row.leftSignal = picture(f, d5, l + "0", QRect(8, plan.top, 25, 64), "NavestidloL");
    row.leftLamps = lamps(f, d5, l, "1234", 25, plan.top,
                          {{{LampGreen, 4}, {LampRed, 11}, {LampWhite, 22}, {LampYellow, 29}}},
                          ui::ShapeType::Circle, QSize(4, 4));
    if (plan.number == 1) {
        row.rightSignal = picture(f, d5, r + "A", QRect(705, plan.top, 25, 64), "NavestidloLc");
        row.rightLamps = lamps(f, d5, r, "BCDE", 710, plan.top,
                               {{{LampYellow, 4}, {LampGreen, 11}, {LampRed, 22}, {LampWhite, 29}}},
                               ui::ShapeType::Circle, QSize(4, 4));
    } else if (plan.number == 2) {
        row.rightSignal = picture(f, d5, r + "A", QRect(705, plan.top, 25, 64), "NavestidloLc");
        row.rightLamps = lamps(f, d5, r, "BCDE", 710, plan.top,
                               {{{LampGreen, 4}, {LampWhite, 11}, {LampRed, 22}, {LampYellow, 29}}},
                               ui::ShapeType::Circle, QSize(4, 4));
    } else {
        row.rightSignal = picture(f, d5, r + "A", QRect(705, plan.top, 13, 64), "NavestidloP");
        row.rightLamps = lamps(f, d5, r, "BCDE", 708, plan.top,
                               {{{LampGreen, 3}, {LampRed, 11}, {LampWhite, 19}, {LampYellow, 27}}},
                               ui::ShapeType::Ellipse, QSize(4, 5));
    }

    for (int k = 0; k < kTrackSlots; ++k)
        row.vehicleSlots[k] = picture(f, d5, l + QChar::fromLatin1(SlotSuffix[k]), QRect(288 + 8 * k, plan.top, 9, 64), {});

    row.stop = picture(f, d5, "Stop" + n, QRect(560, plan.top + 56, 17, 21), "Stop");
    row.stop->setVisible(false);
    row.target = picture(f, d5, "Cil" + n, QRect(656, plan.top + 56, 23, 21), "CilDefault");
    row.target->setVisible(false);
}

} // namespace

TrackRow *TrackViewModel::track(int n)
{
    for (TrackRow &row : rows)
        if (row.number == n)
            return &row;
    return nullptr;
}

void emptySlots(TrackRow &row, const ui::Image &empty)
{
    for (ui::Image *s : row.vehicleSlots)
        s->assignPicture(empty);
}

QImage trackViewPicture(const QString &name)
{
    static const bool registered = (initTrackViewArt(), true);
    (void)registered;
    return QImage(QStringLiteral(":/trackview/%1.bmp").arg(name));
}

void buildTrackModel(ui::Form &a5, ui::Control *d5, TrackViewModel &model)
{
    model.overview = picture(a5, d5, "Prehled", QRect(0, 0, 746, 559), "Prehled");
    buildPlatforms(a5, d5, model);
    /* The throats fill the ends beyond the platforms, where the signals stand; with the
       signals moved out the platforms reach under them. */
    model.throatLeft = picture(a5, d5, "ZhlaviL", QRect(0, 0, 50, 559), "ZhlaviL");
    model.throatRight = picture(a5, d5, "ZhlaviP", QRect(746 - 50, 0, 50, 559), "ZhlaviP");
    for (int i = 0; i < 5; ++i)
        buildRow(a5, d5, Rows[i], model.rows[i]);

    model.drives = a5.make<ui::GroupBox>(nullptr, QStringLiteral("HnaciVozidla"));
    model.drives->setCaption(QStringLiteral("Hnací vozidla"));
    model.drives->setBounds(760, 100, 200, 260);
    model.drives->setVisible(false);
    model.info = a5.make<ui::GroupBox>(nullptr, QStringLiteral("GroupBox2"));
    model.info->setCaption(QStringLiteral("Info"));
    model.info->setBounds(760, 380, 200, 260);
    model.info->setVisible(false);

    int y = 16;
    for (TrackRow &row : model.rows) {
        const QString n = QString::number(row.number);
        row.posun = edit(a5, model.drives, "Posun" + n, "0", y);
        row.speed = spin(a5, model.drives, "Rychlost" + n, y);
        row.shuntStage = spin(a5, model.drives, "StavPosun" + n, y + 22);
        row.shuntLeft = shuntTimer(a5, row.number == 3 ? QStringLiteral("Timerposun3L") : "TimerPosun" + n + "L");
        row.shuntRight = shuntTimer(a5, "TimerPosun" + n + "P");
        row.orderLeft = edit(a5, model.info, "Rozkaz" + n + "L", "", y);
        row.orderRight = edit(a5, model.info, "Rozkaz" + n + "P", "", y + 22);
        row.targetStation = edit(a5, model.info, "CilZST" + n, QStringLiteral("Radošov"), y + 44);
        y += 46;
    }
    model.PosunA = edit(a5, model.drives, "PosunA", "0", 200);
    model.PosunB = edit(a5, model.drives, "PosunB", "0", 222);
    model.PosunC = edit(a5, model.drives, "PosunC", "0", 244);

    const char *const boards[] = {"CilDefault", "CilRadosov", "CilKunratov", "CilOstrohy",
                                  "CilSkala",   "CilTuchov",  "CilSedlec",   "CilBystrany"};
    for (int i = 0; i < 8; ++i) {
        model.boards[i] = picture(a5, model.info, boards[i], QRect(130 + 26 * (i % 2), 16 + 24 * (i / 2), 23, 21),
                                  boards[i]);
        model.boards[i]->setVisible(false);
    }
}
