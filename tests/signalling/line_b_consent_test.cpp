/** @file line_b_consent_test.cpp Struhy's buttons on the neighbour-stations face and the line-B consent they pass. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

const QColor Lime(0, 255, 0);
const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

/** Presses and releases a button of Struhy's panel, as the player clicks it. */
void pressButton(Harness &h, const QString &button)
{
    h.press(button, 4, 4);
    h.release(4, 4);
}

/** @return which line-B lamps are lit: Struhy's USM, VTM, PSM, then the desk's USM, VTM, PSM, as "010 010". */
QString consentLamps(const Harness &h)
{
    QString out;
    for (const char *lamp : {"A1.USM", "A1.VTM", "A1.PSM"})
        out += h.visible(lamp) ? '1' : '0';
    out += ' ';
    for (const char *lamp : {"A6.USM", "A6.VTM", "A6.PSM"})
        out += h.visible(lamp) ? '1' : '0';
    return out;
}

/** Sets the desk's line-B lamps as the desk shows them while the consent is given away. */
void deskGaveConsent(Harness &h)
{
    h.control("A6.USM").show();
    h.control("A6.VTM").show();
    h.control("A6.PSM").hide();
}

} // namespace

TEST(LineBConsent, ButtonsMoveTwoPixelsAgainstTheirRowAndComeBack)
{
    Harness h;
    const int level = h.control("A1.VZM").top();
    for (const char *b : {"A1.TSM", "A1.ZSM"}) {
        h.press(b, 4, 4);
        EXPECT_EQ(h.control(b).top(), level + 2) << b;
        h.release(4, 4);
        EXPECT_EQ(h.control(b).top(), level) << b;
    }
    h.press("A1.ODHLM", 4, 4);
    EXPECT_EQ(h.control("A1.ODHLM").top(), level - 2);
    h.release(4, 4);
    EXPECT_EQ(h.control("A1.ODHLM").top(), level);
    h.press("A1.VZM", 4, 4);
    EXPECT_EQ(h.control("A1.VZM").top(), h.control("A1.ODHLM").top() + 2);
    h.release(4, 4);
    EXPECT_EQ(h.control("A1.VZM").top(), level);

    /* ODHLM and VZM pass nothing, whatever the consent. */
    for (const QColor &c : {Lime, Yellow, Red, Blue}) {
        h.as<ui::Edit>("A1.SmerB").setColor(c);
        pressButton(h, "A1.ODHLM");
        pressButton(h, "A1.VZM");
        EXPECT_EQ(h.color("A1.SmerB"), c);
    }
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(LineBConsent, StruhyGivesTheAskedConsentBackAndAsksForItAgain)
{
    Harness h;
    EXPECT_EQ(h.color("A1.SmerB"), Red);
    deskGaveConsent(h);
    const QString given = consentLamps(h);
    EXPECT_EQ(given, "011 110");

    /* While the consent is with Struhy, its TSM does nothing but move. */
    pressButton(h, "A1.TSM");
    EXPECT_EQ(h.color("A1.SmerB"), Red);
    EXPECT_EQ(consentLamps(h), given);

    /* The desk asks for it back (blue); Struhy's TSM returns it. */
    h.as<ui::Edit>("A1.SmerB").setColor(Blue);
    pressButton(h, "A1.TSM");
    EXPECT_EQ(h.color("A1.SmerB"), Lime);
    EXPECT_EQ(consentLamps(h), "110 011");

    /* A second press changes nothing more. */
    h.control("A6.PSM").hide();
    pressButton(h, "A1.TSM");
    EXPECT_EQ(h.color("A1.SmerB"), Lime);
    EXPECT_FALSE(h.visible("A6.PSM"));

    /* Struhy asks for it while its VT lamp is lit. */
    pressButton(h, "A1.ZSM");
    EXPECT_EQ(h.color("A1.SmerB"), Yellow);
    EXPECT_EQ(h.text("A1.SmerB"), "Poloautoblok");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(LineBConsent, StruhyAsksOnlyWhileTheConsentIsHereAndItsVTLampLit)
{
    Harness h;
    for (const QColor &c : {Red, Blue, Yellow}) {
        h.as<ui::Edit>("A1.SmerB").setColor(c);
        pressButton(h, "A1.ZSM");
        EXPECT_EQ(h.color("A1.SmerB"), c);
    }
    h.as<ui::Edit>("A1.SmerB").setColor(Lime);
    h.control("A1.VTM").hide(); // a train of Struhy's is on its way
    pressButton(h, "A1.ZSM");
    EXPECT_EQ(h.color("A1.SmerB"), Lime);
    h.control("A1.VTM").show();
    pressButton(h, "A1.ZSM");
    EXPECT_EQ(h.color("A1.SmerB"), Yellow);
    /* Yellow is not blue: TSM gives nothing back. */
    pressButton(h, "A1.TSM");
    EXPECT_EQ(h.color("A1.SmerB"), Yellow);
}

TEST(LineBConsent, TheClocksCountDownAndStruhysButtonEndInTheSameState)
{
    QStringList ends;
    for (bool byButton : {false, true}) {
        Harness h;
        deskGaveConsent(h);
        h.as<ui::Edit>("A1.SmerB").setColor(Blue);
        h.as<ui::SpinEdit>("A1.TSMOn").setValue(3);
        if (byButton)
            pressButton(h, "A1.TSM");
        h.ticks(3);
        EXPECT_EQ(h.color("A1.SmerB"), Lime) << byButton;
        EXPECT_EQ(h.value("A1.TSMOn"), byButton ? 1 : 0) << byButton;
        ends << consentLamps(h);
    }
    EXPECT_EQ(ends, (QStringList{"110 011", "110 011"}));
}
