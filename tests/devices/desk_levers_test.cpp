/** @file desk_levers_test.cpp The desk's block levers, their interlocking and the lock engine they run. */
#include "desk_fixture.h"

#include "core/form_a1.h"
#include "devices/form_a6.h"

#include <functional>

namespace {

/** One lever, what makes its press allowed, and the fields it leaves after a hold of six engine steps. */
struct LeverCase {
    const char *lever;
    std::function<void(Desk &, Harness &)> allow;
    std::vector<std::pair<const char *, int>> after;
    bool magnetoA;
};

/** @return the levers, each with its conditions and the fields it leaves after six steps. */
const std::vector<LeverCase> &leverCases()
{
    static const std::vector<LeverCase> all = {
        {"PakaNavBOd", [](Desk &, Harness &) {}, {{"NavBOd", 5}, {"NavBOdSt", 6}}, true},
        {"PakaZavB", [](Desk &, Harness &h) { h.type("A1.ZavB", "5"); h.type("A1.ZavBSt", "3"); },
         {{"ZavBSt", 1}, {"ZavB", 1}}, true},
        {"PakaNavBDo", [](Desk &, Harness &) {}, {{"NavBDo", 5}, {"NavBDoSt", 6}}, true},
        {"PakaSouLc1", [](Desk &, Harness &) {}, {{"SouLc1", 5}, {"SouLc1St", 5}}, true},
        {"PakaNavMOd", [](Desk &, Harness &) {}, {{"NavMOd", 5}, {"NavMOdSt", 6}}, true},
        {"PakaZavM", [](Desk &, Harness &h) { h.type("A1.ZavM", "5"); }, {{"ZavMSt", 1}, {"ZavM", 1}}, true},
        {"PakaNavMDo", [](Desk &, Harness &) {}, {{"NavMDo", 5}, {"NavMDoSt", 6}}, true},
        {"PakaNavCHDo", [](Desk &, Harness &) {}, {{"NavCHDo", 5}, {"NavCHDoSt", 6}, {"PHCHDo", 5}}, false},
        {"PakaZavCH", [](Desk &, Harness &h) { h.type("A1.ZavCH", "4"); h.type("A1.ZavCHSt", "2"); },
         {{"ZavCHSt", 1}, {"ZavCH", 1}, {"PZZOpen", 0}}, false},
        {"PakaNavCHOd", [](Desk &, Harness &) {}, {{"NavCHOd", 5}, {"NavCHOdSt", 6}, {"PHCHOd", 6}}, false},
        {"PakaTSCH", [](Desk &, Harness &) {}, {{"TSCH", 6}, {"TSJ", 6}}, false},
    };
    return all;
}

} // namespace

/** Each lever held under each current source (magneto or crank). */
class DeskLeverSequence : public Desk, public ::testing::WithParamInterface<std::tuple<int, bool, bool>> {
protected:
    void knob(const QString &k, int at) { knobTo(k, at); }
    void lock(const QString &l, int dx) { dragLock(l, dx); }
};

