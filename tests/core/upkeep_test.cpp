/** @file upkeep_test.cpp The per-tick upkeep and the technical faults, through real clock ticks. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

/** Puts lever n of signal box 1 down or up, or half thrown. */
enum class At { Down, Up, Half };
void lever(Harness &h, int n, At at)
{
    const QString stem = "A7.Paka" + QString::number(n);
    const int base = h.as<ui::Image>(stem + "c").top();
    h.as<ui::Image>(stem + "b").setTop(at == At::Down ? base + 147 : at == At::Up ? base - 291 : base + 20);
}

TEST(Upkeep, CountdownsActOnTheTickBeforeTheyWouldReachZero)
{
    Harness h;
    h.type("A1.Varovani", " Pozor ");
    h.type("A1.VarovaniT", "6");
    h.ticks(4);
    EXPECT_EQ(h.text("A1.Varovani"), " Pozor ");
    h.ticks(1);
    EXPECT_EQ(h.text("A1.Varovani"), "");
    EXPECT_EQ(h.value("A1.VarovaniT"), 0);
    h.type("A1.PZZOpen", "3");
    h.ticks(5);
    EXPECT_EQ(h.value("A1.PZZOpen"), 1);
}

TEST(Upkeep, DiallingConnectsOnTheNinthTickAfterTen)
{
    Harness h;
    TA6 &a6 = h.app().A6();
    a6.G1->setLines({"Struhy - vytáčí se ...", "druhý řádek"});
    a6.G2->setEnabled(false);
    h.type("A1.TelOn", "10");
    h.ticks(8);
    EXPECT_FALSE(h.enabled("A6.G2"));
    h.ticks(1);
    EXPECT_EQ(h.line("A6.G1", 0), "Struhy.");
    EXPECT_EQ(h.line("A6.G1", 1), "druhý řádek");
    EXPECT_TRUE(h.enabled("A6.G2"));
    EXPECT_EQ(h.value("A1.TelOn"), 0);
}

TEST(Upkeep, RouteTracksFollowTheLeversOfBox1)
{
    Harness h;
    h.ticks(1);
    EXPECT_EQ(h.value("A1.KolejA"), 1);
    EXPECT_EQ(h.value("A1.KolejB"), 3);
    lever(h, 4, At::Up);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.KolejA"), 2);
    lever(h, 1, At::Half);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.KolejA"), 2);
    lever(h, 1, At::Up);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.KolejA"), 0);
    for (int n : {2, 8, 10})
        lever(h, n, At::Up);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.KolejA"), 5);
    EXPECT_EQ(h.value("A1.KolejB"), 0);
    lever(h, 2, At::Down);
    lever(h, 10, At::Down);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.KolejB"), 7);
}

TEST(Upkeep, TheRouteOfLineCFollowsThePointsOfBox2)
{
    Harness h;
    const auto route = [&h](int p13, int p12, int p11, int p10) {
        h.type("A1.Vymena13", QString::number(p13));
        h.type("A1.Vymena12", QString::number(p12));
        h.type("A1.Vymena11", QString::number(p11));
        h.type("A1.Vymena10", QString::number(p10));
        h.ticks(1);
        return h.value("A1.KolejC");
    };
    EXPECT_EQ(route(10, 10, 10, 10), 1);
    EXPECT_EQ(route(3, 10, 10, -4), 2);
    EXPECT_EQ(route(-10, 10, 10, 10), 3);
    EXPECT_EQ(route(-10, -10, 0, 10), 5);
    EXPECT_EQ(route(-10, -10, -10, 10), 7);
}

TEST(Upkeep, StruhyGivesTheLineBConsentBackOnlyWhileItsLampIsLit)
{
    Harness h;
    TA1 &a1 = h.app().A1();
    a1.SmerB->setColor(QColor(0, 0, 255));
    a1.VTM->hide();
    h.type("A1.TSMOn", "5");
    h.ticks(10);
    EXPECT_EQ(h.value("A1.TSMOn"), 5);
    a1.VTM->show();
    h.ticks(4);
    EXPECT_EQ(h.value("A1.TSMOn"), 0);
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 255, 0));
    EXPECT_TRUE(h.visible("A1.USM"));
    EXPECT_FALSE(h.visible("A1.PSM"));
    EXPECT_TRUE(h.visible("A6.VTM"));
    EXPECT_TRUE(h.visible("A6.PSM"));
    EXPECT_FALSE(h.visible("A6.USM"));
}

TEST(Upkeep, VrbskaPressesItsConsentLeverAndReleasesItOnceTheFieldIsDown)
{
    Harness h;
    TA1 &a1 = h.app().A1();
    const int rest = a1.PakaTSJ->top();
    h.type("A1.TSJ", "6");
    h.type("A1.TSCHOn", "10");
    h.ticks(7);
    EXPECT_EQ(a1.PakaTSJ->top(), rest);
    h.ticks(1);
    EXPECT_EQ(a1.PakaTSJ->top(), rest + 7);
    EXPECT_EQ(h.value("A1.TSJ"), 5);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverCH"));
    /* What the crank does meanwhile: the field comes down to 1. */
    a1.ZaverCH->setEnabledFlag(false);
    a1.ZaverCH->setEnabledFlag(true);
    h.type("A1.TSJ", "1");
    h.ticks(1);
    EXPECT_EQ(a1.PakaTSJ->top(), a1.PakaNavJOd->top());
    EXPECT_FALSE(h.timerEnabled("A1.ZaverCH"));
    EXPECT_EQ(h.value("A1.TSCHOn"), 0);
}

