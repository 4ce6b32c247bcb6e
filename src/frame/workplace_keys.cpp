/** @file workplace_keys.cpp The keys, the wheel and the speed buttons of the workplace views. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/option_guard.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "frame/frame_memory.h"
#include "frame/track_view_panel.h"
#include "frame/workplace_routines.h"
#include "platform/platform.h"
#include "trackview/form_a5.h"
#include "ui/sim_error.h"

namespace frame {

namespace {

const QString Paused = QStringLiteral("P");

/** F5, F6 and F7 of each view: the view it switches to, or "" where the key toggles the box's overview. */
const char *const FunctionKeyTargets[4][3] = {
    {"A6", "A7", "A8"}, // A5
    {"A5", "A7", "A8"}, // A6
    {"A6", "", "A8"},   // A7
    {"A6", "A7", ""},   // A8
};

/** Shows the overview panel of a signal box in place of its content, or the content again. */
void toggleOverview(View &v)
{
    ui::Control *nahled = v.form.find(QStringLiteral("Nahled"));
    if (!nahled)
        return;
    if (!nahled->visible()) {
        v.frame.D5->hide();
        nahled->show();
    } else {
        v.frame.D5->show();
        nahled->hide();
    }
}


} // namespace

View::View(App &a, const QString &n)
    : app(a), name(n), form(*a.form(n)), frame(frameOf(a, n)), memory(a.frameMemory().view(n))
{
}

bool View::paused() const
{
    return app.A1().Rychlost->text() == Paused;
}

void View::switchTo(ui::Form &target)
{
    target.show();
    form.hide();
}

WorkplaceFrame &frameOf(App &app, const QString &viewName)
{
    switch (viewName.mid(1).toInt()) {
    case 5: return app.A5().frame;
    case 6: return app.A6().frame;
    case 7: return app.A7().frame;
    case 8: return app.A8().frame;
    default: throw ui::SimError(QStringLiteral("%1 is no workplace view").arg(viewName));
    }
}

void WorkplaceKeyDown(View &v, int key)
{
    optionGuard(v.app, "Error " + v.framePrefix() + "B0", [&] {
        /* While paused the keyboard does nothing at all, not even the Ctrl flag. */
        if (v.paused())
            return;
        if (key == ui::key::Escape)
            v.switchTo(v.app.A0());
        if (key == ui::key::F4) {
            v.form.setEnabled(false);
            v.app.A2().show();
            v.app.A2().bringToFront();
        }
        if (key >= ui::key::F5 && key <= ui::key::F7) {
            const QString target =
                QString::fromLatin1(FunctionKeyTargets[v.name.mid(1).toInt() - 5][key - ui::key::F5]);
            if (target.isEmpty())
                toggleOverview(v);
            else
                v.switchTo(*v.app.form(target));
        }
        if (key >= ui::key::F9 && key <= ui::key::F12) {
            QPoint &mark = v.memory.ScrollBookmarks.at(key - ui::key::F9);
            if (v.memory.CtrlHeld) {
                mark = QPoint(v.frame.B4->position(), v.frame.B5->position());
                v.memory.CtrlHeld = false;
            } else {
                v.frame.B4->setPosition(mark.x());
                v.frame.B5->setPosition(mark.y());
            }
        }
        if (key == ui::key::Up)
            v.frame.B5->setPosition(v.frame.B5->position() - 10);
        if (key == ui::key::Down)
            v.frame.B5->setPosition(v.frame.B5->position() + 10);
        if (key == ui::key::Left)
            v.frame.B4->setPosition(v.frame.B4->position() - 10);
        if (key == ui::key::Right)
            v.frame.B4->setPosition(v.frame.B4->position() + 10);
        if (key == ui::key::Ctrl)
            v.memory.CtrlHeld = true;
    });
}

void WorkplaceKeyUp(View &v, int key)
{
    optionGuard(v.app, "Error " + v.framePrefix() + "B2", [&] {
        if (key == ui::key::Ctrl)
            v.memory.CtrlHeld = false;
    });
}

