/** @file day_scenario_test.cpp The built-in day's first trains of all three lines, worked by telephone. */
#include "telephone_fixture.h"

#include <map>

using namespace tel;

namespace {

/** One of the day's first trains: the line it comes in on, the track it runs onto and the line it leaves by. */
struct FirstTrain {
    const char *number;
    char in;
    int track;
    char out;
};
const FirstTrain FirstTrains[] = {{"6010", 'A', 1, 'A'}, {"2601", 'B', 3, 'C'}, {"2622", 'C', 5, 'B'}};

/**
 * The dispatcher at his desk from the game's start at 7:15. He works only
 * the telephone, by its controls: he answers every ringing line, accepts
 * what is offered, acknowledges the notices, reports arrivals and offers
 * his departures. Nobody works the boxes here: the entry signals, the
 * routes and the dispatch from the track view are written into their
 * cells, as those devices would write them.
 */
class Day : public Desk {
protected:
    Day()
    {
        h.click("A0.H9");
        EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join('|').toStdString();
        h.type("A1.Rychlost", "1024");
    }

    /** Answers every ringing line: an offer is accepted, a notice acknowledged; then the line is released. */
    void answerCalls()
    {
        for (char line : {'A', 'B', 'C'}) {
            if (h.color(QStringLiteral("A1.Zprava%1").arg(line)) != Red)
                continue;
            heard << h.text(QStringLiteral("A1.Zprava%1").arg(line));
            h.click(key(line));
            if (h.visible("A6.I4"))
                h.click("A6.I4");
            else if (h.visible("A6.I6"))
                h.click("A6.I6");
            h.click(key(line));
        }
    }
    /** One clock tick, with the telephone answered. */
    void tick()
    {
        h.ticks(1);
        answerCalls();
    }
    /** Calls the neighbour of a line and says a kind about the train of row r. @return the neighbour's reply. */
    QString call(char line, const QString &kind, int r)
    {
        h.click("A6.E1");
        h.click(key(line));
        dial();
        for (int i = 0; i < 14 && !h.enabled("A6.G2"); ++i)
            h.ticks(1);
        say(kind, r);
        const QString reply = h.lines("A6.G1").value(2);
        h.click(key(line));
        h.click("A6.G6");
        return reply;
    }
    /** @return the row of a train in the timetable window, or 0. */
    int rowOf(const QString &number) const
    {
        for (int r = 1; r <= 16; ++r)
            if (h.text(cell(r, Cislo)) == number)
                return r;
        return 0;
    }
    /** Starts the departure run of the train on its line, as the track view does for a train ready to leave. */
    void dispatch(const FirstTrain &t, int r)
    {
        const QString x(QChar(t.out));
        paint(cell(r, Odj), Lime);
        h.type("A1.StavVlak" + x, "-1");
        h.type("A1.Vlak" + x + "Do", "0");
        h.as<ui::Timer>("A1.TimerVlak" + x + "Do").setInterval(1000);
        h.as<ui::Timer>("A1.TimerVlak" + x + "Do").setEnabledFlag(true);
    }

    QStringList heard; ///< Every message the neighbours gave, in order.
};

} // namespace

