/** @file menu_pages_test.cpp The menu's left items, pages, hover, option toggles, names, in-game rows and quit. */
#include "harness/harness.h"

#include "frame/menu_model.h"

#include <gtest/gtest.h>

namespace {

const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);
const QColor Grey(0x3F, 0x3F, 0x3F);

QColor fontColor(Harness &h, const QString &name)
{
    return h.control(name).font().color;
}

QImage picture(Harness &h, const QString &name)
{
    return h.as<ui::Image>(name).picture();
}

/** The names of the thirteen pages that are visible now. */
QStringList visiblePages(Harness &h)
{
    QStringList shown;
    for (const char *p : {"G4", "I0", "I9", "K0", "L1", "M2", "N7", "P1", "Q5", "S0", "T1", "U2", "V1"})
        if (h.visible(QStringLiteral("A0.") + p))
            shown << p;
    return shown;
}

/** @return the menu's captions, frames and edits that are blue now. */
QStringList lit(Harness &h)
{
    QStringList blue;
    for (const auto &c : h.app().form("A0")->controls()) {
        const bool shape = c->kind() == ui::Kind::Shape;
        const QColor colour = shape ? static_cast<ui::Shape &>(*c).penColor() : c->font().color;
        if (colour == Blue && c->name() != "V2" && c->name() != "U3" && c->name() != "U4" &&
            !c->name().startsWith("U") && c->name() != "C9")
            blue << c->name();
    }
    return blue;
}

} // namespace

TEST(MenuItems, EachItemOpensItsPageAndMarksItself)
{
    Harness h;
    h.openMenu();
    EXPECT_TRUE(visiblePages(h).isEmpty());
    h.click("A0.F8");
    EXPECT_EQ(visiblePages(h), QStringList{"K0"});
    EXPECT_EQ(picture(h, "A0.F8"), picture(h, "A0.Tl5"));
    h.hoverClick("A0.K4"); // "Editace jmen ..."
    EXPECT_EQ(visiblePages(h), QStringList{"M2"});
    EXPECT_EQ(fontColor(h, "A0.K3"), Navy);
    EXPECT_EQ(picture(h, "A0.F8"), picture(h, "A0.Tl5"));
    h.click("A0.F8"); // the selected item again: back to its first page
    EXPECT_EQ(visiblePages(h), QStringList{"K0"});
    h.click("A0.G0");
    EXPECT_EQ(visiblePages(h), QStringList{"U2"});
    EXPECT_EQ(picture(h, "A0.F8"), picture(h, "A0.Tl1"));
    EXPECT_EQ(picture(h, "A0.G0"), picture(h, "A0.Tl5"));
    h.click("A0.F4");
    EXPECT_EQ(visiblePages(h), QStringList{"G4"});
}

TEST(MenuItems, MoznostiIsGreyAndDeadUntilAGameRuns)
{
    Harness h;
    h.openMenu();
    EXPECT_EQ(fontColor(h, "A0.F7"), Grey);
    h.moveOver("A0.F6", 1, 1);
    EXPECT_EQ(fontColor(h, "A0.F7"), Grey);
    h.click("A0.F6");
    EXPECT_TRUE(visiblePages(h).isEmpty());
    EXPECT_EQ(picture(h, "A0.F6"), picture(h, "A0.Tl1"));

    h.click("A0.F4");
    h.click("A0.H9");
    h.keyDown("A6", ui::key::Escape);
    EXPECT_EQ(fontColor(h, "A0.F7"), Navy);
    h.hoverClick("A0.F6");
    EXPECT_EQ(visiblePages(h), QStringList{"I9"});
    h.hoverClick("A0.H5"); // hidden page: its button still works by hand
    EXPECT_EQ(fontColor(h, "A0.F7"), Grey);
}

TEST(MenuHover, AtMostOneRowIsLitAndGreyRowsAreLeftAlone)
{
    Harness h;
    h.openMenu();
    h.click("A0.F8");
    h.moveOver("A0.K2", 1, 1);
    EXPECT_EQ(lit(h), QStringList{"K1"});
    h.moveOver("A0.K6", 1, 1);
    EXPECT_EQ(lit(h), QStringList{"K5"});
    h.moveOver("A0.F4", 1, 1);
    EXPECT_EQ(lit(h), QStringList{"F5"});
    h.moveOver("A0.F6", 1, 1); // grey: neither lit nor clearing
    EXPECT_EQ(lit(h), QStringList{"F5"});
    h.moveOver("A0.K6", 1, 1);
    h.moveOver("A0.K6", 2, 2); // already lit: nothing changes
    EXPECT_EQ(lit(h), QStringList{"K5"});
    h.moveOver("A0.K5", 1, 1); // a caption label resets
    EXPECT_TRUE(lit(h).isEmpty());
    h.moveOver("A0.K6", 1, 1);
    h.moveOver("A0.F1", 1, 1); // a column picture resets
    EXPECT_TRUE(lit(h).isEmpty());

    h.hoverClick("A0.K4");
    h.moveOver("A0.M8", 1, 1); // an edit row lights its title, frame and edit
    EXPECT_EQ(lit(h), (QStringList{"M6", "M7", "M8"}));
    h.moveOver("A0.N3", 1, 1);
    EXPECT_EQ(lit(h), (QStringList{"N2", "N3", "N4"}));
    h.moveOver("A0.M2", 1, 1); // the page itself resets
    EXPECT_TRUE(lit(h).isEmpty());
}

