/** @file workplace_frame_test.cpp The workplace frame: keys, wheel, scrolling, bookmarks, pause, speed and its menus. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);

int position(Harness &h, const QString &bar)
{
    return h.as<ui::ScrollBar>(bar).position();
}

QPoint place(Harness &h, const QString &name)
{
    return h.control(name).bounds().topLeft();
}

/** A started game with the desk shown at the given screen size. */
struct Game {
    explicit Game(QSize screen = QSize(1024, 768)) : h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), screen)
    {
        h.click("A0.H9");
        for (const char *view : {"A5", "A6", "A7", "A8"})
            h.maximise(view);
    }
    Harness h;
};

} // namespace

TEST(WorkplaceKeys, FunctionKeysSwitchViewsAndToggleTheBoxOverviews)
{
    Game g;
    Harness &h = g.h;
    const struct {
        const char *from;
        int key;
        const char *to;
    } switches[] = {{"A6", ui::key::F5, "A5"}, {"A5", ui::key::F6, "A7"}, {"A7", ui::key::F7, "A8"},
                    {"A8", ui::key::F5, "A6"}, {"A6", ui::key::F7, "A8"}, {"A8", ui::key::F6, "A7"},
                    {"A7", ui::key::F5, "A6"}, {"A6", ui::key::F6, "A7"}};
    for (const auto &s : switches) {
        ASSERT_TRUE(h.visible(s.from)) << s.from;
        h.keyDown(s.from, s.key);
        EXPECT_TRUE(h.visible(s.to)) << s.from << " -> " << s.to;
        EXPECT_FALSE(h.visible(s.from)) << s.from << " -> " << s.to;
    }
    h.keyDown("A7", ui::key::F6);
    EXPECT_TRUE(h.visible("A7.Nahled"));
    EXPECT_FALSE(h.visible("A7.D5"));
    h.keyDown("A7", ui::key::F6);
    EXPECT_FALSE(h.visible("A7.Nahled"));
    EXPECT_TRUE(h.visible("A7.D5"));
    h.keyDown("A7", ui::key::F7);
    h.keyDown("A8", ui::key::F7);
    EXPECT_TRUE(h.visible("A8.Nahled"));
    h.keyDown("A8", ui::key::F7);
    EXPECT_TRUE(h.visible("A8.D5"));
    EXPECT_TRUE(h.visible("A8"));
}

TEST(WorkplaceKeys, ArrowsScrollByTenWithinTheBarsAndMoveTheContent)
{
    Game g;
    Harness &h = g.h;
    h.keyDown("A6", ui::key::F9); // back to the top-left corner
    EXPECT_EQ(place(h, "A6.D5"), QPoint(-1, -4));
    h.keyDown("A6", ui::key::Left);
    EXPECT_EQ(position(h, "A6.B4"), 0);
    for (int k = 0; k < 12; ++k)
        h.keyDown("A6", ui::key::Right);
    EXPECT_EQ(position(h, "A6.B4"), 100);
    EXPECT_EQ(h.control("A6.D5").left(), -(2500 - 1024 - 2) - 1); // the far edge
    h.keyDown("A6", ui::key::Down);
    EXPECT_EQ(position(h, "A6.B5"), 10);
    EXPECT_EQ(h.control("A6.D5").top(), (1412 - 768 - 4) * 10 / -100 - 4);
    h.keyDown("A6", ui::key::Up);
    h.keyDown("A6", ui::key::Up);
    EXPECT_EQ(position(h, "A6.B5"), 0);
}

TEST(WorkplaceKeys, BookmarksStoreWithCtrlAndRestoreWithout)
{
    Game g;
    Harness &h = g.h;
    h.keyDown("A6", ui::key::F10); // nothing stored: both bars to 0
    EXPECT_EQ(position(h, "A6.B4"), 0);
    EXPECT_EQ(position(h, "A6.B5"), 0);
    for (int k = 0; k < 3; ++k)
        h.keyDown("A6", ui::key::Right);
    h.keyDown("A6", ui::key::Down);
    h.keyDown("A6", ui::key::Ctrl);
    h.keyDown("A6", ui::key::F9); // stores 30, 10 and clears the Ctrl flag
    h.keyDown("A6", ui::key::Right);
    h.keyDown("A6", ui::key::F9); // Ctrl still held, but the flag is clear: restores
    EXPECT_EQ(position(h, "A6.B4"), 30);
    EXPECT_EQ(position(h, "A6.B5"), 10);
    h.keyDown("A6", ui::key::Ctrl);
    h.keyUp("A6", ui::key::Ctrl);
    h.keyDown("A6", ui::key::Down);
    h.keyDown("A6", ui::key::F9); // Ctrl released: restores
    EXPECT_EQ(position(h, "A6.B5"), 10);

    /* Each view keeps its own, also across the end of a game. */
    h.keyDown("A6", ui::key::F5);
    h.keyDown("A5", ui::key::F9);
    EXPECT_EQ(position(h, "A5.B4"), 0);
    h.keyDown("A5", ui::key::Escape);
    h.click("A0.H5");
    h.click("A0.H9");
    h.keyDown("A6", ui::key::F9);
    EXPECT_EQ(position(h, "A6.B4"), 30);
}

