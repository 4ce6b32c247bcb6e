/** @file workplace_layout.cpp The workplace views' layout on a resize, and the scrolling of their content. */
#include "core/app.h"
#include "frame/frame_memory.h"
#include "frame/workplace_routines.h"
#include "trackview/track_model.h"
#include "ui/sim_error.h"

namespace frame {

namespace {

/** Moves a control of the view, found by name; every control the layout names exists, so a missing one is a fault. */
void withControl(ui::Form &form, const QString &name, const std::function<void(ui::Control &)> &fn)
{
    ui::Control *c = form.find(name);
    if (!c)
        throw ui::SimError(QStringLiteral("%1 has no control %2").arg(form.name(), name));
    fn(*c);
}

/** Track view: everything spans the screen above the bottom panel; the content does not scroll. */
void layoutTrackView(View &v, const QSize &S, int W, int H)
{
    WorkplaceFrame &f = v.frame;
    ui::Control *panel = v.form.find(QStringLiteral("Panel"));
    const int P = panel ? panel->height() : 0;
    f.B1->setHeight(S.height() - P);
    f.B3->setTop(S.height() - 2 - P);
    f.B4->setTop(H - 18 - P);
    f.B5->setHeight(H - 4 - P);
    f.D5->setHeight(H + 5 - P);
    f.D5->setWidth(W + 2);
    f.D8->setTop(H - 60);
    const int span = f.D5->width();
    for (const char *track : {"Kolej1", "Kolejnice1", "Kolej2", "Kolejnice2", "Kolej3", "Kolejnice3", "Kolej5",
                              "Kolejnice5", "Kolej7", "Kolejnice7"})
        withControl(v.form, track, [span](ui::Control &c) { c.setWidth(span); });
    /* While the signals are moved out of sight the platforms reach into
       their place and the right-hand signals stand 100 px further right;
       the layout keeps that offset, so the switch can put them back. */
    ui::Control *switchLabel = v.form.find(QStringLiteral("PC05"));
    const bool signalsOut = switchLabel && switchLabel->caption() == QStringLiteral("zobrazit návěstidla");
    const int out = signalsOut ? 100 : 0;
    for (const char *platform : kPlatformNames)
        withControl(v.form, platform, [&](ui::Control &c) { c.setWidth(span - 100 + 2 * out); });
    const struct {
        char group;
        int offset;
    } right[5] = {{'M', 28}, {'O', 28}, {'K', 30}, {'I', 30}, {'G', 30}};
    for (const auto &g : right) {
        withControl(v.form, QString(QChar(g.group)) + 'A', [&](ui::Control &c) { c.setLeft(span - 33 + out); });
        for (char lamp = 'B'; lamp <= 'E'; ++lamp)
            withControl(v.form, QString(QChar(g.group)) + QChar(lamp),
                        [&](ui::Control &c) { c.setLeft(span - g.offset + out); });
    }
    /* The side-C points stay at the right edge, with the right-hand signals,
       so a train stopped before its signal stands inside the station. */
    withControl(v.form, "ZhlaviP", [span](ui::Control &c) { c.setLeft(span - c.width()); });
    if (panel) {
        panel->setWidth(span);
        panel->setTop(S.height() - panel->height());
    }
    /* The track view's two order sheets (the general and the cautious-running order). */
    for (const char *sheet : {"RozkazV", "RozkazOp"})
        withControl(v.form, sheet, [&](ui::Control &c) {
            c.setBounds((W - c.width()) / 2, (H - c.height()) / 2, c.width(), c.height());
        });
}

/** Signal boxes: the overview panel covers the form, its tracks span it, box 2's crossing stands at three quarters. */
void layoutBoxOverview(View &v, int W, int H)
{
    ui::Control *nahled = v.form.find(QStringLiteral("Nahled"));
    if (!nahled)
        return;
    nahled->setHeight(H + 5);
    nahled->setWidth(W + 2);
    const int width = nahled->width();
    withControl(v.form, "Stavedlo", [width](ui::Control &c) { c.setLeft((width - c.width()) / 2); });
    if (v.name == QLatin1String("A7")) {
        for (const char *track : {"KolejB", "KolejniceB", "KolejM", "KolejniceM"})
            withControl(v.form, track, [width](ui::Control &c) { c.setWidth(width); });
        return;
    }
    for (const char *track : {"KolejCH", "KolejniceCH"})
        withControl(v.form, track, [width](ui::Control &c) { c.setWidth(width); });
    const int height = nahled->height();
    withControl(v.form, "Silnice", [height](ui::Control &c) { c.setHeight(height); });
    ui::Control *crossing = v.form.find(QStringLiteral("PZZ2"));
    if (!crossing)
        return;
    crossing->setLeft(width * 3 / 4);
    const int base = crossing->left();
    const std::pair<const char *, int> relative[7] = {{"PZZ2a", 8},   {"Silnice", 31},     {"PZZ1", 97},
                                                      {"PZZ1a", 105}, {"PZZCervenaL", 99}, {"PZZCervenaP", 109},
                                                      {"PZZBila", 104}};
    for (const auto &[name, offset] : relative)
        withControl(v.form, name, [base, offset](ui::Control &c) { c.setLeft(base + offset); });
}

/**
 * Brings the bars in line with the present place of D5. Content no larger
 * than the form puts the bar at 0 and pins the content, without dividing.
 */
void alignBars(View &v, int W, int H)
{
    WorkplaceFrame &f = v.frame;
    const int spanX = f.D5->width() - W - 2;
    if (spanX > 0) {
        f.B4->setPosition(f.D5->left() * -100 / spanX + 1);
    } else {
        f.B4->setPosition(0);
        f.D5->setLeft(-1);
    }
    const int spanY = f.D5->height() - H - 2;
    if (spanY > 0) {
        f.B5->setPosition(f.D5->top() * -100 / spanY + 1);
    } else {
        f.B5->setPosition(0);
        f.D5->setTop(-4);
    }
}

} // namespace

void WorkplaceResize(View &v)
{
    optionGuard(v.app, "Error " + v.framePrefix() + "B8", [&] {
        WorkplaceFrame &f = v.frame;
        const QSize S = v.app.screenSize();
        const int W = v.form.width();
        const int H = v.form.height();
        f.B0->setHeight(S.height());
        f.B1->setHeight(S.height());
        f.B1->setLeft(S.width() - 2);
        f.B2->setWidth(S.width());
        f.B3->setWidth(S.width());
        f.B3->setTop(S.height() - 2);
        f.B4->setTop(H - 18);
        f.B4->setWidth(W - 4);
        f.B5->setLeft(W - 18);
        f.B5->setHeight(H - 4);
        f.B6->setLeft((S.width() - f.B6->width()) / 2);
        f.C1->setLeft((S.width() - f.C1->width()) / 2);
        f.D8->setTop(H - 60);
        if (v.name == QLatin1String("A5")) {
            layoutTrackView(v, S, W, H);
            return;
        }
        if (v.name != QLatin1String("A6"))
            layoutBoxOverview(v, W, H);
        /* Only a real change of size aligns the bars, so repeated resizes never move the content. */
        if (v.memory.alignedSize == QSize(W, H))
            return;
        v.memory.alignedSize = QSize(W, H);
        alignBars(v, W, H);
    });
}

void B4Change(View &v)
{
    ui::guarded(v.form, v.componentPrefix() + "B4", [&] {
        if (v.paused())
            return;
        const int span = v.frame.D5->width() - v.form.width() - 2;
        /* Content no larger than the form stays at the place of position 0. */
        v.frame.D5->setLeft(span > 0 ? span * v.frame.B4->position() / -100 - 1 : -1);
    });
}

void B5Change(View &v)
{
    ui::guarded(v.form, v.componentPrefix() + "B5", [&] {
        if (v.paused())
            return;
        const int span = v.frame.D5->height() - v.form.height() - 4;
        v.frame.D5->setTop(span > 0 ? span * v.frame.B5->position() / -100 - 4 : -4);
    });
}

} // namespace frame
