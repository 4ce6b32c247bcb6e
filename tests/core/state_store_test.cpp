/** @file state_store_test.cpp The state store A1: initial values, bounds, aspects, own reactions, reset at a game's end. */
#include "core/form_a1.h"
#include "harness/harness.h"

#include <QCryptographicHash>
#include <QMap>

#include <gtest/gtest.h>

namespace {

const QColor Red(255, 0, 0);
const QColor Lime(0, 255, 0);
const QColor White(255, 255, 255);

/** @return which of the display's lamps C51 .. C55 are lit, as "01001". */
QString displayLamps(const Harness &h)
{
    QString out;
    for (const char *lamp : {"A1.C51", "A1.C52", "A1.C53", "A1.C54", "A1.C55"})
        out += h.visible(lamp) ? '1' : '0';
    return out;
}

/** @return what a control holds that the player or the code can see or change, as one text. */
QString describe(const ui::Control &c)
{
    QStringList parts{QString::number(static_cast<int>(c.kind())), c.visible() ? "shown" : "hidden",
                      QStringLiteral("%1,%2,%3,%4").arg(c.left()).arg(c.top()).arg(c.width()).arg(c.height()),
                      c.color().name(), c.caption(), c.enabled() ? "on" : "off"};
    if (auto *e = dynamic_cast<const ui::Edit *>(&c))
        parts << e->text() << (e->readOnly() ? "ro" : "rw");
    if (auto *s = dynamic_cast<const ui::SpinEdit *>(&c))
        parts << QString::number(s->minValue()) << QString::number(s->maxValue());
    if (auto *cb = dynamic_cast<const ui::ComboBox *>(&c))
        parts << cb->text() << cb->items().join('|');
    if (auto *x = dynamic_cast<const ui::CheckBox *>(&c))
        parts << (x->checked() ? "checked" : "unchecked");
    if (auto *m = dynamic_cast<const ui::Memo *>(&c))
        parts << m->lines().join('|');
    if (auto *l = dynamic_cast<const ui::ListBox *>(&c))
        parts << l->items().join('|') << QString::number(l->itemIndex());
    if (auto *t = dynamic_cast<const ui::Timer *>(&c))
        parts << (t->enabledFlag() ? "enabled" : "disabled") << QString::number(t->interval());
    if (auto *i = dynamic_cast<const ui::Image *>(&c)) {
        const QImage &pic = i->picture();
        parts << QString::fromLatin1(
            QCryptographicHash::hash(QByteArrayView(pic.constBits(), pic.sizeInBytes()), QCryptographicHash::Md5)
                .toHex());
    }
    if (auto *s = dynamic_cast<const ui::Shape *>(&c))
        parts << s->brushColor().name();
    if (auto *b = dynamic_cast<const ui::ScrollBar *>(&c))
        parts << QString::number(b->position());
    if (auto *p = dynamic_cast<const ui::MediaPlayer *>(&c))
        parts << p->fileName() << (p->isOpen() ? "open" : "closed");
    return parts.join(" / ");
}

/** @return every named control of A1 with what it holds. */
QMap<QString, QString> snapshot(const TA1 &a1)
{
    QMap<QString, QString> out;
    for (const auto &c : a1.controls())
        if (!c->name().isEmpty())
            out.insert(c->name(), describe(*c));
    return out;
}

/** Changes whatever a control holds, as a long game might. */
void disturb(ui::Control &c)
{
    if (auto *s = dynamic_cast<ui::SpinEdit *>(&c))
        s->setValue(s->value() == 2 ? 3 : 2);
    else if (auto *e = dynamic_cast<ui::Edit *>(&c))
        e->setText(e->text() + "x");
    else if (auto *cb = dynamic_cast<ui::ComboBox *>(&c))
        cb->setText("1911");
    else if (auto *x = dynamic_cast<ui::CheckBox *>(&c))
        x->setChecked(!x->checked());
    else if (auto *l = dynamic_cast<ui::ListBox *>(&c))
        l->setItemIndex(1);
    else if (auto *t = dynamic_cast<ui::Timer *>(&c))
        t->setInterval(t->interval() + 1);
    else if (auto *i = dynamic_cast<ui::Image *>(&c))
        i->setTop(i->top() + 5);
    c.setColor(QColor(0, 255, 255));
}

/** @return whether a cell has a label beside it on its row or right above it. */
bool labelled(const ui::Control &cell)
{
    if (auto *box = dynamic_cast<const ui::CheckBox *>(&cell); box && !box->caption().isEmpty())
        return true;
    const QRect r = cell.bounds();
    for (const ui::Control *s : cell.parent()->children()) {
        if (s->kind() != ui::Kind::Label || s->caption().isEmpty())
            continue;
        const QRect l = s->bounds();
        const bool leftOnRow = l.right() < r.left() && l.top() < r.bottom() && l.bottom() > r.top();
        const bool above = l.bottom() <= r.top() && r.top() - l.bottom() < 24 && l.left() < r.right() &&
                           l.right() > r.left();
        if (leftOnRow || above)
            return true;
    }
    return false;
}

/** @return whether a control takes room on the face (timers and players do not). */
bool takesRoom(const ui::Control &c)
{
    return c.kind() != ui::Kind::Timer && c.kind() != ui::Kind::MediaPlayer;
}

} // namespace

