/** @file track_view_test.cpp The track view's five tracks at their design places, and the view with a train standing. */
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "harness/harness.h"
#include "platform/files.h"
#include "trackview/form_a5.h"
#include "view/form_window.h"
#include "view/front.h"
#include "view/qt_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

TEST(TrackView, FiveTracksOfTenSlotsLieAtTheirDesignPlaces)
{
    Harness h;
    const struct {
        QString letter;
        QString right;
        int number;
        int top;
    } rows[] = {{"F", "G", 7, 96}, {"H", "I", 5, 168}, {"J", "K", 3, 240}, {"L", "M", 1, 312}, {"N", "O", 2, 384}};
    const QString suffixes = "56789ABCDE";
    for (const auto &r : rows) {
        const QString n = QString::number(r.number);
        for (int k = 0; k < 10; ++k) {
            const auto &slot = h.as<ui::Image>("A5." + r.letter + suffixes[k]);
            EXPECT_EQ(slot.bounds(), QRect(288 + 8 * k, r.top, 9, 64)) << qPrintable(slot.name());
            EXPECT_TRUE(slot.picture().isNull());
            EXPECT_EQ(slot.parent()->name(), "D5");
        }
        EXPECT_EQ(h.as<ui::Image>("A5." + r.letter + "0").bounds(), QRect(8, r.top, 25, 64));
        EXPECT_EQ(h.as<ui::Image>("A5." + r.right + "A").left(), 705);
        EXPECT_EQ(h.as<ui::Image>("A5." + r.right + "A").width(), r.number == 1 || r.number == 2 ? 25 : 13);
        EXPECT_EQ(h.as<ui::Image>("A5.Stop" + n).bounds(), QRect(560, r.top + 56, 17, 21));
        EXPECT_FALSE(h.visible("A5.Stop" + n));
        EXPECT_EQ(h.as<ui::Image>("A5.Cil" + n).bounds(), QRect(656, r.top + 56, 23, 21));
        EXPECT_FALSE(h.visible("A5.Cil" + n));
        EXPECT_EQ(h.as<ui::Shape>("A5.Kolej" + n).bounds().top(), r.top + 65);
        EXPECT_EQ(h.as<ui::Shape>("A5.Kolejnice" + n).bounds().top(), r.top + 64);
        EXPECT_EQ(h.text("A5.Posun" + n), "0");
        EXPECT_EQ(h.color("A5.Posun" + n), QColor(255, 255, 255));
        EXPECT_EQ(h.value("A5.Rychlost" + n), 0);
        EXPECT_EQ(h.value("A5.StavPosun" + n), 0);
        EXPECT_EQ(h.text("A5.Rozkaz" + n + "L"), "");
        EXPECT_EQ(h.text("A5.CilZST" + n), "Radošov");
        const QString left = r.number == 3 ? "A5.Timerposun3L" : "A5.TimerPosun" + n + "L";
        for (const QString &t : {left, "A5.TimerPosun" + n + "P"}) {
            EXPECT_FALSE(h.timerEnabled(t));
            EXPECT_EQ(h.interval(t), 50);
        }
        /* Only the red lamp of each signal is lit at creation. */
        const QColor red(255, 0, 0);
        for (int k = 1; k <= 4; ++k) {
            const auto &lamp = h.as<ui::Shape>("A5." + r.letter + QString::number(k));
            EXPECT_EQ(lamp.visible(), lamp.brushColor() == red);
        }
    }
    EXPECT_EQ(h.as<ui::Shape>("A5.MB").brushColor(), QColor(255, 255, 0));
    EXPECT_EQ(h.as<ui::Shape>("A5.OC").brushColor(), QColor(255, 255, 255));
    EXPECT_TRUE(h.visible("A5.MD"));
    EXPECT_EQ(h.as<ui::Shape>("A5.GB").shape(), ui::ShapeType::Ellipse);
    EXPECT_EQ(h.text("A5.PosunC"), "0");
    EXPECT_EQ(h.as<ui::Image>("A5.CilSkala").picture().size(), QSize(23, 21));
}

