/** @file workplace_view_test.cpp The desk and both signal boxes on screen after a game start. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSet>

#include <gtest/gtest.h>

namespace {

/** @return how many different colours the picture holds, counted on a sparse grid. */
int colourCount(const QImage &img)
{
    QSet<QRgb> colours;
    for (int y = 0; y < img.height(); y += 7)
        for (int x = 0; x < img.width(); x += 7)
            colours.insert(img.pixel(x, y));
    return static_cast<int>(colours.size());
}

/** Renders a shown form's window and saves it beside the test program. */
QImage shoot(view::Front &front, ui::Form &form, const QString &file)
{
    view::FormWindow *w = front.window(form);
    if (!w)
        return {};
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/" + file);
    return shot;
}

} // namespace

TEST(WorkplaceView, TheDeskAndTheBoxesAreDrawnWithTheirClock)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.ticks(3);
    EXPECT_EQ(h.text("A6.H01"), "7:15:02");

    const QImage desk = shoot(front, dynamic_cast<ui::Form &>(h.control("A6")), "view_a6_desk.png");
    ASSERT_FALSE(desk.isNull());
    /* A drawn desk, not an empty window: many colours, the navy clock box in its corner. */
    EXPECT_GT(colourCount(desk), 20);
    EXPECT_EQ(desk.pixelColor(16 + 3, 16 + 3), QColor(0, 0, 128));

    for (const char *name : {"A7", "A8"}) {
        h.control("A6").hide();
        h.control(name).show();
        const QImage box = shoot(front, dynamic_cast<ui::Form &>(h.control(name)),
                                 QStringLiteral("view_%1_box.png").arg(QString(name).toLower()));
        ASSERT_FALSE(box.isNull()) << name;
        EXPECT_GT(colourCount(box), 20) << name;
        h.control(name).hide();
    }
}

TEST(WorkplaceView, AMaximisedViewLearnsTheScreenSizeAndRunsItsResizeHandler)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    auto &desk = dynamic_cast<ui::Form &>(h.control("A6"));
    QSize seen;
    desk.onResize = [&] { seen = desk.bounds().size(); };
    desk.show();
    QCoreApplication::processEvents();
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(desk.bounds().size(), screen);
    EXPECT_EQ(seen, screen);
}