TEST(StateStore, AFreshStoreHoldsItsInitialValues)
{
    Harness h;
    const std::pair<const char *, const char *> texts[] = {
        {"A1.Rychlost", "1"},       {"A1.Sekunda", "00"},           {"A1.TratB", "Volná"},
        {"A1.SmerA", "Telefonika"}, {"A1.SmerC", "Poloautoblok"},   {"A1.ZpravaC", ""},
        {"A1.KolejA", "1"},         {"A1.KolejB", "3"},             {"A1.PoruchaDalsi", "1000"},
        {"A1.StaniceB3", "ve Struhách"}, {"A1.StaniceC2", "z Vrbské"}, {"A1.Stanice4", "do Kamenné"},
        {"A1.KolejCisloC", "Volná"}, {"A1.VlakBDo", "0"},          {"A1.Kolej4a", "Volná"},
        {"A1.HrBOd", "1"},          {"A1.NavCHOdSt", "1"},          {"A1.TSCH2", "1"},
        {"A1.Paka11", "0"},         {"A1.KO9", "Volná"},            {"A1.KOS", "Volná"},
        {"A1.IKLada", "Volná"},     {"A1.PZZ", ""},                 {"A1.PZZOpen", "0"},
        {"A1.VUD", "Otevřený"},     {"A1.Vymena13", "10"},          {"A1.Proud", "I"},
        {"A1.TSCHOn", "0"},         {"A1.C49", "(vyber návěstidlo)"}, {"A1.C60", "Obnov"},
        {"A1.C11", "Porucha"},      {"A1.C02", "L"},                {"A1.C45", "S7"},
        {"A1.Label1", "zavřít"},    {"A1.Memo2", ""},               {"A1.Varovani", ""},
    };
    for (auto [cell, text] : texts)
        EXPECT_EQ(h.text(cell), QString::fromUtf8(text)) << cell;
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"00", "01", "02", "03", "04", "05"}));

    const std::pair<const char *, QColor> colours[] = {
        {"A1.SmerA", Lime}, {"A1.SmerB", Red}, {"A1.SmerC", Lime}, {"A1.ZpravaB", White}, {"A1.StavVlakC", White},
    };
    for (auto [cell, colour] : colours)
        EXPECT_EQ(h.color(cell), colour) << cell;

    const std::pair<const char *, bool> options[] = {
        {"A1.NCK", true},        {"A1.NCD", true},      {"A1.KodSt2", true},    {"A1.KodRychTel", true},
        {"A1.Zvuky", true},      {"A1.NakladniVlaky", true}, {"A1.KodMavex", false}, {"A1.KodPoruchy", false},
        {"A1.KodPoloautoblok", false}, {"A1.PZZL", false}, {"A1.C13", false},  {"A1.ZvonekONP", false},
    };
    for (auto [cell, on] : options)
        EXPECT_EQ(h.checked(cell), on) << cell;

    struct TimerRow {
        const char *cell;
        bool enabled;
        int interval;
    };
    const TimerRow timers[] = {
        {"A1.Hodiny", true, 1000},   {"A1.Blikac", true, 500},      {"A1.Kmitac", false, 10},
        {"A1.Induktor", false, 50},  {"A1.Klika", false, 100},      {"A1.ZaverDK", false, 300},
        {"A1.ZaverCH", false, 300},  {"A1.SignalistaC", false, 1000}, {"A1.TimerVlakBOd", false, 50},
        {"A1.TimerVlakCDo", false, 50},
    };
    for (const TimerRow &t : timers) {
        EXPECT_EQ(h.timerEnabled(t.cell), t.enabled) << t.cell;
        EXPECT_EQ(h.interval(t.cell), t.interval) << t.cell;
    }

    for (auto [cell, shown] : {std::pair{"A1.USM", false}, {"A1.VTM", true}, {"A1.PSM", true}, {"A1.EVM", false},
                               {"A1.InduktorA2", false}, {"A1.B00", true}, {"A1.SouZST", false}})
        EXPECT_EQ(h.visible(cell), shown) << cell;
    EXPECT_EQ(displayLamps(h), "11111");
    EXPECT_TRUE(h.as<ui::Edit>("A1.C03").readOnly());
    EXPECT_TRUE(h.as<ui::Edit>("A1.SmerB").readOnly());
    EXPECT_FALSE(h.as<ui::Edit>("A1.Varovani").readOnly());
    EXPECT_EQ(h.as<ui::ScrollBar>("A1.ScrollBar1").position(), 74);
    EXPECT_EQ(h.as<ui::PageControl>("A1.B00").activePage(), &h.control("A1.C00"));
}

