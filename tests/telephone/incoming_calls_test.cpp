/** @file incoming_calls_test.cpp A neighbour's call on a line key: answering, accepting, refusing, acknowledging. */
#include "telephone_fixture.h"

#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"

#include <QSet>

using namespace tel;

namespace {

class LineKeys : public Desk {};
class Acceptance : public Desk {};
class Refusal : public Desk {};
class Acknowledgement : public Desk {};

/** @return the picture a control shows. */
QImage pictureOf(Harness &h, const QString &name)
{
    return h.as<ui::Image>(name).picture();
}

} // namespace

TEST_F(LineKeys, ASilentLineIsOnlyTakenAndHungUpAgain)
{
    h.click("A6.F1");
    EXPECT_EQ(h.color("A1.ZpravaC"), Yellow);
    EXPECT_EQ(h.control("A6.F1").top(), h.control("A6.E0").top() + 80);
    EXPECT_EQ(pictureOf(h, "A6.F1"), pictureOf(h, "A3.TelBilaOn"));
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    EXPECT_FALSE(h.visible("A6.I3"));

    h.click("A6.E1");
    h.as<ui::ListBox>("A6.G2").setEnabled(true);
    h.click("A6.F1");
    EXPECT_EQ(h.color("A1.ZpravaC"), White);
    EXPECT_EQ(h.text("A1.ZpravaC"), "");
    EXPECT_EQ(h.control("A6.F1").top(), 822);
    EXPECT_EQ(pictureOf(h, "A6.F1"), pictureOf(h, "A3.TelBilaOff"));
    EXPECT_FALSE(h.enabled("A6.G2"));
    EXPECT_TRUE(h.visible("A6.G0")) << "the panel stays up";
}

TEST_F(LineKeys, AnOfferIsAnsweredWithItsTimeAndTheTwoAnswers)
{
    openRing();
    incoming(2, "1234", 'A');
    ring('A', "Nabídka vlaku 1234");
    h.click("A6.F0");
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Přijmete vlak 1234 s odjezdem z Lomu v 12:07? Zelený."});
    EXPECT_EQ(h.text(cell(2, Agreed)), "12:07");
    EXPECT_EQ(h.text("A6.I4"), "Ano, přijímám vlak 1234 s odjezdem z Lomu v 12:07. Modrý.");
    EXPECT_EQ(h.text("A6.I5"), "Nikoliv, čekejte. Modrý.");
    for (const char *shown : {"A6.I3", "A6.I4", "A6.I5"})
        EXPECT_TRUE(h.visible(shown)) << shown;
    EXPECT_FALSE(h.visible("A6.I6"));
    EXPECT_EQ(h.color("A1.ZpravaA"), Yellow);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 1234");
    EXPECT_EQ(h.sounds().mid(1), (QStringList{"stop Telefon.wav", "rewind Telefon.wav"}));
}

TEST_F(LineKeys, APredictionAndTheNeighboursNoticesHaveTheirOwnSentences)
{
    h.check("A1.Zvuky", false);
    openRing();
    incoming(1, "801", 'B', "5", "5");
    ring('B', "Předvídaný odjezd 801");
    h.click("A6.F2");
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vlak 801 odjede ze Struh v 12:09."});
    EXPECT_EQ(h.text("A6.I4"), "Vlak 801 odjede ze Struh v 12:09. Rozumí, Kamenná.");
    EXPECT_EQ(h.sounds(), QStringList{"open Telefon.wav"}) << "no sound while sounds are off";

    /* A departure notice in row 1 of line C takes the minute of the answer; row 2 keeps its stamp. */
    put(cell(1, Cislo), "9001");
    put(cell(2, Cislo), "9002");
    put(cell(1, Agreed), "12:03");
    put(cell(2, Agreed), "12:03");
    ring('C', "Oznámení odjezdu 9001");
    h.click("A6.F1");
    EXPECT_EQ(h.line("A6.G1", 1), "Vlak 9001 odjel z Vrbské v 12:04. Žlutý.");
    EXPECT_EQ(h.text("A6.I6"), "Vlak 9001 odjel z Vrbské v 12:04. Rozuměl Modrý.");
    h.click("A6.F1");
    ring('C', "Oznámení odjezdu 9002");
    h.click("A6.F1");
    EXPECT_EQ(h.text("A6.I6"), "Vlak 9002 odjel z Vrbské v 12:03. Rozuměl Modrý.");

    h.click("A6.F1");
    ring('C', "Telefonická odhláška 9002");
    h.click("A6.F1");
    EXPECT_EQ(h.lines("A6.G1"), QStringList{"Vlak 9002 ve Vrbské. Žlutý."});
    EXPECT_EQ(h.text("A6.I6"), "Vlak 9002 ve Vrbské. Rozuměl Modrý.");
    EXPECT_TRUE(h.visible("A6.I6"));
}

