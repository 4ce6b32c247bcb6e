/** @file train_panel_test.cpp The train panel: choosing a track, renumbering its train, markers and target stations. */
#include "traffic/traffic_fixture.h"

namespace {

const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);

class TrainPanel : public TrafficTest {
protected:
    void occupy(int track, const QString &word) { h.as<ui::ComboBox>("A1.Kolej" + QString::number(track)).setText(word); }
    ui::ScrollBar &bar(const char *name) { return h.as<ui::ScrollBar>(QString("A5.") + name); }
    void moveBar(const char *name, int pos)
    {
        ui::runEvent(h.app().A5(), [&] { bar(name).setPosition(pos); });
    }
};

TEST_F(TrainPanel, ChoosingATrackShowsItsWordAndTargetAndNothingMoves)
{
    EXPECT_FALSE(h.visible("A5.PanelA"));
    h.click("A5.TlL1");
    EXPECT_TRUE(h.visible("A5.PanelA"));
    EXPECT_EQ(h.as<ui::Label>("A5.PA01").parent(), h.app().A5().find("PanelA"));
    EXPECT_EQ(h.text("A5.PA01"), "2.kolej");
    EXPECT_EQ(h.text("A5.PA05"), "7.kolej");
    occupy(3, "5401");
    moveBar("PA09", 40);
    h.click("A5.PA03");
    EXPECT_EQ(h.color("A5.PA03"), Blue);
    for (const char *other : {"A5.PA01", "A5.PA02", "A5.PA04", "A5.PA05"})
        EXPECT_EQ(h.color(other), Navy) << other;
    EXPECT_EQ(h.text("A5.PA07"), "5401");
    EXPECT_EQ(h.text("A5.PA10"), "Radošov");
    EXPECT_EQ(bar("PA09").position(), 40);
    EXPECT_FALSE(h.visible("A5.Stop3"));
    h.click("A5.PA01");
    EXPECT_EQ(h.color("A5.PA03"), Navy);
    EXPECT_EQ(h.text("A5.PA07"), "Volná");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(TrainPanel, RenumberingWritesTheTrackAndMarksTheTimetable)
{
    put(2, {.number = "5499"});
    put(6, {.number = "5499"});
    put(7, {.number = "5401"});
    occupy(5, "posun.díl");
    h.click("A5.PA04");
    h.click("A5.PA11");
    EXPECT_TRUE(h.visible("A5.PA12"));
    EXPECT_EQ(h.text("A5.PA12"), "posun.díl");
    EXPECT_EQ(h.text("A5.PA11"), "ok");
    EXPECT_EQ(h.color("A5.PA11"), Blue);
    h.type("A5.PA12", "5499");
    h.click("A5.PA11");
    EXPECT_FALSE(h.visible("A5.PA12"));
    EXPECT_EQ(h.text("A5.PA11"), "změň číslo");
    EXPECT_EQ(h.color("A5.PA11"), Navy);
    EXPECT_EQ(h.color("A5.PA07"), Navy);
    EXPECT_EQ(h.text("A5.PA07"), "5499");
    EXPECT_EQ(h.text("A1.Kolej5"), "5499");
    EXPECT_EQ(row(2).trainNumber->color(), progress::Lime);
    EXPECT_EQ(row(6).trainNumber->color(), progress::Lime);
    EXPECT_NE(row(7).trainNumber->color(), progress::Lime);

    /* To the empty text: the word empties, no cell is coloured, none loses its colour. */
    h.click("A5.PA11");
    h.type("A5.PA12", "");
    h.click("A5.PA11");
    EXPECT_EQ(h.text("A1.Kolej5"), "");
    EXPECT_EQ(row(2).trainNumber->color(), progress::Lime);
    EXPECT_NE(row(7).trainNumber->color(), progress::Lime);
}

TEST_F(TrainPanel, AFreeTrackCannotBeRenumbered)
{
    h.click("A5.PA02");
    h.click("A5.PA11");
    EXPECT_FALSE(h.visible("A5.PA12"));
    EXPECT_EQ(h.text("A5.PA11"), "změň číslo");

    /* Chosen while train 1234 stood there; it has left since. */
    occupy(1, "1234");
    h.click("A5.PA02");
    occupy(1, "Volná");
    h.click("A5.PA11");
    EXPECT_FALSE(h.visible("A5.PA12"));
    EXPECT_EQ(h.text("A5.PA07"), "Volná");

    /* Editing track 3's train, then choosing free track 1: the free track keeps its word. */
    occupy(3, "5401");
    h.click("A5.PA03");
    h.click("A5.PA11");
    h.type("A5.PA12", "5403");
    h.click("A5.PA02");
    EXPECT_TRUE(h.visible("A5.PA12"));
    h.click("A5.PA11");
    EXPECT_EQ(h.text("A1.Kolej1"), "Volná");
    EXPECT_EQ(h.text("A1.Kolej3"), "5401");
    EXPECT_FALSE(h.visible("A5.PA12"));
}

TEST_F(TrainPanel, BeforeAnyChoiceRenumberingOnlyMarksTheTimetable)
{
    put(3, {.number = "8810"});
    h.click("A5.PA11");
    EXPECT_TRUE(h.visible("A5.PA12"));
    EXPECT_EQ(h.text("A5.PA12"), "");
    h.type("A5.PA12", "8810");
    h.click("A5.PA11");
    EXPECT_EQ(row(3).trainNumber->color(), progress::Lime);
    for (int n : {1, 2, 3, 5, 7})
        EXPECT_EQ(h.text("A1.Kolej" + QString::number(n)), "Volná");
    /* No track chosen: the bars move but place nothing, the target cycle changes nothing. */
    moveBar("PA09", 50);
    moveBar("PA14", -1);
    h.click("A5.PA15");
    EXPECT_EQ(h.text("A5.PA10"), "");
    for (int n : {1, 2, 3, 5, 7}) {
        EXPECT_FALSE(h.visible("A5.Stop" + QString::number(n)));
        EXPECT_EQ(h.text("A5.CilZST" + QString::number(n)), "Radošov");
    }
}

TEST_F(TrainPanel, TheBarsPlaceTheChosenTracksMarkerAlongThePanel)
{
    const int width = h.app().A5().frame.D5->width();
    h.click("A5.PA03");
    moveBar("PA09", 100);
    EXPECT_TRUE(h.visible("A5.Stop3"));
    EXPECT_EQ(h.as<ui::Image>("A5.Stop3").left(), width - 2 - 17 / 2);
    moveBar("PA09", 0);
    EXPECT_EQ(h.as<ui::Image>("A5.Stop3").left(), -8);
    moveBar("PA09", 33);
    EXPECT_EQ(h.as<ui::Image>("A5.Stop3").left(), (width - 2) * 33 / 100 - 8);
    EXPECT_EQ(h.as<ui::Image>("A5.Stop3").top(), 296);
    moveBar("PA14", 50);
    EXPECT_TRUE(h.visible("A5.Cil3"));
    EXPECT_EQ(h.as<ui::Image>("A5.Cil3").left(), (width - 2) * 50 / 100 - 11);
    moveBar("PA09", -1);
    EXPECT_FALSE(h.visible("A5.Stop3"));
    EXPECT_TRUE(h.visible("A5.Cil3"));

    /* Another track: the bar keeps its place and moves only that track's marker. */
    h.click("A5.PA05");
    EXPECT_EQ(bar("PA14").position(), 50);
    moveBar("PA14", 10);
    EXPECT_EQ(h.as<ui::Image>("A5.Cil7").left(), (width - 2) * 10 / 100 - 11);
    EXPECT_EQ(h.as<ui::Image>("A5.Cil3").left(), (width - 2) * 50 / 100 - 11);
}

TEST_F(TrainPanel, TheTargetCycleRunsThroughEveryStationAndStaysWithTheTrack)
{
    const QStringList cycle = {"Kunratov", "H.Skála", "Tuchov n.S.", "Sedlec", "Ostrohy", "Bystřany", "- nic -", "Radošov"};
    const QStringList boards = {"CilKunratov", "CilSkala", "CilTuchov", "CilSedlec",
                                "CilOstrohy",  "CilBystrany", "CilDefault", "CilRadosov"};
    EXPECT_EQ(h.as<ui::Image>("A5.Cil3").picture(), h.as<ui::Image>("A5.CilRadosov").picture());
    h.click("A5.PA03");
    for (int i = 0; i < 8; ++i) {
        h.click("A5.PA15");
        EXPECT_EQ(h.text("A5.PA10"), cycle[i]);
        EXPECT_EQ(h.text("A5.CilZST3"), cycle[i]);
        EXPECT_EQ(h.as<ui::Image>("A5.Cil3").picture(), h.as<ui::Image>("A5." + boards[i]).picture()) << i;
    }
    h.click("A5.PA15");
    EXPECT_EQ(h.text("A5.CilZST3"), "Kunratov");
    EXPECT_EQ(h.text("A5.CilZST5"), "Radošov");
    /* An unknown name leaves the picture; a train arriving leaves the target. */
    h.type("A5.CilZST3", "Praha");
    EXPECT_EQ(h.as<ui::Image>("A5.Cil3").picture(), h.as<ui::Image>("A5.CilKunratov").picture());
    occupy(3, "5401");
    h.click("A5.PA01");
    h.click("A5.PA03");
    EXPECT_EQ(h.text("A5.PA10"), "Praha");
    h.click("A5.PA15"); // outside the cycle: unchanged
    EXPECT_EQ(h.text("A5.PA10"), "Praha");
    h.app().recreateGameForms();
    EXPECT_EQ(h.text("A5.CilZST3"), "Radošov");
    EXPECT_FALSE(h.visible("A5.PanelA"));
}

} // namespace