TEST_F(Day, TheFirstTrainsOfTheThreeLinesRunInAndOutByTelephone)
{
    /* Lines B and C go over to telephone working, by telephone. */
    h.click("A6.E1");
    h.click(key('B'));
    h.click(key('C'));
    dial();
    h.ticks(14);
    choose("Zavedení telefoniky");
    h.click("A6.G5");
    EXPECT_EQ(h.lines("A6.G1").mid(2), (QStringList{"", "Rozuměl Červený.", "", "Rozuměl Žlutý."}));
    h.click(key('B'));
    h.click(key('C'));
    h.click("A6.G6");

    /* Entry signals at proceed; line C's points lead to track 5. */
    for (const char *entry : {"A1.C03", "A1.C06", "A1.C09"})
        h.type(entry, "Volno");
    h.type("A1.Vymena13", "-10");
    h.type("A1.Vymena12", "-10");

    std::map<QString, QStringList> replies;
    std::map<QString, int> rows;
    auto done = [&] {
        for (const FirstTrain &t : FirstTrains)
            if (!rows.count(t.number) || !h.text(cell(rows[t.number], Cislo)).isEmpty())
                return false;
        return true;
    };
    for (int second = 0; second < 2 * 3600 && !done(); ++second) {
        tick();
        for (const FirstTrain &t : FirstTrains) {
            const int r = rowOf(t.number);
            if (r == 0)
                continue;
            rows[t.number] = r;
            QStringList &said = replies[t.number];
            const QString in = QStringLiteral("A1.Trat%1").arg(t.in), out = QStringLiteral("A1.Trat%1").arg(t.out);
            if (h.color(cell(r, OdjS)) == Fuchsia && h.text(in) == t.number)
                said << call(t.in, "Telefonická odhláška", r);
            else if (h.color(cell(r, Odj)) == Orange && h.text(out) == "Volná" && h.text(cell(r, ZeSmeru)).isEmpty())
                said << call(t.out, "Nabídka vlaku", r);
            else if (h.color(cell(r, Odj)) == Aqua)
                dispatch(t, r);
        }
        /* Once line C's train is in, its points lead the departure from track 3, and box 1's
           levers 8 and 10 the departure to line B from track 5. */
        if (rows.count("2622") && h.color(cell(rows["2622"], OdjS)) == Fuchsia) {
            h.type("A1.Vymena12", "0");
            for (const char *lever : {"A7.Paka8", "A7.Paka10"})
                h.control(QString(lever) + "b").setTop(h.control(QString(lever) + "c").top() - 291);
        }
    }
    ASSERT_TRUE(done()) << "at " << h.clock().toStdString();
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join('|').toStdString();
    const QString surname[3] = {"Zelený", "Červený", "Žlutý"};
    for (const FirstTrain &t : FirstTrains) {
        const QString n = t.number;
        for (const char *word : {"Nabídka vlaku ", "Oznámení odjezdu ", "Telefonická odhláška "})
            EXPECT_TRUE(heard.contains(QString::fromUtf8(word) + n)) << word << t.number;
        ASSERT_EQ(replies[n].size(), 2) << t.number;
        EXPECT_EQ(replies[n][0], "Vlak " + n + " v Kamenné. Rozuměl " + surname[t.in - 'A'] + ".");
        EXPECT_TRUE(replies[n][1].startsWith("Ano, přijímám vlak " + n + " s odjezdem z Kamenné v ")) << t.number;
        EXPECT_TRUE(replies[n][1].endsWith(". " + surname[t.out - 'A'] + ".")) << t.number;
    }
    for (char line : {'A', 'B', 'C'}) {
        EXPECT_EQ(h.text(QStringLiteral("A1.Trat%1").arg(line)), "Volná") << line;
        EXPECT_EQ(h.value(QStringLiteral("A1.StavVlak%1").arg(line)), 0) << line;
    }
}

TEST_F(Day, ARefusedTrainIsOfferedAgainSixtyTicksAfterTheRefusal)
{
    while (h.color("A1.ZpravaA") != Red)
        h.ticks(1);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 6010");
    h.click(key('A'));
    h.click("A6.I5");
    const int r = rowOf("6010");
    EXPECT_EQ(h.color(cell(r, OdjS)), Red);
    h.click(key('A'));
    h.ticks(59);
    EXPECT_EQ(h.color("A1.ZpravaA"), White) << "not before the sixty ticks";
    h.ticks(2);
    EXPECT_EQ(h.color(cell(r, OdjS)), Orange);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 6010");
    EXPECT_EQ(h.color("A1.ZpravaA"), Red);
    h.click(key('A'));
    h.click("A6.I4");
    EXPECT_EQ(h.text("A1.TratA"), "6010");
    EXPECT_EQ(h.color(cell(r, OdjS)), Yellow);
}
