/** @file indicators.cpp Warnings, line sections, track circuits, the approach device, the speed label and the level crossing. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"
#include "trackview/form_a5.h"

namespace signalling {

namespace {

const QString Volna = QStringLiteral("Volná");
const QString Otevreny = QStringLiteral("Otevřený");

/** @return the frames of the four workplace views A5, A6, A7, A8, with their forms. */
std::array<std::pair<ui::Form *, WorkplaceFrame *>, 4> views(App &app)
{
    return {{{&app.A5(), &app.A5().frame}, {&app.A6(), &app.A6().frame}, {&app.A7(), &app.A7().frame},
             {&app.A8(), &app.A8().frame}}};
}

} // namespace

void VarovaniChange(App &app)
{
    TA1 &a1 = app.A1();
    const QString text = a1.Varovani->text();
    for (auto [form, frame] : views(app)) {
        /* The label sizes itself to its text. */
        frame->D9->setCaption(text);
        frame->D8->setWidth(frame->D9->width());
        /* A warning wider than the view gets a negative Left: still centred, its ends cut off. */
        frame->D8->setLeft((form->width() - frame->D8->width()) / 2);
    }
    const bool shown = !text.isEmpty();
    for (auto [form, frame] : views(app))
        frame->D8->setVisible(shown);
    if (shown)
        a1.VarovaniT->setValue(6);
}

void SectionChange(App &app, const QString &section)
{
    const TA1 &a1 = app.A1();
    const auto *word = dynamic_cast<const ui::Edit *>(a1.find(section));
    if (!word)
        return;
    const ui::Form &view = section == QLatin1String("IKLada") ? static_cast<const ui::Form &>(app.A6()) : app.A7();
    part<ui::Control>(view, section).setVisible(word->text() != Volna);
}

void TrackCircuitChange(App &app, const QString &circuit)
{
    /* Each circuit has a lamp lit while free and one lit while occupied. */
    static const std::pair<const char *, std::pair<const char *, const char *>> Lamps[] = {
        {"KO11", {"EE", "EF"}}, {"KO12", {"EJ", "EK"}}, {"KO13", {"F0", "F1"}},
        {"KOS", {"F6", "F7"}},  {"KO1a", {"ER", "ES"}},
    };
    const auto *word = dynamic_cast<const ui::Edit *>(app.A1().find(circuit));
    if (!word)
        return;
    for (const auto &[name, pair] : Lamps) {
        if (circuit != QLatin1String(name))
            continue;
        const bool free = word->text() == Volna;
        part<ui::Control>(app.A8(), QLatin1String(pair.first)).setVisible(free);
        part<ui::Control>(app.A8(), QLatin1String(pair.second)).setVisible(!free);
    }
}

void VUDChange(App &app)
{
    TA1 &a1 = app.A1();
    const TA6 &a6 = app.A6();
    /* "L1" and "L2" choose the lit lamp and turn into "Otevřený" at once; the checks after read the new word. */
    if (a1.VUD->text() == QLatin1String("L1")) {
        a6.VUDL2->hide();
        a6.VUDL1->show();
        a1.VUD->setText(Otevreny);
    }
    if (a1.VUD->text() == QLatin1String("L2")) {
        a6.VUDL1->hide();
        a6.VUDL2->show();
        a1.VUD->setText(Otevreny);
    }
    if (a1.VUD->text() == Otevreny)
        part<ui::Control>(a6, "VUDZluta").show();
    if (a1.VUD->text() == QStringLiteral("Vzdalovací"))
        part<ui::Control>(a6, "VUDZluta").hide();
}

void PZZChange(App &app)
{
    const QString word = app.A1().PZZ->text();
    const TA8 &a8 = app.A8();
    for (const char *lamp : {"F2", "F3", "F4"})
        part<ui::Control>(a8, QLatin1String(lamp)).hide();
    if (word == Otevreny) {
        part<ui::Control>(a8, "F2").show();
        part<ui::Control>(a8, "PZZCervenaL").hide();
        part<ui::Control>(a8, "PZZCervenaP").hide();
    } else {
        part<ui::Control>(a8, "PZZBila").hide();
    }
    if (word == QStringLiteral("Uzavřený") || word == QStringLiteral("Otevíraný"))
        part<ui::Control>(a8, "F3").show();
}

void RychlostChange(App &app)
{
    const QString speed = app.A1().Rychlost->text();
    for (auto [form, frame] : views(app)) {
        if (speed == QLatin1String("P")) {
            frame->H03->setCaption(QStringLiteral("Pauza"));
            /* Centred on the screen, which the maximised view fills; the flasher makes it blink. */
            ui::Label *pauza = frame->Pauza;
            pauza->setLeft((form->width() - pauza->width()) / 2 - frame->D5->left());
            pauza->setTop((form->height() - pauza->height()) / 2 - frame->D5->top());
        } else {
            frame->H03->setCaption(speed + QStringLiteral(" x"));
            frame->Pauza->hide();
        }
    }
}

} // namespace signalling