TEST(StateStore, DeviceSettingsStartAtThreeForTheTrackKnobsAndTwentyForTheRest)
{
    Harness h;
    for (const char *knob : {"KnoflikA", "KnoflikB", "KnoflikC"})
        EXPECT_EQ(h.value(QStringLiteral("A1.") + knob), 3) << knob;
    const char *const others[] = {"ZavernikA",  "ZavernikB",  "ZavernikC",  "ZavernikD",  "ZavernikE",
                                  "NavB",       "NavM",       "Se11",       "Se12",       "Se13",
                                  "Zavernik11", "Zavernik12", "Zavernik13", "Zavernik14", "Zavernik15",
                                  "Zavernik16", "NavCH",      "Se21",       "Se22",       "Se23",
                                  "Zavernik21", "Zavernik22", "Zavernik23", "Zavernik24", "Radic1",
                                  "Radic2",     "Radic3",     "Radic4"};
    for (const char *setting : others)
        EXPECT_EQ(h.value(QStringLiteral("A1.") + setting), 20) << setting;
}

TEST(StateStore, NumberCellsClampToTheirBounds)
{
    Harness h;
    struct Row {
        const char *cell;
        int written;
        const char *stored;
    };
    const Row rows[] = {
        {"A1.HrBOd", 6, "5"},     {"A1.HrBOd", 0, "1"},      {"A1.PHJDo", 6, "5"},     {"A1.NavBOdSt", 7, "6"},
        {"A1.TSJ", 6, "6"},       {"A1.TSCH2", -4, "1"},     {"A1.Vymena10", 11, "10"}, {"A1.Vymena10", 0, "0"},
        {"A1.Vymena9", -11, "-10"}, {"A1.Paka3", 101, "100"}, {"A1.Paka3", -1, "0"},   {"A1.StavVlakA", -3, "-3"},
        {"A1.KnoflikA", 5000, "5000"},
    };
    for (const Row &r : rows) {
        h.as<ui::SpinEdit>(r.cell).setValue(r.written);
        EXPECT_EQ(h.text(r.cell), r.stored) << r.cell << " := " << r.written;
    }
    /* A text the player typed that is no number reads as the lower bound. */
    h.type("A1.NavCHDo", "abc");
    EXPECT_EQ(h.value("A1.NavCHDo"), 1);
    h.type("A1.Vymena12", "");
    EXPECT_EQ(h.value("A1.Vymena12"), -10);
}

