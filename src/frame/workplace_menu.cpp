/** @file workplace_menu.cpp The workplace views' edge strips, menu bar, position panel and content pointer. */
#include "core/app.h"
#include "core/form_a2.h"
#include "frame/form_a0.h"
#include "frame/form_a9.h"
#include "frame/menu_model.h"
#include "frame/workplace_routines.h"

namespace frame {

namespace {

/** The pictures of each view's content whose pointer clears the frame like D5 does. */
const QStringList ContentPictures[4] = {
    {"Panel"},
    {"Deska", "Blok"},
    {"Shape1", "Deska", "Blok", "Ram", "Ciselnik", "Nahled"},
    {"Blok", "E0", "I0", "H0", "Nahled"},
};

/** The reset routines of A5 and A6 are guarded; those of the signal boxes are not. */
void resetGuard(View &v, const QString &code, const std::function<void()> &fn)
{
    if (v.name == QLatin1String("A5") || v.name == QLatin1String("A6"))
        ui::guarded(v.form, v.componentPrefix() + code, fn);
    else
        fn();
}

/** Runs a component handler of a view under its guard, which always shows its code and passes the failure on. */
void component(App &app, const QString &viewName, const QString &suffix, const std::function<void(View &)> &fn)
{
    View v(app, viewName);
    ui::guarded(v.form, v.componentPrefix() + suffix, [&] { fn(v); });
}

/** The hotspots and where they lead; the view's own has no click. */
ui::Label *hotspot(WorkplaceFrame &f, int k)
{
    ui::Label *spots[5] = {f.C3, f.C4, f.C5, f.C6, f.C7};
    return spots[k];
}

ui::Label *hotspotCaption(WorkplaceFrame &f, int k)
{
    ui::Label *captions[5] = {f.D0, f.D1, f.D2, f.D3, f.D4};
    return captions[k];
}

ui::Form &hotspotTarget(App &app, int k)
{
    static const char *targets[5] = {"A7", "A5", "A6", "A8", "A9"};
    return *app.form(QString::fromLatin1(targets[k]));
}

/** Hover on a menu-bar label: only a navy label lights up; "pozice" also opens the position panel. */
void menuLabelHover(View &v, ui::Label &label)
{
    if (label.color() != Navy)
        return;
    ResetMenuBarHighlight(v);
    label.setColor(Blue);
    if (&label == v.frame.B9)
        v.frame.C1->show();
}

void hotspotHover(View &v, int k)
{
    ui::Label &caption = *hotspotCaption(v.frame, k);
    if (caption.font().color != Navy)
        return;
    ResetPositionHighlight(v);
    v.frame.C9->setLeft(4 + 96 * k);
    v.frame.C9->show();
    caption.setFontColor(Blue);
}

} // namespace

void ResetMenuBarHighlight(View &v)
{
    resetGuard(v, "VP", [&] {
        for (ui::Label *l : {v.frame.B7, v.frame.B8, v.frame.B9, v.frame.C0})
            if (l->color() == Blue)
                l->setColor(Navy);
        if (v.frame.C1->visible())
            v.frame.C1->hide();
    });
}

void ResetPositionHighlight(View &v)
{
    resetGuard(v, "VP2", [&] {
        if (v.frame.C9->visible())
            v.frame.C9->hide();
        for (int k = 0; k < 5; ++k) {
            ui::Label &caption = *hotspotCaption(v.frame, k);
            if (caption.font().color == Blue)
                caption.setFontColor(Navy);
        }
    });
}

void D5MouseMove(View &v)
{
    ResetMenuBarHighlight(v);
    ResetPositionHighlight(v);
    for (ui::Control *c : {static_cast<ui::Control *>(v.frame.B4), static_cast<ui::Control *>(v.frame.B5),
                           static_cast<ui::Control *>(v.frame.B6), static_cast<ui::Control *>(v.frame.D6),
                           static_cast<ui::Control *>(v.frame.D7)})
        if (c->visible())
            c->hide();
}

void wireWorkplaceMenus(App &app, const QString &name)
{
    WorkplaceFrame &f = frameOf(app, name);
    ui::Form &form = *app.form(name);
    const bool trackView = name == QLatin1String("A5");
    using Move = std::function<void(ui::ShiftState, int, int)>;
    auto onMove = [&app, name](const QString &suffix, std::function<void(View &)> fn) -> Move {
        return [&app, name, suffix, fn](ui::ShiftState, int, int) { component(app, name, suffix, fn); };
    };

    /* Edge strips: the right and bottom ones reveal the bars, except on the track view. */
    f.B0->onMouseMove = onMove("B0", [](View &) {});
    f.B1->onMouseMove = onMove("B1", [trackView](View &v) {
        if (!trackView && !v.frame.B5->visible())
            v.frame.B5->show();
    });
    f.B2->onMouseMove = onMove("B2", [](View &v) {
        if (!v.frame.B6->visible())
            v.frame.B6->show();
    });
    f.B3->onMouseMove = onMove("B3", [trackView](View &v) {
        if (!trackView && !v.frame.B4->visible())
            v.frame.B4->show();
    });
    f.B4->onChange = [&app, name] {
        View v(app, name);
        B4Change(v);
    };
    if (!trackView)
        f.B5->onChange = [&app, name] {
            View v(app, name);
            B5Change(v);
        };
    if (name == QLatin1String("A6"))
        f.B6->onMouseMove = onMove("B6", [](View &v) { ResetMenuBarHighlight(v); });

    /* Menu bar. */
    for (ui::Label *l : {f.B7, f.B8, f.B9, f.C0}) {
        const QString labelName = l->name();
        l->onMouseMove = onMove(labelName + "-B", [labelName](View &v) {
            menuLabelHover(v, *static_cast<ui::Label *>(v.form.find(labelName)));
        });
    }
    f.B7->onClick = [&app, name] {
        component(app, name, "B7-A", [](View &v) {
            v.switchTo(v.app.A0());
            v.frame.B7->setColor(Navy);
        });
    };
    f.B8->onClick = [&app, name] {
        component(app, name, "B8-A", [](View &v) {
            v.app.A2().show();
            v.app.A2().bringToFront();
            v.form.setEnabled(false);
            v.frame.B8->setColor(Navy);
        });
    };
    f.C0->onClick = [&app, name] { component(app, name, "C0-A", [](View &v) { v.app.A0().close(); }); };

    /* Position panel. */
    f.C1->onMouseMove = onMove("C1", [](View &v) { ResetPositionHighlight(v); });
    const QString own = ownHotspot(name);
    for (int k = 0; k < 5; ++k) {
        ui::Label *spot = hotspot(f, k);
        const bool isOwn = spot->name() == own;
        spot->onMouseMove = onMove(isOwn ? spot->name() : spot->name() + "-B", [k](View &v) { hotspotHover(v, k); });
        if (isOwn)
            continue;
        spot->onClick = [&app, name, k, code = spot->name() + "-A"] {
            component(app, name, code, [k](View &v) {
                v.switchTo(hotspotTarget(v.app, k));
                ResetPositionHighlight(v);
            });
        };
    }

    /* The content and its large pictures clear every highlight and hide the bars. */
    const int view = name.mid(1).toInt() - 5;
    const Move contentMove = onMove(trackView ? QStringLiteral("A5-A") : QStringLiteral("D5"), D5MouseMove);
    f.D5->onMouseMove = contentMove;
    for (const QString &picture : ContentPictures[view])
        if (ui::Control *c = form.find(picture))
            c->onMouseMove = contentMove;
}

} // namespace frame