TEST_P(DeskLeverSequence, AHeldLeverStepsItsFieldsAndTurnsItsMagnetoOrCrank)
{
    const auto [index, crank, block] = GetParam();
    const LeverCase &c = leverCases()[index];
    /* The engine works alike whether the lines run under the block or the telephone. */
    for (const char *line : {"A1.SmerA", "A1.SmerB", "A1.SmerC"})
        h.type(line, block ? "Poloautoblok" : "Telefonika");
    const QString lever = QStringLiteral("A6.") + c.lever;
    /* The route locks the signal levers need: A and B left for entries, right for exits; C the reverse. */
    const QString name = c.lever;
    if (name == "PakaNavBOd" || name == "PakaNavBDo") {
        knob("A", 812);
        lock("A", name == "PakaNavBOd" ? -30 : 30);
    } else if (name == "PakaNavMOd" || name == "PakaNavMDo") {
        knob("B", 812);
        lock("B", name == "PakaNavMOd" ? -30 : 30);
    } else if (name == "PakaNavCHDo" || name == "PakaNavCHOd") {
        knob("C", 812);
        lock("C", name == "PakaNavCHDo" ? -30 : 30);
    } else if (name == "PakaSouLc1") {
        lock("D", 30);
    }
    c.allow(*this, h);
    if (crank) {
        h.press("A6.KlikaL", 5, 5);
        h.release(5, 5);
        ASSERT_EQ(h.text("A1.Proud"), "K");
    }
    const QString magneto = c.magnetoA ? "A6.InduktorA" : "A6.InduktorB";
    const QString other = c.magnetoA ? "A6.InduktorB" : "A6.InduktorA";
    const int rest = top(lever);
    const qsizetype mark = h.sounds().size();

    h.press(lever, 5, 5);
    EXPECT_EQ(top(lever), rest + 7) << "allowed: right down";
    EXPECT_TRUE(h.timerEnabled("A1.ZaverDK"));
    EXPECT_EQ(h.interval("A1.ZaverDK"), 300);
    h.advanceMs(299);
    EXPECT_EQ(h.interval("A1.ZaverDK"), 300) << "nothing before the first tick";
    h.advanceMs(1);
    EXPECT_EQ(h.interval("A1.ZaverDK"), 200);
    EXPECT_TRUE(heard("rewind Zaver1.wav", mark) && heard("play Zaver1.wav", mark)) << "the hum of a lever";
    EXPECT_EQ(rel(magneto), crank ? 269 : 271);
    EXPECT_EQ(rel(other), 269);
    EXPECT_EQ(h.timerEnabled("A1.Induktor"), !crank);
    EXPECT_EQ(h.timerEnabled("A1.Klika"), crank);
    EXPECT_EQ(heard("play Induktor3.wav", mark), crank);
    h.advanceMs(1250);
    for (const auto &[field, value] : c.after)
        EXPECT_EQ(h.value(QStringLiteral("A1.") + field), value) << field;

    const qsizetype beforeRelease = h.sounds().size();
    h.release(5, 5);
    EXPECT_EQ(top(lever), rest);
    EXPECT_EQ(rel(magneto), 269);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverDK"));
    EXPECT_EQ(h.interval("A1.ZaverDK"), 300);
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    EXPECT_TRUE(heard("play Hrtl2.wav", beforeRelease));
    EXPECT_TRUE(heard("stop Zaver1.wav", beforeRelease));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryLever, DeskLeverSequence,
                         ::testing::Combine(::testing::Range(0, 11), ::testing::Bool(), ::testing::Bool()),
                         [](const auto &info) {
                             return std::string(leverCases()[std::get<0>(info.param)].lever) +
                                    (std::get<1>(info.param) ? "Crank" : "Magneto") +
                                    (std::get<2>(info.param) ? "Block" : "Telephone");
                         });

using DeskLevers = Desk;

TEST_F(DeskLevers, ARefusedPressOnlyDipsTheLever)
{
    const int rest = top("A6.PakaNavBOd");
    const qsizetype mark = h.sounds().size();
    h.press("A6.PakaNavBOd", 5, 5);
    EXPECT_EQ(top("A6.PakaNavBOd"), rest + 2);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverDK"));
    h.advanceMs(1500);
    h.release(5, 5);
    EXPECT_EQ(top("A6.PakaNavBOd"), rest);
    EXPECT_EQ(h.value("A1.NavBOd"), 1);
    EXPECT_FALSE(heard("play Hrtl1.wav", mark));
    EXPECT_FALSE(heard("play Hrtl2.wav", mark));
    EXPECT_EQ(rel("A6.InduktorA"), 269);
}

