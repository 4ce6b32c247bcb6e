/** @file menu_pages.cpp The menu's left items, its pages, hover, option toggles, names and quit. */
#include "core/app.h"
#include "core/form_a1.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "frame/menu_model.h"

#include <QSet>

namespace frame {

namespace {

/** The pages that belong to each left item, and the page it opens first. */
struct MenuItem {
    QString image;
    QString caption;
    QStringList pages; ///< The first is the page it opens.
};

const MenuItem Items[5] = {
    {"F4", "F5", {"G4", "I0"}},
    {"F6", "F7", {"I9"}},
    {"F8", "F9", {"K0", "L1", "M2", "N7", "P1", "Q5", "S0", "T1"}},
    {"G0", "G1", {"U2"}},
    {"G2", "G3", {"V1"}},
};

/** An option toggle: its button, its caption, its check box and whether it acts only while lit. */
struct Toggle {
    const char *image;
    const char *caption;
    ui::CheckBox *TA1::*box;
    bool onlyLit;
};

const Toggle Toggles[7] = {
    {"K6", "K5", &TA1::KodSt1, false},     {"K8", "K7", &TA1::KodSt2, false},
    {"L0", "K9", &TA1::KodPoruchy, true},  {"L3", "L2", &TA1::Zvuky, false},
    {"L5", "L4", &TA1::KodRychTel, false}, {"L7", "L6", &TA1::KodZapadky, true},
    {"L9", "L8", &TA1::KodMavex, true},
};

/** Page navigation: button, its caption, the page it leaves and the page it opens. */
struct Step {
    const char *image;
    const char *caption;
    const char *from;
    const char *to;
};

const Step Steps[11] = {
    {"K2", "K1", "K0", "L1"}, {"K4", "K3", "K0", "M2"}, {"M1", "M0", "L1", "K0"}, {"N6", "N5", "M2", "K0"},
    {"O8", "O7", "N7", "M2"}, {"P0", "O9", "N7", "P1"}, {"Q2", "Q1", "P1", "N7"}, {"Q4", "Q3", "P1", "K0"},
    {"R9", "R8", "Q5", "K0"}, {"T0", "S9", "S0", "K0"}, {"U1", "U0", "T1", "K0"},
};

void ResetPanelHover(TA0 &a0, const MenuPage &page)
{
    ui::guarded(a0, page.resetCode, [&] {
        for (const QString &name : page.reset) {
            ui::Control &c = a0.get<ui::Control>(name);
            if (hoverColor(c) == Blue)
                setHoverColor(c, Navy);
        }
    });
}

/** The left item clicked: the others back to normal, its own page shown and every other page hidden. */
void switchItem(App &app, const MenuItem &item)
{
    TA0 &a0 = app.A0();
    ui::guarded(a0, menuCode(item.image, "A"), [&] {
        if (item.image == "F6" && a0.get<ui::Label>("F7").font().color != Blue)
            return;
        for (const MenuItem &other : Items) {
            if (&other == &item)
                continue;
            for (const QString &p : other.pages)
                if (a0.get<ui::Control>(p).visible())
                    a0.get<ui::Image>(other.image).assignPicture(*a0.Tl1);
        }
        a0.get<ui::Image>(item.image).assignPicture(*a0.Tl5);
        for (const MenuPage &page : menuPages()) {
            ui::Control &p = a0.get<ui::Control>(page.name);
            if (page.name == item.pages.first())
                p.show();
            else if (p.visible())
                p.hide();
        }
    });
}

void toggleOption(App &app, const Toggle &t)
{
    TA0 &a0 = app.A0();
    ui::guarded(a0, menuCode(t.image, "A"), [&] {
        if (t.onlyLit && a0.get<ui::Label>(t.caption).font().color != Blue)
            return;
        ui::CheckBox *box = app.A1().*t.box;
        box->setChecked(!box->checked());
        a0.get<ui::Image>(t.image).assignPicture(box->checked() ? *a0.Tl3 : *a0.Tl4);
    });
}

void stepPage(App &app, const Step &s)
{
    TA0 &a0 = app.A0();
    ui::guarded(a0, menuCode(s.image, "A"), [&] {
        a0.get<ui::Control>(s.from).hide();
        a0.get<ui::Control>(s.to).show();
        a0.get<ui::Label>(s.caption).setFontColor(Navy);
    });
}

/** Replays the intro from the About page; the layout is already complete, so the menu returns at once. */
void V0Click(App &app)
{
    TA0 &a0 = app.A0();
    ui::guarded(a0, menuCode("V0", "A"), [&] {
        a0.setColor(Qt::white);
        a0.E5->show();
        a0.F0->hide();
        a0.get<ui::Label>("U9").setFontColor(Navy);
        a0.X5->setEnabledFlag(true);
    });
}

/** "Ne" of the quit page: no page open and no item selected. */
void V6Click(App &app)
{
    TA0 &a0 = app.A0();
    ui::guarded(a0, menuCode("V6", "A"), [&] {
        a0.get<ui::Image>("G2").assignPicture(*a0.Tl1);
        a0.get<ui::Control>("V1").hide();
        a0.get<ui::Label>("V5").setFontColor(Navy);
    });
}

/** Shows A1 in one face over the disabled menu, centred on the screen, and marks the item that opened it. */
void showStore(App &app, bool diagnostics, ui::Image *item, const QString &code)
{
    ui::guarded(app.A0(), code, [&] {
        TA1 &a1 = app.A1();
        a1.B00->setVisible(diagnostics);
        a1.SouZST->setVisible(!diagnostics);
        a1.setBorderStyle(diagnostics ? ui::BorderStyle::Single : ui::BorderStyle::None);
        a1.show();
        a1.bringToFront();
        app.A0().setEnabled(false);
        item->assignPicture(*app.A0().Tl5);
        const QSize s = app.screenSize();
        a1.setBounds((s.width() - a1.width()) / 2, (s.height() - a1.height()) / 2, a1.width(), a1.height());
    });
}

} // namespace

void ResetMenuHover(App &app)
{
    TA0 &a0 = app.A0();
    ui::guarded(a0, QStringLiteral("Error 00V7"), [&] {
        for (const MenuItem &item : Items) {
            auto &caption = a0.get<ui::Label>(item.caption);
            if (caption.font().color == Blue)
                caption.setFontColor(Navy);
        }
        for (const MenuPage &page : menuPages())
            if (a0.get<ui::Control>(page.name).visible())
                ResetPanelHover(a0, page);
    });
}

void rowMouseMove(App &app, const QString &trigger)
{
    for (const MenuRow &row : menuRows()) {
        if (!row.triggers.contains(trigger))
            continue;
        TA0 &a0 = app.A0();
        ui::guarded(a0, menuCode(row.code, "B"), [&] {
            /* A grey (disabled) or already lit row is left alone, and nothing is reset. */
            if (hoverColor(a0.get<ui::Control>(row.blues.first())) != Navy)
                return;
            ResetMenuHover(app);
            for (const QString &name : row.blues)
                setHoverColor(a0.get<ui::Control>(name), Blue);
        });
        return;
    }
}

void J1Click(App &app)
{
    ui::guarded(app.A0(), menuCode("J1", "A"), [&app] {
        TA1 &a1 = app.A1();
        if (a1.PHCHOd->value() < 6)
            a1.PHCHOd->setValue(1);
        if (a1.TSCH->value() < 6)
            a1.TSCH->setValue(1);
        for (ui::SpinEdit *f : {a1.NavBOdSt, a1.NavBDoSt, a1.NavMOdSt, a1.NavMDoSt, a1.NavCHOdSt, a1.NavCHDoSt, a1.TSJ})
            if (f->value() > 1)
                f->setValue(6);
        if (a1.NavCHOd->value() < 5)
            a1.PHCHOd->setValue(1);
    });
}

void J3Click(App &app)
{
    showStore(app, false, app.A0().J3, menuCode("J3", "A"));
}

void J9Click(App &app)
{
    showStore(app, true, app.A0().J9, menuCode("J9", "A"));
}

void wireMenuPages(App &app)
{
    TA0 &a0 = app.A0();
    QSet<QString> triggers;
    for (const MenuRow &row : menuRows())
        for (const QString &t : row.triggers) {
            triggers.insert(t);
            a0.get<ui::Control>(t).onMouseMove = [&app, t](ui::ShiftState, int, int) { rowMouseMove(app, t); };
        }
    /* The background, the column pictures, the pages and every caption that is no row's target reset the hover. */
    auto reset = [&app](ui::ShiftState, int, int) {
        ui::guarded(app.A0(), QStringLiteral("Error 00F0."), [&app] { ResetMenuHover(app); });
    };
    for (const auto &owned : a0.controls()) {
        ui::Control *c = owned.get();
        const bool underMenu = c->parent() == a0.F0 || (c->parent() && c->parent()->parent() == a0.F0);
        if (!underMenu || triggers.contains(c->name()))
            continue;
        if (c->kind() == ui::Kind::Label || c->kind() == ui::Kind::Panel || c == a0.F1 || c == a0.F2 || c == a0.F3)
            c->onMouseMove = reset;
    }
    a0.F0->onMouseMove = reset;

    for (const MenuItem &item : Items)
        a0.get<ui::Control>(item.image).onClick = [&app, &item] { switchItem(app, item); };
    for (const Toggle &t : Toggles)
        a0.get<ui::Control>(t.image).onClick = [&app, &t] { toggleOption(app, t); };
    for (const Step &s : Steps)
        a0.get<ui::Control>(s.image).onClick = [&app, &s] { stepPage(app, s); };
    a0.J1->onClick = [&app] { J1Click(app); };
    a0.J1->onMouseDown = [&app](ui::MouseButton, ui::ShiftState, int, int) {
        app.A0().J1->assignPicture(*app.A0().Tl2);
    };
    a0.J1->onMouseUp = [&app](ui::MouseButton, ui::ShiftState, int, int) {
        app.A0().J1->assignPicture(*app.A0().Tl1);
    };
    a0.J3->onClick = [&app] { J3Click(app); };
    a0.J9->onClick = [&app] { J9Click(app); };
    a0.get<ui::Control>("V0").onClick = [&app] { V0Click(app); };
    a0.get<ui::Control>("V4").onClick = [&app] {
        ui::guarded(app.A0(), menuCode("V4", "A"), [&app] { app.A0().close(); });
    };
    a0.get<ui::Control>("V6").onClick = [&app] { V6Click(app); };
    a0.MenuReturn->setOnTimer([&app] {
        app.A0().MenuReturn->setEnabledFlag(false);
        app.A0().show();
    });
}

} // namespace frame
