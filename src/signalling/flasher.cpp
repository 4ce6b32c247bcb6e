/** @file flasher.cpp The one flasher of every blinking lamp, and the one-shot refresh of the desk's 40 lamp. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "signalling/signal_panels.h"
#include "signalling/signal_tables.h"
#include "signalling/signalling_handlers.h"
#include "trackview/form_a5.h"

namespace signalling {

namespace {

constexpr ui::PackedColor CallWaiting(255, 0, 0);
constexpr ui::PackedColor ConsentAskedBack(0, 0, 255);
constexpr ui::PackedColor ConsentAsked(255, 255, 0);

/** One phase of the flasher: lit shows a flashing lamp, dark hides it. */
class Phase {
public:
    Phase(App &app, bool lit) : m_app(app), m_lit(lit) {}

    bool lit() const { return m_lit; }
    /** Flashes a control: shown in the lit phase, hidden in the dark one. */
    void flash(ui::Control &c) const { c.setVisible(m_lit); }
    void flash(const ui::Form &form, const char *name) const { flash(part<ui::Control>(form, QLatin1String(name))); }

    /** Flashes a signal's lamps of one colour on the desk and its box, and on the track view if asked. */
    void flashSignal(int signal, int colour, bool withTrackView) const
    {
        setSignalLamps(m_app, signal, colour, m_lit, withTrackView);
    }

private:
    App &m_app;
    bool m_lit;
};

/** Item 1: the pause labels of the shown views blink. */
void flashPause(App &app, const Phase &phase)
{
    if (app.A1().Rychlost->text() != QLatin1String("P"))
        return;
    const std::pair<ui::Form *, ui::Label *> labels[4] = {{&app.A5(), app.A5().frame.Pauza},
                                                          {&app.A6(), app.A6().frame.Pauza},
                                                          {&app.A7(), app.A7().frame.Pauza},
                                                          {&app.A8(), app.A8().frame.Pauza}};
    for (auto [form, label] : labels)
        label->setVisible(phase.lit() && form->visible());
}

/** Items 2 to 6: faulty signals, call-on aspects, faulty repeaters and the display's flashing lamps. */
void flashSignals(App &app, const Phase &phase)
{
    TA1 &a1 = app.A1();
    /* The aspect words here are plain ASCII. */
    const auto shows = [&a1](int signal, const char *word) { return a1.Aspect[signal]->text() == QLatin1String(word); };
    const auto onDisplay = [&a1](int signal) { return a1.C49->text() == QLatin1String(Signals[signal].name); };
    for (int s = 0; s < 14; ++s)
        if (shows(s, "Porucha"))
            phase.flashSignal(s, Green, false);
    for (int s = SignalL; s <= SignalS; ++s)
        if (shows(s, "PN")) {
            phase.flashSignal(s, White, false);
            if (onDisplay(s))
                phase.flash(*a1.C54);
        }
    ui::CheckBox *const faults[3] = {a1.C12, a1.C13, a1.C14};
    for (int s = SignalL; s <= SignalS; ++s)
        if (faults[s]->checked())
            phase.flash(*app.form(QLatin1String(Signals[s].boxForm)), Signals[s].repeater);
    for (int s = SignalS + 1; s < 14; ++s)
        if (shows(s, "PN")) {
            phase.flashSignal(s, White, true);
            if (onDisplay(s))
                phase.flash(*a1.C54);
        }
    for (int s = SignalL; s <= SignalS; ++s)
        if (shows(s, "40 a 40") && onDisplay(s))
            phase.flash(*a1.C51);
}

/** Item 7: the key of a line whose call waits shows lit and dark in turn. */
void flashCalls(App &app, const Phase &phase)
{
    const TA1 &a1 = app.A1();
    const TA3 &a3 = app.A3();
    const std::pair<ui::Edit *, const char *> keys[3] = {{a1.ZpravaA, "F0"}, {a1.ZpravaB, "F2"}, {a1.ZpravaC, "F1"}};
    for (auto [message, key] : keys)
        if (message->colorIs(CallWaiting))
            part<ui::Image>(app.A6(), QLatin1String(key))
                .assignPicture(phase.lit() ? *a3.TelBilaOn : *a3.TelBilaOff);
}

