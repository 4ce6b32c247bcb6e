/** @file signal_view_test.cpp The desk and both boxes on screen with signals at "Volno" and "Stůj", lamps and block windows lit. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

/** @return where a control lies in its view's content panel D5. */
QPoint inContent(const Harness &h, const QString &view, const QString &name)
{
    return h.control(name).formPos() - h.control(view + ".D5").formPos();
}

/** Renders the whole content panel D5 of a shown view, beyond the screen's edges, and keeps it beside the test program. */
QImage shootContent(view::Front &front, Harness &h, const QString &view, const QString &file)
{
    view::FormWindow *w = front.window(dynamic_cast<ui::Form &>(h.control(view)));
    if (!w)
        return {};
    QWidget *content = w->widgetOf(h.control(view + ".D5"));
    if (!content)
        return {};
    const QImage shot = content->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/" + file);
    return shot;
}

/** @return the colour at the centre of a 6 x 6 lamp in the picture. */
QColor lampColour(const QImage &shot, QPoint lamp)
{
    return shot.pixelColor(lamp + QPoint(3, 3));
}

/** @return whether a colour is mainly of one channel: 'r', 'g', or 'w' for white. */
bool looks(const QColor &c, char kind)
{
    switch (kind) {
    case 'r':
        return c.red() > 150 && c.green() < 110 && c.blue() < 110;
    case 'g':
        return c.green() > 150 && c.red() < 110 && c.blue() < 110;
    default:
        return c.red() > 180 && c.green() > 180 && c.blue() > 180;
    }
}

} // namespace

TEST(SignalView, TheDeskAndBothBoxesShowProceedAndStopLampsAndBlockWindows)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    /* Entry L and exit L3 at proceed, ML and S at stop; the desk's and box 1's entry release of line A turning. */
    h.type("A1.C03", "Volno");
    h.type("A1.C25", "Volno");
    h.as<ui::SpinEdit>("A1.NavBOd").setValue(5);
    h.as<ui::SpinEdit>("A1.NavBOdSt").setValue(6);
    h.as<ui::SpinEdit>("A1.ZavB").setValue(3);

    const QImage desk = shootContent(front, h, "A6", "view_a6_signals.png");
    ASSERT_FALSE(desk.isNull());
    const auto deskLamp = [&](const char *name) { return lampColour(desk, inContent(h, "A6", name)); };
    EXPECT_TRUE(looks(deskLamp("A6.LZelena"), 'g'));
    EXPECT_TRUE(looks(deskLamp("A6.MLCervena"), 'r'));
    EXPECT_TRUE(looks(deskLamp("A6.L3Zelena"), 'g'));
    EXPECT_FALSE(looks(deskLamp("A6.LCervena"), 'r'));
    /* The desk's release window shows white. */
    EXPECT_TRUE(looks(desk.pixelColor(inContent(h, "A6", "A6.NavBOd") + QPoint(11, 11)), 'w'));

    const std::tuple<const char *, const char *, const char *, const char *> boxes[] = {
        {"A7", "A7.LZelena", "A7.MLCervena", "A7.NavBOd"}, {"A8", "A8.EI", "A8.FA", "A8.ZavCH"}};
    for (auto [name, proceed, stop, window] : boxes) {
        const QString view = QLatin1String(name);
        h.control("A6").hide();
        h.control(view).show();
        const QImage box = shootContent(front, h, view, QStringLiteral("view_%1_signals.png").arg(view.toLower()));
        ASSERT_FALSE(box.isNull()) << name;
        EXPECT_TRUE(looks(lampColour(box, inContent(h, view, QLatin1String(proceed))), 'g')) << name;
        EXPECT_TRUE(looks(lampColour(box, inContent(h, view, QLatin1String(stop))), 'r')) << name;
        /* Released and at rest, both windows show white. */
        EXPECT_TRUE(looks(box.pixelColor(inContent(h, view, QLatin1String(window)) + QPoint(11, 11)), 'w')) << name;
        h.control(view).hide();
    }
    /* Box 1's copy of the released entry signal: white window, latch free. */
    EXPECT_EQ(h.as<ui::Image>("A7.ZapBOd").picture(), h.as<ui::Image>("A3.ZapadkaB").picture());
}
