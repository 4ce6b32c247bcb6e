/** @file written_orders.cpp The orders panel: the general written order, which releases signals and dispatches trains, and the cautious-running order. */
#include "trackview/trackview_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "trackview/form_a5.h"
#include "trackview/panel_controls.h"
#include "traffic/line_cells.h"

#include <QPainter>

namespace trackview {

namespace {

const QColor GeneralPaper(255, 255, 235);  ///< $EBFFFF.
const QColor CautiousPaper(255, 238, 164); ///< $A4EEFF.
const QColor Handwriting(0, 0, 213);       ///< $D50000: fields and strikes.
const QColor OkColour(213, 255, 213);      ///< $D5FFD5.
const QColor AbcColour(223, 223, 255);     ///< $FFDFDF.
const QColor AbcHeld(223, 255, 255);       ///< $FFFFDF.
const QColor CloseColour(255, 223, 223);   ///< $DFDFFF.
const QColor ToggleColour(255, 250, 213);  ///< $D5FAFF.
const QColor Highlight(192, 192, 192);     ///< clSilver.

/** Places a sheet centred in a 1024 x 768 window until the frame lays the window out. */
const QRect SheetPlace((1024 - 339) / 2, (768 - 480) / 2, 339, 480);

/** The dotted line of a fill-in place. */
QString dots(int n) { return QString(n, QLatin1Char('.')); }

/** Builds the controls of one sheet inside its group box. */
class SheetBuilder {
public:
    SheetBuilder(ui::Form &a5, ui::GroupBox *sheet, ui::Font printed, ui::Font field)
        : m_a5(a5), m_sheet(sheet), m_printed(std::move(printed)), m_field(std::move(field))
    {
    }