TEST(Upkeep, TheCrossingClosesWhileOneRedLampWorks)
{
    Harness h;
    h.type("A1.PZZ", "Uzavíraný");
    h.check("A1.PZZL", true);
    h.type("A1.PZZ2", "3");
    h.ticks(2);
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavřený");
    EXPECT_EQ(h.value("A1.PZZ2"), 0);
    h.type("A1.PZZ", "Uzavíraný");
    h.check("A1.PZZP", true);
    h.type("A1.PZZ2", "3");
    h.ticks(5);
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavíraný");
    EXPECT_EQ(h.value("A1.PZZ2"), 1);
    h.check("A1.PZZP", false);
    h.ticks(1);
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavřený");
}

TEST(Faults, TheFirstFaultComesAfter999TicksAndIsClearedToStop)
{
    Harness h;
    h.check("A1.KodPoruchy", true);
    h.type("A1.PoruchaCislo", "0");
    h.ticks(998);
    EXPECT_EQ(h.value("A1.PoruchaKonec"), 0);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.PoruchaDalsi"), 0);
    EXPECT_EQ(h.value("A1.PoruchaKonec"), 599);
    QStringList faulty;
    for (const char *c : {"C03", "C06", "C09", "C16", "C19", "C22", "C25", "C28", "C31", "C34", "C37", "C40", "C43",
                          "C46"})
        if (h.text(QString("A1.") + c) == "Porucha")
            faulty << c;
    for (const char *c : {"C12", "C13", "C14", "PZZL", "PZZP"})
        if (h.checked(QString("A1.") + c))
            faulty << c;
    EXPECT_EQ(faulty.size(), 1) << faulty.join(' ').toStdString();
    h.ticks(598);
    EXPECT_EQ(h.value("A1.PoruchaKonec"), 0);
    for (const char *c : {"C03", "C16", "C46"})
        EXPECT_NE(h.text(QString("A1.") + c), "Porucha");
    for (const char *c : {"C12", "C13", "C14", "PZZL", "PZZP"})
        EXPECT_FALSE(h.checked(QString("A1.") + c));
    const int m = h.line("A1.Minuta", 0).toInt();
    const int s = h.text("A1.Sekunda").toInt();
    EXPECT_EQ(h.value("A1.PoruchaDalsi"), ((60 - m) + (60 - s)) * 60 + 600);
}

TEST(Faults, AClearedSignalShowsStopAndFaultsOffEndFaultsForTheGame)
{
    Harness h;
    h.type("A1.C19", "Volno");
    h.type("A1.C16", "Porucha");
    h.type("A1.PoruchaKonec", "2");
    h.ticks(1);
    EXPECT_EQ(h.text("A1.C16"), "Stůj");
    EXPECT_EQ(h.text("A1.C19"), "Volno");
    /* With faults off when the next one is due, none comes any more. */
    h.type("A1.PoruchaDalsi", "2");
    h.ticks(1);
    EXPECT_EQ(h.value("A1.PoruchaDalsi"), 0);
    h.check("A1.KodPoruchy", true);
    h.ticks(20);
    EXPECT_EQ(h.value("A1.PoruchaKonec"), 0);
}

TEST(Faults, AClockCellThatIsNoNumberFailsTheFaultStep)
{
    Harness h;
    h.setClock(12, 10, 0);
    h.type("A1.C16", "Porucha");
    h.type("A1.PoruchaKonec", "2");
    h.type("A1.PoruchaCislo", "5");
    /* The minute cell holds a word when the fault ends: the tick fails there. */
    h.type("A1.Minuta", "x\n11\n12\n13\n14\n15");
    h.ticks(1);
    EXPECT_EQ(h.messages(), (QStringList{"Error A1H", "'x' is not a valid integer value"}));
    EXPECT_EQ(h.text("A1.C16"), "Porucha") << "the faults are not cleared by a failed tick";
    EXPECT_EQ(h.value("A1.PoruchaKonec"), 1) << "the end of the fault waits for the next tick";
    EXPECT_EQ(h.value("A1.PoruchaDalsi"), 999) << "the step before the failure ran";
    EXPECT_EQ(h.value("A1.PoruchaCislo"), 5) << "the steps after the failure did not run";

    /* A number again: the next tick ends the fault. */
    h.clearMessages();
    h.type("A1.Minuta", "10\n11\n12\n13\n14\n15");
    h.ticks(1);
    EXPECT_TRUE(h.messages().isEmpty());
    EXPECT_EQ(h.text("A1.C16"), "Stůj");
    EXPECT_EQ(h.value("A1.PoruchaKonec"), 0);
    EXPECT_EQ(h.value("A1.PoruchaDalsi"), ((60 - 10) + (60 - 2)) * 60 + 600);
    EXPECT_EQ(h.value("A1.PoruchaCislo"), 5 + (24 - 12) + 3 - 19);

    /* The hour cell is read on every tick to stir the fault number. */
    h.type("A1.Hodina", "?\n12\n12\n12\n12\n12");
    h.ticks(1);
    EXPECT_EQ(h.messages(), (QStringList{"Error A1H", "'?' is not a valid integer value"}));
    EXPECT_EQ(h.value("A1.PoruchaCislo"), 1) << "not stirred by an hour that is no number";
}

TEST(Faults, TheFaultNumberIsStirredByTheHour)
{
    Harness h;
    h.setClock(0, 10, 0);
    h.type("A1.PoruchaCislo", "19");
    h.ticks(1);
    EXPECT_EQ(h.value("A1.PoruchaCislo"), 8);
    h.setClock(23, 10, 0);
    h.ticks(1);
    EXPECT_EQ(h.value("A1.PoruchaCislo"), 12);
}

} // namespace
