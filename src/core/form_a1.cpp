/** @file form_a1.cpp The cells of the state store A1 with their initial values, on the pages of the diagnostics face. */
#include "core/form_a1.h"

#include "core/cell_builder.h"

#include <span>

/* A member and its cell name, spelled once so that the two cannot differ. */
#define A1_CELL(member) &TA1::member, #member

namespace {

const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Lime(0, 255, 0);
const QColor Yellow(255, 255, 0);
const QColor Grey(192, 192, 192);

/** Creates a group box; its place and size come later. */
ui::GroupBox *group(ui::Form &f, ui::Control *parent, const QString &name, const QString &caption)
{
    auto *g = f.make<ui::GroupBox>(parent, name);
    g->setCaption(caption);
    return g;
}

/** Creates an unframed panel for cells that belong to no group. */
ui::Panel *bare(ui::Form &f, ui::Control *parent)
{
    return f.make<ui::Panel>(parent, QString());
}

/** Creates a page of a page control, hidden until it is picked. */
ui::TabSheet *page(ui::Form &f, ui::PageControl *pc, const QString &name, const QString &caption, bool tab)
{
    auto *p = f.make<ui::TabSheet>(pc, name);
    p->setCaption(caption);
    p->setTabVisible(tab);
    p->setBounds(0, 24, pc->width(), pc->height() - 24);
    p->setVisible(false);
    return p;
}

/** Creates a timer in its initial state. */
ui::Timer *timer(ui::Form &f, ui::Control *parent, const QString &name, bool enabled, int interval)
{
    auto *t = f.make<ui::Timer>(parent, name);
    t->setEnabledFlag(enabled);
    t->setInterval(interval);
    return t;
}

/** A number cell: its member and name, initial value and bounds (both 0: unbounded). */
struct NumberRow {
    ui::SpinEdit *TA1::*cell;
    const char *name;
    int value;
    int lo;
    int hi;
};

/** Creates a group of number cells. */
ui::GroupBox *numberGroup(TA1 &a1, ui::Control *page, const QString &caption, CellLayout layout,
                          std::span<const NumberRow> rows)
{
    ui::GroupBox *g = group(a1, page, QString(), caption);
    CellBuilder b(a1, g, layout);
    for (const NumberRow &r : rows)
        a1.*r.cell = b.number(r.name, r.value, r.lo, r.hi);
    b.finish();
    return g;
}

/** Who shows a block field; its colour in the diagnostics face tells it and carries no state. */
enum class FieldOwner { Desk, Box, Neighbour };

/** A block field: member and name, upper bound (5, or 6 where a latch is released) and owner. */
struct FieldRow {
    ui::SpinEdit *TA1::*cell;
    const char *name;
    int hi;
    FieldOwner owner;
};

using enum FieldOwner;

/** The block fields in three columns: line A; line B and Vrbská's panel; line C. */
const FieldRow BlockFields[3][12] = {
    {{A1_CELL(HrBOd), 5, Box},       {A1_CELL(NavBOd), 5, Desk},     {A1_CELL(ZavB), 5, Desk},
     {A1_CELL(NavBDo), 5, Desk},     {A1_CELL(HrBDo), 5, Box},       {A1_CELL(ZavBSt), 5, Box},
     {A1_CELL(NavBOdSt), 6, Box},    {A1_CELL(NavBDoSt), 6, Box},    {A1_CELL(SouLc1), 5, Desk},
     {A1_CELL(SouLc1St), 5, Box}},
    {{A1_CELL(HrMOd), 5, Box},       {A1_CELL(NavMOd), 5, Desk},     {A1_CELL(ZavM), 5, Desk},
     {A1_CELL(NavMDo), 5, Desk},     {A1_CELL(HrMDo), 5, Box},       {A1_CELL(ZavMSt), 5, Box},
     {A1_CELL(NavMOdSt), 6, Box},    {A1_CELL(NavMDoSt), 6, Box},    {A1_CELL(NavJOd), 6, Neighbour},
     {A1_CELL(TSJ), 6, Neighbour},   {A1_CELL(PHJDo), 5, Neighbour}},
    {{A1_CELL(PHCHDo), 5, Desk},     {A1_CELL(HrCHDo), 5, Box},      {A1_CELL(NavCHDo), 5, Desk},
     {A1_CELL(ZavCH), 5, Desk},      {A1_CELL(NavCHOd), 5, Desk},    {A1_CELL(HrCHOd), 5, Box},
     {A1_CELL(PHCHOd), 6, Desk},     {A1_CELL(TSCH), 6, Desk},       {A1_CELL(TSCH2), 6, Desk},
     {A1_CELL(ZavCHSt), 5, Box},     {A1_CELL(NavCHDoSt), 6, Box},   {A1_CELL(NavCHOdSt), 6, Box}},
};

const NumberRow Levers[] = {
    {A1_CELL(Paka1), 0, 0, 100}, {A1_CELL(Paka2), 0, 0, 100},   {A1_CELL(Paka3), 0, 0, 100},
    {A1_CELL(Paka4), 0, 0, 100}, {A1_CELL(Paka5), 0, 0, 100},   {A1_CELL(Paka6), 0, 0, 100},
    {A1_CELL(Paka7), 0, 0, 100}, {A1_CELL(Paka8), 0, 0, 100},   {A1_CELL(Paka9), 0, 0, 100},
    {A1_CELL(Paka10), 0, 0, 100}, {A1_CELL(Paka11), 0, 0, 100},
};
const NumberRow TrackKnobs[] = {{A1_CELL(KnoflikA), 3, 0, 0}, {A1_CELL(KnoflikB), 3, 0, 0},
                                {A1_CELL(KnoflikC), 3, 0, 0}};
const NumberRow Box1Knobs[] = {
    {A1_CELL(NavB), 20, 0, 0},       {A1_CELL(NavM), 20, 0, 0},       {A1_CELL(Se11), 20, 0, 0},
    {A1_CELL(Se12), 20, 0, 0},       {A1_CELL(Se13), 20, 0, 0},       {A1_CELL(Zavernik11), 20, 0, 0},
    {A1_CELL(Zavernik12), 20, 0, 0}, {A1_CELL(Zavernik13), 20, 0, 0}, {A1_CELL(Zavernik14), 20, 0, 0},
    {A1_CELL(Zavernik15), 20, 0, 0}, {A1_CELL(Zavernik16), 20, 0, 0},
};
const NumberRow Box2Knobs[] = {
    {A1_CELL(NavCH), 20, 0, 0},      {A1_CELL(Se21), 20, 0, 0},       {A1_CELL(Se22), 20, 0, 0},
    {A1_CELL(Se23), 20, 0, 0},       {A1_CELL(Zavernik21), 20, 0, 0}, {A1_CELL(Zavernik22), 20, 0, 0},
    {A1_CELL(Zavernik23), 20, 0, 0}, {A1_CELL(Zavernik24), 20, 0, 0}, {A1_CELL(Radic1), 20, 0, 0},
    {A1_CELL(Radic2), 20, 0, 0},     {A1_CELL(Radic3), 20, 0, 0},     {A1_CELL(Radic4), 20, 0, 0},
};
const NumberRow DeskLocks[] = {{A1_CELL(ZavernikA), 20, 0, 0}, {A1_CELL(ZavernikB), 20, 0, 0},
                               {A1_CELL(ZavernikC), 20, 0, 0}, {A1_CELL(ZavernikD), 20, 0, 0},
                               {A1_CELL(ZavernikE), 20, 0, 0}};
const NumberRow Points[] = {{A1_CELL(Vymena9), 10, -10, 10},  {A1_CELL(Vymena10), 10, -10, 10},
                            {A1_CELL(Vymena11), 10, -10, 10}, {A1_CELL(Vymena12), 10, -10, 10},
                            {A1_CELL(Vymena13), 10, -10, 10}};
const NumberRow Faults[] = {{A1_CELL(PoruchaDalsi), 1000, 0, 0}, {A1_CELL(PoruchaCislo), 0, 0, 0},
                            {A1_CELL(PoruchaKonec), 0, 0, 0}};

/** The cells of one name for lines A, B and C. */
template <class T> using Trio = std::array<T *TA1::*, 3>;

/** @return a line's cell name from its pattern: X stands for the line, "TratX" gives "TratB". */
QString lineCell(const char *pattern, int line)
{
    return QString::fromLatin1(pattern).replace('X', QChar('A' + line));
}

/** Adds a table row with the cells of one pattern for the three lines; make(name, line) creates each. */
template <class T, class Make>
void lineRow(CellBuilder &b, TA1 &a1, const char *pattern, const Trio<T> &cells, Make make)
{
    b.row(QString::fromLatin1(pattern));
    for (int i = 0; i < 3; ++i)
        a1.*cells[i] = make(lineCell(pattern, i), i);
}

/** A signal: its name label, aspect word and aspect list. */
struct SignalCells {
    ui::Label *TA1::*label;
    const char *labelName;
    ui::Edit *TA1::*word;
    const char *wordName;
    ui::ListBox *TA1::*list;
    const char *listName;
};

const SignalCells Signals[14] = {
    {A1_CELL(C02), A1_CELL(C03), A1_CELL(C04)}, {A1_CELL(C05), A1_CELL(C06), A1_CELL(C07)},
    {A1_CELL(C08), A1_CELL(C09), A1_CELL(C10)}, {A1_CELL(C15), A1_CELL(C16), A1_CELL(C17)},
    {A1_CELL(C18), A1_CELL(C19), A1_CELL(C20)}, {A1_CELL(C21), A1_CELL(C22), A1_CELL(C23)},
    {A1_CELL(C24), A1_CELL(C25), A1_CELL(C26)}, {A1_CELL(C27), A1_CELL(C28), A1_CELL(C29)},
    {A1_CELL(C30), A1_CELL(C31), A1_CELL(C32)}, {A1_CELL(C33), A1_CELL(C34), A1_CELL(C35)},
    {A1_CELL(C36), A1_CELL(C37), A1_CELL(C38)}, {A1_CELL(C39), A1_CELL(C40), A1_CELL(C41)},
    {A1_CELL(C42), A1_CELL(C43), A1_CELL(C44)}, {A1_CELL(C45), A1_CELL(C46), A1_CELL(C47)},
};

const QStringList EntryAspects = {"Stůj", "Volno", "Výstraha", "40 a volno", "40 a výstraha", "40 a 40", "PN",
                                  "Porucha"};
const QStringList Lc1Aspects = {"Stůj", "Volno", "Opak.výstrahy", "Posun dovolen", "PN", "Porucha"};
const QStringList ExitAspects = {"Stůj", "Volno", "40 a volno", "Posun dovolen", "PN", "Porucha"};

/** A narrow face, so that the longest aspect fits its column. */
const ui::Font AspectFont{"Arial Narrow", 11, false, false, Qt::black};

/** Geometry of the signal group: seven signals a row, each a column of name, word and list. */
constexpr int SignalWidth = 70;
constexpr int SignalHeight = 174;
constexpr int ListHeight = 132;

/** A sound player, in the order the game start opens them. */
struct PlayerRow {
    ui::MediaPlayer *TA1::*cell;
    const char *name;
};

const PlayerRow Players[22] = {
    {A1_CELL(SndTelefon)},     {A1_CELL(SndInduktorOn)},  {A1_CELL(SndInduktorOff)}, {A1_CELL(SndKlika)},
    {A1_CELL(SndPakaOn)},      {A1_CELL(SndPakaOff)},     {A1_CELL(SndZvonekOn)},    {A1_CELL(SndZvonekOff)},
    {A1_CELL(SndDestickaDK)},  {A1_CELL(SndDestickaSt1)}, {A1_CELL(SndDestickaSt2)}, {A1_CELL(SndDestickaCH)},
    {A1_CELL(SndDestickaOn)},  {A1_CELL(SndDestickaOff)}, {A1_CELL(SndIK)},          {A1_CELL(SndID)},
    {A1_CELL(SndZavernik)},    {A1_CELL(SndZaverDK)},     {A1_CELL(SndZaverSt1)},    {A1_CELL(SndZaverSt2)},
    {A1_CELL(SndZaverCH)},     {A1_CELL(SndZarazka)},
};

/** A group of consecutive players; newColumn starts it at the top of the next column. */
struct PlayerGroup {
    const char *caption;
    int first;
    int count;
    bool newColumn;
};

const PlayerGroup PlayerGroups[] = {
    {"Telefon", 0, 1, false},          {"Induktor", 1, 3, false},
    {"Tlač. hradlových závěrů", 4, 2, false}, {"Tlač. hradlových zvonků", 6, 2, false},
    {"Destičky hradlových zvonků", 8, 6, true}, {"Uvolnění IK", 14, 1, false},
    {"Zvonek ID", 15, 1, false},        {"Závěrník", 16, 1, false},
    {"Hradlové závěry", 17, 5, true},
};

/** An indication-bell flag: member and name, group and caption. */
struct BellRow {
    ui::CheckBox *TA1::*cell;
    const char *name;
    const char *group;
    const char *caption;
};

const BellRow Bells[] = {
    {A1_CELL(ZvonekTSM), "ID-DK", "TS - Struhy"},
    {A1_CELL(ZvonekIKLada), "ID-DK", "IK Lada"},
    {A1_CELL(ZvonekPorIsSt), "ID-DK", "Porucha Is.Stavů"},
    {A1_CELL(ZvonekRozrezu1), "ID-St.1", "Zvonek rozřezu"},
    {A1_CELL(ZvonekRozrezu2), "ID-St2", "Zvonek rozřezu"},
    {A1_CELL(ZvonekNNP), "ID-St2", "Nouz.nap.přestav."},
    {A1_CELL(ZvonekONP), "ID-St2", "Obnov.nap.přestav."},
};

/** An option of the group "Možnosti". */
struct OptionRow {
    ui::CheckBox *TA1::*cell;
    const char *name;
    const char *caption;
    bool checked;
};

const OptionRow Options[] = {
    {A1_CELL(NCK), "Opravovat chyby pomocí programového kódu", true},
    {A1_CELL(NCD), "Zobrazovat chybová hlášení", true},
    {A1_CELL(KodMavex), "Nefunkční počítadla", false},
    {A1_CELL(Kod4kolej), "Vlakové cesty s/na 4.koleje", false},
    {A1_CELL(Kod2kolej), "Vlakové cesty Struhy / 2.kolej", false},
    {A1_CELL(KodKrizeni), "Křížení vlakových cest na St.1", false},
    {A1_CELL(KodPoloautoblok), "Poloautoblok do Dubce/Horního Lomu", false},
    {A1_CELL(KodSt1), "Automatický signalista 1", true},
    {A1_CELL(KodSt2), "Automatický signalista 2", true},
    {A1_CELL(KodZapadky), "Nezávislost na náhr.západkách", false},
    {A1_CELL(KodRychTel), "Zpomalit při telefonování", true},
    {A1_CELL(NakladniVlaky), "Nákladní vlaky", true},
};

} // namespace