void WorkplaceKeyPress(View &v, QChar ch)
{
    optionGuard(v.app, "Error " + v.framePrefix() + "B1", [&] {
        const bool pauseKey = ch == QLatin1Char('P') || ch == QLatin1Char('p');
        if (v.paused()) {
            if (pauseKey) {
                v.app.A1().Rychlost->setText(QStringLiteral("1"));
                v.frame.Pauza->hide();
            }
            return;
        }
        if (ch == QChar(13))
            v.memory.WheelScrollsVertical = !v.memory.WheelScrollsVertical;
        if (pauseKey) {
            v.app.A1().Rychlost->setText(Paused);
            /* Centred on the screen; the sign lives inside D5. Showing it is the speed display's. */
            const QSize s = v.app.screenSize();
            ui::Label &pauza = *v.frame.Pauza;
            const int left = (s.width() - pauza.width()) / 2 - v.frame.D5->left();
            const int top = (s.height() - pauza.height()) / 2 - v.frame.D5->top();
            pauza.setBounds(left, top, pauza.width(), pauza.height());
        }
    });
}

void WorkplaceWheel(View &v, int step)
{
    optionGuard(v.app, "Error " + v.framePrefix() + (step > 0 ? "B6" : "B7"), [&] {
        ui::ScrollBar &bar = v.memory.WheelScrollsVertical ? *v.frame.B5 : *v.frame.B4;
        bar.setPosition(bar.position() + step);
    });
}

void speedButton(View &v, int direction)
{
    static const char *suffix[3] = {"H02", "H03", "H04"};
    optionGuard(v.app, "Error " + v.componentPrefix() + suffix[direction + 1], [&] {
        ui::Edit &speed = *v.app.A1().Rychlost;
        const bool paused = speed.text() == Paused;
        if (direction < 0 && !paused) {
            const int n = ui::integerOf(speed.text());
            speed.setText(n > 1 ? QString::number(n / 2) : Paused);
        } else if (direction == 0 && !paused) {
            speed.setText(QStringLiteral("1"));
        } else if (direction > 0) {
            if (paused) {
                speed.setText(QStringLiteral("1"));
                return;
            }
            const int n = ui::integerOf(speed.text());
            if (n < 1024)
                speed.setText(QString::number(n * 2));
        }
    });
}

void wireWorkplace(App &app, ui::Form &view)
{
    /* The view is found again by its name: it is re-created at a game's end. */
    const QString name = view.name();
    app.frameMemory().view(name).alignedSize = QSize();
    view.onKeyDown = [&app, name](int &key, ui::ShiftState) {
        View v(app, name);
        WorkplaceKeyDown(v, key);
    };
    view.onKeyUp = [&app, name](int &key, ui::ShiftState) {
        View v(app, name);
        WorkplaceKeyUp(v, key);
    };
    view.onKeyPress = [&app, name](QChar &ch) {
        View v(app, name);
        WorkplaceKeyPress(v, ch);
    };
    view.onWheel = [&app, name](int delta, ui::ShiftState, QPoint) {
        View v(app, name);
        WorkplaceWheel(v, delta < 0 ? 10 : -10);
    };
    view.onResize = [&app, name] {
        View v(app, name);
        WorkplaceResize(v);
    };
    /* A close request (the window system's close key) hides the view; the
       menu comes back right after, so the program never runs on without a
       window. Not at once: a close that is part of the program's own end
       must not bring a window back while the windows are being closed. */
    view.onClose = [&app] { app.A0().MenuReturn->setEnabledFlag(true); };
    /* The form's own pointer events do nothing but carry their codes. */
    view.onMouseDown = [](ui::MouseButton, ui::ShiftState, int, int) {};
    view.onMouseUp = [](ui::MouseButton, ui::ShiftState, int, int) {};
    WorkplaceFrame &f = frameOf(app, name);
    ui::Label *speed[3] = {f.H02, f.H03, f.H04};
    for (int k = 0; k < 3; ++k)
        speed[k]->onClick = [&app, name, k] {
            View v(app, name);
            speedButton(v, k - 1);
        };
    wireWorkplaceMenus(app, name);
    if (name == QLatin1String("A5"))
        wireTrackViewPanel(app);
}

} // namespace frame
