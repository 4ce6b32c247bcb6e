/** @file telephone_panel_test.cpp The handset, dialling, the player's sentence, sending and hanging up. */
#include "telephone_fixture.h"

using namespace tel;

namespace {

class Handset : public Desk {};
class CallText : public Desk {
protected:
    /** Moves the minutes bar as the player does. */
    void bar(int minutes) { h.as<ui::ScrollBar>("A6.G4").setPosition(minutes); }
};

} // namespace

TEST_F(Handset, LiftingShowsThePanelWithTheRowsTrainNumbers)
{
    put(cell(3, Cislo), "123");
    put(cell(16, Cislo), "99");
    h.as<ui::ScrollBar>("A6.G4").setPosition(2);
    h.click("A6.E1");
    EXPECT_FALSE(h.visible("A6.E1"));
    EXPECT_TRUE(h.visible("A6.G0"));
    EXPECT_EQ(h.as<ui::ScrollBar>("A6.G4").position(), 5);
    EXPECT_FALSE(h.enabled("A6.G4"));
    EXPECT_TRUE(h.lines("A6.G1").isEmpty()) << "setting the bar composes nothing";
    EXPECT_EQ(h.text("A6.G9"), "123");
    EXPECT_EQ(h.text("A6.I2"), "99");
    EXPECT_EQ(h.text("A6.G7"), "");
    for (const char *off : {"A6.G2", "A6.G3", "A6.G5"})
        EXPECT_FALSE(h.enabled(off)) << off;
    EXPECT_EQ(h.text("A6.G3"), "00:00");

    /* The labels keep what they read at lifting. */
    put(cell(3, Cislo), "");
    EXPECT_EQ(h.text("A6.G9"), "123");
}

TEST_F(Handset, DiallingConnectsAfterTheDrawnDelay)
{
    h.click("A6.E1");
    h.click("A6.F1");
    const int rest = h.control("A6.E2").top();
    h.press("A6.E2", 3, 3);
    EXPECT_EQ(h.control("A6.E2").top(), rest + 2);
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vrbská - vytáčí se ..."});
    EXPECT_EQ(h.value("A1.TelOn"), 5);
    h.release(3, 3);
    EXPECT_EQ(h.control("A6.E2").top(), rest);
    h.ticks(3);
    EXPECT_EQ(h.value("A1.TelOn"), 2);
    EXPECT_FALSE(h.enabled("A6.G2"));
    h.ticks(1);
    EXPECT_EQ(h.value("A1.TelOn"), 0);
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vrbská."});
    EXPECT_TRUE(h.enabled("A6.G2"));
    EXPECT_FALSE(h.enabled("A6.G5"));
}

TEST_F(Handset, TheLastActiveLineDialsWithItsOwnDraw)
{
    h.click("A6.E1");
    h.click("A6.F0");
    dial();
    h.click("A6.F1");
    dial();
    /* The sequence gives 5, then 5 for line A and 13 for line C. */
    EXPECT_EQ(h.value("A1.TelOn"), 13);
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vrbská - vytáčí se ..."});
    h.ticks(12);
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vrbská."});
}

TEST_F(Handset, DiallingNeedsTheHandsetUpAndATakenLine)
{
    h.click("A6.F0");
    dial();
    EXPECT_EQ(h.value("A1.TelOn"), 0);
    h.click("A6.F0");
    h.click("A6.E1");
    dial();
    EXPECT_EQ(h.value("A1.TelOn"), 0);
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
}

TEST_F(Handset, HangingUpDropsTheDiallingAndKeepsTheLines)
{
    h.click("A6.E1");
    h.click("A6.F2");
    dial();
    h.click("A6.G6");
    EXPECT_TRUE(h.visible("A6.E1"));
    EXPECT_FALSE(h.visible("A6.G0"));
    EXPECT_EQ(h.value("A1.TelOn"), 0);
    EXPECT_EQ(h.color("A1.ZpravaB"), Yellow);
    h.ticks(20);
    h.click("A6.E1");
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    EXPECT_FALSE(h.enabled("A6.G2"));
}

TEST_F(Handset, ReleasingTheLineWhileDiallingStillEnablesTheList)
{
    h.click("A6.E1");
    h.click("A6.F0");
    dial();
    h.click("A6.F0");
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    h.ticks(5);
    EXPECT_TRUE(h.enabled("A6.G2"));
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
}

TEST_F(Handset, SendingAsksEveryActiveLineInOrderAndKeepsTheListOpen)
{
    connect("AC");
    choose("Zavedení telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(h.lines("A6.G1"), (QStringList{"V 12:04 zavádím mezi stanicemi Kamenná - Horní Lom telefonické "
                                             "dorozumívání. Modrý.",
                                             "V 12:04 zavádím mezi stanicemi Kamenná - Vrbská telefonické "
                                             "dorozumívání. Modrý.",
                                             "", "", "Rozuměl Žlutý."}));
    EXPECT_EQ(h.text("A1.SmerC"), "Telefonika");
    EXPECT_TRUE(h.enabled("A6.G2"));
    EXPECT_FALSE(h.enabled("A6.G5"));
    EXPECT_FALSE(h.enabled("A6.G3"));
}