const std::array<QString, 14> TA1::SignalNames = {"L",  "ML", "S",  "L1a", "Lc1", "Lc2", "L3",
                                                  "L5", "L7", "S1", "S2",  "S3",  "S5",  "S7"};

int TA1::signalIndex(const QString &name)
{
    for (int i = 0; i < 14; ++i)
        if (SignalNames[i] == name)
            return i;
    return -1;
}

int TA1::chBlokTopAt(int position) const
{
    return -(CHBlok->height() - Panel1->height()) * position / 100;
}

TA1::TA1(platform::Platform &platform) : ui::Form(QStringLiteral("A1"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná - Diagnostika"));
    /* The diagnostics face has a client area of 632 x 446; the form's size
       counts its single-line frame and caption bar round it, and without a
       frame the neighbour face covers the whole of it. */
    setBounds(0, 0, 632 + 6, 446 + 31);
    setBorderStyle(ui::BorderStyle::Single);
    setCloseButtonOnly(true);
    setCentered(true);

    buildNeighbourFace();

    B00 = make<ui::PageControl>(nullptr, QStringLiteral("B00"));
    B00->setBounds(0, 0, 632, 446);
    B0 = page(*this, B00, "B0", "Ukládání a načítání", false);
    C00 = page(*this, B00, "C00", "Návěstidla", true);
    ZabZar = page(*this, B00, "ZabZar", "Zabezpečovací zařízení", true);
    Prvky = page(*this, B00, "Prvky", "Simulace", true);
    TabNastaveni = page(*this, B00, "TabNastaveni", "Nastavení", false);
    Snd00 = page(*this, B00, "Snd00", "Zvuky", true);
    B00->setActivePage(C00);

    Hodiny = timer(*this, nullptr, "Hodiny", true, 1000);

    buildStoragePage();
    buildSignalsPage();
    buildDevicesPage();
    buildSimulationPage();
    buildOptionsPage();
    buildSoundsPage();
    buildDeviceTimers();
}

void TA1::buildStoragePage()
{
    GroupStack stack;
    ui::GroupBox *g = group(*this, B0, "GroupGrafikon", "Grafikon");
    {
        CellBuilder b(*this, g, {400, 17, 80});
        GrafikonDir = b.word("GrafikonDir", "");
        Grafikon = b.memo("Grafikon", {}, 16);
        b.finish();
    }
    stack.add(g);
    stack.nextColumn();
    for (auto [memo, name, caption] : {std::tuple{&Memo1, "Memo1", "Simulace"}, std::tuple{&Memo2, "Memo2", "Nastavení"}}) {
        ui::GroupBox *m = group(*this, B0, QString(), caption);
        CellBuilder b(*this, m, {190, 8, 50});
        *memo = b.memo(name, {}, 7);
        b.finish();
        stack.add(m);
    }
}

void TA1::buildSignalsPage()
{
    GroupStack stack;
    stack.add(buildSignalGroup());
    stack.add(buildRepeaterFaults());
    stack.nextColumn();
    stack.add(buildSignalDisplay());
}

ui::GroupBox *TA1::buildSignalGroup()
{
    ui::GroupBox *g = group(*this, C00, "GroupNavestidla", "Stav návěstidel");
    for (int i = 0; i < 14; ++i) {
        const SignalCells &s = Signals[i];
        const int x = 6 + (i % 7) * SignalWidth;
        const int y = 16 + (i / 7) * SignalHeight;
        auto *label = make<ui::Label>(g, s.labelName);
        label->setCaption(SignalNames[i]);
        label->setTransparent(true);
        label->setFont(ui::Font{"Arial", 11, true, false, Qt::black});
        label->setBounds(x, y + 2, SignalWidth - 4, 16);
        auto *word = make<ui::Edit>(g, s.wordName);
        word->setFont(AspectFont);
        word->setReadOnly(true);
        word->setBounds(x, y + 18, SignalWidth - 2, 18);
        auto *list = make<ui::ListBox>(g, s.listName);
        list->setFont(AspectFont);
        list->setItems(i < 3 ? EntryAspects : i == 4 ? Lc1Aspects : ExitAspects);
        list->setColor(Red);
        list->setBounds(x, y + 38, SignalWidth - 2, ListHeight);
        this->*s.label = label;
        this->*s.word = Aspect[i] = word;
        this->*s.list = AspectList[i] = list;
    }
    g->setBounds(0, 0, 12 + 7 * SignalWidth, 16 + 2 * SignalHeight + 4);
    return g;
}

ui::GroupBox *TA1::buildSignalDisplay()
{
    /* The mast, 89 x 313, with its five 41 x 41 lamps 56 px apart, top to top, centred on it. */
    constexpr QRect mast(14, 56, 89, 313);
    constexpr int lampSize = 41, lampPitch = 56;
    constexpr int firstLamp = mast.top() + (mast.height() - 4 * lampPitch - lampSize) / 2;
    C48 = group(*this, C00, "C48", "Zobrazení návěstidla");
    C48->setBounds(0, 0, 118, mast.bottom() + 36);
    auto *caption = make<ui::Label>(C48, QString());
    caption->setCaption(QStringLiteral("Návěstidlo"));
    caption->setTransparent(true);
    caption->setBounds(6, 16, 106, 16);
    C49 = make<ui::ComboBox>(C48, "C49");
    C49->setItems({"L", "L1a", "L3", "L5", "L7", "Lc1", "Lc2", "ML", "S", "S1", "S2", "S3", "S5", "S7"});
    C49->setText(QStringLiteral("(vyber návěstidlo)"));
    C49->setFont(AspectFont);
    C49->setBounds(6, 32, 106, 20);
    C50 = make<ui::Shape>(C48, "C50");
    C50->setShape(ui::ShapeType::RoundRect);
    C50->setBrushColor(Qt::black);
    C50->setBounds(mast);
    ui::Shape *TA1::*lamps[5] = {&TA1::C51, &TA1::C52, &TA1::C53, &TA1::C54, &TA1::C55};
    const QColor colours[5] = {Yellow, Lime, Red, White, Yellow};
    for (int k = 0; k < 5; ++k) {
        auto *lamp = make<ui::Shape>(C48, QStringLiteral("C5%1").arg(k + 1));
        lamp->setShape(ui::ShapeType::Circle);
        lamp->setBrushColor(colours[k]);
        lamp->setBounds(mast.left() + (mast.width() - lampSize) / 2, firstLamp + k * lampPitch, lampSize, lampSize);
        /* All five stay lit until the display is first refreshed. */
        this->*lamps[k] = lamp;
    }
    C60 = make<ui::Button>(C48, "C60");
    C60->setCaption(QStringLiteral("Obnov"));
    C60->setBounds(6, mast.bottom() + 6, 106, 24);
    return C48;
}

ui::Panel *TA1::buildRepeaterFaults()
{
    /* One row under the signals: the faults of the three distant-signal repeaters. */
    auto *p = make<ui::Panel>(C00, QString());
    p->setBevel(true);
    p->setBounds(0, 0, 12 + 7 * SignalWidth, 28);
    C11 = make<ui::Label>(p, "C11");
    C11->setCaption(QStringLiteral("Porucha"));
    C11->setTransparent(true);
    C11->setBounds(6, 6, 60, 16);
    ui::CheckBox *TA1::*boxes[3] = {&TA1::C12, &TA1::C13, &TA1::C14};
    const char *const captions[3] = {"PřL", "PřML", "PřS"};
    for (int k = 0; k < 3; ++k) {
        auto *box = make<ui::CheckBox>(p, QStringLiteral("C1%1").arg(k + 2));
        box->setCaption(QString::fromUtf8(captions[k]));
        box->setBounds(70 + k * 80, 5, 72, 18);
        this->*boxes[k] = box;
    }
    return p;
}

void TA1::buildDevicesPage()
{
    GroupStack stack;
    stack.add(buildBlockFields());
    stack.add(numberGroup(*this, ZabZar, "Stavěcí páky - St.1", {118, 4, 66}, Levers));
    stack.add(numberGroup(*this, ZabZar, "Stav posuvných knoflíků", {118, 1, 66}, TrackKnobs));
    stack.nextColumn();
    stack.add(numberGroup(*this, ZabZar, "Stav kliček - St.1", {118, 6, 70}, Box1Knobs));
    stack.add(numberGroup(*this, ZabZar, "Stav kliček - St.2", {118, 6, 70}, Box2Knobs));
    stack.add(numberGroup(*this, ZabZar, "Stav směrových závěrníků", {118, 3, 70}, DeskLocks));
}

ui::GroupBox *TA1::buildBlockFields()
{
    ui::GroupBox *g = group(*this, ZabZar, "GroupHradla", "Polohy hradlových závěrů");
    CellBuilder b(*this, g, {118, 12, 66});
    for (const auto &column : BlockFields) {
        b.nextColumn();
        for (const FieldRow &f : column) {
            if (!f.cell)
                break;
            ui::SpinEdit *cell = b.number(f.name, 1, 1, f.hi);
            cell->setColor(f.owner == Desk ? White : f.owner == Box ? Grey : Red);
            this->*f.cell = cell;
        }
    }
    b.finish();
    return g;
}

void TA1::buildSimulationPage()
{
    /* The page holds more cells than fit at once: its groups sit on pages of their own. */
    auto *parts = make<ui::PageControl>(Prvky, QString());
    parts->setBounds(0, 0, Prvky->width(), Prvky->height());
    ui::TabSheet *first = page(*this, parts, QString(), "Hodiny a tratě", true);
    buildTimeAndLines(first);
    buildTrainsAndTracks(page(*this, parts, QString(), "Vlaky a stanice", true));
    buildEquipment(page(*this, parts, QString(), "Zařízení", true));
    parts->setActivePage(first);
}

void TA1::buildTimeAndLines(ui::TabSheet *sheet)
{
    GroupStack stack;
    stack.add(buildLines(sheet));
    stack.nextColumn();
    stack.add(buildClock(sheet));
    ui::Panel *loose = bare(*this, sheet);
    CellBuilder b(*this, loose, {212, 3, 62});
    TelOn = b.number("TelOn", 0);
    Varovani = b.word("Varovani", "");
    VarovaniT = b.number("VarovaniT", 0);
    b.finish();
    stack.add(loose);
}

ui::GroupBox *TA1::buildLines(ui::TabSheet *sheet)
{
    ui::GroupBox *g = group(*this, sheet, "GroupTrate", "Tratě");
    CellBuilder b(*this, g, {0, 0, 62});
    b.table({"A", "B", "C"}, 86);
    const auto combo = [&](const QString &n, int) { return b.combo(n); };
    const auto zero = [&](const QString &n, int) { return b.number(n, 0); };
    lineRow(b, *this, "TratX", Trio<ui::ComboBox>{&TA1::TratA, &TA1::TratB, &TA1::TratC}, combo);
    const char *const modes[3] = {"Telefonika", "Poloautoblok", "Poloautoblok"};
    const QColor modeColours[3] = {Lime, Red, Lime};
    lineRow(b, *this, "SmerX", Trio<ui::Edit>{&TA1::SmerA, &TA1::SmerB, &TA1::SmerC}, [&](const QString &n, int i) {
        ui::Edit *e = b.word(n, modes[i], true);
        e->setColor(modeColours[i]);
        return e;
    });
    lineRow(b, *this, "ZpravaX", Trio<ui::Edit>{&TA1::ZpravaA, &TA1::ZpravaB, &TA1::ZpravaC},
            [&](const QString &n, int) { return b.word(n, ""); });
    lineRow(b, *this, "StavVlakX", Trio<ui::SpinEdit>{&TA1::StavVlakA, &TA1::StavVlakB, &TA1::StavVlakC}, zero);
    lineRow(b, *this, "OdjezdX", Trio<ui::SpinEdit>{&TA1::OdjezdA, &TA1::OdjezdB, &TA1::OdjezdC}, zero);
    lineRow(b, *this, "CestaX", Trio<ui::SpinEdit>{&TA1::CestaA, &TA1::CestaB, &TA1::CestaC}, zero);
    const int tracks[3] = {1, 3, 1};
    lineRow(b, *this, "KolejX", Trio<ui::SpinEdit>{&TA1::KolejA, &TA1::KolejB, &TA1::KolejC},
            [&](const QString &n, int i) { return b.number(n, tracks[i]); });
    lineRow(b, *this, "DalsiX", Trio<ui::ComboBox>{&TA1::DalsiA, &TA1::DalsiB, &TA1::DalsiC}, combo);
    b.finish();
    return g;
}

ui::GroupBox *TA1::buildClock(ui::TabSheet *sheet)
{
    ui::GroupBox *g = group(*this, sheet, "GroupHodiny", "Hodiny");
    CellBuilder b(*this, g, {100, 6, 50});
    Hodina = b.memo("Hodina", {"12", "12", "12", "12", "12", "12"}, 5);
    Sekunda = b.word("Sekunda", "00");
    Minuta = b.memo("Minuta", {"00", "01", "02", "03", "04", "05"}, 5);
    Rychlost = b.word("Rychlost", "1");
    b.finish();
    return g;
}

void TA1::buildTrainsAndTracks(ui::TabSheet *sheet)
{
    GroupStack top;
    top.add(buildTrainRuns(sheet));
    top.nextColumn();
    ui::GroupBox *tracks = group(*this, sheet, "GroupKoleje", "Koleje");
    {
        CellBuilder b(*this, tracks, {124, 4, 56});
        for (auto [cell, name] : {std::pair{&Kolej1, "Kolej1"}, {&Kolej2, "Kolej2"}, {&Kolej3, "Kolej3"},
                                  {&Kolej5, "Kolej5"}, {&Kolej7, "Kolej7"}, {&Kolej1a, "Kolej1a"},
                                  {&Kolej4, "Kolej4"}, {&Kolej4a, "Kolej4a"}})
            *cell = b.combo(name);
        b.finish();
    }
    top.add(tracks);
    GroupStack band(4, top.bottom());
    band.add(buildStationNames(sheet));
}

ui::GroupBox *TA1::buildTrainRuns(ui::TabSheet *sheet)
{
    ui::GroupBox *g = group(*this, sheet, "GroupPohyb", "Pohyb vlaků po peronu");
    CellBuilder b(*this, g, {0, 0, 74});
    b.table({"A", "B", "C"}, 56);
    const auto zero = [&](const QString &n, int) { return b.number(n, 0); };
    lineRow(b, *this, "VlakXOd", Trio<ui::SpinEdit>{&TA1::VlakAOd, &TA1::VlakBOd, &TA1::VlakCOd}, zero);
    lineRow(b, *this, "VlakXDo", Trio<ui::SpinEdit>{&TA1::VlakADo, &TA1::VlakBDo, &TA1::VlakCDo}, zero);
    lineRow(b, *this, "KolejVlakX", Trio<ui::SpinEdit>{&TA1::KolejVlakA, &TA1::KolejVlakB, &TA1::KolejVlakC}, zero);
    lineRow(b, *this, "KolejCisloX", Trio<ui::ComboBox>{&TA1::KolejCisloA, &TA1::KolejCisloB, &TA1::KolejCisloC},
            [&](const QString &n, int) { return b.combo(n); });
    lineRow(b, *this, "KolejStavX", Trio<ui::SpinEdit>{&TA1::KolejStavA, &TA1::KolejStavB, &TA1::KolejStavC}, zero);
    b.finish();
    const Trio<ui::Timer> arrivals{&TA1::TimerVlakAOd, &TA1::TimerVlakBOd, &TA1::TimerVlakCOd};
    const Trio<ui::Timer> departures{&TA1::TimerVlakADo, &TA1::TimerVlakBDo, &TA1::TimerVlakCDo};
    for (int i = 0; i < 3; ++i) {
        this->*arrivals[i] = timer(*this, g, lineCell("TimerVlakXOd", i), false, 50);
        this->*departures[i] = timer(*this, g, lineCell("TimerVlakXDo", i), false, 50);
    }
    return g;
}

ui::GroupBox *TA1::buildStationNames(ui::TabSheet *sheet)
{
    ui::GroupBox *g = group(*this, sheet, "GroupStanice", "Názvy stanic");
    CellBuilder b(*this, g, {0, 0, 62});
    b.table({"1", "2", "3", "4"}, 102);
    const QString names[4][4] = {{"Horní Lom", "z Lomu", "v Lomu", "do Horního Lomu"},
                                 {"Struhy", "ze Struh", "ve Struhách", "do Struh"},
                                 {"Vrbská", "z Vrbské", "ve Vrbské", "do Vrbské"},
                                 {"Kamenná", "z Kamenné", "v Kamenné", "do Kamenné"}};
    ui::Edit **cells[4][4] = {{&StaniceA1, &StaniceA2, &StaniceA3, &StaniceA4},
                              {&StaniceB1, &StaniceB2, &StaniceB3, &StaniceB4},
                              {&StaniceC1, &StaniceC2, &StaniceC3, &StaniceC4},
                              {&Stanice1, &Stanice2, &Stanice3, &Stanice4}};
    const QString stems[4] = {"StaniceA", "StaniceB", "StaniceC", "Stanice"};
    for (int s = 0; s < 4; ++s) {
        b.row(stems[s]);
        for (int k = 0; k < 4; ++k)
            *cells[s][k] = b.word(stems[s] + QString::number(k + 1), names[s][k]);
    }
    b.finish();
    return g;
}

void TA1::buildEquipment(ui::TabSheet *sheet)
{
    GroupStack top;
    ui::GroupBox *circuits = group(*this, sheet, "GroupKO", "KO-St.2");
    {
        CellBuilder b(*this, circuits, {122, 4, 44});
        for (auto [cell, name] : {std::pair{&KO9, "KO9"}, {&KO10, "KO10"}, {&KO11, "KO11"}, {&KO12, "KO12"},
                                  {&KO13, "KO13"}, {&KO1a, "KO1a"}, {&KOS, "KOS"}})
            *cell = b.word(name, "Volná");
        b.finish();
    }
    top.add(circuits);
    top.nextColumn();
    ui::GroupBox *sections = group(*this, sheet, "GroupIK", "IK");
    {
        CellBuilder b(*this, sections, {130, 3, 50});
        IKA = b.word("IKA", "Volná");
        IKB = b.word("IKB", "Volná");
        IKLada = b.word("IKLada", "Volná");
        b.finish();
    }
    top.add(sections);
    top.nextColumn();
    top.add(buildCrossing(sheet));

    GroupStack band(4, top.bottom());
    band.add(numberGroup(*this, sheet, "Polohy výměn St.2", {122, 5, 66}, Points));
    band.nextColumn();
    ui::GroupBox *faults = group(*this, sheet, "GroupPoruchy", "Poruchy");
    {
        CellBuilder b(*this, faults, {170, 4, 84});
        KodPoruchy = b.option("KodPoruchy", "Poruchy", false);
        for (const NumberRow &r : Faults)
            this->*r.cell = b.number(r.name, r.value);
        b.finish();
    }
    band.add(faults);
    band.nextColumn();
    ui::Panel *loose = bare(*this, sheet);
    CellBuilder b(*this, loose, {160, 4, 60});
    VUD = b.word("VUD", "Otevřený");
    Proud = b.word("Proud", "I");
    TSMOn = b.number("TSMOn", 0);
    TSCHOn = b.number("TSCHOn", 0);
    b.finish();
    band.add(loose);
}

ui::GroupBox *TA1::buildCrossing(ui::TabSheet *sheet)
{
    ui::GroupBox *g = group(*this, sheet, "GroupPZZ", "PZZ");
    CellBuilder b(*this, g, {150, 5, 64});
    PZZ = b.word("PZZ", "");
    PZZ2 = b.number("PZZ2", 0);
    PZZOpen = b.number("PZZOpen", 0);
    PZZL = b.option("PZZL", "", false);
    PZZP = b.option("PZZP", "", false);
    b.finish();
    return g;
}

void TA1::buildOptionsPage()
{
    ui::GroupBox *g = group(*this, TabNastaveni, "GroupMoznosti", "Možnosti");
    CellBuilder b(*this, g, {320, 12, 0});
    for (const OptionRow &o : Options)
        this->*o.cell = b.option(o.name, QString::fromUtf8(o.caption), o.checked);
    b.finish();
    GroupStack stack;
    stack.add(g);
}

void TA1::buildSoundsPage()
{
    GroupStack stack;
    ui::Panel *top = bare(*this, Snd00);
    {
        CellBuilder b(*this, top, {190, 1, 0});
        Zvuky = b.option("Zvuky", "Přehrávat zvuky", true);
        b.finish();
    }
    stack.add(top);
    for (const PlayerGroup &pg : PlayerGroups) {
        if (pg.newColumn)
            stack.nextColumn();
        ui::GroupBox *g = group(*this, Snd00, QString(), QString::fromUtf8(pg.caption));
        CellBuilder b(*this, g, {190, 8, 150});
        for (int i = pg.first; i < pg.first + pg.count; ++i)
            this->*Players[i].cell = b.player(Players[i].name);
        b.finish();
        stack.add(g);
    }
    buildBellFlags(stack);
}

void TA1::buildBellFlags(GroupStack &stack)
{
    size_t i = 0;
    while (i < std::size(Bells)) {
        const char *caption = Bells[i].group;
        ui::GroupBox *g = group(*this, Snd00, QString(), QString::fromUtf8(caption));
        CellBuilder b(*this, g, {190, 8, 0});
        for (; i < std::size(Bells) && qstrcmp(Bells[i].group, caption) == 0; ++i)
            this->*Bells[i].cell = b.option(Bells[i].name, QString::fromUtf8(Bells[i].caption), false);
        b.finish();
        stack.add(g);
    }
}

void TA1::buildDeviceTimers()
{
    Blikac = timer(*this, nullptr, "Blikac", true, 500);
    Kmitac = timer(*this, nullptr, "Kmitac", false, 10);
    Induktor = timer(*this, nullptr, "Induktor", false, 50);
    Klika = timer(*this, nullptr, "Klika", false, 100);
    ZaverDK = timer(*this, nullptr, "ZaverDK", false, 300);
    ZaverSt1 = timer(*this, nullptr, "ZaverSt1", false, 300);
    ZaverSt2 = timer(*this, nullptr, "ZaverSt2", false, 300);
    ZaverCH = timer(*this, nullptr, "ZaverCH", false, 300);
    SignalistaA = timer(*this, nullptr, "SignalistaA", false, 1000);
    SignalistaB = timer(*this, nullptr, "SignalistaB", false, 1000);
    SignalistaC = timer(*this, nullptr, "SignalistaC", false, 1000);
}

std::vector<ui::MediaPlayer *> TA1::soundPlayers() const
{
    std::vector<ui::MediaPlayer *> out;
    for (const PlayerRow &p : Players)
        out.push_back(this->*p.cell);
    return out;
}
