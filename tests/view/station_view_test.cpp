/** @file station_view_test.cpp The track view at three widths, its platforms and the boxes' overviews, drawn. */
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "harness/harness.h"
#include "support/screen_sizes.h"
#include "trackview/form_a5.h"
#include "view/form_window.h"
#include "view/front.h"
#include "view/qt_app.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

/** The vehicles of the test trains, from the shipped pictures; the rest of the ten are empty. */
const QStringList TrainFiles{"lok_754.bmp", "vuz_B.bmp", "vuz_B.bmp", "vuz_A.bmp", "voz_Faccs.bmp"};

/** The program on a screen of the given size, with the clock stopped and a game running. */
struct Screen {
    explicit Screen(QSize size) : h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), size), front(h.app())
    {
        h.click("A0.H9");
        h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    }

    /**
     * Shows a view at the screen's size: the form is laid out as its
     * maximised window would be, then drawn in a window of that size.
     */
    QImage shoot(const QString &form, const QString &file)
    {
        auto &f = dynamic_cast<ui::Form &>(h.control(form));
        h.control("A6").hide();
        f.setMaximized(false);
        h.maximise(form);
        f.show();
        view::FormWindow *w = front.window(f);
        if (!w)
            return {};
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        shot.save(QCoreApplication::applicationDirPath() + "/" + file);
        return shot;
    }

    /**
     * Loads the test train into ten preview images `<stem>a` .. `<stem>j`,
     * the locomotive at a (leading towards the left) or at j.
     */
    void loadTrain(const QString &stem, bool locoAtA)
    {
        for (int k = 0; k < 10; ++k) {
            const int n = locoAtA ? k : 9 - k;
            const QImage img = n < TrainFiles.size()
                                   ? QImage(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Vozidla/" + TrainFiles[n])
                                   : h.app().A3().VozidloPrazdne->picture();
            h.as<ui::Image>(stem + QChar('a' + k)).setPicture(img);
        }
    }

    /** Runs an arrival of train `number` on line A or C to a track, with no stop marker, until it stands. */
    void arrive(char line, int track, const QString &number)
    {
        TA1 &a1 = h.app().A1();
        const bool c = line == 'C';
        loadTrain(c ? "A8.VlakC" : "A7.VlakA", c);
        (c ? a1.KolejC : a1.KolejA)->setValue(track);
        (c ? a1.TratC : a1.TratA)->setText(number);
        (c ? a1.StavVlakC : a1.StavVlakA)->setValue(35);
        (c ? a1.VlakCOd : a1.VlakAOd)->setValue(400);
        ui::Timer *run = c ? a1.TimerVlakCOd : a1.TimerVlakAOd;
        run->setInterval(10);
        run->setEnabledFlag(true);
        for (int i = 0; i < 2000 && run->enabledFlag(); ++i)
            h.advanceMs(100);
    }

    Harness h;
    view::Front front;
};

/** @return the form's pixel at a point given inside the content group D5 of A5. */
QColor atContent(const Harness &h, const QImage &shot, QPoint inD5)
{
    return shot.pixelColor(h.control("A5.D5").formPos() + inD5);
}

/** @return whether the colour is the plain ground of the content group, which the clock shades green. */
bool isGround(const Harness &h, const QColor &c)
{
    return c == h.color("A5.D5");
}

/** The left and right ends of a track's train: the left edge of slot 1 and the right edge of slot 10. */
std::pair<int, int> trainEnds(const Harness &h, QChar row)
{
    const ui::Control &first = h.control(QStringLiteral("A5.%1%2").arg(row).arg('5'));
    const ui::Control &last = h.control(QStringLiteral("A5.%1%2").arg(row).arg('E'));
    return {first.left(), last.left() + last.width()};
}

class TrackViewWidth : public testing::TestWithParam<QSize> {};

/*
 * At every width the side-C points follow the right-hand signals, and a
 * train from line A that stops before its signal (no stop marker) and one
 * from line C that stops before the side-A/B signal stand between the
 * two throats, inside the drawn station.
 */