TEST_F(CallText, TheTimeIsNowPlusTheBarWrappedRoundTheDay)
{
    struct Case {
        int hour, minute, bar;
        const char *kind;
        const char *time;
    };
    const Case cases[] = {{23, 58, 5, "Nabídka vlaku", "0:03"},   {0, 2, 1, "Oznámení odjezdu", "23:58"},
                          {12, 55, 5, "Předvídaný odjezd", "13:00"}, {9, 59, 1, "Nabídka vlaku", "10:00"},
                          {7, 0, 5, "Oznámení odjezdu", "7:00"},    {7, 3, 4, "Telefonická odhláška", "7:07"}};
    connect("A");
    for (const Case &c : cases) {
        h.setClock(c.hour, c.minute, 0);
        choose(QString::fromUtf8(c.kind));
        bar(c.bar);
        choose(QString::fromUtf8(c.kind));
        EXPECT_EQ(h.text("A6.G3"), c.time) << c.kind << " at " << c.hour << ":" << c.minute;
    }
}

TEST_F(CallText, EachKindHasItsSentenceAndItsChoices)
{
    put(cell(2, Cislo), "1234");
    connect("B");
    pickTrain(2);
    struct Case {
        const char *kind;
        const char *sentence;
        bool timed;
    };
    const Case cases[] = {
        {"Nabídka vlaku", "Přijmete vlak 1234 s odjezdem z Kamenné v 12:09? Modrý.", true},
        {"Předvídaný odjezd", "Vlak 1234 odjede z Kamenné v 12:09.", true},
        {"Oznámení odjezdu", "Vlak 1234 odjel z Kamenné v 12:04. Modrý.", true},
        {"Telefonická odhláška", "Vlak 1234 v Kamenné. Modrý.", false},
        {"Rušení nabídky vlaku", "Ruším přijetí a předvídaný odjezd vlaku 1234. Vlak 1234 z Kamenné neodjede. Modrý.",
         false},
        {"Rušení předvíd.odjezdu", "Ruším předvídaný odjezd vlaku 1234. Vlak 1234 z Kamenné neodjede. Modrý.", false},
        {"Odvolání telefoniky",
         "V 12:04 obnovena mezi stanicemi Kamenná - Struhy jízda vlaků podle poloautomatického bloku. Modrý.", false},
    };
    for (const Case &c : cases) {
        choose(QString::fromUtf8(c.kind));
        EXPECT_EQ(h.lines("A6.G1"), QStringList{QString::fromUtf8(c.sentence)}) << c.kind;
        EXPECT_TRUE(h.enabled("A6.G5")) << c.kind;
        if (c.kind != std::string("Odvolání telefoniky")) {
            EXPECT_EQ(h.enabled("A6.G3"), c.timed) << c.kind;
            EXPECT_EQ(h.enabled("A6.G4"), c.timed) << c.kind;
        }
    }
    EXPECT_FALSE(h.enabled("A6.G3")) << "a switch keeps the time edit's state";
}

TEST_F(CallText, ASwitchWithoutActiveLinesComposesNothing)
{
    h.click("A6.E1");
    h.as<ui::ListBox>("A6.G2").setEnabled(true);
    choose("Nabídka vlaku");
    EXPECT_TRUE(h.enabled("A6.G3"));
    choose("Zavedení telefoniky");
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    EXPECT_FALSE(h.enabled("A6.G3"));
    EXPECT_EQ(h.text("A6.G3"), "12:09");
}

TEST_F(CallText, ALabelWithNoKindChosenOnlyRemembersTheTrain)
{
    put(cell(1, Cislo), "808");
    h.click("A6.E1");
    h.click("A6.F0");
    pickTrain(1);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join('|').toStdString();
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    EXPECT_EQ(h.text("A6.G3"), "00:00");
    EXPECT_EQ(h.app().SelectedTrain, "808");
    h.as<ui::ListBox>("A6.G2").setEnabled(true);
    choose("Předvídaný odjezd");
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vlak 808 odjede z Kamenné v 12:09."});
}

TEST_F(CallText, ALabelAfterSendingRecomposesButDoesNotSendAgain)
{
    put(cell(1, Cislo), "1");
    put(cell(2, Cislo), "2");
    connect("A");
    say("Nabídka vlaku", 1);
    EXPECT_FALSE(h.enabled("A6.G5"));
    pickTrain(2);
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Přijmete vlak 2 s odjezdem z Kamenné v 12:09? Modrý."});
    EXPECT_TRUE(h.enabled("A6.G3"));
    EXPECT_FALSE(h.enabled("A6.G5"));
}

TEST_F(CallText, TheChosenTrainOutlivesTheGame)
{
    put(cell(1, Cislo), "4321");
    h.click("A6.E1");
    pickTrain(1);
    h.app().recreateGameForms();
    EXPECT_EQ(h.app().SelectedTrain, "4321");
    EXPECT_EQ(h.selectedRow("A6.G2"), -1);
    EXPECT_FALSE(h.visible("A6.G0"));
}
