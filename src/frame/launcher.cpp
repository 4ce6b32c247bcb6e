/** @file launcher.cpp The launcher, its settings dialog, the intro slides and the loading screen of A0. */
#include "core/app.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "frame/menu_model.h"

namespace frame {

namespace {

/** Colour of the window behind the last slide: red 0, green 153, blue 255. */
const QColor SlideBlue(0, 153, 255);

/** The launcher's label under the pointer gets its blue background; the others are see-through. */
void lightLauncher(TA0 &a0, const ui::Label *lit)
{
    for (ui::Label *l : {a0.B1, a0.B2, a0.B3})
        l->setTransparent(l != lit);
}

/** Centres a control of the window on the screen of the present size. */
void centreOnScreen(App &app, ui::Control &c)
{
    const QSize s = app.screenSize();
    c.setBounds((s.width() - c.width()) / 2, (s.height() - c.height()) / 2, c.width(), c.height());
}

} // namespace

void FormCreate(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00A0-A."), [&app] {
        TA0 &a0 = app.A0();
        /* Centred on the desktop when first shown. */
        a0.setBounds((app.ScreenWidth - 400) / 2, (app.ScreenHeight - 300) / 2, 400, 300);
        a0.D5->setChecked(0, true);
        a0.D5->setChecked(1, true);
    });
}

void B1Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00B1-A."), [&app] {
        TA0 &a0 = app.A0();
        const int H = app.ScreenHeight;
        const int W = app.ScreenWidth;
        a0.setBounds(0, 0, W, H);
        for (ui::Control *c : {static_cast<ui::Control *>(a0.B0), static_cast<ui::Control *>(a0.B1),
                               static_cast<ui::Control *>(a0.B2), static_cast<ui::Control *>(a0.B3)})
            c->hide();
        centreOnScreen(app, *a0.E5);
        a0.setColor(Qt::white);
        a0.E5->show();
        centreOnScreen(app, *a0.E6);
        centreOnScreen(app, *a0.E7);
        a0.E8->setBounds(a0.E8->left(), a0.E8->top(), W, H);
        a0.E9->setBounds(W * 39 / 1000, H * 9 / 10, W * 37 / 40, H * 6 / 125);
        a0.X5->setEnabledFlag(true);
        /* A data directory without a timetable folder lists no timetables;
           the start goes on as with any other. */
        a0.GVD1->setDirectory(a0.C3->directory() + QStringLiteral("/Gvd"));
        if (a0.D5->isChecked(2)) {
            a0.J8->show();
            a0.J9->show();
        }
    });
}

void B2Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00B2-A."), [&app] {
        TA0 &a0 = app.A0();
        a0.setBorderStyle(ui::BorderStyle::Single);
        a0.setBounds(a0.left(), a0.top(), 406, 331);
        a0.B2->setTransparent(true);
        a0.B4->show();
    });
}

void B3Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00B3-A."), [&app] { app.A0().close(); });
}

void E4Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00E4."), [&app] {
        TA0 &a0 = app.A0();
        a0.setBorderStyle(ui::BorderStyle::None);
        a0.setBounds(a0.left(), a0.top(), 400, 300);
        centreOnScreen(app, a0);
        a0.B4->hide();
    });
}

void X5Timer(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00X5"), [&app] {
        TA0 &a0 = app.A0();
        /* The last slide is tested first, so one step moves exactly one slide on. */
        if (a0.E7->visible()) {
            a0.E7->hide();
            a0.E8->show();
            a0.E9->show();
            a0.X5->setEnabledFlag(false);
            a0.X6->setEnabledFlag(true);
            a0.setColor(Qt::black);
        }
        if (a0.E6->visible()) {
            a0.E6->hide();
            a0.E7->show();
            a0.setColor(SlideBlue);
        }
        if (a0.E5->visible()) {
            a0.E5->hide();
            a0.E6->show();
            a0.setColor(Qt::white);
        }
    });
}

void FormKeyPress(App &app, QChar ch)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00A0-B."), [&app, ch] {
        if (ch == QChar(13))
            X5Timer(app);
    });
}

void X6Timer(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00X6"), [&app] {
        TA0 &a0 = app.A0();
        a0.E9->setPosition(a0.E9->position() + 1);
        const int step = a0.E9->position();
        if (step == 100) {
            a0.E8->hide();
            a0.E9->hide();
            a0.F0->show();
            a0.X6->setEnabledFlag(false);
            return;
        }
        layoutMenuStep(app, step);
    });
}

void wireLauncher(App &app)
{
    TA0 &a0 = app.A0();
    a0.B0->onMouseMove = [&app](ui::ShiftState, int, int) {
        ui::guarded(app.A0(), QStringLiteral("Error 00B0."), [&app] { lightLauncher(app.A0(), nullptr); });
    };
    int k = 1;
    for (ui::Label *l : {a0.B1, a0.B2, a0.B3}) {
        const QString code = QStringLiteral("Error 00B%1-B.").arg(k++);
        l->onMouseMove = [&app, l, code](ui::ShiftState, int, int) {
            ui::guarded(app.A0(), code, [&app, l] { lightLauncher(app.A0(), l); });
        };
    }
    a0.B1->onClick = [&app] { B1Click(app); };
    a0.B2->onClick = [&app] { B2Click(app); };
    a0.B3->onClick = [&app] { B3Click(app); };
    a0.E4->onClick = [&app] { E4Click(app); };
    a0.C3->onChange = [&app] { app.A0().C4->setCaption(app.A0().C3->directory()); };
    for (ui::Image *slide : {a0.E5, a0.E6, a0.E7})
        slide->onClick = [&app] { X5Timer(app); };
    a0.X5->setOnTimer([&app] { X5Timer(app); });
    a0.X6->setOnTimer([&app] { X6Timer(app); });
    a0.onKeyPress = [&app](QChar &ch) { FormKeyPress(app, ch); };
    FormCreate(app);
}

} // namespace frame