/** Items 8 to 10: the line-B consent lamps while it is asked for, the approach device while a train nears. */
void flashLineB(App &app, const Phase &phase)
{
    TA1 &a1 = app.A1();
    const TA6 &a6 = app.A6();
    if (a1.SmerB->colorIs(ConsentAskedBack)) {
        phase.flash(*a1.USM);
        phase.flash(a6, "VTM");
    }
    if (a1.SmerB->colorIs(ConsentAsked)) {
        phase.flash(*a1.VTM);
        phase.flash(a6, "USM");
    }
    if (a1.VUD->text() == QStringLiteral("Přibližovací"))
        phase.flash(a6, "VUDZluta");
}

/** The crossing's light-fault lamp: in step with a failed left light, against a failed right one. */
void crossingFaultLamp(const TA1 &a1, const ui::Form &a8, bool lit)
{
    ui::Control &f4 = part<ui::Control>(a8, "F4");
    ui::CheckBox *first = lit ? a1.PZZP : a1.PZZL;
    ui::CheckBox *second = lit ? a1.PZZL : a1.PZZP;
    if (first->checked())
        f4.hide();
    if (second->checked())
        f4.show();
}

/** Items 11 to 13: the crossing's closing lamp and its light-fault lamp. */
void flashCrossingLamps(App &app, const Phase &phase)
{
    const TA1 &a1 = app.A1();
    const TA8 &a8 = app.A8();
    const QString word = a1.PZZ->text();
    if (word == QStringLiteral("Uzavíraný2"))
        phase.flash(a8, "F3");
    if (word == QStringLiteral("Uzavíraný")) {
        phase.flash(a8, "F3");
        crossingFaultLamp(a1, a8, phase.lit());
    }
    if (word == QStringLiteral("Uzavřený"))
        crossingFaultLamp(a1, a8, phase.lit());
}

/** Item 14: the red lamp of points between their ends stays lit in both phases. */
void showMovingPoints(App &app)
{
    const TA1 &a1 = app.A1();
    const TA8 &a8 = app.A8();
    const int pair = a1.Vymena9->value() + a1.Vymena10->value();
    if (pair > -20 && pair < 20)
        part<ui::Control>(a8, "V10Cervena").show();
    const std::pair<ui::SpinEdit *, const char *> single[3] = {
        {a1.Vymena11, "V11Cervena"}, {a1.Vymena12, "V12Cervena"}, {a1.Vymena13, "V13Cervena"}};
    for (auto [points, lamp] : single)
        if (points->value() > -10 && points->value() < 10)
            part<ui::Control>(a8, QLatin1String(lamp)).show();
}

/** Items 15 to 17: the track view's number label while it is typed in, and the crossing's road lights. */
void flashTrackViewAndRoad(App &app, const Phase &phase)
{
    const TA5 &a5 = app.A5();
    if (const ui::Control *edit = a5.find(QStringLiteral("PA12")); edit && edit->visible())
        part<ui::Control>(a5, "PA07").setColor(phase.lit() ? QColor(0, 0, 255) : QColor(0, 0, 128));
    const TA1 &a1 = app.A1();
    const TA8 &a8 = app.A8();
    if (a1.PZZ->text() == QStringLiteral("Otevřený")) {
        phase.flash(a8, "PZZBila");
        return;
    }
    /* The two red lights alternate; a failed one keeps its state. */
    if (!a1.PZZL->checked())
        part<ui::Control>(a8, "PZZCervenaL").setVisible(phase.lit());
    if (!a1.PZZP->checked())
        part<ui::Control>(a8, "PZZCervenaP").setVisible(!phase.lit());
}

} // namespace

void BlikacTimer(App &app)
{
    ui::Timer *blikac = app.A1().Blikac;
    const bool lit = blikac->interval() == 500;
    blikac->setInterval(lit ? 501 : 500);
    const Phase phase(app, lit);
    flashPause(app, phase);
    flashSignals(app, phase);
    flashCalls(app, phase);
    flashLineB(app, phase);
    flashCrossingLamps(app, phase);
    showMovingPoints(app);
    flashTrackViewAndRoad(app, phase);
}

void KmitacTimer(App &app)
{
    TA1 &a1 = app.A1();
    ui::Control &lamp = part<ui::Control>(app.A6(), "Kmitac");
    lamp.hide();
    static const char *const Fast[] = {"40 a volno", "40 a výstraha", "40 a 40", "PN"};
    for (int s = SignalL; s <= SignalS; ++s)
        for (const char *word : Fast)
            if (a1.Aspect[s]->text() == QString::fromUtf8(word))
                lamp.show();
    a1.Kmitac->setEnabledFlag(false);
}

} // namespace signalling