TEST(MenuOptions, EveryToggleWritesItsCheckBoxAndPicture)
{
    Harness h;
    h.openMenu();
    h.click("A0.F8");
    const struct {
        const char *image;
        const char *box;
        bool needsHover;
    } toggles[] = {{"A0.K6", "A1.KodSt1", false}, {"A0.K8", "A1.KodSt2", false},
                   {"A0.L0", "A1.KodPoruchy", true}, {"A0.L3", "A1.Zvuky", false},
                   {"A0.L5", "A1.KodRychTel", false}, {"A0.L7", "A1.KodZapadky", true},
                   {"A0.L9", "A1.KodMavex", true}};
    for (const auto &t : toggles) {
        if (QString(t.image).startsWith("A0.L") && QString(t.image) != "A0.L0" && !h.visible("A0.L1"))
            h.hoverClick("A0.K2"); // "Nastavení hry ..."
        const bool before = h.checked(t.box);
        if (t.needsHover) {
            h.moveOver("A0.F4", 1, 1); // the row is not lit: the click does nothing
            h.click(t.image);
            EXPECT_EQ(h.checked(t.box), before) << t.image;
        }
        h.hoverClick(t.image);
        EXPECT_EQ(h.checked(t.box), !before) << t.image;
        EXPECT_EQ(picture(h, t.image), picture(h, before ? "A0.Tl4" : "A0.Tl3")) << t.image;
        h.hoverClick(t.image);
        EXPECT_EQ(h.checked(t.box), before) << t.image;
        EXPECT_EQ(picture(h, t.image), picture(h, before ? "A0.Tl3" : "A0.Tl4")) << t.image;
    }
    h.hoverClick("A0.M1"); // "OK" back to the settings
    EXPECT_EQ(visiblePages(h), QStringList{"K0"});
    EXPECT_EQ(fontColor(h, "A0.M0"), Navy);
}

TEST(MenuNames, TheNamesPageHoldsTheFourSurnames)
{
    Harness h;
    h.openMenu();
    EXPECT_EQ(h.text("A0.M5"), "Modrý");
    EXPECT_EQ(h.text("A0.M8"), "Zelený");
    EXPECT_EQ(h.text("A0.N1"), "Červený");
    EXPECT_EQ(h.text("A0.N4"), "Žlutý");
    h.click("A0.F8");
    h.hoverClick("A0.K4");
    h.type("A0.M5", "Novák");
    h.hoverClick("A0.N6");
    EXPECT_EQ(visiblePages(h), QStringList{"K0"});
    EXPECT_EQ(fontColor(h, "A0.N5"), Navy);
    EXPECT_EQ(h.text("A0.M5"), "Novák");
}

TEST(MenuInGame, ReleaseOfSubstituteLatches)
{
    Harness h;
    h.click("A0.H9");
    h.keyDown("A6", ui::key::Escape);
    h.hoverClick("A0.F6");
    /* At rest nothing moves. */
    h.press("A0.J1", 1, 1);
    EXPECT_EQ(picture(h, "A0.J1"), picture(h, "A0.Tl2"));
    h.release(1, 1);
    EXPECT_EQ(picture(h, "A0.J1"), picture(h, "A0.Tl1"));
    for (const char *f : {"A1.NavBOdSt", "A1.NavMOdSt", "A1.TSJ", "A1.PHCHOd", "A1.TSCH"})
        EXPECT_EQ(h.value(f), 1) << f;
    h.type("A1.NavMOdSt", "3");
    h.type("A1.PHCHOd", "6");
    h.type("A1.NavCHOd", "5");
    h.click("A0.J1");
    EXPECT_EQ(h.value("A1.NavMOdSt"), 6);
    EXPECT_EQ(h.value("A1.PHCHOd"), 6);
    h.type("A1.NavCHOd", "4");
    h.click("A0.J1");
    EXPECT_EQ(h.value("A1.PHCHOd"), 1);
}