TEST(WorkplaceKeys, EachOfTheFourBookmarksKeepsItsOwnPlace)
{
    Game g;
    Harness &h = g.h;
    const int keys[4] = {ui::key::F9, ui::key::F10, ui::key::F11, ui::key::F12};
    for (int k = 0; k < 4; ++k) {
        for (int n = 0; n < 10; ++n) { // from the corner each time
            h.keyDown("A7", ui::key::Left);
            h.keyDown("A7", ui::key::Up);
        }
        for (int n = 0; n <= k; ++n)
            h.keyDown("A7", ui::key::Right);
        h.keyDown("A7", ui::key::Down);
        h.keyDown("A7", ui::key::Ctrl);
        h.keyDown("A7", keys[k]);
    }
    for (int k = 3; k >= 0; --k) {
        h.keyDown("A7", keys[k]);
        EXPECT_EQ(position(h, "A7.B4"), 10 * (k + 1)) << k;
        EXPECT_EQ(position(h, "A7.B5"), 10) << k;
    }
}

TEST(WorkplaceWheel, TheWheelMovesTheBarEnterChooses)
{
    Game g;
    Harness &h = g.h;
    h.keyDown("A6", ui::key::F9);
    h.wheel("A6", -2);
    EXPECT_EQ(position(h, "A6.B4"), 20);
    h.keyPress("A6", QChar(13));
    h.wheel("A6", -3);
    EXPECT_EQ(position(h, "A6.B5"), 30);
    h.wheel("A6", 1);
    EXPECT_EQ(position(h, "A6.B5"), 20);
    EXPECT_EQ(position(h, "A6.B4"), 20);
    h.keyPress("A6", QChar(13));
    h.wheel("A6", 5);
    EXPECT_EQ(position(h, "A6.B4"), 0);
}

TEST(WorkplacePause, WhilePausedOnlyPResumesAndTheWheelWaits)
{
    Game g;
    Harness &h = g.h;
    h.keyDown("A6", ui::key::F9);
    h.keyPress("A6", QChar('p'));
    EXPECT_EQ(h.text("A1.Rychlost"), "P");
    /* The sign is centred on the screen, inside the content. */
    EXPECT_EQ(place(h, "A6.Pauza"), QPoint((1024 - 323) / 2 + 1, (768 - 116) / 2 + 4));
    for (int key : {ui::key::Escape, ui::key::F4, ui::key::F5, ui::key::F6, ui::key::F7, ui::key::F9,
                    ui::key::Right, ui::key::Down})
        h.keyDown("A6", key);
    h.keyPress("A6", QChar(13));
    EXPECT_TRUE(h.visible("A6"));
    EXPECT_TRUE(h.enabled("A6"));
    EXPECT_FALSE(h.visible("A2"));
    EXPECT_EQ(position(h, "A6.B4"), 0);
    h.wheel("A6", -1); // the bar moves, the content waits
    EXPECT_EQ(position(h, "A6.B4"), 10);
    EXPECT_EQ(place(h, "A6.D5"), QPoint(-1, -4));
    h.keyPress("A6", QChar('x'));
    EXPECT_EQ(h.text("A1.Rychlost"), "P");
    h.control("A6.Pauza").show(); // as the flasher shows it
    h.keyPress("A6", QChar('P'));
    EXPECT_EQ(h.text("A1.Rychlost"), "1");
    EXPECT_FALSE(h.visible("A6.Pauza"));
    h.keyDown("A6", ui::key::Right); // the next change after resuming moves the content
    EXPECT_EQ(position(h, "A6.B4"), 20);
    EXPECT_EQ(h.control("A6.D5").left(), (2500 - 1024 - 2) * 20 / -100 - 1);
}

