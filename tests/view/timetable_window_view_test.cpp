/** @file timetable_window_view_test.cpp The timetable window on screen: a morning of weekday trains, drawn by the Qt front. */
#include "core/timetable_fixture.h"
#include "view/qt_app.h"

#include "core/form_a2.h"
#include "view/form_window.h"
#include "view/front.h"
#include "view/vehicle_strip.h"

#include <QCoreApplication>
#include <QScreen>

namespace {

/** @return whether some pixel inside r is dark, as the glyphs of black text are. */
bool hasDarkPixel(const QImage &img, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 80)
                return true;
    return false;
}

/** @return whether some pixel inside r is light, as white heading text on navy is. */
bool hasLightPixel(const QImage &img, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) > 200)
                return true;
    return false;
}

/** @return how many different colours lie inside r. */
int colourCount(const QImage &img, const QRect &r)
{
    QSet<QRgb> colours;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            colours.insert(img.pixel(x, y));
    return static_cast<int>(colours.size());
}

} // namespace

TEST(TimetableWindowView, AWeekdayMorningIsReadable)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    pickNextTimetable(h); // sobota_nedele.t6g
    pickNextTimetable(h); // vsedni_den.t6g
    startGameAt(h, 4, 0);
    h.type("A1.Rychlost", "1024");
    h.ticks(4 * 3600 + 30 * 60); // until 8:30: rows of all three groups fill
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    TA2 &a2 = h.app().A2();
    ASSERT_FALSE(a2.row(1).isFree());
    ASSERT_FALSE(a2.row(10).isFree());
    /* A few trains on their way, as the line traffic colours them. */
    a2.row(1).neighbourDeparture->setColor(progress::Orange);
    a2.row(5).trainNumber->setColor(progress::Yellow);
    a2.row(5).neighbourDeparture->setColor(progress::Lime);
    a2.row(6).departure->setColor(progress::Aqua);

    a2.show();
    view::FormWindow *w = front.window(a2);
    ASSERT_NE(w, nullptr);
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/timetable_a2.png");
    ASSERT_EQ(shot.size(), QSize(a2.width(), a2.height() + view::VehicleStrip::kHeight));
    /* Centred on the screen with its vehicle strip, so nothing of it is cut on a small screen. */
    const QRect area = w->screen()->availableGeometry();
    EXPECT_LE((w->frameGeometry().center() - area.center()).manhattanLength(), 8); // the frame's edges apart

    /* The navy window, white headings on it, the progress colours in their cells. */
    EXPECT_EQ(shot.pixelColor(660, 30), QColor(0, 0, 128));
    EXPECT_TRUE(hasLightPixel(shot, QRect(8, 8, 60, 16)));
    EXPECT_TRUE(hasLightPixel(shot, QRect(8, 119, 120, 16)));
    const QRect odjS1 = a2.row(1).neighbourDeparture->bounds();
    EXPECT_EQ(shot.pixelColor(odjS1.right() - 3, odjS1.bottom() - 3), progress::Orange);
    const QRect odj6 = a2.row(6).departure->bounds();
    EXPECT_EQ(shot.pixelColor(odj6.right() - 3, odj6.bottom() - 3), progress::Aqua);
    /* The texts of the rows: number, station and note. */
    EXPECT_TRUE(hasDarkPixel(shot, a2.row(1).trainNumber->bounds().adjusted(2, 2, -2, -2)));
    EXPECT_TRUE(hasDarkPixel(shot, a2.row(10).leavesFor->bounds().adjusted(2, 2, -2, -2)));
    EXPECT_TRUE(hasDarkPixel(shot, a2.row(1).note->bounds().adjusted(2, 2, -2, -2)));
    EXPECT_FALSE(hasDarkPixel(shot, a2.row(16).trainNumber->bounds().adjusted(2, 2, -2, -2)));
    /* The vehicles of the placed trains are drawn small in the strip below the rows. */
    const view::VehicleStrip *strip = w->findChild<view::VehicleStrip *>();
    ASSERT_NE(strip, nullptr);
    const QPoint below(0, a2.height());
    const QRect strip10 = strip->pictureRect(10, 0).translated(below);
    EXPECT_GT(strip10.width(), 10);
    EXPECT_GT(colourCount(shot, strip10), 4);
    /* Os 5401 runs with the EMF locomotive 714 and the WMF coach Bt: they show at a quarter of their own widths. */
    int row5401 = 0;
    for (int r = 5; r <= 9; ++r)
        if (a2.row(r).trainNumber->text() == "5401")
            row5401 = r;
    ASSERT_NE(row5401, 0);
    const QRect locomotive = strip->pictureRect(row5401, 0).translated(below);
    const QRect coach = strip->pictureRect(row5401, 1).translated(below);
    EXPECT_EQ(locomotive.size(), QSize(84 / 4, 16));
    EXPECT_EQ(coach.size(), QSize(100 / 4, 16));
    EXPECT_GT(colourCount(shot, locomotive), 4);
    EXPECT_GT(colourCount(shot, coach), 4);
    const QColor body = shot.pixelColor(locomotive.left() + 3, locomotive.top() + 6);
    EXPECT_GT(body.red(), 2 * body.green()) << body.name().toStdString(); // the red locomotive
    /* Around the vehicles the strip's silver ground shows through: above the roofs and below the wheels. */
    for (const QRect &r : {strip10, locomotive, coach, strip->pictureRect(16, 0).translated(below)}) {
        EXPECT_EQ(shot.pixelColor(r.left(), r.top()), QColor(192, 192, 192));
        EXPECT_EQ(shot.pixelColor(r.right(), r.bottom()), QColor(192, 192, 192));
    }
    /* The model keeps the pictures at their own sizes. */
    EXPECT_EQ(a2.row(row5401).vehicles[0]->bounds().size(), QSize(84, 64));
    EXPECT_EQ(a2.row(row5401).vehicles[1]->bounds().size(), QSize(100, 64));
}