TEST(MenuInGame, TheNeighbourFaceDisablesTheMenuUntilClosed)
{
    Harness h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), QSize(1280, 1024));
    h.click("A0.H9");
    h.keyDown("A6", ui::key::Escape);
    h.click("A0.J3");
    EXPECT_TRUE(h.visible("A1"));
    EXPECT_TRUE(h.visible("A1.SouZST"));
    EXPECT_FALSE(h.visible("A1.B00"));
    EXPECT_FALSE(h.enabled("A0"));
    EXPECT_EQ(picture(h, "A0.J3"), picture(h, "A0.Tl5"));
    const QRect a1 = h.control("A1").bounds();
    EXPECT_EQ(a1.topLeft(), QPoint((1280 - a1.width()) / 2, (1024 - a1.height()) / 2));
    h.click("A1.Label1"); // "zavřít"
    EXPECT_TRUE(h.enabled("A0"));
    EXPECT_EQ(picture(h, "A0.J3"), picture(h, "A0.Tl1"));

    h.click("A0.J9");
    EXPECT_TRUE(h.visible("A1.B00"));
    EXPECT_FALSE(h.visible("A1.SouZST"));
    EXPECT_EQ(h.as<ui::Form>("A1").borderStyle(), ui::BorderStyle::Single);
    h.closeForm("A1");
    EXPECT_TRUE(h.enabled("A0"));
    EXPECT_EQ(picture(h, "A0.J9"), picture(h, "A0.Tl1"));
}

TEST(MenuAbout, IntroReplaysWithoutANewLayout)
{
    Harness h;
    h.openMenu();
    h.click("A0.G0");
    h.hoverClick("A0.V0");
    EXPECT_FALSE(h.visible("A0.F0"));
    EXPECT_TRUE(h.visible("A0.E5"));
    EXPECT_EQ(fontColor(h, "A0.U9"), Navy);
    h.as<ui::Control>("A0.F4").setBounds(1, 1, 2, 2); // a moved control shows whether the layout runs again
    h.advanceMs(3 * 5000);
    h.advanceMs(10);
    EXPECT_TRUE(h.visible("A0.F0"));
    EXPECT_EQ(visiblePages(h), QStringList{"U2"});
    EXPECT_EQ(h.control("A0.F4").bounds(), QRect(1, 1, 2, 2));
}

TEST(MenuQuit, NeClosesThePageAndAnoEndsTheProgram)
{
    Harness h;
    bool ended = false;
    h.app().onQuit = [&ended] { ended = true; };
    h.openMenu();
    h.click("A0.G2");
    EXPECT_EQ(visiblePages(h), QStringList{"V1"});
    EXPECT_EQ(h.text("A0.V2"), "Opravdu ukončit ?");
    h.hoverClick("A0.V6");
    EXPECT_TRUE(visiblePages(h).isEmpty());
    EXPECT_EQ(picture(h, "A0.G2"), picture(h, "A0.Tl1"));
    EXPECT_EQ(fontColor(h, "A0.V5"), Navy);
    EXPECT_FALSE(ended);
    h.click("A0.H9"); // even while a game runs
    h.click("A0.G2");
    h.click("A0.V4");
    EXPECT_TRUE(ended);
}

TEST(MenuCodes, TheCodesFollowTheComponentAndItsHandler)
{
    EXPECT_EQ(frame::menuCode("F4", "A"), "Error 00F4-A.");
    EXPECT_EQ(frame::menuCode("F4", "B"), "Error 00F4-B.");
    EXPECT_EQ(frame::menuCode("Q8", "C"), "Error 00Q8-C.");
    EXPECT_EQ(frame::menuCode("R1", "A"), "Error 00R1-A.");
    EXPECT_EQ(frame::menuCode("R1", "B"), "Error 00R1-B");
    EXPECT_EQ(frame::menuCode("V6", "B"), "Error 00V6-B");
}

TEST(MenuHiddenPages, TheirButtonsLeadOnAlthoughNoActionShowsThem)
{
    Harness h;
    h.openMenu();
    const struct {
        const char *page;
        const char *button;
        const char *caption;
        const char *to;
    } steps[] = {{"N7", "O8", "O7", "M2"}, {"N7", "P0", "O9", "P1"}, {"P1", "Q2", "Q1", "N7"},
                 {"P1", "Q4", "Q3", "K0"}, {"Q5", "R9", "R8", "K0"}, {"S0", "T0", "S9", "K0"},
                 {"T1", "U1", "U0", "K0"}};
    for (const auto &s : steps) {
        for (const QString &p : visiblePages(h))
            h.control("A0." + p).hide();
        h.control(QString("A0.") + s.page).show();
        h.hoverClick(QString("A0.") + s.button);
        EXPECT_EQ(visiblePages(h), QStringList{s.to}) << s.button;
        EXPECT_EQ(fontColor(h, QString("A0.") + s.caption), Navy) << s.button;
    }
    /* The language and substitute rows do nothing. */
    h.control("A0.K0").hide();
    h.control("A0.S0").show();
    h.hoverClick("A0.S4");
    EXPECT_EQ(visiblePages(h), QStringList{"S0"});
    EXPECT_TRUE(h.messages().isEmpty());
}
