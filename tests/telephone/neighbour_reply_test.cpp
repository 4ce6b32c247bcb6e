/** @file neighbour_reply_test.cpp The neighbours' replies to the player's calls, played through the panel. */
#include "telephone_fixture.h"

using namespace tel;

namespace {

class WayOfWorking : public Desk {};
class OwnDeparture : public Desk {};
class Cancelling : public Desk {};
class Reports : public Desk {};

/** @return the memo's lines after the player's own sentence: the neighbours' replies. */
QStringList replies(Harness &h)
{
    return h.lines("A6.G1").mid(1);
}

} // namespace

TEST_F(WayOfWorking, LineBSwitchesToTelephoneAndItsNeighbourAgrees)
{
    connect("B");
    choose("Zavedení telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(h.text("A1.SmerB"), "Telefonika");
    EXPECT_EQ(h.color("A1.SmerB"), Red) << "the consent is not the switch's";
    EXPECT_EQ(replies(h), (QStringList{"", "Rozuměl Červený."}));
    choose("Zavedení telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(replies(h), QStringList{""}) << "already under telephone working";
    choose("Odvolání telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(h.text("A1.SmerB"), "Poloautoblok");
    EXPECT_EQ(replies(h), (QStringList{"", "Rozuměl Červený."}));
}

TEST_F(WayOfWorking, LineAGoesBackToTheBlockOnlyWhereItHasOne)
{
    connect("A");
    choose("Odvolání telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(h.text("A1.SmerA"), "Telefonika");
    EXPECT_EQ(replies(h), QStringList{""});
    h.check("A1.KodPoloautoblok", true);
    choose("Odvolání telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(h.text("A1.SmerA"), "Poloautoblok");
    EXPECT_EQ(replies(h), (QStringList{"", "Rozuměl Zelený."}));
}

TEST_F(WayOfWorking, AKindOfTheOtherWayGetsOnlyTheEmptyLine)
{
    outgoing(1, "10", 'C');
    connect("C");
    say("Nabídka vlaku", 1);
    EXPECT_EQ(replies(h), QStringList{""});
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
    put("A1.SmerC", "Telefonika");
    say("Předvídaný odjezd", 1);
    EXPECT_EQ(replies(h), QStringList{""});
    EXPECT_EQ(h.color(cell(1, Odj)), Orange);
}

TEST_F(OwnDeparture, APredictedDepartureIsAgreedAndBooksTheLine)
{
    outgoing(3, "123", 'B', "9");
    connect("B");
    say("Předvídaný odjezd", 3);
    EXPECT_EQ(h.lines("A6.G1"),
              (QStringList{"Vlak 123 odjede z Kamenné v 12:09.", "", "Vlak 123 odjede z Kamenné v 12:09. Rozumí Struhy."}));
    EXPECT_EQ(h.text("A1.TratB"), "123");
    EXPECT_EQ(h.value("A1.StavVlakB"), -540);
    EXPECT_EQ(h.color("A1.StavVlakB"), White);
    EXPECT_EQ(h.color(cell(3, Odj)), Yellow);
    EXPECT_EQ(h.text(cell(3, Odj)), "12:08");
    EXPECT_EQ(h.text(cell(3, Agreed)), "12:09");
    EXPECT_EQ(h.value("A1.TSCHOn"), 0);
    EXPECT_EQ(h.color("A1.SmerB"), Red);

    say("Předvídaný odjezd", 3);
    EXPECT_EQ(replies(h), (QStringList{"", "Nikoliv, čekejte. Jiný vlak na trati. Červený."}));
}

TEST_F(OwnDeparture, AnOfferIsAcceptedWithTheTypedTimeAndLineCStartsItsConsent)
{
    put("A1.SmerC", "Telefonika");
    outgoing(2, "456", 'C', "12");
    connect("C");
    choose("Nabídka vlaku");
    pickTrain(2);
    h.type("A6.G3", "12:30");
    h.click("A6.G5");
    EXPECT_EQ(replies(h), (QStringList{"", "Ano, přijímám vlak 456 s odjezdem z Kamenné v 12:30. Žlutý."}));
    EXPECT_EQ(h.value("A1.StavVlakC"), -720);
    EXPECT_EQ(h.text(cell(2, Agreed)), "12:30");
    EXPECT_EQ(h.value("A1.TSCHOn"), 10);
}

TEST_F(OwnDeparture, ABusyLineRefusesFirstAndTheTrainsOwnLineAccepts)
{
    put("A1.SmerC", "Telefonika");
    outgoing(2, "456", 'C');
    put("A1.TratA", "999");
    connect("AC");
    say("Nabídka vlaku", 2);
    EXPECT_EQ(replies(h), (QStringList{"", "Nikoliv, čekejte. Jiný vlak na trati. Zelený.", "",
                                       "Ano, přijímám vlak 456 s odjezdem z Kamenné v 12:09. Žlutý."}));
    EXPECT_EQ(h.text("A1.TratA"), "999");
    EXPECT_EQ(h.text("A1.TratC"), "456");
}

TEST_F(OwnDeparture, ATrainNotDueOrForAnotherNeighbourIsNotAgreed)
{
    outgoing(1, "20", 'A');
    paint(cell(1, Odj), White);
    outgoing(2, "21", 'B');
    connect("A");
    say("Nabídka vlaku", 1);
    say("Nabídka vlaku", 2);
    EXPECT_EQ(replies(h), QStringList{""});
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.color(cell(1, Odj)), White);
    EXPECT_EQ(h.color(cell(2, Odj)), Orange);
}

TEST_F(OwnDeparture, ABrokenRunningTimeShowsTheLinesCodeAndChangesNothing)
{
    outgoing(1, "30", 'A', "");
    connect("A");
    say("Nabídka vlaku", 1);
    EXPECT_EQ(h.messages().value(0), "Error A6T-SA");
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.color(cell(1, Odj)), Orange);
    EXPECT_EQ(h.text(cell(1, Agreed)), "");
    EXPECT_EQ(replies(h), QStringList{""});

    h.clearMessages();
    outgoing(2, "31", 'B', "x");
    connect("B");
    say("Předvídaný odjezd", 2);
    EXPECT_EQ(h.messages().value(0), "Error A6T-SB");
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
}

TEST_F(Cancelling, APredictedDepartureIsTakenBackOnItsOwnLineOnly)
{
    outgoing(3, "123", 'C', "9");
    connect("BC");
    say("Předvídaný odjezd", 3);
    paint(cell(3, Odj), Aqua);
    say("Rušení předvíd.odjezdu", 3);
    EXPECT_EQ(replies(h), (QStringList{"", "", "Rozumí Vrbská."}));
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakC"), 0);
    EXPECT_EQ(h.color(cell(3, Odj)), Orange);
    EXPECT_EQ(h.text(cell(3, Agreed)), "");
    EXPECT_EQ(h.value("A1.TSCHOn"), 10) << "the consent countdown runs on";

    say("Předvídaný odjezd", 3);
    EXPECT_EQ(h.text("A1.TratC"), "123") << "agreed anew";
}

TEST_F(Cancelling, AnAcceptedOfferIsTakenBackButNotADepartedTrain)
{
    outgoing(1, "77", 'A', "5");
    connect("A");
    say("Nabídka vlaku", 1);
    EXPECT_EQ(h.text("A1.TratA"), "77");
    say("Rušení nabídky vlaku", 1);
    EXPECT_EQ(replies(h), (QStringList{"", "Rozuměl Zelený."}));
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.color(cell(1, Odj)), Orange);

    say("Nabídka vlaku", 1);
    paint(cell(1, Odj), Lime);
    say("Rušení nabídky vlaku", 1);
    EXPECT_EQ(replies(h), QStringList{""});
    EXPECT_EQ(h.text("A1.TratA"), "77");
}

TEST_F(Reports, AnArrivalReportFreesTheLineAndTheRowOfATrainThatEndsHere)
{
    incoming(1, "700", 'A');
    paint(cell(1, OdjS), Yellow);
    put("A1.TratA", "700");
    connect("A");
    say("Telefonická odhláška", 1);
    EXPECT_EQ(replies(h), QStringList{""}) << "not arrived yet";
    EXPECT_EQ(h.text("A1.TratA"), "700");

    paint(cell(1, OdjS), Fuchsia);
    say("Telefonická odhláška", 1);
    EXPECT_EQ(replies(h), (QStringList{"", "Vlak 700 v Kamenné. Rozuměl Zelený."}));
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.text(cell(1, Cislo)), "");
    EXPECT_EQ(h.text(cell(1, OdjS)), "");
    EXPECT_EQ(h.color(cell(1, OdjS)), White);
}

TEST_F(Reports, APassingTrainsReportFreesOnlyTheLineItCameIn)
{
    put("A1.SmerC", "Telefonika");
    incoming(2, "5100", 'C');
    paint(cell(2, OdjS), Fuchsia);
    put(cell(2, Smer), "Horní Lom");
    put(cell(2, Odj), "pr.");
    paint(cell(2, Odj), Yellow);
    put("A1.TratA", "5100");
    put("A1.TratC", "5100");
    connect("AC");
    say("Telefonická odhláška", 2);
    EXPECT_EQ(replies(h), (QStringList{"", "", "Vlak 5100 v Kamenné. Rozuměl Žlutý."}));
    EXPECT_EQ(h.text("A1.TratA"), "5100") << "the departure line keeps its train";
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
    EXPECT_EQ(h.text(cell(2, Cislo)), "5100");
    EXPECT_EQ(h.text(cell(2, ZeSmeru)), "");
    EXPECT_EQ(h.color(cell(2, Odj)), Yellow);
}

TEST_F(Reports, ADepartureNoticeIsAcknowledgedUnderEitherWayWithTheTimeAsSent)
{
    put(cell(4, Cislo), "123");
    put("A1.TratA", "123");
    put("A1.TratB", "123");
    connect("AB");
    say("Oznámení odjezdu", 4);
    EXPECT_EQ(replies(h), (QStringList{"", "Vlak 123 odjel z Kamenné v 12:04. Rozuměl Zelený.", "",
                                       "Vlak 123 odjel z Kamenné v 12:04. Rozuměl Červený."}));
    choose("Oznámení odjezdu");
    h.type("A6.G3", "12:01");
    put("A1.TratB", "Volná");
    h.click("A6.G5");
    EXPECT_EQ(replies(h), (QStringList{"", "Vlak 123 odjel z Kamenné v 12:01. Rozuměl Zelený.", ""}));
}

TEST_F(OwnDeparture, EveryLineAnswersEachKindByItsWayOfWorking)
{
    struct LineCase {
        char line;
        const char *station;
        const char *surname;
    };
    const LineCase lines[] = {{'A', "Horní Lom", "Zelený"}, {'B', "Struhy", "Červený"}, {'C', "Vrbská", "Žlutý"}};
    for (const LineCase &l : lines) {
        const QString station = QString::fromUtf8(l.station), surname = QString::fromUtf8(l.surname);
        const QString smer = QStringLiteral("A1.Smer%1").arg(l.line);
        const QString trat = QStringLiteral("A1.Trat%1").arg(l.line);
        outgoing(1, "500", l.line);
        connect(QString(QChar(l.line)));
        const QString ack = "Vlak 500 odjel z Kamenné v 12:04. Rozuměl " + surname + ".";

        put(smer, "Telefonika");
        say("Předvídaný odjezd", 1);
        EXPECT_EQ(replies(h), QStringList{""}) << l.line;
        say("Nabídka vlaku", 1);
        EXPECT_EQ(replies(h), (QStringList{"", "Ano, přijímám vlak 500 s odjezdem z Kamenné v 12:09. " + surname + "."}))
            << l.line;
        say("Oznámení odjezdu", 1);
        EXPECT_EQ(replies(h), (QStringList{"", ack})) << l.line;
        say("Rušení předvíd.odjezdu", 1);
        EXPECT_EQ(replies(h), QStringList{""}) << l.line;
        say("Rušení nabídky vlaku", 1);
        EXPECT_EQ(replies(h), (QStringList{"", "Rozuměl " + surname + "."})) << l.line;

        put(smer, "Poloautoblok");
        say("Nabídka vlaku", 1);
        EXPECT_EQ(replies(h), QStringList{""}) << l.line;
        say("Předvídaný odjezd", 1);
        EXPECT_EQ(replies(h), (QStringList{"", "Vlak 500 odjede z Kamenné v 12:09. Rozumí " + station + "."})) << l.line;
        say("Oznámení odjezdu", 1);
        EXPECT_EQ(replies(h), (QStringList{"", ack})) << l.line;
        say("Rušení nabídky vlaku", 1);
        say("Telefonická odhláška", 1);
        EXPECT_EQ(replies(h), QStringList{""}) << l.line;
        EXPECT_EQ(h.text(trat), "500") << l.line;
        say("Rušení předvíd.odjezdu", 1);
        EXPECT_EQ(replies(h), (QStringList{"", "Rozumí " + station + "."})) << l.line;
        EXPECT_EQ(h.text(trat), "Volná") << l.line;

        h.click(key(l.line));
        h.click("A6.G6");
    }
}
