/** @file upkeep.cpp The per-tick upkeep: crossing countdowns, route tracks, the neighbours' consents, warning and dialling. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "signalling/signalling_handlers.h"
#include "telephone/telephone_handlers.h"

namespace core {

namespace {

/** Counts a countdown down by one while it is above 1; it rests at 1 until its owner acts. */
void countDown(ui::SpinEdit *countdown)
{
    if (countdown->value() > 1)
        countdown->setValue(countdown->value() - 1);
}

/** Position of a box-1 lever: down, up, or neither while it is being thrown. */
enum class Lever { Down, Up, Between };

/** Wanted position of a lever in a route table; Any does not consult it. */
enum Want : char { D = 'D', U = 'U', Any = '-' };

Lever leverAt(const ui::Image *head, const ui::Image *base)
{
    if (head->top() == base->top() + 147)
        return Lever::Down;
    if (head->top() == base->top() - 291)
        return Lever::Up;
    return Lever::Between;
}

bool matches(Lever lever, Want want)
{
    return want == Any || (want == D && lever == Lever::Down) || (want == U && lever == Lever::Up);
}

/** One row of a route table: the wanted positions of the levers it names, and the track. */
struct RouteRow {
    const char *levers;
    int track;
};

/** Levers 1, 2, 4, 5, 6, 8, 10 for line A. */
constexpr RouteRow RoutesA[] = {{"D-D-D--", 1}, {"D-D-U--", 0}, {"D-U----", 2}, {"UD-----", 0},
                                {"UU-D-D-", 3}, {"UU-UDD-", 0}, {"UU-UUD-", 1}, {"UU---UD", 7},
                                {"UU---UU", 5}};
/** Levers 2, 5, 6, 8, 10 for line B. */
constexpr RouteRow RoutesB[] = {{"DD-D-", 3}, {"DUDD-", 0}, {"DUUD-", 1}, {"D--UD", 7}, {"D--UU", 5}, {"U----", 0}};

/** Writes the track of the first row that all the levers match; no match keeps the cell. */
template <size_t N, size_t R>
void routeFromLevers(ui::SpinEdit *cell, const std::array<Lever, N> &levers, const RouteRow (&table)[R])
{
    for (const RouteRow &row : table) {
        bool all = true;
        for (size_t i = 0; i < N; ++i)
            all = all && matches(levers[i], static_cast<Want>(row.levers[i]));
        if (all) {
            if (cell->value() != row.track)
                cell->setValue(row.track);
            return;
        }
    }
}

/** Heads and bases of the box-1 levers 1 .. 11. */
ui::Image *TA7::*const LeverHeads[11] = {&TA7::Paka1b, &TA7::Paka2b, &TA7::Paka3b, &TA7::Paka4b,
                                         &TA7::Paka5b, &TA7::Paka6b, &TA7::Paka7b, &TA7::Paka8b,
                                         &TA7::Paka9b, &TA7::Paka10b, &TA7::Paka11b};
ui::Image *TA7::*const LeverBases[11] = {&TA7::Paka1c, &TA7::Paka2c, &TA7::Paka3c, &TA7::Paka4c,
                                         &TA7::Paka5c, &TA7::Paka6c, &TA7::Paka7c, &TA7::Paka8c,
                                         &TA7::Paka9c, &TA7::Paka10c, &TA7::Paka11c};

void routesOfBox1(App &app)
{
    const TA7 &a7 = app.A7();
    const auto lever = [&a7](int n) { return leverAt(a7.*LeverHeads[n - 1], a7.*LeverBases[n - 1]); };
    const Lever l1 = lever(1), l2 = lever(2), l4 = lever(4), l5 = lever(5), l6 = lever(6), l8 = lever(8),
                l10 = lever(10);
    routeFromLevers(app.A1().KolejA, std::array<Lever, 7>{l1, l2, l4, l5, l6, l8, l10}, RoutesA);
    routeFromLevers(app.A1().KolejB, std::array<Lever, 5>{l2, l5, l6, l8, l10}, RoutesB);
}

/** Struhy gives the line-B consent back once its delay has run, as its TSM button does. */
void struhyConsent(App &app)
{
    TA1 &a1 = app.A1();
    if (!a1.VTM->visible())
        return;
    countDown(a1.TSMOn);
    if (a1.TSMOn->value() != 1 || !a1.VTM->visible() || !a1.SmerB->colorIs(ui::PackedColor(0, 0, 255)))
        return;
    a1.TSMOn->setValue(0);
    a1.SmerB->setColor(QColor(0, 255, 0));
    signalling::showConsentReturned(app);
}

/** Vrbská gives the line-C consent back: presses its lever at 2, releases it at 1 once `TSJ` is down. */
void vrbskaConsent(App &app)
{
    TA1 &a1 = app.A1();
    countDown(a1.TSCHOn);
    if (a1.TSCHOn->value() == 2) {
        a1.PakaTSJ->setTop(a1.PakaTSJ->top() + 2);
        if (a1.TSJ->value() == 6)
            a1.TSJ->setValue(5);
        a1.PakaTSJ->setTop(a1.PakaTSJ->top() + 5);
        a1.ZaverCH->setEnabledFlag(true);
    }
    if (a1.TSCHOn->value() == 1 && a1.TSJ->value() == 1) {
        a1.PakaTSJ->setTop(a1.PakaNavJOd->top());
        StopVrbskaCrank(app);
        a1.TSCHOn->setValue(0);
    }
}

/** The route of line C from the points of signal box 2; a position of 0 or more is the plus side. */
int routeFromPoints(const TA1 &a1)
{
    if (a1.Vymena13->value() >= 0)
        return a1.Vymena10->value() >= 0 ? 1 : 2;
    if (a1.Vymena12->value() >= 0)
        return 3;
    return a1.Vymena11->value() >= 0 ? 5 : 7;
}

/** The crossing closes once its countdown has run, while at least one red lamp works. */
void crossingClosing(TA1 &a1)
{
    countDown(a1.PZZ2);
    if (a1.PZZ2->value() != 1 || a1.PZZ->text() != QStringLiteral("Uzavíraný"))
        return;
    if (!a1.PZZL->checked())
        a1.PZZ->setText(QStringLiteral("Uzavřený"));
    if (!a1.PZZP->checked())
        a1.PZZ->setText(QStringLiteral("Uzavřený"));
    if (a1.PZZ->text() == QStringLiteral("Uzavřený"))
        a1.PZZ2->setValue(0);
}

} // namespace

void StopVrbskaCrank(App &app)
{
    TA1 &a1 = app.A1();
    a1.ZaverCH->setEnabledFlag(false);
    a1.SndZaverCH->stop();
    a1.ZaverCH->setInterval(300);
    a1.Induktor->setEnabledFlag(false);
    app.A6().InduktorA2->hide();
    app.A6().InduktorB2->hide();
    app.A7().Induktor2->hide();
    a1.Klika->setEnabledFlag(false);
}

void RunUpkeep(App &app)
{
    TA1 &a1 = app.A1();
    countDown(a1.PZZOpen);
    routesOfBox1(app);
    struhyConsent(app);
    vrbskaConsent(app);
    const int routeC = routeFromPoints(a1);
    if (a1.KolejC->value() != routeC)
        a1.KolejC->setValue(routeC);
    countDown(a1.VarovaniT);
    if (a1.VarovaniT->value() == 1) {
        a1.VarovaniT->setValue(0);
        a1.Varovani->setText(QString());
    }
    telephone::RunDialling(app);
    crossingClosing(a1);
}

} // namespace core