    ui::Shape *paper(const QString &name, const QColor &colour)
    {
        auto *s = m_a5.make<ui::Shape>(m_sheet, name);
        s->setBounds(0, 0, 339, 480);
        s->setBrushColor(colour);
        s->setPenColor(colour);
        m_paperColour = colour;
        return s;
    }
    ui::Label *text(const QString &name, const QString &caption, const QRect &place, bool bold = false,
                    bool wrap = false, ui::Align align = ui::Align::Left)
    {
        auto *l = m_a5.make<ui::Label>(m_sheet, name);
        l->setBounds(place);
        l->setCaption(caption);
        l->setTransparent(true);
        l->setWordWrap(wrap);
        l->setAlignment(align);
        ui::Font f = m_printed;
        f.bold = bold;
        l->setFont(f);
        return l;
    }
    /** A fill-in field: handwriting straight on the paper, no frame, not reached by Tab. */
    ui::Edit *field(const QString &name, const QRect &place)
    {
        auto *e = m_a5.make<ui::Edit>(m_sheet, name);
        e->setBounds(place);
        fillIn(*e);
        return e;
    }
    /** The sheet's fill-in memo, drawn as the fields are. */
    ui::Memo *memo(const QString &name, const QRect &place, bool wrap = false)
    {
        auto *m = m_a5.make<ui::Memo>(m_sheet, name);
        m->setBounds(place);
        m->setWordWrap(wrap);
        fillIn(*m);
        return m;
    }
    ui::Shape *frame(const QString &name, const QRect &place)
    {
        auto *s = m_a5.make<ui::Shape>(m_sheet, name);
        s->setBounds(place);
        s->setBrushClear(true);
        s->setPenColor(Qt::black);
        return s;
    }
    /** A strike picture: one line across its rectangle, hidden. */
    ui::Image *strike(const QString &name, const QRect &place, bool horizontal = false)
    {
        QImage img(place.size(), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setPen(QPen(Handwriting, 1));
        if (horizontal)
            p.drawLine(0, 0, place.width() - 1, 0);
        else
            p.drawLine(0, place.height() - 1, place.width() - 1, 0);
        p.end();
        auto *i = m_a5.make<ui::Image>(m_sheet, name);
        i->setBounds(place);
        i->setPicture(img);
        i->setVisible(false);
        return i;
    }
    ui::Label *button(const QString &name, const QString &caption, int left, int top, const QColor &colour)
    {
        ui::Label *l = panelButton(m_a5, m_sheet, name, caption, {left, top, 37, 25});
        l->setColor(colour);
        return l;
    }
    ui::Label *toggle(const QString &name, int left, int top)
    {
        auto *l = m_a5.make<ui::Label>(m_sheet, name);
        l->setBounds(left, top, 9, 13);
        l->setCaption(QStringLiteral("X"));
        l->setAlignment(ui::Align::Center);
        l->setFont({QStringLiteral("Verdana"), 9, true, false, Qt::black});
        l->setColor(ToggleColour);
        return l;
    }
    const std::vector<ui::Control *> &fields() const { return m_fields; }

private:
    /** Gives a fill-in control the paper and the handwriting, no frame and no tab stop, and counts it a field. */
    void fillIn(ui::Control &c)
    {
        c.setColor(m_paperColour);
        c.setFont(m_field);
        c.setFrame(ui::Frame::None);
        c.setTabStop(false);
        m_fields.push_back(&c);
    }

    ui::Form &m_a5;
    ui::GroupBox *m_sheet;
    ui::Font m_printed;
    ui::Font m_field;
    QColor m_paperColour;
    std::vector<ui::Control *> m_fields;
};

ui::GroupBox *sheet(ui::Form &a5, const QString &name)
{
    auto *g = a5.make<ui::GroupBox>(nullptr, name);
    g->setBounds(SheetPlace);
    g->setVisible(false);
    return g;
}

ui::Font fieldFont(int px) { return {QStringLiteral("Times New Roman"), px, false, true, Handwriting}; }

/** A printed line of dots over a word that wraps onto the label's second line. */
QString signatureLine(const char *word) { return dots(41) + QStringLiteral("   ") + QString::fromUtf8(word); }

/** "abc" held: every field of the sheet silver; released: the paper's colour again. */
void wireHighlight(ui::Label *abc, const ui::Shape *paper, std::vector<ui::Control *> fields)
{
    abc->onMouseDown = [abc, fields](ui::MouseButton, ui::ShiftState, int, int) {
        for (ui::Control *f : fields)
            f->setColor(Highlight);
        abc->setColor(AbcHeld);
    };
    abc->onMouseUp = [abc, paper, fields](ui::MouseButton, ui::ShiftState, int, int) {
        for (ui::Control *f : fields)
            f->setColor(paper->brushColor());
        abc->setColor(AbcColour);
    };
}

void buildGeneralOrder(App &app, ui::Form &a5, ui::Label *pc01)
{
    ui::GroupBox *g = sheet(a5, QStringLiteral("RozkazV"));
    SheetBuilder b(a5, g, {QStringLiteral("Times New Roman"), 11, false, false, Qt::black}, fieldFont(13));
    const ui::Shape *paper = b.paper(QStringLiteral("RV01"), GeneralPaper);
    b.text("RV02", QStringLiteral("VŠEOBECNÝ ROZKAZ"), {48, 24, 129, 13}, true);
    b.text("RV03", QStringLiteral("pro vlak číslo ") + dots(28), {174, 24, 115, 13});
    b.field("RV04", {241, 19, 46, 15});
    b.memo("RV05", {16, 53, 307, 260}, true);
    b.text("RV06", QStringLiteral("V %1 dne %2 20 %3").arg(dots(36), dots(18), dots(6)), {14, 328, 259, 30}, false,
           true);
    b.field("RV07", {24, 323, 107, 15});
    b.field("RV08", {155, 323, 52, 15});
    b.field("RV09", {227, 323, 16, 15});
    b.text("RV10", signatureLine("Podpis strojvedoucího"), {22, 360, 123, 29}, false, true);
    b.field("RV11", {23, 355, 121, 15});
    b.text("RV12", signatureLine("Sepsal (podpis)"), {190, 360, 123, 28}, false, true);
    b.field("RV13", {191, 355, 121, 15});
    b.text("RV14", signatureLine("Podpis vedoucího vl.čety"), {22, 400, 123, 31}, false, true);
    b.field("RV15", {23, 395, 121, 15});
    b.text("RV16", QStringLiteral("(jen pokud se text týká i vlakové čety)"), {14, 427, 195, 17});
    auto *ok = b.button("RV17", QStringLiteral("ok"), 227, 454, OkColour);
    auto *abc = b.button("RV18", QStringLiteral("abc"), 264, 454, AbcColour);
    auto *close = b.button("RV19", QStringLiteral("X"), 301, 454, CloseColour);

    ok->onClick = [&app] { RV17Click(app); };
    close->onClick = [g, pc01] {
        g->setVisible(false);
        pc01->setColor(PanelNavy);
    };
    wireHighlight(abc, paper, b.fields());
}

/* The cautious-running order: part A's eight km rows, each with its printed text and three fields. */
constexpr int RowCount = 8;

QString twoDigits(int n) { return QStringLiteral("RO%1").arg(n, 2, 10, QLatin1Char('0')); }

/** The three fields of km row r (1 .. 8): `RO08`-`RO10` for row 1, four names further each row. */
std::array<ui::Control *, 3> rowFields(ui::Form &a5, int r)
{
    const int first = 8 + 4 * (r - 1);
    return {a5.find(twoDigits(first)), a5.find(twoDigits(first + 1)), a5.find(twoDigits(first + 2))};
}

/** Shows the fields of rows from .. to of part A, or hides them. */
void showRows(ui::Form &a5, int from, int to, bool shown)
{
    for (int r = from; r <= to; ++r)
        for (ui::Control *f : rowFields(a5, r))
            f->setVisible(shown);
}

/**
 * Part A's strike toggle: nothing, the whole part, then from the last row
 * upwards ever more unused rows struck, and back to nothing. The state is
 * read from which strike picture or fields are visible.
 */
void strikePartA(ui::Form &a5)
{
    auto *toggle = static_cast<ui::Label *>(a5.find(QStringLiteral("RO48")));
    ui::Control *whole = a5.find(QStringLiteral("RO47"));
    if (whole->visible()) { // state 1 -> 2: row 8 struck
        whole->setVisible(false);
        showRows(a5, 1, 7, true);
        a5.find(QStringLiteral("RO46"))->setVisible(true);
        return;
    }
    if (a5.find(QStringLiteral("RO36"))->visible()) { // state 0 -> 1: the whole part
        whole->setVisible(true);
        showRows(a5, 1, RowCount, false);
        toggle->setCaption(QStringLiteral("/"));
        return;
    }
    /* RO40 strikes rows 2 to 8, RO41 rows 3 to 8 ... RO46 row 8. */
    for (int k = 0; k <= 6; ++k) {
        ui::Control *pic = a5.find(twoDigits(40 + k));
        if (!pic->visible())
            continue;
        pic->setVisible(false);
        if (k == 0) { // state 8 -> 0
            showRows(a5, 2, RowCount, true);
            toggle->setCaption(QStringLiteral("X"));
            return;
        }
        a5.find(twoDigits(40 + k - 1))->setVisible(true);
        showRows(a5, 2 + k - 1, RowCount, false);
        if (k == 1)
            toggle->setCaption(QStringLiteral("<"));
        return;
    }
}

/** Part B's strike toggle: nothing, the whole part, the first sentence, the second, both, and back. */
void strikePartB(ui::Form &a5)
{
    auto *toggle = static_cast<ui::Label *>(a5.find(QStringLiteral("RO62")));
    ui::Control *whole = a5.find(QStringLiteral("RO61"));
    ui::Control *first = a5.find(QStringLiteral("RO59"));
    ui::Control *second = a5.find(QStringLiteral("RO60"));
    ui::Control *from = a5.find(QStringLiteral("RO52"));
    ui::Control *to = a5.find(QStringLiteral("RO53"));
    ui::Control *stopAt = a5.find(QStringLiteral("RO56"));
    ui::Control *handIn = a5.find(QStringLiteral("RO58"));
    if (whole->visible()) { // 1 -> 2
        whole->setVisible(false);
        first->setVisible(true);
        from->setVisible(true);
        to->setVisible(true);
        handIn->setVisible(true);
    } else if (first->visible() && second->visible()) { // 4 -> 0
        first->setVisible(false);
        second->setVisible(false);
        stopAt->setVisible(true);
        handIn->setVisible(true);
        toggle->setCaption(QStringLiteral("X"));
    } else if (first->visible()) { // 2 -> 3
        first->setVisible(false);
        second->setVisible(true);
        stopAt->setVisible(true);
        handIn->setVisible(false);
    } else if (second->visible()) { // 3 -> 4
        first->setVisible(true);
        stopAt->setVisible(false);
        toggle->setCaption(QStringLiteral("<"));
    } else { // 0 -> 1
        whole->setVisible(true);
        for (ui::Control *f : {from, to, stopAt, handIn})
            f->setVisible(false);
        toggle->setCaption(QStringLiteral("/"));
    }
}

/** The other instructions' strike toggle: the memo, or its frame struck. */
void strikeOther(ui::Form &a5)
{
    auto *toggle = static_cast<ui::Label *>(a5.find(QStringLiteral("RO67")));
    ui::Control *memo = a5.find(QStringLiteral("RO65"));
    ui::Control *struck = a5.find(QStringLiteral("RO66"));
    const bool strike = !struck->visible();
    struck->setVisible(strike);
    memo->setVisible(!strike);
    toggle->setCaption(strike ? QStringLiteral("<") : QStringLiteral("X"));
}

void buildCautiousOrder(ui::Form &a5, ui::Label *pc02)
{
    ui::GroupBox *g = sheet(a5, QStringLiteral("RozkazOp"));
    SheetBuilder b(a5, g, {QStringLiteral("Arial"), 9, false, false, Qt::black}, fieldFont(9));
    const ui::Shape *paper = b.paper(QStringLiteral("RO01"), CautiousPaper);
    b.text("RO02", QStringLiteral("ROZKAZ K OPATRNÉ JÍZDĚ pro vlak číslo ") + dots(15), {8, 3, 323, 13}, true, false,
           ui::Align::Center)
        ->setFont({QStringLiteral("Arial"), 11, true, false, Qt::black});
    b.field("RO03", {256, 2, 44, 10});

    /* Part A. */
    b.text("RO04", QStringLiteral("č á s t   A"), {6, 16, 327, 10}, false, false, ui::Align::Center);
    b.frame("RO05", {6, 26, 327, 219});
    b.text("RO06", QStringLiteral("Jeďte k přejezdům"), {9, 28, 120, 11});
    for (int r = 0; r < RowCount; ++r) {
        const int n = 7 + 4 * r;
        const int top = 40 + 24 * r;
        b.text(twoDigits(n), QStringLiteral("v km %1 mezi 1) %2\na 2) %3").arg(dots(12), dots(52), dots(55)),
               {9, top, 322, 24}, false, true);
        b.field(twoDigits(n + 1), {35, top, 49, 11});
        b.field(twoDigits(n + 2), {122, top, 208, 11});
        b.field(twoDigits(n + 3), {110, top + 12, 220, 11});
    }
    b.text("RO39", QStringLiteral("se zvýšenou opatrností!"), {9, 232, 150, 11});
    const int strikeTops[] = {61, 84, 108, 132, 156, 180, 204};
    for (int k = 0; k < 7; ++k)
        b.strike(twoDigits(40 + k), QRect(7, strikeTops[k], k == 0 ? 323 : 325, 229 - strikeTops[k]));
    b.strike("RO47", {6, 26, 327, 219});
    auto *toggleA = b.toggle("RO48", 323, 231);

    /* Part B. */
    b.text("RO49", QStringLiteral("č á s t   B"), {6, 245, 327, 10}, false, false, ui::Align::Center);
    b.frame("RO50", {6, 255, 327, 77});
    b.text("RO51",
           QStringLiteral("Jeďte z %1 do %2 pro nemožné dorozumění podle rozhledových poměrů.").arg(dots(22), dots(26)),
           {9, 257, 322, 24}, false, true);
    b.field("RO52", {44, 256, 110, 11});
    b.field("RO53", {168, 256, 120, 11});
    b.text("RO54",
           QStringLiteral("Označte vlak pro jízdu za nemožného dorozumění dle předpisu ČD D1! Oddílová návěstidla "
                          "pro vaši jízdu neplatí."),
           {9, 282, 322, 24}, false, true);
    b.text("RO55", QStringLiteral("Ve stanici %1 zastavte! *)").arg(dots(34)), {9, 307, 250, 11});
    b.field("RO56", {54, 306, 150, 11});
    b.text("RO57", QStringLiteral("Povolenku odevzdejte ve stanici %1 ! *)").arg(dots(34)), {9, 319, 310, 11});
    b.field("RO58", {149, 318, 140, 11});
    b.strike("RO59", {7, 313, 230, 1}, true);
    b.strike("RO60", {7, 325, 298, 1}, true);
    b.strike("RO61", {6, 255, 327, 77});
    auto *toggleB = b.toggle("RO62", 323, 318);

    /* Other instructions. */
    b.frame("RO63", {6, 337, 327, 22});
    b.text("RO64", QStringLiteral("Jiné příkazy:"), {9, 339, 55, 11});
    b.memo("RO65", {64, 338, 257, 20});
    b.strike("RO66", {6, 337, 327, 22});
    auto *toggleOther = b.toggle("RO67", 323, 345);

    /* Footer. */
    b.text("RO68",
           QStringLiteral("V %1 dne %2 20 %3\n(stanice, hradlo, hláska)").arg(dots(44), dots(22), dots(6)),
           {10, 361, 320, 24}, false, true);
    b.field("RO69", {20, 360, 170, 11});
    b.field("RO70", {206, 360, 80, 11});
    b.field("RO71", {303, 360, 20, 11});
    b.text("RO72", signatureLine("Podpis strojvedoucího"), {30, 390, 123, 24}, false, true);
    b.field("RO73", {31, 389, 121, 11});
    b.text("RO74", signatureLine("Sepsal (podpis)"), {182, 390, 123, 24}, false, true);
    b.field("RO75", {183, 389, 121, 11});
    b.text("RO76", QStringLiteral("Nehodící se část rozkazu škrtněte šikmo."), {10, 418, 250, 11});
    b.text("RO77", QStringLiteral("Nepoužité řádky v části A škrtněte šikmou čarou."), {10, 430, 250, 11});
    b.text("RO78", QStringLiteral("*) Nehodící se větu škrtněte."), {10, 442, 250, 11});
    b.text("RO79", QStringLiteral("1) U PZZ v obvodu stanice škrtněte a dopište \"v ŽST\"."), {10, 454, 250, 11});
    b.text("RO80", QStringLiteral("2) U PZZ v obvodu stanice nevyplňujte."), {10, 466, 250, 11});
    auto *ok = b.button("RO81", QStringLiteral("ok"), 264, 454, OkColour);
    auto *abc = b.button("RO82", QStringLiteral("abc"), 301, 429, AbcColour);
    auto *close = b.button("RO83", QStringLiteral("X"), 301, 454, CloseColour);

    for (ui::Label *button : {ok, close})
        button->onClick = [g, pc02] {
            g->setVisible(false);
            pc02->setColor(PanelNavy);
        };
    wireHighlight(abc, paper, b.fields());
    toggleA->onClick = [&a5] { strikePartA(a5); };
    toggleB->onClick = [&a5] { strikePartB(a5); };
    toggleOther->onClick = [&a5] { strikeOther(a5); };
}

/** @return the exact text of an order: the memo's lines joined with nothing between them, in composed form. */
QString orderText(const ui::Memo &memo)
{
    QString t = memo.lines().join(QString());
    t.remove(QLatin1Char('\r'));
    t.remove(QLatin1Char('\n'));
    return t.normalized(QString::NormalizationForm_C);
}

/** One signal order: the signal it releases, the track it is written for and the register it writes. */
struct SignalOrder {
    const char *signal;
    bool withL1a; ///< The two-signal phrase: the signal and L1a.
    int track;
    bool sideC;
    const char *value;
};
constexpr SignalOrder SignalOrders[] = {
    {"Lc1", false, 1, true, "Lc1"}, {"Lc1", true, 1, true, "Lc1, L1a"}, {"L1a", false, 1, true, "L1a"},
    {"L1a", false, 2, true, "L1a"}, {"Lc2", true, 2, true, "Lc2, L1a"}, {"Lc2", false, 2, true, "Lc2"},
    {"L3", false, 3, true, "L3"},   {"L5", false, 5, true, "L5"},       {"L7", false, 7, true, "L7"},
    {"S1", false, 1, false, "S1"},  {"S2", false, 2, false, "S2"},      {"S3", false, 3, false, "S3"},
    {"S5", false, 5, false, "S5"},  {"S7", false, 7, false, "S7"},
};

QString signalPhrase(const SignalOrder &o)
{
    const QString s = QString::fromLatin1(o.signal);
    if (o.withL1a)
        return QStringLiteral("Návěstidla ") + s + QStringLiteral(" a L1a se neobsluhují, po rozkazu k odjezdu smíte odjet.");
    return QStringLiteral("Návěstidlo ") + s + QStringLiteral(" se neobsluhuje, po rozkazu k odjezdu smíte odjet.");
}

constexpr int Tracks[] = {1, 2, 3, 5, 7};

QString trackPhrase(int track)
{
    switch (track) {
    case 1: return QStringLiteral(" z první koleje ");
    case 2: return QStringLiteral(" z druhé koleje ");
    case 3: return QStringLiteral(" ze třetí koleje ");
    case 5: return QStringLiteral(" z páté koleje ");
    default: return QStringLiteral(" ze sedmé koleje ");
    }
}

/** @return whether T is a departure order of any line for train W. */
bool isDepartureOrder(App &app, const QString &t, const QString &w)
{
    TA1 &a1 = app.A1();
    QString direction;
    for (int r = 1; r <= 16; ++r)
        if (app.A2().row(r).trainNumber->text() == w)
            direction = app.A2().row(r).leavesFor->text();
    QString p;
    for (int track : Tracks)
        if (traffic::trackOccupation(app, track)->text() == w)
            p = w + trackPhrase(track);
    const std::pair<ui::Edit *, ui::Edit *> lines[] = {
        {a1.StaniceA4, a1.StaniceA1}, {a1.StaniceB4, a1.StaniceB1}, {a1.StaniceC4, a1.StaniceC1}};
    for (const auto &[to, name] : lines)
        if (t == QStringLiteral("Vlak ") + p + to->text() + QStringLiteral(" odjezd.") && direction == name->text())
            return true;
    return false;
}

} // namespace

void RV17Click(App &app)
{
    panelGuard(app, "Error 50RV17", [&app] {
        TA5 &a5 = app.A5();
        a5.find(QStringLiteral("RozkazV"))->setVisible(false);
        a5.find(QStringLiteral("PC01"))->setColor(PanelNavy);
        const QString t = orderText(*static_cast<ui::Memo *>(a5.find(QStringLiteral("RV05"))));
        const QString w = static_cast<ui::Edit *>(a5.find(QStringLiteral("RV04")))->text();

        for (const SignalOrder &o : SignalOrders) {
            if (t != signalPhrase(o) || w != traffic::trackOccupation(app, o.track)->text())
                continue;
            TrackRow *row = a5.tracks.track(o.track);
            (o.sideC ? row->orderRight : row->orderLeft)->setText(QString::fromLatin1(o.value));
        }

        if (isDepartureOrder(app, t, w))
            for (int track : Tracks)
                if (traffic::trackOccupation(app, track)->text() == w)
                    DepartFromTrack(app, track);

        for (const char *name : {"RV04", "RV07", "RV08", "RV09", "RV11", "RV13", "RV15"})
            static_cast<ui::Edit *>(a5.find(QString::fromLatin1(name)))->setText(QString());
        static_cast<ui::Memo *>(a5.find(QStringLiteral("RV05")))->clear();
    });
}

void buildWrittenOrders(App &app)
{
    TA5 &a5 = app.A5();
    ui::Control *panel = controlBarPanel(a5, QStringLiteral("PanelC"));
    auto *pc01 = panelButton(a5, panel, "PC01", QStringLiteral("všeobecný rozkaz"), {1, 0, 231, 25});
    auto *pc02 = panelButton(a5, panel, "PC02", QStringLiteral("rozkaz k opatrné jízdě"), {233, 0, 232, 25});
    auto *pc03 = panelButton(a5, panel, "PC03", QString(), {1, 26, 231, 25});
    auto *pc04 = panelButton(a5, panel, "PC04", QString(), {233, 26, 232, 25});
    /* The sign and platform switches belong to the frame; they are made here only when it has not. */
    if (!a5.find(QStringLiteral("PC05")))
        panelButton(a5, panel, "PC05", QStringLiteral("skrýt návěstidla"), {1, 52, 231, 25});
    if (!a5.find(QStringLiteral("PC06")))
        panelButton(a5, panel, "PC06", QStringLiteral("skrýt nástupiště"), {233, 52, 232, 25});

    /* The general order first: the cautious-running order, made after it, lies over it. */
    buildGeneralOrder(app, a5, pc01);
    buildCautiousOrder(a5, pc02);

    pc01->onClick = [&app, pc01] {
        panelGuard(app, "Error 50PC01", [&app, pc01] {
            app.A5().find(QStringLiteral("RozkazV"))->setVisible(true);
            pc01->setColor(PanelBlue);
        });
    };
    pc02->onClick = [&app, pc02] {
        panelGuard(app, "Error 50PC02", [&app, pc02] {
            app.A5().find(QStringLiteral("RozkazOp"))->setVisible(true);
            pc02->setColor(PanelBlue);
        });
    };
    pc03->onClick = [&app] { panelGuard(app, "Error 50PC03", [] {}); };
    pc04->onClick = [&app] { panelGuard(app, "Error 50PC04", [] {}); };
}

} // namespace trackview