TEST_F(DeskLevers, EachInterlockingConditionRefusesItsLever)
{
    auto refused = [&](const char *lever) {
        const QString name = QStringLiteral("A6.") + lever;
        const int rest = top(name);
        h.press(name, 5, 5);
        const bool dipped = top(name) == rest + 2;
        h.release(5, 5);
        return dipped;
    };
    knobTo("A", 812);
    dragLock("A", -30);
    h.type("A1.NavBOd", "5");
    EXPECT_TRUE(refused("PakaNavBOd")) << "release field at its end";
    h.type("A1.NavBOd", "1");
    EXPECT_FALSE(refused("PakaNavBOd"));

    dragLock("A", 30);
    dragLock("A", 30);
    ASSERT_EQ(left("A6.ZavernikA"), 1344);
    h.drag("A6.KlicA", {5, 3}, {50, 3});
    ASSERT_EQ(relLeft("A6.KlicA"), 357);
    EXPECT_TRUE(refused("PakaNavBDo")) << "key A turned";
    h.drag("A6.KlicA", {50, 3}, {0, 3});
    EXPECT_FALSE(refused("PakaNavBDo"));

    h.type("A1.NavBDo", "1");
    h.type("A1.ZavB", "1");
    EXPECT_TRUE(refused("PakaZavB")) << "nothing to take back";
    h.type("A1.ZavB", "5");
    h.type("A1.NavBOd", "2");
    EXPECT_TRUE(refused("PakaZavB")) << "a release still given";
    h.type("A1.NavBOd", "1");
    EXPECT_FALSE(refused("PakaZavB"));

    h.type("A1.TSCH", "3");
    EXPECT_TRUE(refused("PakaTSCH"));
    EXPECT_EQ(h.value("A1.TSCH"), 3);
    h.check("A1.KodZapadky", true);
    h.press("A6.PakaTSCH", 5, 5);
    EXPECT_EQ(h.value("A1.TSCH"), 2) << "the consent lever starts the consent again";
    h.release(5, 5);

    h.type("A1.PHCHDo", "5");
    knobTo("C", 812);
    dragLock("C", -30);
    EXPECT_TRUE(refused("PakaNavCHDo")) << "a train already announced to line C";
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(DeskLevers, AShortPressMovesNoFieldButSoundsTheRelease)
{
    knobTo("A", 812);
    dragLock("A", -30);
    const qsizetype mark = h.sounds().size();
    h.press("A6.PakaNavBOd", 5, 5);
    h.advanceMs(290);
    h.release(5, 5);
    h.advanceMs(1000);
    EXPECT_EQ(h.value("A1.NavBOd"), 1);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 1);
    EXPECT_EQ(rel("A6.InduktorA"), 269);
    EXPECT_FALSE(heard("play Zaver1.wav", mark));
    EXPECT_TRUE(heard("play Hrtl1.wav", mark));
    EXPECT_TRUE(heard("play Hrtl2.wav", mark));
}

TEST_F(DeskLevers, TheEntryLeverOfLineCAnnouncesTheTrainAtOnce)
{
    knobTo("C", 812);
    dragLock("C", 30);
    h.press("A6.PakaNavCHOd", 5, 5);
    EXPECT_EQ(h.value("A1.PHCHOd"), 2);
    h.advanceMs(500);
    EXPECT_EQ(h.value("A1.PHCHOd"), 3);
    h.release(5, 5);
}

TEST_F(DeskLevers, TakingBackLineCsRouteOpensTheCrossingForTheSignalman)
{
    h.type("A1.Rychlost", "P");
    h.type("A1.ZavCH", "3");
    h.app().A1().SignalistaC->setInterval(60000);
    h.app().A1().SignalistaC->setEnabledFlag(true);
    h.press("A6.PakaZavCH", 5, 5);
    for (int step = 0; step < 4; ++step) {
        h.type("A1.PZZOpen", "0");
        h.advanceMs(step == 0 ? 500 : 200);
        EXPECT_EQ(h.value("A1.PZZOpen"), 20) << "step " << step;
    }
    EXPECT_EQ(h.value("A1.ZavCH"), 1);
    h.release(5, 5);
}

TEST_F(DeskLevers, TheConsentCopyStaysWithinItsRange)
{
    dragLock("D", 30);
    h.type("A1.SouLc1", "4");
    h.type("A1.SouLc1St", "4");
    hold("A6.PakaSouLc1", 550);
    EXPECT_EQ(h.value("A1.SouLc1"), 5);
    EXPECT_EQ(h.value("A1.SouLc1St"), 5) << "one more than the consent would be 6, beyond the copy's range";
}

TEST_F(DeskLevers, AVisibleTagHangsOnItsLeverInEveryPosition)
{
    h.doubleClick("A6.CedCHDo");
    ASSERT_TRUE(h.visible("A6.CedulkaCHDo"));
    EXPECT_EQ(top("A6.CedulkaCHDo"), top("A6.PakaNavCHDo") + 27);
    h.press("A6.PakaNavCHDo", 5, 5);
    EXPECT_EQ(top("A6.CedulkaCHDo"), top("A6.PakaNavCHDo") + 27) << "dipped";
    h.release(5, 5);
    knobTo("C", 812);
    dragLock("C", -30);
    h.press("A6.PakaNavCHDo", 5, 5);
    EXPECT_EQ(top("A6.CedulkaCHDo"), 419 + 7 + 27) << "right down";
    h.release(5, 5);
    EXPECT_EQ(top("A6.CedulkaCHDo"), 446);
    h.doubleClick("A6.CedCHDo");
    EXPECT_TRUE(h.visible("A6.CedulkaCHDo")) << "a second double click on the anchor changes nothing";
    h.doubleClick("A6.CedulkaCHDo");
    EXPECT_FALSE(h.visible("A6.CedulkaCHDo"));
}