TEST_F(LineKeys, AMessageWithoutItsTrainIsStillAnswered)
{
    ring('A', "Nabídka vlaku 4711");
    h.click("A6.F0");
    EXPECT_TRUE(h.visible("A6.I3"));
    EXPECT_FALSE(h.visible("A6.I4"));
    EXPECT_EQ(h.color("A1.ZpravaA"), Yellow);
}

TEST_F(LineKeys, ABrokenMinutesAheadCellCountsAsOneMinuteAndTheCallIsTaken)
{
    incoming(3, "555", 'C', "6", "");
    ring('C', "Nabídka vlaku 555");
    h.click("A6.F1");
    EXPECT_EQ(h.text(cell(3, Agreed)), "12:05");
    EXPECT_EQ(h.color("A1.ZpravaC"), Yellow);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join('|').toStdString();

    h.click("A6.F1");
    put(minutesAhead(3), "x7");
    ring('C', "Nabídka vlaku 555");
    h.click("A6.F1");
    EXPECT_EQ(h.text(cell(3, Agreed)), "12:05");
    h.click("A6.F1");
    put(minutesAhead(3), "9");
    ring('C', "Nabídka vlaku 555");
    h.click("A6.F1");
    EXPECT_EQ(h.text(cell(3, Agreed)), "12:09") << "clamped to the clock's last line";
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(Acceptance, AnAcceptedOfferBooksTheLineAndParksTheTrain)
{
    incoming(1, "1234", 'A', "12", "3");
    std::array<QImage, 10> vehicles;
    for (int i = 0; i < 10; ++i) {
        vehicles[i] = QImage(30 + i, 20, QImage::Format_RGB32);
        vehicles[i].fill(QColor(i, 0, 0));
    }
    h.app().A2().setVehicles(1, vehicles);
    ring('A', "Nabídka vlaku 1234");
    h.click("A6.F0");
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratA"), "1234");
    EXPECT_EQ(h.value("A1.StavVlakA"), 720);
    EXPECT_EQ(h.value("A1.OdjezdA"), 180);
    EXPECT_EQ(h.color(cell(1, OdjS)), Yellow);
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    EXPECT_EQ(h.color("A1.ZpravaA"), Yellow) << "the call stays taken until its key";
    EXPECT_FALSE(h.visible("A6.I3"));
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    /* Reversed, the first vehicle nearest the panel; the chain ends 40 px left of it. */
    const auto &train = h.app().A7().VlakA;
    EXPECT_EQ(train[0]->picture(), vehicles[9]);
    EXPECT_EQ(train[9]->picture(), vehicles[0]);
    EXPECT_EQ(train[9]->left(), -40 - 30);
    EXPECT_EQ(train[8]->left(), -40 - 30 - 31);
    EXPECT_EQ(train[0]->left(), -40 - (30 + 31 + 32 + 33 + 34 + 35 + 36 + 37 + 38 + 39));
    EXPECT_EQ(train[0]->top(), 240);
    EXPECT_EQ(h.color("A1.SmerB"), Red) << "line B's consent is not touched by line A";
}

TEST_F(Acceptance, LineCParksBeyondTheScreenAndLineBAsksForItsConsent)
{
    /* A desk that does not fill the screen: the train parks beyond the screen's width all the same. */
    h.control("A6").setWidth(640);
    incoming(1, "77", 'C', "4", "1");
    std::array<QImage, 10> vehicles;
    for (QImage &v : vehicles) {
        v = QImage(30, 20, QImage::Format_RGB32);
        v.fill(Qt::gray);
    }
    h.app().A2().setVehicles(1, vehicles);
    ring('C', "Předvídaný odjezd 77");
    h.click("A6.F1");
    h.click("A6.I4");
    EXPECT_EQ(h.value("A1.OdjezdC"), 60);
    const auto &train = h.app().A8().VlakC;
    EXPECT_EQ(train[0]->left(), 1024 + 40);
    EXPECT_EQ(train[1]->left(), 1024 + 70);
    EXPECT_EQ(train[9]->left(), 1024 + 40 + 9 * 30);

    h.control("A1.SmerB").setColor(Lime);
    incoming(2, "88", 'B');
    ring('B', "Předvídaný odjezd 88");
    h.click("A6.F2");
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratB"), "88");
    EXPECT_EQ(h.color("A1.SmerB"), Yellow);
}

TEST_F(Acceptance, OneClickAcceptsEveryActiveLinesOffer)
{
    incoming(1, "11", 'A');
    incoming(2, "22", 'B');
    ring('A', "Nabídka vlaku 11");
    ring('B', "Předvídaný odjezd 22");
    h.click("A6.F0");
    h.click("A6.F2");
    EXPECT_EQ(h.lines("A6.G1").size(), 2);
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratA"), "11");
    EXPECT_EQ(h.text("A1.TratB"), "22");
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    EXPECT_EQ(h.text("A1.ZpravaB"), "");
}

TEST_F(Acceptance, ABrokenCellChangesNothingOnThatLine)
{
    incoming(1, "31", 'A', "");
    ring('A', "Nabídka vlaku 31");
    h.click("A6.F0");
    h.click("A6.I4");
    EXPECT_EQ(h.messages().value(0), "60I4/A");
    EXPECT_EQ(h.messages().size(), 2) << "followed by the default error report";
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.color(cell(1, OdjS)), Orange);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 31");
    EXPECT_TRUE(h.visible("A6.I3"));

    h.clearMessages();
    put(cell(1, JdFrom), "7");
    put(minutesAhead(1), "soon");
    h.click("A6.I4");
    EXPECT_EQ(h.messages().value(0), "60I4/A");
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
}