TEST(StateStore, AspectsAreEmptyAndRedUntilTheGameStartWritesStuj)
{
    Harness h;
    for (int i = 0; i < 14; ++i) {
        const TA1 &a1 = h.app().A1();
        EXPECT_EQ(a1.Aspect[i]->text(), "") << i;
        EXPECT_EQ(a1.AspectList[i]->color(), Red) << i;
        EXPECT_EQ(a1.AspectList[i]->itemIndex(), -1) << i;
    }
    h.click("A0.H9");
    for (int i = 0; i < 14; ++i) {
        const TA1 &a1 = h.app().A1();
        EXPECT_EQ(a1.Aspect[i]->text(), "Stůj") << i;
        EXPECT_EQ(a1.AspectList[i]->itemIndex(), 0) << i;
        EXPECT_EQ(a1.AspectList[i]->color(), Red) << i;
    }
    /* The last signal written is the one the display shows. */
    EXPECT_EQ(h.text("A1.C49"), "S7");
    EXPECT_EQ(displayLamps(h), "00100");
}

TEST(StateStore, ClickingAnAspectRowSetsTheAspectButSelectingFromCodeDoesNot)
{
    Harness h;
    h.clickRow("A1.C04", 1);
    EXPECT_EQ(h.text("A1.C03"), "Volno");
    EXPECT_EQ(h.color("A1.C04"), Lime);
    EXPECT_EQ(h.text("A1.C49"), "L");
    EXPECT_EQ(displayLamps(h), "01000");

    h.clickRow("A1.C20", 3);
    EXPECT_EQ(h.text("A1.C19"), "Posun dovolen");
    EXPECT_EQ(h.color("A1.C20"), White);

    h.as<ui::ListBox>("A1.C07").setItemIndex(2);
    EXPECT_EQ(h.text("A1.C06"), "");
    EXPECT_EQ(h.color("A1.C07"), Red);
    EXPECT_EQ(h.text("A1.C49"), "Lc1");
}

TEST(StateStore, TheDisplayShowsTheLampsOfTheChosenSignalsAspect)
{
    Harness h;
    const std::pair<const char *, const char *> entry[] = {
        {"Stůj", "00100"},          {"Volno", "01000"},         {"Výstraha", "10000"}, {"40 a volno", "01001"},
        {"40 a výstraha", "10001"}, {"40 a 40", "00001"},        {"PN", "00100"},       {"Porucha", "00000"},
    };
    for (auto [aspect, lamps] : entry) {
        h.type("A1.C09", QString::fromUtf8(aspect));
        EXPECT_EQ(h.text("A1.C49"), "S");
        EXPECT_EQ(displayLamps(h), lamps) << aspect;
    }
    h.type("A1.C19", "Opak.výstrahy");
    EXPECT_EQ(displayLamps(h), "10010");
    h.type("A1.C46", "Posun dovolen");
    EXPECT_EQ(displayLamps(h), "00010");

    /* The player picks another signal: the display follows without any aspect changing. */
    h.type("A1.C03", "40 a volno");
    h.type("A1.C49", "S7");
    EXPECT_EQ(displayLamps(h), "00010");
    h.type("A1.C49", "L");
    EXPECT_EQ(displayLamps(h), "01001");
    h.type("A1.C49", "(vyber návěstidlo)");
    EXPECT_EQ(displayLamps(h), "00000");
    EXPECT_EQ(h.text("A1.C03"), "40 a volno");
}

TEST(StateStore, AWarningStartsItsCountdownFromTheFaceAsFromCode)
{
    Harness h;
    h.type("A1.Varovani", "Vlak 1911 stojí před vjezdovým návěstidlem L");
    EXPECT_EQ(h.value("A1.VarovaniT"), 6);

    h.as<ui::SpinEdit>("A1.VarovaniT").setValue(2);
    h.app().A1().Varovani->setText("Vlak 1912 projel předvěstí S ve výstraze");
    EXPECT_EQ(h.value("A1.VarovaniT"), 6);

    /* Clearing the warning leaves the countdown alone. */
    h.as<ui::SpinEdit>("A1.VarovaniT").setValue(2);
    h.type("A1.Varovani", "");
    EXPECT_EQ(h.value("A1.VarovaniT"), 2);
}

