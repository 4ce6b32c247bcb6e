/** @file box1_levers_test.cpp Signal box 1's mechanical levers, call-on buttons and switch DN, by the player's mouse. */
#include "devices/box1_fixture.h"

#include "devices/form_a3.h"
#include "devices/form_a6.h"

#include <gtest/gtest.h>

using namespace box1;

namespace {

constexpr int Up = -291, Down = 147, InHand = 124;

/** @return whether an image shows the picture of a picture-store image. */
bool shows(const Harness &h, const QString &image, const QString &stock)
{
    return h.as<ui::Image>(image).picture() == h.as<ui::Image>("A3." + stock).picture();
}

QString lockText(const Harness &h, int lever)
{
    return h.text(QStringLiteral("A7.Paka%1e").arg(lever));
}

} // namespace

TEST(Box1Levers, APointLeverIsTakenInTheHandAndThrownOver)
{
    Harness h;
    h.press("A7.Paka1b", 20, 20);
    EXPECT_EQ(head(h, 1), InHand);
    EXPECT_TRUE(shows(h, "A7.Paka1b", "PakaS"));
    EXPECT_TRUE(shows(h, "A7.Paka1c", "Paka2"));
    EXPECT_FALSE(h.visible("A7.Paka1d"));
    h.release(20, 20);
    EXPECT_EQ(head(h, 1), Up);
    EXPECT_TRUE(shows(h, "A7.Paka1b", "PakaH"));
    EXPECT_TRUE(shows(h, "A7.Paka1c", "Paka1"));
    EXPECT_TRUE(h.visible("A7.Paka1d"));
    EXPECT_EQ(h.control("A7.Paka1d").top(), 1010 - 126);
    throwLever(h, 1);
    EXPECT_EQ(head(h, 1), Down);
    EXPECT_EQ(h.control("A7.Paka1d").top(), 1010 + 372);

    /* Lever 9 works the other way round and lies on the locked base when down; lever 11 too. */
    throwLever(h, 9);
    EXPECT_EQ(head(h, 9), Down);
    EXPECT_TRUE(shows(h, "A7.Paka9c", "Paka4"));
    h.press("A7.Paka11b", 20, 20);
    EXPECT_TRUE(shows(h, "A7.Paka11c", "Paka3"));
    h.release(20, 20);
    EXPECT_EQ(head(h, 11), Up);
    EXPECT_TRUE(shows(h, "A7.Paka11c", "Paka1"));
}

TEST(Box1Levers, LockedPointsAndTurnedRouteLocksRefuseTheirLevers)
{
    Harness h;
    for (const char *text : {"Z+", "Z-"}) {
        h.as<ui::Edit>("A7.Paka3e").setText(QLatin1String(text));
        throwLever(h, 1);
        EXPECT_EQ(head(h, 1), Down) << text;
        EXPECT_TRUE(h.visible("A7.Paka1d"));
    }
    h.as<ui::Edit>("A7.Paka3e").setText(QString());
    placeKnob(h, "A7.Zavernik4", 1847, 1);
    throwLever(h, 4);
    EXPECT_EQ(head(h, 4), Down);
    throwLever(h, 3);
    EXPECT_EQ(head(h, 3), Up) << "any route lock turned holds lock lever 3";
    throwLever(h, 7);
    EXPECT_EQ(head(h, 7), Up) << "route lock 4 turned holds lock lever 7";
    placeKnob(h, "A7.Zavernik4", 1847, 0);
    throwLever(h, 9);
    ASSERT_EQ(head(h, 9), Down);
    throwLever(h, 8);
    EXPECT_EQ(head(h, 8), Down) << "lever 9 down holds lever 8";
    throwLever(h, 9);
    throwLever(h, 8);
    EXPECT_EQ(head(h, 8), Up);
    throwLever(h, 9);
    EXPECT_EQ(head(h, 9), Up) << "lever 8 up holds lever 9";
}