TEST_F(Acceptance, ARefusedTrainOrABusyLineIsNeverBooked)
{
    /* Line A's offer is refused; line C's offer is accepted with the same click later. */
    incoming(1, "41", 'A');
    incoming(2, "42", 'C');
    ring('A', "Nabídka vlaku 41");
    h.click("A6.F0");
    h.click("A6.I5");
    ring('C', "Nabídka vlaku 42");
    h.click("A6.F1");
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratC"), "42");
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.color(cell(1, OdjS)), Red);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 41") << "the refused call keeps its text";

    /* The line holds the player's own train: the neighbour's offer cannot take it too. */
    paint(cell(1, OdjS), Orange);
    put("A1.TratA", "600");
    h.click("A6.F0");
    ring('A', "Nabídka vlaku 41");
    h.click("A6.F0");
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratA"), "600");
    EXPECT_EQ(h.color(cell(1, OdjS)), Orange);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 41");
    EXPECT_FALSE(h.visible("A6.I3")) << "the answers are put away all the same";
}

TEST_F(Acceptance, AnUnmatchedActiveLineKeepsItsCallItsTrainAndItsConsent)
{
    h.control("A1.SmerB").setColor(Lime);
    h.click("A6.F2");
    ring('B', "Telefonická odhláška 5");
    incoming(1, "51", 'A');
    ring('A', "Nabídka vlaku 51");
    h.click("A6.F0");
    h.app().A7().VlakB[9]->setLeft(300);
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratA"), "51");
    EXPECT_EQ(h.text("A1.ZpravaB"), "Telefonická odhláška 5");
    EXPECT_EQ(h.color("A1.SmerB"), Lime);
    EXPECT_EQ(h.app().A7().VlakB[9]->left(), 300);
}