TEST(StateStore, TheScrollBarMovesVrbskasPanelWithinItsWindow)
{
    Harness h;
    auto &block = h.control("A1.CHBlok");
    auto &window = h.control("A1.Panel1");
    auto &bar = h.as<ui::ScrollBar>("A1.ScrollBar1");
    ASSERT_GT(block.height(), window.height());
    const int travel = block.height() - window.height();
    /* At the start the panel already stands where position 74 puts it. */
    EXPECT_EQ(block.top(), -(travel * 74 / 100));

    bar.setPosition(0);
    EXPECT_EQ(block.top(), 0);
    bar.setPosition(100);
    EXPECT_EQ(block.top() + block.height(), window.height());
    bar.setPosition(50);
    EXPECT_EQ(block.top(), -(travel / 2));
}

TEST(StateStore, ZavritClosesTheNeighbourFaceAndResetsItsMenuItem)
{
    Harness h;
    h.click("A0.J3");
    ASSERT_TRUE(h.visible("A1.SouZST"));
    ASSERT_FALSE(h.enabled("A0"));
    h.click("A1.Label1");
    EXPECT_FALSE(h.visible("A1"));
    EXPECT_TRUE(h.enabled("A0"));
    EXPECT_EQ(h.as<ui::Image>("A0.J3").picture(), h.as<ui::Image>("A0.Tl1").picture());
}

TEST(StateStore, TheGameEndReturnsEveryCellToItsInitialValue)
{
    Harness fresh;
    const QMap<QString, QString> initial = snapshot(fresh.app().A1());

    Harness h;
    h.click("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.ticks(5);
    for (const auto &c : h.app().A1().controls())
        if (!c->name().isEmpty())
            disturb(*c);
    h.as<ui::ScrollBar>("A1.ScrollBar1").setPosition(10);
    ASSERT_NE(snapshot(h.app().A1()), initial);

    h.click("A0.H5");
    const QMap<QString, QString> after = snapshot(h.app().A1());
    /* The menu's choices are carried into the new store: it shows them still. */
    const QStringList carried{"Grafikon",   "GrafikonDir", "StaniceA1",  "StaniceA2",     "StaniceA3",
                              "StaniceA4",  "KodSt1",      "KodSt2",     "KodPoruchy",    "Zvuky",
                              "KodRychTel", "KodZapadky",  "KodMavex",   "NakladniVlaky"};
    EXPECT_EQ(after.keys(), initial.keys());
    for (auto it = initial.cbegin(); it != initial.cend(); ++it) {
        if (!carried.contains(it.key())) {
            EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
        }
    }

    /* The new store is wired like the first one. */
    h.type("A1.Varovani", "Pozor");
    EXPECT_EQ(h.value("A1.VarovaniT"), 6);
    h.clickRow("A1.C47", 1);
    EXPECT_EQ(h.text("A1.C46"), "Volno");
}

TEST(StateStore, TheDiagnosticsFaceIsTidy)
{
    Harness h;
    const TA1 &a1 = h.app().A1();
    std::vector<const ui::Control *> containers{a1.B00};
    while (!containers.empty()) {
        const ui::Control *parent = containers.back();
        containers.pop_back();
        std::vector<const ui::Control *> placed;
        for (const ui::Control *c : parent->children()) {
            if (!takesRoom(*c))
                continue;
            const QRect r = c->bounds();
            EXPECT_TRUE(QRect(0, 0, parent->width(), parent->height()).contains(r))
                << c->name().toStdString() << " '" << c->caption().toStdString() << "' leaves its parent "
                << parent->name().toStdString();
            if (c->isContainer()) {
                containers.push_back(c);
            } else if (!c->name().isEmpty() && c->kind() != ui::Kind::Label && c->kind() != ui::Kind::Button &&
                       c->kind() != ui::Kind::Shape) {
                EXPECT_TRUE(labelled(*c)) << c->name().toStdString() << " has no label";
            }
            /* The pages of a page control lie on top of each other by design. */
            if (c->kind() == ui::Kind::TabSheet || c->kind() == ui::Kind::Shape)
                continue;
            for (const ui::Control *other : placed)
                EXPECT_FALSE(r.intersects(other->bounds()))
                    << c->name().toStdString() << " '" << c->caption().toStdString() << "' overlaps "
                    << other->name().toStdString() << " '" << other->caption().toStdString() << "'";
            placed.push_back(c);
        }
    }
}