TEST(Box1Levers, LockLeverThreeLocksItsPointsAlikeAndFreesThem)
{
    Harness h;
    /* Points 1 down, 2 up: thrown over them the lock lever only goes down. */
    throwLever(h, 2);
    ASSERT_EQ(head(h, 2), Up);
    throwLever(h, 3);
    EXPECT_EQ(head(h, 3), Down);
    EXPECT_EQ(lockText(h, 3), "");
    throwLever(h, 3);
    EXPECT_EQ(head(h, 3), Up);

    /* Both down: "Z+" and the locked base. */
    throwLever(h, 2);
    h.press("A7.Paka3b", 20, 20);
    EXPECT_TRUE(shows(h, "A7.Paka3c", "Paka3"));
    h.release(20, 20);
    EXPECT_EQ(head(h, 3), Down);
    EXPECT_EQ(lockText(h, 3), "Z+");
    EXPECT_TRUE(shows(h, "A7.Paka3c", "Paka4"));
    throwLever(h, 1);
    EXPECT_EQ(head(h, 1), Down) << "locked";
    throwLever(h, 3);
    EXPECT_EQ(head(h, 3), Up);
    EXPECT_EQ(lockText(h, 3), "");
    EXPECT_TRUE(shows(h, "A7.Paka3c", "Paka1"));

    /* Both up, lock lever down: thrown up it locks them "Z-". */
    throwLever(h, 1);
    throwLever(h, 3);
    throwLever(h, 2);
    ASSERT_EQ(head(h, 3), Down);
    ASSERT_EQ(lockText(h, 3), "");
    throwLever(h, 3);
    EXPECT_EQ(head(h, 3), Up);
    EXPECT_EQ(lockText(h, 3), "Z-");
    EXPECT_TRUE(shows(h, "A7.Paka3c", "Paka4"));
    throwLever(h, 3);
    EXPECT_EQ(head(h, 3), Down);
    EXPECT_EQ(lockText(h, 3), "");
}

TEST(Box1Levers, ARefusalCounterSendsTheLeverBackUntilItHasRunDown)
{
    Harness h;
    h.as<ui::SpinEdit>("A1.Paka4").setValue(60);
    for (int expected : {55, 50, 45}) {
        throwLever(h, 4);
        EXPECT_EQ(head(h, 4), Down);
        EXPECT_EQ(h.value("A1.Paka4"), expected);
        EXPECT_TRUE(h.visible("A7.Paka4d"));
    }
    throwLever(h, 4);
    EXPECT_EQ(head(h, 4), Up);
    EXPECT_EQ(h.value("A1.Paka4"), 40);

    /* A refused press leaves nothing in the hand: letting go moves nothing and counts nothing. */
    placeKnob(h, "A7.Zavernik1", 1559, -1);
    throwLever(h, 4);
    EXPECT_EQ(head(h, 4), Up);
    EXPECT_EQ(h.value("A1.Paka4"), 40);
}

TEST(Box1Levers, ACallOnButtonGivesOnePNPerDeskPermission)
{
    Harness h;
    h.click("A0.H9");
    TA6 &a6 = h.app().A6();
    if (!a6.find("PNL")) {
        /* The desk's call-on button, as the desk holds it once opened and pressed. */
        a6.make<ui::Image>(a6.frame.D5, "PNL")->setBounds(600, 608, 14, 14);
    }
    const int pnml = h.control("A7.PNML").top();
    h.press("A7.PNL", 5, 5);
    EXPECT_EQ(h.control("A7.PNL").top(), pnml + 2);
    EXPECT_EQ(h.text("A1.C03"), "Stůj") << "no permission lit";
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.PNL").top(), pnml);

    h.control("A7.PNL2").show();
    const int desk = h.control("A6.PNL").top();
    h.press("A7.PNL", 5, 5);
    EXPECT_EQ(h.text("A1.C03"), "PN");
    EXPECT_FALSE(h.visible("A7.PNL2"));
    EXPECT_TRUE(shows(h, "A6.PNL", "Tl2"));
    EXPECT_EQ(h.control("A6.PNL").top(), desk - 2);
    h.release(5, 5);
    EXPECT_EQ(h.text("A1.C03"), "Stůj");

    setWords(h, {{"A1.C03", "40 a výstraha"}});
    h.press("A7.PNL", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
}

TEST(Box1Levers, TheSwitchDNTogglesItsLamp)
{
    Harness h;
    const int top = h.control("A7.DN").top();
    h.click("A7.DN");
    EXPECT_TRUE(h.visible("A7.DN2"));
    EXPECT_EQ(h.control("A7.DN").top(), top + 1);
    EXPECT_TRUE(shows(h, "A7.DN", "RadicP2"));
    h.click("A7.DN");
    EXPECT_FALSE(h.visible("A7.DN2"));
    EXPECT_EQ(h.control("A7.DN").top(), top);
    EXPECT_TRUE(shows(h, "A7.DN", "Radic0"));
}