TEST_F(Refusal, TheAnsweredRowIsMarkedForAnotherOfferInSixtyTicks)
{
    incoming(4, "61", 'B');
    ring('B', "Předvídaný odjezd 61");
    h.click("A6.F2");
    h.click("A6.I5");
    EXPECT_EQ(h.color(cell(4, OdjS)), Red);
    EXPECT_EQ(h.text(reoffer(4)), "60");
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    for (const char *hidden : {"A6.I3", "A6.I4", "A6.I5"})
        EXPECT_FALSE(h.visible(hidden)) << hidden;
    EXPECT_EQ(h.color("A1.ZpravaB"), Yellow);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(Refusal, ANewSurnameLeavesAnOfferUnrefused)
{
    incoming(1, "62", 'A');
    ring('A', "Nabídka vlaku 62");
    h.click("A6.F0");
    h.type("A0.M5", "Novák");
    h.click("A6.I5");
    EXPECT_EQ(h.color(cell(1, OdjS)), Orange);
    EXPECT_FALSE(h.visible("A6.I3"));
}

TEST_F(Acknowledgement, AnArrivalNoticeFreesTheLineAndTheOwnTrainsRow)
{
    put(cell(5, Cislo), "700");
    for (int c : {K, Odj, PrijS, JdTo, Smer, Del, Hmot, Agreed})
        put(cell(5, c), "x");
    put("A2.Poznamka05", "pozn");
    paint(cell(5, Odj), Fuchsia);
    put("A1.TratB", "700");
    put("A1.StavVlakB", "-5");
    paint("A1.StavVlakB", Aqua);
    ring('B', "Telefonická odhláška 700");
    h.click("A6.F2");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakB"), 0);
    EXPECT_EQ(h.color("A1.StavVlakB"), White);
    EXPECT_EQ(h.text(cell(5, Cislo)), "") << "a train that started here leaves a free row";
    for (int c : {K, Odj, PrijS, JdTo, Smer, Del, Hmot, Agreed})
        EXPECT_EQ(h.text(cell(5, c)), "") << c;
    EXPECT_EQ(h.text("A2.Poznamka05"), "");
    EXPECT_EQ(h.color(cell(5, Odj)), White);
    EXPECT_FALSE(h.visible("A6.I3"));
    EXPECT_FALSE(h.visible("A6.I6"));
    EXPECT_EQ(h.text("A1.ZpravaB"), "Telefonická odhláška 700");
    EXPECT_EQ(h.color("A1.ZpravaB"), Yellow);
}

/* Box 1 put line B's VT and VO out as it cleared the train's exit; the line freed by the
   acknowledged report lights them again, for the next train to Struhy. Line A has no such lamps. */
TEST_F(Acknowledgement, AnArrivalNoticeOfLineBLightsItsBlockLampsAgain)
{
    auto lampsB = [&] {
        return QString("%1%2%3").arg(h.visible("A6.VTM")).arg(h.visible("A6.VOM")).arg(h.visible("A1.VTM"));
    };
    for (const char *lamp : {"A6.VTM", "A6.VOM", "A1.VTM"})
        h.control(QLatin1String(lamp)).hide();
    put(cell(1, Cislo), "701");
    put(cell(1, Odj), "8:00");
    paint(cell(1, Odj), Fuchsia);
    put("A1.TratA", "701");
    ring('A', "Telefonická odhláška 701");
    h.click("A6.F0");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(lampsB(), "000") << "a train arrived on line A leaves line B's lamps alone";

    /* A report of no train of the timetable frees nothing and lights nothing. */
    put("A1.TratB", "702");
    ring('B', "Telefonická odhláška 999");
    h.click("A6.F2");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratB"), "702");
    EXPECT_EQ(lampsB(), "000");
    h.click("A6.F2");

    put(cell(2, Cislo), "702");
    put(cell(2, Odj), "8:05");
    paint(cell(2, Odj), Fuchsia);
    ring('B', "Telefonická odhláška 702");
    h.click("A6.F2");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_EQ(lampsB(), "111");
    EXPECT_FALSE(h.visible("A6.EVM"));
}

TEST_F(Acknowledgement, ADepartureNoticeOnlyClosesTheAnswers)
{
    incoming(2, "333", 'C');
    put("A1.TratC", "333");
    put(cell(2, Agreed), "12:01");
    ring('C', "Oznámení odjezdu 333");
    h.click("A6.F1");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratC"), "333");
    EXPECT_EQ(h.text(cell(2, Cislo)), "333");
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    EXPECT_FALSE(h.visible("A6.I3"));
}

TEST_F(Acknowledgement, APassingTrainKeepsItsRowAndAReleasedCallIsNotLookedAt)
{
    incoming(3, "444", 'A');
    put(cell(3, Smer), "Struhy");
    put("A1.TratB", "444");
    ring('B', "Telefonická odhláška 444");
    h.click("A6.F2");
    h.click("A6.F2");
    ring('B', "Telefonická odhláška 444");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratB"), "444") << "a ringing line is not acknowledged";
    h.click("A6.F2");
    h.click("A6.I6");
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_EQ(h.text(cell(3, Cislo)), "444");
    EXPECT_EQ(h.text(cell(3, Smer)), "");
    EXPECT_EQ(h.text(cell(3, ZeSmeru)), "Horní Lom");
}

TEST_F(LineKeys, AnAnswerWithTheHandsetDownKeepsItsLabelsThroughLifting)
{
    incoming(1, "90", 'B');
    ring('B', "Předvídaný odjezd 90");
    h.click("A6.F2");
    EXPECT_FALSE(h.visible("A6.G0"));
    EXPECT_EQ(h.lines("A6.G1").size(), 1);
    h.click("A6.E1");
    EXPECT_TRUE(h.lines("A6.G1").isEmpty());
    EXPECT_TRUE(h.visible("A6.I3"));
    EXPECT_TRUE(h.visible("A6.I4"));
    EXPECT_EQ(h.text("A6.I4"), "Vlak 90 odjede ze Struh v 12:07. Rozumí, Kamenná.");
}

TEST_F(LineKeys, ARingingLinesKeyFlashesUntilItIsAnswered)
{
    ring('C', "Nabídka vlaku 1");
    QSet<bool> seen;
    for (int i = 0; i < 6; ++i) {
        h.advanceMs(250);
        seen.insert(pictureOf(h, "A6.F1") == pictureOf(h, "A3.TelBilaOn"));
    }
    EXPECT_EQ(seen.size(), 2) << "lit and dark in turn";
    h.click("A6.F1");
    for (int i = 0; i < 6; ++i) {
        h.advanceMs(250);
        EXPECT_EQ(pictureOf(h, "A6.F1"), pictureOf(h, "A3.TelBilaOn"));
    }
}