TEST_P(TrackViewWidth, StoppedTrainsStandBetweenTheThroats)
{
    ASSERT_NE(qtApp(), nullptr);
    const QSize size = GetParam();
    Screen s(size);
    s.h.maximise("A5");
    s.arrive('A', 3, "5401");
    ASSERT_EQ(s.h.text("A1.Kolej3"), "5401");
    s.arrive('C', 5, "2622");
    ASSERT_EQ(s.h.text("A1.Kolej5"), "2622");
    const QImage shot = s.shoot("A5", QStringLiteral("view_a5_width_%1.png").arg(size.width()));
    ASSERT_EQ(shot.size(), size);

    const int span = s.h.control("A5.D5").width();
    EXPECT_EQ(span, size.width() + 2);
    const ui::Control &right = s.h.control("A5.ZhlaviP");
    const ui::Control &left = s.h.control("A5.ZhlaviL");
    EXPECT_EQ(right.left() + right.width(), span);
    EXPECT_EQ(left.left(), 0);
    /* Both trains stand clear of the points, where the platforms run. */
    for (QChar row : {QChar('J'), QChar('H')}) {
        const auto [from, to] = trainEnds(s.h, row);
        EXPECT_GE(from, left.left() + left.width()) << qPrintable(QString(row));
        EXPECT_LE(to, right.left()) << qPrintable(QString(row));
        EXPECT_GE(from, s.h.control("A5.Peron5a").left());
        EXPECT_LE(to, s.h.control("A5.Peron5a").left() + s.h.control("A5.Peron5a").width());
    }
    /* The points are drawn at both edges between tracks 3 and 1, beside the signals; between
       them lies plain ground, also where the picture of the station ends at its design width. */
    EXPECT_FALSE(isGround(s.h, atContent(s.h, shot, QPoint(span - 3, 345))));
    EXPECT_FALSE(isGround(s.h, atContent(s.h, shot, QPoint(3, 345))));
    EXPECT_TRUE(isGround(s.h, atContent(s.h, shot, QPoint(746 - 3, 345))));
    EXPECT_TRUE(isGround(s.h, atContent(s.h, shot, QPoint(span / 2, 345))));
    /* The locomotives, leading at the far end of each train, stand where their slots are drawn. */
    for (const char *slot : {"A5.H5", "A5.JE"}) {
        const auto &loco = s.h.as<ui::Image>(slot);
        EXPECT_EQ(shot.pixelColor(loco.formPos() + QPoint(loco.width() / 2, 40)),
                  loco.picture().pixelColor(loco.width() / 2, 40)) << slot;
    }
}

/*
 * The player need not look at the track view before the first train comes
 * in: the game's start lays the view out at the screen's size, so a train
 * from line A stops before its right-hand signal where the signal stands
 * on the screen, inside the station, and is seen there when the view opens.
 */
TEST(TrackViewWidth, ATrainInBeforeTheViewIsFirstOpenedStandsAtItsPlace)
{
    ASSERT_NE(qtApp(), nullptr);
    Screen s(QSize(1920, 1080));
    ASSERT_FALSE(s.h.visible("A5"));
    s.arrive('A', 3, "5401");
    ASSERT_EQ(s.h.text("A1.Kolej3"), "5401");
    const auto [from, to] = trainEnds(s.h, 'J');
    const ui::Control &signal = s.h.control("A5.KA");
    EXPECT_EQ(signal.left(), 1922 - 33);
    EXPECT_LE(to, signal.left());
    EXPECT_GE(to, signal.left() - 40) << "it stopped before the signal, not at the design width's place";
    EXPECT_GE(from, s.h.control("A5.ZhlaviL").width());
}

INSTANTIATE_TEST_SUITE_P(Screens, TrackViewWidth,
                         testing::Values(QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)),
                         screenSizeName);

