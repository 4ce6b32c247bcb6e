/**
 * @file playing_guide_test.cpp The first trains of the built-in day, played as the player's guide tells:
 * telephone, desk and track view worked by their controls, each step checked and pictured.
 */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "core/form_a2.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

#include <functional>

#include <gtest/gtest.h>

namespace {

const QColor Red(255, 0, 0), Yellow(255, 255, 0), Lime(0, 255, 0), Aqua(0, 255, 255), Fuchsia(255, 0, 255);

/** Cell columns of a timetable row. */
enum Column { Cislo = 0, OdjS = 2, Odj = 6 };

/** @return the full name of a cell of row r ("A2.B3"). */
QString cell(int r, int column)
{
    return "A2." + timetableCellName(r, column);
}

/** @return the desk's line key of a line. */
QString key(char line)
{
    return line == 'A' ? "A6.F0" : line == 'B' ? "A6.F2" : "A6.F1";
}

/**
 * The built-in day from 7:15 with the windows of the Qt front, so each
 * step can be pictured as the player sees it.
 */
class Guide : public ::testing::Test {
protected:
    Guide() : front(h.app()) { QDir().mkpath(folder()); }

    static QString folder() { return QCoreApplication::applicationDirPath() + "/guide"; }

    /** Lets the clock tick until the condition holds; false when it does not within the ticks. */
    bool waitFor(const std::function<bool()> &condition, int ticks = 3600)
    {
        for (int i = 0; i < ticks; ++i) {
            if (condition())
                return true;
            h.ticks(1);
        }
        return condition();
    }
    /** @return the row of a train in the timetable window, or 0. */
    int rowOf(const QString &number) const
    {
        for (int r = 1; r <= 16; ++r)
            if (h.text(cell(r, Cislo)) == number)
                return r;
        return 0;
    }
    bool ringing(char line) const { return h.color(QStringLiteral("A1.Zprava%1").arg(line)) == Red; }
    QString call(char line) const { return h.text(QStringLiteral("A1.Zprava%1").arg(line)); }