TEST(WorkplaceSpeed, TheSpeedButtonsRunFromPauseTo1024)
{
    Game g;
    Harness &h = g.h;
    h.click("A6.H04");
    EXPECT_EQ(h.text("A1.Rychlost"), "2");
    for (int k = 0; k < 12; ++k)
        h.click("A6.H04");
    EXPECT_EQ(h.text("A1.Rychlost"), "1024");
    h.click("A7.H02");
    EXPECT_EQ(h.text("A1.Rychlost"), "512");
    h.click("A8.H03");
    EXPECT_EQ(h.text("A1.Rychlost"), "1");
    h.click("A5.H02");
    EXPECT_EQ(h.text("A1.Rychlost"), "P");
    h.click("A6.H02");
    h.click("A6.H03");
    EXPECT_EQ(h.text("A1.Rychlost"), "P");
    h.click("A6.H04");
    EXPECT_EQ(h.text("A1.Rychlost"), "1");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(WorkplaceSpeed, ASpeedWordThatIsNoNumberFailsUnderTheOptions)
{
    Game g;
    Harness &h = g.h;
    h.type("A1.Rychlost", "rychle");
    h.check("A1.NCD", false);
    h.click("A6.H04");
    EXPECT_EQ(h.text("A1.Rychlost"), "rychle");
    EXPECT_EQ(h.messages(), QStringList{"Error 60H04"});
    h.clearMessages();
    h.check("A1.NCK", false);
    h.click("A7.H02");
    EXPECT_TRUE(h.messages().isEmpty());
    EXPECT_EQ(h.text("A1.Rychlost"), "rychle");
    h.check("A1.NCK", true);
    h.check("A1.NCD", true);
    h.click("A8.H02");
    ASSERT_EQ(h.messages().size(), 2); // the code, then the default report
    EXPECT_EQ(h.messages().first(), "Error 80H02");
}

TEST(WorkplaceScroll, AlignmentAtSeveralScreenSizes)
{
    for (QSize screen : {QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
        Game g(screen);
        Harness &h = g.h;
        const int W = screen.width();
        const int H = screen.height();
        EXPECT_EQ(h.control("A6.B1").left(), W - 2);
        EXPECT_EQ(h.control("A6.B3").top(), H - 2);
        EXPECT_EQ(h.control("A6.B4").bounds(), QRect(2, H - 18, W - 4, 16));
        EXPECT_EQ(h.control("A6.B5").bounds(), QRect(W - 18, 2, 16, H - 4));
        EXPECT_EQ(h.control("A6.B6").left(), (W - 332) / 2);
        EXPECT_EQ(h.control("A6.C1").left(), (W - 389) / 2);
        EXPECT_EQ(h.control("A6.D8").top(), H - 60);
        /* The bars follow the content's design place, and the content their positions. */
        const int b4 = -10 * -100 / (2500 - W - 2) + 1;
        EXPECT_EQ(position(h, "A6.B4"), b4);
        EXPECT_EQ(h.control("A6.D5").left(), (2500 - W - 2) * b4 / -100 - 1);
        /* The same size again moves nothing. */
        const QPoint before = place(h, "A6.D5");
        h.as<ui::Form>("A6").onResize();
        h.as<ui::Form>("A6").onResize();
        EXPECT_EQ(place(h, "A6.D5"), before);
        EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    }
}

TEST(WorkplaceScroll, AScreenLargerThanTheContentPinsIt)
{
    Game g(QSize(2560, 1600));
    Harness &h = g.h;
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(position(h, "A6.B4"), 0);
    EXPECT_EQ(position(h, "A6.B5"), 0);
    EXPECT_EQ(place(h, "A6.D5"), QPoint(-1, -4));
    h.keyDown("A6", ui::key::Right);
    h.keyDown("A6", ui::key::Down);
    EXPECT_EQ(place(h, "A6.D5"), QPoint(-1, -4));
    EXPECT_EQ(position(h, "A6.B4"), 10);
}

TEST(WorkplaceScroll, TheTrackViewFillsTheScreenAndNeverScrolls)
{
    Game g(QSize(1280, 1024));
    Harness &h = g.h;
    const int P = h.control("A5.Panel").height();
    EXPECT_EQ(h.control("A5.D5").bounds(), QRect(-1, -6, 1282, 1024 + 5 - P));
    EXPECT_EQ(h.control("A5.Panel").bounds(), QRect(0, 1024 - P, 1282, P));
    EXPECT_EQ(h.control("A5.B1").height(), 1024 - P);
    EXPECT_EQ(h.control("A5.B3").top(), 1024 - 2 - P);
    h.keyDown("A6", ui::key::F5);
    for (int key : {ui::key::Right, ui::key::Right, ui::key::Down})
        h.keyDown("A5", key);
    h.wheel("A5", -1);
    EXPECT_EQ(position(h, "A5.B4"), 30);
    EXPECT_EQ(position(h, "A5.B5"), 10);
    EXPECT_EQ(place(h, "A5.D5"), QPoint(-1, -6));
    h.moveOver("A5.B3", 1, 1); // the track view's strips reveal no bars
    h.moveOver("A5.B1", 1, 1);
    EXPECT_FALSE(h.visible("A5.B4"));
    EXPECT_FALSE(h.visible("A5.B5"));
}

TEST(WorkplaceScroll, TheBoxOverviewsCoverTheForm)
{
    Game g(QSize(1920, 1080));
    Harness &h = g.h;
    for (const char *box : {"A7", "A8"})
        EXPECT_EQ(h.control(QString(box) + ".Nahled").bounds().size(), QSize(1922, 1085)) << box;
}

TEST(WorkplaceMenuBar, TheEdgeRevealsTheMenuBarAndItsLabelsLead)
{
    Game g;
    Harness &h = g.h;
    h.moveOver("A6.B2", 1, 0);
    EXPECT_TRUE(h.visible("A6.B6"));
    h.moveOver("A6.B1", 0, 1);
    EXPECT_TRUE(h.visible("A6.B5"));
    h.moveOver("A6.B3", 1, 0);
    EXPECT_TRUE(h.visible("A6.B4"));
    h.moveOver("A6.B9", 1, 1); // "pozice" opens the position panel
    EXPECT_EQ(h.color("A6.B9"), Blue);
    EXPECT_TRUE(h.visible("A6.C1"));
    h.moveOver("A6.B8", 1, 1);
    EXPECT_EQ(h.color("A6.B9"), Navy);
    EXPECT_FALSE(h.visible("A6.C1"));
    h.click("A6.B8"); // "jízdní řád"
    EXPECT_TRUE(h.visible("A2"));
    EXPECT_FALSE(h.enabled("A6"));
    EXPECT_EQ(h.color("A6.B8"), Navy);
    h.closeForm("A2");
    EXPECT_TRUE(h.enabled("A6"));
    h.moveOver("A6.D5", 5, 5); // the content clears everything
    for (const char *hidden : {"A6.B4", "A6.B5", "A6.B6", "A6.C1"})
        EXPECT_FALSE(h.visible(hidden)) << hidden;
    h.click("A6.B7"); // "menu"
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_FALSE(h.visible("A6"));

    bool ended = false;
    h.app().onQuit = [&ended] { ended = true; };
    h.click("A6.C0"); // "konec" quits without asking
    EXPECT_TRUE(ended);
}

TEST(WorkplaceMenuBar, PoziceStartsLitOnTheOtherViews)
{
    Game g;
    Harness &h = g.h;
    h.keyDown("A6", ui::key::F7);
    EXPECT_EQ(h.color("A8.B9"), Blue);
    h.moveOver("A8.B9", 1, 1);
    EXPECT_FALSE(h.visible("A8.C1")); // already lit: nothing happens
    h.moveOver("A8.B7", 1, 1);
    h.moveOver("A8.B9", 1, 1);
    EXPECT_TRUE(h.visible("A8.C1"));
}

TEST(WorkplacePosition, HotspotsFrameTheirPlaceAndSwitchViews)
{
    Game g;
    Harness &h = g.h;
    h.moveOver("A6.C3", 1, 1);
    EXPECT_TRUE(h.visible("A6.C9"));
    EXPECT_EQ(h.control("A6.C9").left(), 4);
    EXPECT_EQ(h.control("A6.D0").font().color, Blue);
    h.moveOver("A6.C6", 1, 1);
    EXPECT_EQ(h.control("A6.C9").left(), 292);
    EXPECT_EQ(h.control("A6.D0").font().color, Navy);
    h.moveOver("A6.C1", 1, 1);
    EXPECT_FALSE(h.visible("A6.C9"));
    h.click("A6.C5"); // the desk's own place has no click
    EXPECT_TRUE(h.visible("A6"));
    const struct {
        const char *from;
        const char *spot;
        const char *to;
    } moves[] = {{"A6", "C3", "A7"}, {"A7", "C6", "A8"}, {"A8", "C4", "A5"}, {"A5", "C5", "A6"}};
    for (const auto &m : moves) {
        h.moveOver(QString(m.from) + "." + m.spot, 1, 1);
        h.click(QString(m.from) + "." + m.spot);
        EXPECT_TRUE(h.visible(m.to)) << m.from << " " << m.spot;
        EXPECT_FALSE(h.visible(m.from)) << m.from << " " << m.spot;
        EXPECT_FALSE(h.visible(QString(m.from) + ".C9"));
    }
    EXPECT_EQ(h.control("A5.C8").bounds(), QRect(144, 51, 6, 6));
    EXPECT_EQ(h.control("A7.C8").bounds(), QRect(48, 21, 6, 6));
}

TEST(WorkplaceClose, ClosingAViewBringsTheMenuBack)
{
    Game g;
    Harness &h = g.h;
    h.closeForm("A6");
    EXPECT_FALSE(h.visible("A6"));
    h.advanceMs(1);
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_FALSE(h.timerEnabled("A0.MenuReturn"));
}