/* The platform switch of the "ostatní" panel hides and shows the drawn platforms. */
TEST(TrackViewPlatforms, TheSwitchHidesThemOnTheDrawnView)
{
    ASSERT_NE(qtApp(), nullptr);
    Screen s(QSize(1024, 768));
    s.h.click("A5.TlL3");
    const QImage shown = s.shoot("A5", "view_a5_platforms_shown.png");
    /* On the island between tracks 5 and 3 and on the house platform by track 7. */
    const QPoint island(500, 260);
    const QPoint house(600, 140);
    const QColor surface = s.h.as<ui::Shape>("A5.Peron5a").brushColor();
    EXPECT_EQ(atContent(s.h, shown, island), surface);
    EXPECT_EQ(atContent(s.h, shown, house), s.h.as<ui::Shape>("A5.Peron7a").brushColor());
    s.h.click("A5.PC06");
    EXPECT_EQ(s.h.text("A5.PC06"), "zobrazit nástupiště");
    const QImage hidden = s.shoot("A5", "view_a5_platforms_hidden.png");
    EXPECT_TRUE(isGround(s.h, atContent(s.h, hidden, island)));
    EXPECT_TRUE(isGround(s.h, atContent(s.h, hidden, house)));
    s.h.click("A5.PC06");
    EXPECT_EQ(atContent(s.h, s.shoot("A5", "view_a5_platforms_shown.png"), island), surface);
    /* With the signals moved out, the house platform reaches over the left edge, where S7 stood. */
    const QPoint signalPlace(20, 140);
    EXPECT_NE(atContent(s.h, shown, signalPlace), surface);
    s.h.click("A5.PC05");
    const QImage out = s.shoot("A5", "view_a5_signals_out.png");
    EXPECT_EQ(atContent(s.h, out, signalPlace), s.h.as<ui::Shape>("A5.Peron7a").brushColor());
}

/*
 * Each box's overview: its building in the middle, its tracks across, a
 * train passing in front of the building; box 2's train crosses the road.
 */
TEST(BoxOverview, TheBuildingTracksAndTrainAreDrawn)
{
    ASSERT_NE(qtApp(), nullptr);
    Screen s(QSize(1280, 1024));
    for (const char *box : {"A7", "A8"}) {
        SCOPED_TRACE(box);
        const QString b(box);
        const bool first = b == "A7";
        s.loadTrain(first ? "A7.VlakB" : "A8.VlakC", true);
        s.h.control(b).show();
        s.h.keyDown(b, first ? 117 : 118); // F6 on box 1, F7 on box 2
        ASSERT_TRUE(s.h.visible(b + ".Nahled"));
        s.h.maximise(b);
        /* The train passes the building: its locomotive 40 px left of the panel's middle, the rest behind it. */
        const QString stem = first ? "A7.VlakB" : "A8.VlakC";
        int x = s.h.control(b + ".Nahled").width() / 2 - 40;
        for (int k = 0; k < 10; ++k) {
            ui::Control &car = s.h.control(stem + QChar('a' + k));
            car.setLeft(x);
            x += car.width();
        }
        const QImage shot = s.shoot(b, QStringLiteral("view_%1_overview.png").arg(b.toLower()));
        ASSERT_EQ(shot.size(), QSize(1280, 1024));
        const ui::Control &building = s.h.control(b + ".Stavedlo");
        const QColor wall = shot.pixelColor(building.formPos() + QPoint(40, 40));
        EXPECT_NE(wall, s.h.color(b + ".Nahled"));
        const ui::Control &bar = s.h.control(b + (first ? ".KolejM" : ".KolejCH"));
        EXPECT_EQ(shot.pixelColor(bar.formPos() + QPoint(20, 2)), QColor(128, 0, 0));
        const ui::Control &loco = s.h.control(stem + 'a');
        const auto &pic = dynamic_cast<const ui::Image &>(loco).picture();
        EXPECT_EQ(shot.pixelColor(loco.formPos() + QPoint(loco.width() / 2, 40)),
                  pic.pixelColor(loco.width() / 2, 40));
        s.h.control(b).hide();
    }
}

} // namespace