    /** Lifts the handset and takes a line with its key. */
    void answer(char line)
    {
        if (h.visible("A6.E1"))
            h.click("A6.E1");
        h.click(key(line));
    }
    /** Releases the line key and puts the handset down. */
    void hangUp(char line)
    {
        h.click(key(line));
        h.click("A6.G6");
    }
    /** Lifts the handset, takes the line, dials and waits for the neighbour. */
    void ring(char line)
    {
        answer(line);
        h.press("A6.E2", 5, 5);
        h.release(5, 5);
        waitFor([&] { return h.enabled("A6.G2"); }, 20);
    }
    /** Chooses a message kind, the train of row r and says it. */
    void say(const QString &kind, int r)
    {
        const int item = h.as<ui::ListBox>("A6.G2").items().indexOf(kind);
        ASSERT_GE(item, 0) << kind.toStdString();
        h.clickRow("A6.G2", item);
        static const char *const labels[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                               "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
        h.click(QStringLiteral("A6.") + labels[r - 1]);
        h.click("A6.G5");
    }

    /** @return a device's Top relative to the desk's block instrument. */
    int rel(const QString &device) { return h.control(device).top() - h.control("A6.Blok").top(); }
    /** Drags a track knob a stop at a time towards a position, until it stands there or stops moving. */
    void knobTo(char line, int position)
    {
        const QString knob = QStringLiteral("A6.Knoflik%1").arg(line);
        for (int i = 0; i < 20 && rel(knob) != position; ++i) {
            const int before = rel(knob);
            h.drag(knob, {5, 20}, {5, position > before ? 25 : 15});
            if (rel(knob) == before)
                return;
        }
    }
    /** Turns a route lock: dx < 0 to the left, > 0 to the right. */
    void turnLock(char line, int dx) { h.drag(QStringLiteral("A6.Zavernik%1").arg(line), {10, 20}, {10 + dx, 20}); }
    /** Holds a desk device pressed for a time, then lets it go. */
    void hold(const QString &device, int ms)
    {
        h.press(device, 5, 5);
        h.advanceMs(ms);
        h.release(5, 5);
    }

    /** Presses a button of the desk and lets it go. */
    void push(const QString &device)
    {
        h.press(device, 5, 5);
        h.release(5, 5);
    }
    /** @return whether an image shows the picture of another (a picture of the store A3). */
    bool shows(const QString &image, const QString &picture) const
    {
        return h.as<ui::Image>(image).picture() == h.as<ui::Image>(picture).picture();
    }

    /**
     * Saves the part of a view's content round some of its controls, as
     * the player sees it, for the guide: build/guide/<file>.png.
     */
    void picture(const QString &file, const QStringList &controls, int margin = 30)
    {
        ui::Form &form = *h.control(controls.first()).form();
        ui::Control &content = h.control(form.name() + ".D5");
        QRect area;
        for (const QString &name : controls) {
            const ui::Control &c = h.control(name);
            area |= QRect(c.formPos() - content.formPos(), c.bounds().size());
        }
        view::FormWindow *w = front.window(form);
        ASSERT_NE(w, nullptr);
        QWidget *widget = w->widgetOf(content);
        ASSERT_NE(widget, nullptr);
        const QImage shot = widget->grab().toImage();
        const QImage cut = shot.copy(area.adjusted(-margin, -margin, margin, margin).intersected(shot.rect()));
        EXPECT_TRUE(cut.save(folder() + "/" + file + ".png")) << file.toStdString();
    }
    /**
     * Saves a whole view as the player sees it, for the guide, at the size
     * of its form: a maximised view has the screen's size, which the test
     * platform's window cannot take, so its parts are drawn one by one.
     */
    void window(const QString &file, const QString &formName)
    {
        const ui::Form &form = *h.app().form(formName);
        view::FormWindow *w = front.window(form);
        ASSERT_NE(w, nullptr);
        if (!form.maximized()) {
            EXPECT_TRUE(w->grab().toImage().save(folder() + "/" + file + ".png")) << file.toStdString();
            return;
        }
        QImage shot(form.bounds().size(), QImage::Format_RGB32);
        shot.fill(w->palette().color(w->backgroundRole()));
        QPainter painter(&shot);
        for (QObject *child : w->children()) {
            auto *part = qobject_cast<QWidget *>(child);
            if (part && part->isVisible())
                painter.drawPixmap(part->pos(), part->grab());
        }
        painter.end();
        EXPECT_EQ(shot.size(), form.bounds().size());
        EXPECT_TRUE(shot.save(folder() + "/" + file + ".png")) << file.toStdString();
    }

    QApplication *qt = qtApp();
    Harness h;
    view::Front front;
};

} // namespace

TEST_F(Guide, TheFirstTrainsOfTheDayRunInAndOut)
{
    h.click("A0.H9");
    h.maximise("A6");
    h.ticks(1);
    ASSERT_EQ(h.clock(), "7:15:00");
    h.click("A6.H04");
    h.click("A6.H04");
    ASSERT_EQ(h.text("A6.H03"), "4 x");

    /* 1. 6010 is offered on line A at 7:35: the speed falls back to 1x and line A's key flashes. */
    ASSERT_TRUE(waitFor([&] { return ringing('A'); }));
    EXPECT_EQ(h.clock(), "7:35:01");
    EXPECT_EQ(call('A'), "Nabídka vlaku 6010");
    EXPECT_EQ(h.text("A6.H03"), "1 x");
    EXPECT_EQ(h.text("A5.H03"), "1 x");
    ASSERT_TRUE(waitFor([&] { return shows("A6.F0", "A3.TelBilaOn"); }, 2));
    picture("01_ringing", {"A6.E0", "A6.F0", "A6.F1", "A6.F2"});

    /* 2. Handset, line key, memo, accept. */
    answer('A');
    EXPECT_EQ(h.text("A6.G1"), "Přijmete vlak 6010 s odjezdem z Lomu v 7:40? Zelený.");
    ASSERT_TRUE(h.visible("A6.I4"));
    EXPECT_EQ(h.text("A6.I4"), "Ano, přijímám vlak 6010 s odjezdem z Lomu v 7:40. Modrý.");
    picture("02_offer", {"A6.G0", "A6.E0"}, 10);
    h.click("A6.I4");
    hangUp('A');
    EXPECT_EQ(h.text("A1.TratA"), "6010");
    const int r6010 = rowOf("6010");
    ASSERT_GT(r6010, 0);
    EXPECT_EQ(h.color(cell(r6010, OdjS)), Yellow);

    /* 3. The arrival route: knob A to track 1, route lock A to the left, bell A, release lever. */
    h.drag("A6.KnoflikA", {5, 20}, {5, 4});
    ASSERT_EQ(rel("A6.KnoflikA"), 828) << "16 px of pointer travel take the knob 8 px, one stop up";
    turnLock('A', -30);
    ASSERT_EQ(h.value("A1.CestaA"), 1);
    picture("03_knob_lock", {"A6.KnoflikA", "A6.KnoflikB", "A6.ZavernikA", "A6.ZavernikB"});
    hold("A6.ZvonekA", 550);
    hold("A6.PakaNavBOd", 1150);
    EXPECT_EQ(h.value("A1.NavBOd"), 5);
    picture("04_bell_lever", {"A6.ZvonekA", "A6.PakaNavBOd", "A6.PakaNavBDo", "A6.InduktorA"}, 20);

    /* 2601's route from line B to track 3: knob B moves now that knob A stands on track 1. */
    knobTo('B', 812);
    ASSERT_EQ(rel("A6.KnoflikB"), 812);
    turnLock('B', -30);
    ASSERT_EQ(h.value("A1.CestaB"), 3);
    hold("A6.ZvonekB", 550);
    hold("A6.PakaNavMOd", 1150);
    EXPECT_EQ(h.value("A1.NavMOd"), 5);

    /* 4. Line C's consent to Vrbská for 2622, then its route to track 5 (lock C turns right for an entry). */
    EXPECT_EQ(h.value("A1.TSCH"), 1);
    hold("A6.PakaTSCH", 3000);
    EXPECT_EQ(h.value("A1.TSCH"), 6);
    EXPECT_EQ(h.value("A1.TSJ"), 6);
    knobTo('C', 804);
    ASSERT_EQ(rel("A6.KnoflikC"), 804);
    turnLock('C', 30);
    ASSERT_EQ(h.value("A1.CestaC"), 5);
    hold("A6.ZvonekC", 550);
    hold("A6.PakaNavCHOd", 1150);
    EXPECT_EQ(h.value("A1.NavCHOd"), 5);
    EXPECT_EQ(h.value("A1.PHCHOd"), 6) << "the right outer window announces the arrival";
    picture("05_consent_c", {"A6.PopisC", "A6.PHCHDo", "A6.PakaNavCHDo", "A6.PakaTSCH", "A6.ZapCH"}, 15);

    /* The signalmen lay the routes and clear the entry signals within the minute. */
    h.ticks(60);
    EXPECT_EQ(h.color("A1.C04"), Lime) << "L";
    EXPECT_EQ(h.color("A1.C07"), Lime) << "ML";
    EXPECT_EQ(h.color("A1.C10"), Lime) << "S";
    picture("06_box1_routes", {"A7.Zavernik1", "A7.Zavernik6", "A7.CisloB1", "A7.CisloM3"}, 40);
    for (const char *tablet : {"A7.DestickaA", "A7.DestickaB"}) {
        EXPECT_EQ(h.control(tablet).height(), 85) << tablet << " dropped by the bell";
        EXPECT_EQ(h.color(tablet), QColor(Qt::white)) << tablet;
    }
    picture("17_box1_tablets", {"A7.DestickaA", "A7.DestickaB", "A7.PakaNavBOd", "A7.PakaNavMOd"}, 30);

    /* 5. The calls of the next minutes: the departure notice of 6010 and the offers of 2601 and 2622. */
    const struct {
        char line;
        const char *call;
        const char *answer;
    } calls[4] = {{'A', "Oznámení odjezdu 6010", "A6.I6"},
                  {'B', "Předvídaný odjezd 2601", "A6.I4"},
                  {'B', "Oznámení odjezdu 2601", "A6.I6"},
                  {'C', "Předvídaný odjezd 2622", "A6.I4"}};
    for (const auto &c : calls) {
        ASSERT_TRUE(waitFor([&] { return ringing(c.line); }, 900)) << c.call;
        EXPECT_EQ(call(c.line), c.call);
        answer(c.line);
        ASSERT_TRUE(h.visible(c.answer)) << c.call;
        if (QLatin1String(c.call) == QLatin1String("Předvídaný odjezd 2622"))
            picture("07_predicted", {"A6.G0", "A6.E0"}, 10);
        h.click(c.answer);
        hangUp(c.line);
    }
    EXPECT_EQ(h.text("A1.TratB"), "2601");
    EXPECT_EQ(h.text("A1.TratC"), "2622");
    ASSERT_TRUE(waitFor([&] { return ringing('C'); }, 600));
    EXPECT_EQ(call('C'), "Oznámení odjezdu 2622");
    answer('C');
    h.click("A6.I6");
    hangUp('C');

    /* 6. The trains run in and stop: 6010 on track 1, 2601 on track 3, 2622 on track 5. */
    ASSERT_TRUE(waitFor([&] { return h.text("A1.Kolej5") == "2622"; }, 900));
    EXPECT_EQ(h.text("A1.Kolej1"), "6010");
    EXPECT_EQ(h.text("A1.Kolej3"), "2601");
    EXPECT_EQ(h.color(cell(r6010, OdjS)), Fuchsia);
    EXPECT_TRUE(waitFor([&] { return h.text("A1.TratC") == "Volná"; }, 120)) << "the block frees line C itself";
    EXPECT_EQ(h.text(cell(rowOf("2622"), OdjS)), "") << "line C empties the arrival half: no fuchsia";
    EXPECT_EQ(h.color(cell(rowOf("2622"), OdjS)), QColor(Qt::white));
    h.keyDown("A6", ui::key::F5);
    ASSERT_TRUE(h.visible("A5"));
    h.maximise("A5");
    window("08_track_view", "A5");
    h.keyDown("A5", ui::key::F5);
    ASSERT_TRUE(h.visible("A6"));

    /* 7. The arrival reports: 6010 by telephone, 2601 by the block's ODHL button. */
    ring('A');
    say("Telefonická odhláška", r6010);
    EXPECT_EQ(h.lines("A6.G1").value(2), "Vlak 6010 v Kamenné. Rozuměl Zelený.");
    picture("09_arrival_report", {"A6.G0"}, 10);
    hangUp('A');
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    ASSERT_TRUE(h.visible("A6.EVM"));
    picture("10_line_b_block", {"A6.EVM", "A6.PSM", "A6.TSM", "A6.VZM"}, 25);
    push("A6.ODHLM");
    EXPECT_FALSE(h.visible("A6.EVM"));
    EXPECT_EQ(h.text("A1.TratB"), "Volná");

    /* 2622 leaves for line B and 2601 for line C at 8:05, agreed now. */
    const int r2622 = rowOf("2622"), r2601 = rowOf("2601");
    ASSERT_EQ(h.color(cell(r2622, Odj)), QColor(255, 128, 0));
    ASSERT_EQ(h.color(cell(r2601, Odj)), QColor(255, 128, 0));
    ASSERT_EQ(h.color("A1.SmerB"), Red) << "the consent is with Struhy";
    ASSERT_TRUE(h.visible("A6.VTM"));
    push("A6.ZSM");
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 0, 255)) << "asked back";
    EXPECT_TRUE(waitFor([&] { return h.color("A1.SmerB") == Lime; }, 15)) << "Struhy gives the consent back";
    EXPECT_TRUE(h.visible("A6.PSM") && h.visible("A6.VTM") && h.visible("A6.VOM")) << "PS, VT and VO lit";
    picture("18_line_b_consent", {"A6.EVM", "A6.PSM", "A6.TSM", "A6.VZM"}, 25);
    ring('B');
    say("Předvídaný odjezd", r2622);
    const QString leaves = h.text("A6.G3");
    EXPECT_EQ(leaves, "8:03") << "the time the guide names";
    EXPECT_EQ(h.lines("A6.G1").value(2), "Vlak 2622 odjede z Kamenné v " + leaves + ". Rozumí Struhy.");
    picture("16_predicted_out", {"A6.G0"}, 10);
    hangUp('B');
    ring('C');
    say("Předvídaný odjezd", r2601);
    EXPECT_EQ(h.lines("A6.G1").value(2), "Vlak 2601 odjede z Kamenné v " + leaves + ". Rozumí Vrbská.");
    hangUp('C');
    EXPECT_EQ(h.color(cell(r2622, Odj)), Yellow);
    EXPECT_EQ(h.color(cell(r2601, Odj)), Yellow);
    /* Line B: 2601's arrival route back, then 2622's exit route from track 5. */
    hold("A6.PakaZavM", 2000);
    EXPECT_EQ(h.value("A1.ZavM"), 1);
    turnLock('B', 30);
    EXPECT_EQ(h.value("A1.CestaB"), 0);
    knobTo('B', 804);
    EXPECT_EQ(rel("A6.KnoflikB"), 804);
    turnLock('B', 30);
    EXPECT_EQ(h.value("A1.CestaB"), 5);
    hold("A6.ZvonekB", 550);
    hold("A6.PakaNavMDo", 1150);
    EXPECT_EQ(h.value("A1.NavMDo"), 5);
    /* Line C: 2622's arrival route back, then 2601's exit route from track 3 once Vrbská has brought the consent. */
    hold("A6.PakaZavCH", 2000);
    EXPECT_EQ(h.value("A1.ZavCH"), 1);
    turnLock('C', -30);
    EXPECT_EQ(h.value("A1.CestaC"), 0);
    knobTo('C', 812);
    EXPECT_EQ(rel("A6.KnoflikC"), 812);
    turnLock('C', -30);
    EXPECT_EQ(h.value("A1.CestaC"), 3);
    EXPECT_TRUE(waitFor([&] { return h.value("A1.TSCH") == 1; }, 30)) << "Vrbská brings the consent back";
    hold("A6.ZvonekC", 550);
    hold("A6.PakaNavCHDo", 1150);
    EXPECT_EQ(h.value("A1.NavCHDo"), 5);
    EXPECT_EQ(h.value("A1.PHCHDo"), 5) << "the left outer window announces the departure";
    EXPECT_TRUE(waitFor([&] { return h.color("A1.C44") == Lime && h.color("A1.C26") == Lime; }, 90)) << "S5 and L3";
    ASSERT_TRUE(waitFor([&] { return h.color(cell(r2622, Odj)) == Aqua; }, 600));
    EXPECT_EQ(h.clock(), leaves + ":00");
    h.click("A5.H5");
    h.click("A5.J5");
    EXPECT_EQ(h.color(cell(r2622, Odj)), Lime);
    EXPECT_EQ(h.color(cell(r2601, Odj)), Lime);
    ASSERT_TRUE(waitFor([&] { return h.text("A1.Kolej5") == "Volná" && h.text("A1.Kolej3") == "Volná"; }, 300));

    /* 8. 6010 leaves for line A: route taken back, offered when its departure turns orange, exit route. */
    hold("A6.PakaZavB", 2000);
    EXPECT_EQ(h.value("A1.ZavB"), 1);
    turnLock('A', 30);
    EXPECT_EQ(h.value("A1.CestaA"), 0);
    ASSERT_TRUE(waitFor([&] { return h.color(cell(r6010, Odj)) == QColor(255, 128, 0); }, 600));
    ring('A');
    say("Nabídka vlaku", r6010);
    const QString agreed = h.text("A6.G3");
    EXPECT_EQ(agreed, "8:08") << "the time the guide names";
    EXPECT_EQ(h.lines("A6.G1").value(2), "Ano, přijímám vlak 6010 s odjezdem z Kamenné v " + agreed + ". Zelený.");
    picture("11_offer_out", {"A6.G0"}, 10);
    hangUp('A');
    EXPECT_EQ(h.color(cell(r6010, Odj)), Yellow);
    turnLock('A', 30);
    ASSERT_EQ(h.value("A1.CestaA"), 1);
    hold("A6.ZvonekA", 550);
    hold("A6.PakaNavBDo", 1150);
    ASSERT_TRUE(waitFor([&] { return h.color("A1.C35") == Lime; }, 60)) << "S1";

    /* 9. At 8:08 the departure cell turns aqua: a click on the train on track 1 dispatches it. */
    ASSERT_TRUE(waitFor([&] { return h.color(cell(r6010, Odj)) == Aqua; }, 600));
    EXPECT_EQ(h.clock(), agreed + ":00");
    h.keyDown("A6", ui::key::F4);
    ASSERT_TRUE(h.visible("A2"));
    window("12_timetable_aqua", "A2");
    h.closeForm("A2");
    h.keyDown("A6", ui::key::F5);
    h.click("A5.L5");
    EXPECT_EQ(h.color(cell(r6010, Odj)), Lime);
    h.ticks(8);
    window("13_departure", "A5");
    ASSERT_TRUE(waitFor([&] { return h.text("A1.Kolej1") == "Volná"; }, 300));

    /* 10. Horní Lom reports 6010's arrival: the player acknowledges it and the line is free. */
    ASSERT_TRUE(waitFor([&] { return ringing('A'); }, 1200));
    EXPECT_EQ(call('A'), "Telefonická odhláška 6010");
    answer('A');
    EXPECT_EQ(h.text("A6.I6"), "Vlak 6010 v Lomu. Rozuměl Modrý.");
    picture("14_acknowledge", {"A6.G0", "A6.E0"}, 10);
    h.click("A6.I6");
    hangUp('A');
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(rowOf("6010"), 0) << "the row is free again";
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST_F(Guide, KnobBStaysWhileLineARouteLiesOnTrack3)
{
    h.click("A0.H9");
    knobTo('A', 812);
    ASSERT_EQ(rel("A6.KnoflikA"), 812);
    turnLock('A', -30);
    ASSERT_EQ(h.value("A1.CestaA"), 3);
    for (int dy : {-10, 10}) {
        h.drag("A6.KnoflikB", {5, 20}, {5, 20 + dy});
        EXPECT_EQ(rel("A6.KnoflikB"), 820) << "knob B neither up nor down";
    }
    picture("15_knob_b_held", {"A6.KnoflikA", "A6.KnoflikB", "A6.ZavernikA", "A6.ZavernikB"});
    /* With line A's route taken back and knob A on track 1, knob B goes up to track 3. */
    turnLock('A', 30);
    knobTo('A', 828);
    knobTo('B', 812);
    EXPECT_EQ(rel("A6.KnoflikB"), 812);
}

/* The guide tells the levers apart by their place in each line's column, left to right. */
TEST(GuideLevers, EachLinesLeversStandInTheOrderTheGuideNames)
{
    Harness h;
    const QStringList columns[3] = {{"PakaNavBOd", "PakaZavB", "PakaNavBDo"},
                                    {"PakaNavMOd", "PakaZavM", "PakaNavMDo"},
                                    {"PakaNavCHDo", "PakaZavCH", "PakaNavCHOd", "PakaTSCH"}};
    for (const QStringList &column : columns)
        for (int k = 1; k < column.size(); ++k)
            EXPECT_GT(h.control("A6." + column[k]).left(), h.control("A6." + column[k - 1]).left() + 20)
                << qPrintable(column[k - 1] + " then " + column[k]);
    EXPECT_GT(h.control("A6.PakaNavMOd").left(), h.control("A6.PakaNavBDo").left()) << "column B right of A";
    EXPECT_GT(h.control("A6.PakaNavCHDo").left(), h.control("A6.PakaNavMDo").left()) << "column C right of B";
}