TEST_F(DeskLevers, AMagnetoChoosesItselfAsTheCurrentSource)
{
    h.press("A6.KlikaP", 5, 5);
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    h.release(5, 5);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    EXPECT_EQ(h.text("A1.Proud"), "K");
    const qsizetype mark = h.sounds().size();
    h.press("A6.InduktorB", 5, 5);
    EXPECT_EQ(rel("A6.InduktorB"), 271);
    EXPECT_TRUE(h.timerEnabled("A1.Induktor"));
    EXPECT_EQ(h.text("A1.Proud"), "I");
    h.app().A6().InduktorB2->show();
    h.release(5, 5);
    EXPECT_EQ(rel("A6.InduktorB"), 269);
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    EXPECT_FALSE(h.visible("A6.InduktorB2"));
    EXPECT_TRUE(heard("play Induktor1.wav", mark));
    EXPECT_TRUE(heard("play Induktor2.wav", mark));
    h.check("A1.Zvuky", false);
    const qsizetype quiet = h.sounds().size();
    h.press("A6.InduktorA", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.sounds().size(), quiet) << "no sound while sounds are off";
}

TEST_F(DeskLevers, EveryLeverWaitsForItsRouteLockAndItsFields)
{
    /* lever, the A1 cell that refuses it and its refusing value, the lock and drag that allow it */
    struct Row {
        const char *lever, *lock;
        int drag;
        const char *field;
        const char *refusing;
    };
    const Row rows[] = {
        {"PakaSouLc1", "D", 30, "A1.SouLc1", "5"},   {"PakaNavMOd", "B", -30, "A1.NavMOd", "5"},
        {"PakaNavMDo", "B", 30, "A1.NavMDo", "5"},   {"PakaNavCHOd", "C", 30, "A1.NavCHOd", "5"},
        {"PakaNavCHDo", "C", -30, "A1.NavCHDo", "5"}, {"PakaNavBDo", "A", 30, "A1.NavBDo", "5"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.lever);
        const QString lever = QStringLiteral("A6.") + r.lever;
        const QString lock = QLatin1String(r.lock);
        const int rest = top(lever);
        h.press(lever, 5, 5);
        EXPECT_EQ(top(lever), rest + 2) << "its route lock at rest";
        h.release(5, 5);
        if (lock != "D")
            knobTo(lock, 812);
        dragLock(lock, -r.drag);
        h.press(lever, 5, 5);
        EXPECT_EQ(top(lever), rest + 2) << "its route lock turned the other way";
        h.release(5, 5);
        dragLock(lock, r.drag);
        dragLock(lock, r.drag);
        h.type(r.field, r.refusing);
        h.press(lever, 5, 5);
        EXPECT_EQ(top(lever), rest + 2) << "its field at its end";
        h.release(5, 5);
        h.type(r.field, "1");
        h.press(lever, 5, 5);
        EXPECT_EQ(top(lever), rest + 7) << "allowed";
        h.release(5, 5);
        dragLock(lock, -r.drag);
    }
    for (const char *lever : {"PakaZavM", "PakaZavCH"}) {
        SCOPED_TRACE(lever);
        const QString name = QStringLiteral("A6.") + lever;
        const QString line = QString(lever).mid(7);
        const int rest = top(name);
        h.press(name, 5, 5);
        EXPECT_EQ(top(name), rest + 2) << "no route to take back";
        h.release(5, 5);
        h.type("A1.Zav" + line, "2");
        h.type("A1.Nav" + line + "Do", "2");
        h.press(name, 5, 5);
        EXPECT_EQ(top(name), rest + 2) << "the exit release still given";
        h.release(5, 5);
        h.type("A1.Nav" + line + "Do", "1");
        h.type("A1.Nav" + line + "Od", "3");
        h.press(name, 5, 5);
        EXPECT_EQ(top(name), rest + 2) << "the entry release still given";
        h.release(5, 5);
        h.type("A1.Nav" + line + "Od", "1");
        h.press(name, 5, 5);
        EXPECT_EQ(top(name), rest + 7);
        h.release(5, 5);
    }
    EXPECT_TRUE(h.messages().isEmpty());
}