TEST(TrackView, AGameEndBringsTheTracksBackToTheirDesignState)
{
    Harness h;
    h.click("A0.H9");
    h.as<ui::Image>("A5.Stop3").show();
    h.type("A5.Posun3", "10");
    h.app().recreateGameForms();
    EXPECT_FALSE(h.visible("A5.Stop3"));
    EXPECT_EQ(h.text("A5.Posun3"), "0");
}

/** @return how many different colours the picture holds, counted on a sparse grid. */
int colourCount(const QImage &img)
{
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); y += 5)
        for (int x = 0; x < img.width(); x += 5)
            colours.insert(img.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST(TrackView, ATrainStandsAtItsPlatformOnTheRenderedView)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    TA1 &a1 = h.app().A1();
    /* A train of the shipped vehicles, accepted and at the end of its approach on line A to track 3. */
    const QStringList files{"lok_754.bmp", "vuz_B.bmp", "vuz_B.bmp", "voz_Faccs.bmp"};
    for (int k = 0; k < 10; ++k) {
        QImage img = k < files.size() ? QImage(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Vozidla/" + files[k])
                                      : h.app().A3().VozidloPrazdne->picture();
        ASSERT_FALSE(img.isNull());
        h.as<ui::Image>(QStringLiteral("A7.VlakA%1").arg(QChar('a' + k))).setPicture(img);
    }
    a1.KolejA->setValue(3);
    a1.TratA->setText("5401");
    h.as<ui::Image>("A5.Stop3").show();
    a1.StavVlakA->setValue(35);
    a1.VlakAOd->setValue(400);
    a1.TimerVlakAOd->setInterval(10);
    a1.TimerVlakAOd->setEnabledFlag(true);
    for (int i = 0; i < 600 && a1.TimerVlakAOd->enabledFlag(); ++i)
        h.advanceMs(100);
    ASSERT_FALSE(a1.TimerVlakAOd->enabledFlag());
    EXPECT_EQ(h.text("A1.Kolej3"), "5401");

    h.control("A6").hide();
    h.control("A5").show();
    view::FormWindow *w = front.window(h.app().A5());
    ASSERT_NE(w, nullptr);
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/view_a5_track_view.png");
    EXPECT_GT(colourCount(shot), 20);
    /* The locomotive's picture stands where its slot is, right before the stop marker. */
    const ui::Image &loco = h.as<ui::Image>("A5.J5");
    const ui::Image &last = h.as<ui::Image>("A5.JE");
    EXPECT_EQ(last.left() + last.width(), h.as<ui::Image>("A5.Stop3").left() - 2);
    const QPoint at = loco.formPos() + QPoint(loco.width() / 2, 20);
    EXPECT_EQ(shot.pixelColor(at), loco.picture().pixelColor(loco.width() / 2, 20));
    /* The signals at "Stůj" show their red lamps. */
    for (const char *name : {"A5.L2", "A5.MD", "A5.KC"}) {
        const ui::Control &lamp = h.control(name);
        const QColor c = shot.pixelColor(lamp.formPos() + QPoint(lamp.width() / 2, lamp.height() / 2));
        EXPECT_GT(c.red(), 150) << name;
        EXPECT_LT(c.green(), 80) << name;
    }
}

/*
 * Every shipped vehicle picture, put into a slot of track 3: the ground
 * around the vehicle is one flat colour, the bottom-left one, and the view
 * leaves it see-through, so only the vehicle covers the station behind it.
 */
TEST(TrackView, ShippedVehiclesLeaveTheGroundAroundThemSeeThrough)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    h.control("A6").hide();
    h.control("A5").show();
    view::FormWindow *w = front.window(h.app().A5());
    ASSERT_NE(w, nullptr);
    const QImage empty = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto &slot = h.as<ui::Image>("A5.J5");
    ASSERT_TRUE(slot.transparent());
    const QDir folder(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Vozidla");
    const QStringList files = folder.entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 18);
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const QImage pic = platform::loadPicture(folder.filePath(file)).convertToFormat(QImage::Format_RGB32);
        const QRgb key = pic.pixel(0, pic.height() - 1);
        EXPECT_EQ(pic.pixel(0, 0), key);
        EXPECT_EQ(pic.pixel(pic.width() - 1, 0), key);
        for (int x = 0; x < pic.width(); ++x)
            ASSERT_EQ(pic.pixel(x, pic.height() - 1), key) << "bottom row, x " << x;
        slot.setPicture(pic);
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint origin = slot.formPos();
        int ground = 0;
        int body = 0;
        for (int y = 0; y < pic.height(); ++y)
            for (int x = 0; x < pic.width(); ++x) {
                const QPoint at = origin + QPoint(x, y);
                if (pic.pixel(x, y) == key) {
                    ++ground;
                    ASSERT_EQ(shot.pixel(at), empty.pixel(at)) << "ground at " << x << ", " << y;
                } else {
                    body += shot.pixel(at) == pic.pixel(x, y);
                }
            }
        /* Most of the picture is ground; the vehicle itself is painted as drawn. */
        EXPECT_GT(ground, pic.width() * pic.height() / 4);
        EXPECT_GT(body, pic.width() * 20);
    }
}

} // namespace

