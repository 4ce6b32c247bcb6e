/** @file timetable_window_view_test.cpp The timetable window on screen: a morning of weekday trains, drawn by the Qt front. */
#include "core/timetable_fixture.h"
#include "view/qt_app.h"

#include "core/form_a2.h"
#include "core/vehicle_pictures.h"
#include "frame/form_a0.h"
#include "view/form_window.h"
#include "view/front.h"
#include "view/painter.h"
#include "view/vehicle_strip.h"
#include "platform/picture_limits.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

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

/*
 * The player rests the pointer on a cell and reads what the column holds;
 * the cells are drawn flat: one plain line round a white face.
 */
TEST(TimetableWindowView, ARestingPointerShowsACellsHintAndTheCellsAreFlat)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.app().A0().hide();
    TA2 &a2 = h.app().A2();
    a2.show();
    view::FormWindow *w = front.window(a2);
    ASSERT_NE(w, nullptr);
    QCoreApplication::processEvents();

    const ui::Edit &cell = *a2.row(1).neighbourDeparture;
    QWidget *field = w->widgetOf(cell);
    ASSERT_NE(field, nullptr);
    QTest::mouseMove(field, QPoint(field->width() / 2, field->height() / 2));
    /* The hint comes once the pointer has rested; the limit is only there for a machine that hangs. */
    QElapsedTimer limit;
    limit.start();
    while (!QToolTip::isVisible() && limit.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Odjezd vlaku ze sousední stanice");
    QToolTip::hideText();

    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect r = cell.bounds();
    const QColor line = shot.pixelColor(r.left(), r.center().y());
    EXPECT_LT(line.lightness(), 60) << "a dark line round the cell";
    for (const QPoint &edge : {QPoint(r.center().x(), r.top()), QPoint(r.right(), r.center().y()),
                               QPoint(r.center().x(), r.bottom())})
        EXPECT_EQ(shot.pixelColor(edge), line) << "one plain line, no 3-D edge: " << edge.x() << "," << edge.y();
    for (const QPoint &inner : {QPoint(r.left() + 1, r.center().y()), QPoint(r.center().x(), r.top() + 1),
                                QPoint(r.right() - 1, r.center().y()), QPoint(r.center().x(), r.bottom() - 1)})
        EXPECT_EQ(shot.pixelColor(inner), QColor(255, 255, 255)) << "white inside the line: " << inner.x() << "," << inner.y();
}

TEST(TimetableWindowView, LargePicturesAreMaskedOnceAndTheirMasksGoWithThem)
{
    QImage small(2, 2, QImage::Format_RGB32);
    small.fill(Qt::white);
    view::maskedPicture(small); // lets go of the masks whose pictures earlier tests dropped
    const int kept = view::maskedPicturesKept();
    /* Two of the largest pictures, painted in turn as the strip paints them. */
    QImage first(4096, 4096, QImage::Format_RGB32);
    first.fill(Qt::red);
    QImage second = first.copy();
    second.setPixel(0, 0, qRgb(0, 0, 255));
    const qint64 firstMask = view::maskedPicture(first).cacheKey();
    const qint64 secondMask = view::maskedPicture(second).cacheKey();
    for (int paint = 0; paint < 3; ++paint) {
        EXPECT_EQ(view::maskedPicture(first).cacheKey(), firstMask) << paint;
        EXPECT_EQ(view::maskedPicture(second).cacheKey(), secondMask) << paint;
    }
    EXPECT_EQ(view::maskedPicture(second).pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(view::maskedPicture(second).pixel(1, 1), 0u);
    EXPECT_EQ(view::maskedPicturesKept(), kept + 2);
    /* Once no control holds them, their masks go at the next picture masked. */
    first = QImage();
    second = QImage();
    QImage next = small.copy();
    view::maskedPicture(next);
    EXPECT_EQ(view::maskedPicturesKept(), kept + 1);
}

TEST(TimetableWindowView, TheMasksOfPicturesShownNoMoreLeaveTheirRoomToTheVehiclesStore)
{
    /* Five files of one vehicle picture, and a store with room for four: small pictures read in no time. */
    QTemporaryDir dir;
    const QString vehicle = QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp");
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(QFile::copy(vehicle, dir.filePath(QStringLiteral("lok%1.bmp").arg(i))));
    const qint64 room = 4 * platform::loadPicture(vehicle).sizeInBytes();
    VehiclePictures pictures(room);
    {
        /* Four of them, shown and painted as transparent vehicles are. */
        std::vector<QImage> shown;
        for (int i = 1; i <= 4; ++i) {
            shown.push_back(pictures.picture(dir.path(), QStringLiteral("lok%1.bmp").arg(i)));
            view::maskedPicture(shown.back());
        }
        ASSERT_EQ(pictures.bytesKept(), room);
    }
    /* Shown no more, their masks hold them no longer: a fifth takes the room of one. */
    PictureRefusal why = PictureRefusal::TooLarge;
    EXPECT_FALSE(pictures.picture(dir.path(), QStringLiteral("lok5.bmp"), &why).isNull());
    EXPECT_EQ(why, PictureRefusal::None);
    EXPECT_EQ(pictures.bytesKept(), room);
}