namespace {

TEST(TrackView, TheOrderSheetsStandOnTheRenderedView)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    h.control("A6").hide();
    h.control("A5").show();
    h.click("A5.TlL3");
    h.click("A5.PC01");
    h.type("A5.RV04", "5401");
    view::FormWindow *w = front.window(h.app().A5());
    ASSERT_NE(w, nullptr);
    QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/view_a5_general_order.png");
    const ui::Control &paper = h.control("A5.RV01");
    const QColor generalPaper(255, 255, 235);
    EXPECT_EQ(shot.pixelColor(paper.formPos() + QPoint(5, 200)), generalPaper);
    /* The fill-in fields are handwriting straight on the paper: no frame round them. */
    const QStringList fields{"A5.RV04", "A5.RV05", "A5.RV07", "A5.RV08", "A5.RV09", "A5.RV11", "A5.RV13", "A5.RV15"};
    for (const QString &name : fields) {
        const QRect r(h.control(name).formPos(), h.control(name).bounds().size());
        for (const QPoint &p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            EXPECT_EQ(shot.pixelColor(p), generalPaper) << name.toStdString() << " framed at " << p.x() << "," << p.y();
    }

    /* The player clicks into a field and types; Tab takes him to no other field. */
    auto *number = qobject_cast<QLineEdit *>(w->widgetOf(h.control("A5.RV04")));
    ASSERT_NE(number, nullptr);
    QTest::mouseClick(number, Qt::LeftButton);
    ASSERT_EQ(w->focusWidget(), number);
    QTest::keyClick(number, Qt::Key_End);
    QTest::keyClick(number, Qt::Key_2);
    EXPECT_EQ(h.text("A5.RV04"), "54012");
    for (int i = 0; i < fields.size(); ++i) {
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Tab);
        for (const QString &name : fields)
            EXPECT_NE(w->focusWidget(), w->widgetOf(h.control(name))) << "Tab reached " << name.toStdString();
    }

    /* A long line of the order wraps on screen and stays one line as typed. */
    auto *order = qobject_cast<QPlainTextEdit *>(w->widgetOf(h.control("A5.RV05")));
    ASSERT_NE(order, nullptr);
    const QString text = "Navestidlo S3 se neobsluhuje, po rozkazu k odjezdu smite odjet.";
    QTest::keyClicks(order, text);
    EXPECT_EQ(h.lines("A5.RV05"), QStringList{text});
    EXPECT_GT(order->document()->firstBlock().layout()->lineCount(), 1);
    EXPECT_EQ(order->horizontalScrollBar()->maximum(), 0);
    h.click("A5.PC02");
    h.click("A5.RO48");
    shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/view_a5_cautious_order.png");
    /* The cautious-running order lies over the general order. */
    EXPECT_EQ(shot.pixelColor(paper.formPos() + QPoint(3, 200)), QColor(255, 238, 164));
}

} // namespace
