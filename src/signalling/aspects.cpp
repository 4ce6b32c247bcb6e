/** @file aspects.cpp The aspect words of the fourteen signals: their lamps, their lists and the signal display of A1. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "signalling/signal_panels.h"
#include "signalling/signal_tables.h"
#include "signalling/signalling_handlers.h"
#include "trackview/form_a5.h"

#include <span>

namespace signalling {

namespace {

const QColor ListRed(255, 0, 0);
const QColor ListLime(0, 255, 0);
const QColor ListWhite(255, 255, 255);

/** @return the aspect table of a signal kind; a row's place is its row of the aspect list. */
std::span<const AspectRow> aspectsOf(SignalKind kind)
{
    switch (kind) {
    case SignalKind::Entry:
        return EntryAspects;
    case SignalKind::Lc1:
        return Lc1Aspects;
    case SignalKind::Lc2:
        return Lc2Aspects;
    case SignalKind::Exit:
        break;
    }
    return ExitAspects;
}

/** @return the row of the word in the signal's table, or -1 for a word the signal does not have. */
int aspectRow(SignalKind kind, const QString &word)
{
    const std::span<const AspectRow> rows = aspectsOf(kind);
    for (size_t r = 0; r < rows.size(); ++r)
        if (word == QString::fromUtf8(rows[r].word))
            return static_cast<int>(r);
    return -1;
}

/** @return the list colour as the list shows it. */
const QColor &listColour(ListColour c)
{
    switch (c) {
    case ListColour::Red:
        return ListRed;
    case ListColour::White:
        return ListWhite;
    case ListColour::Lime:
        break;
    }
    return ListLime;
}

/** Shows or hides the lamps of the colours in the set, of one view's lamp names. */
void setLamps(const ui::Form &view, const LampNames &names, int colours, bool lit)
{
    for (int k = 0; k < 4; ++k)
        if (names[k] && (colours & (1 << k)))
            part<ui::Control>(view, QLatin1String(names[k])).setVisible(lit);
}

/** @return the form of the box that works the signal. */
const ui::Form &boxOf(const App &app, const SignalLamps &s)
{
    return *app.form(QLatin1String(s.boxForm));
}

/** @return the fault box of an entry signal's repeater: `C12` for L, `C13` for ML, `C14` for S. */
ui::CheckBox *repeaterFault(const TA1 &a1, int signal)
{
    ui::CheckBox *const faults[3] = {a1.C12, a1.C13, a1.C14};
    return faults[signal];
}

} // namespace

void setSignalLamps(App &app, int signal, int colours, bool lit, bool withTrackView)
{
    const SignalLamps &s = Signals[signal];
    setLamps(app.A6(), s.desk, colours, lit);
    setLamps(boxOf(app, s), s.box, colours, lit);
    if (withTrackView)
        setLamps(app.A5(), s.trackView, colours, lit);
}

void AspectChange(App &app, int signal)
{
    TA1 &a1 = app.A1();
    const SignalLamps &s = Signals[signal];
    const bool entry = s.kind == SignalKind::Entry;
    constexpr int all = White | Red | Green | Yellow;
    ui::Control *repeater = entry ? &part<ui::Control>(boxOf(app, s), QLatin1String(s.repeater)) : nullptr;

    /* Dark first, then what the word lights. */
    setLamps(app.A5(), s.trackView, all, false);
    setLamps(app.A6(), s.desk, all, false);
    setLamps(boxOf(app, s), s.box, all, false);
    if (repeater)
        repeater->setVisible(!repeaterFault(a1, signal)->checked());
    ui::ListBox *list = a1.AspectList[signal];
    list->setColor(ListLime);

    const int row = aspectRow(s.kind, a1.Aspect[signal]->text());
    if (row >= 0) {
        const AspectRow &r = aspectsOf(s.kind)[row];
        setSignalLamps(app, signal, r.lamps, true, false);
        setLamps(app.A5(), s.trackView, r.trackView, true);
        list->setItemIndex(row);
        list->setColor(listColour(r.list));
        if (repeater && r.repeaterDark)
            repeater->hide();
    } else {
        /* A word the signal does not have must never read as proceed. */
        list->setColor(ListRed);
    }

    a1.C49->setText(QLatin1String(s.name));
    C60Click(app);
    if (entry)
        a1.Kmitac->setEnabledFlag(true);
}

void AspectListClick(App &app, int signal)
{
    TA1 &a1 = app.A1();
    const ui::ListBox *list = a1.AspectList[signal];
    if (list->itemIndex() < 0)
        return;
    a1.Aspect[signal]->setText(list->selectedText());
}

void C49Change(App &app)
{
    C60Click(app);
}

void C60Click(App &app)
{
    TA1 &a1 = app.A1();
    ui::Shape *const lamps[5] = {a1.C51, a1.C52, a1.C53, a1.C54, a1.C55};
    for (ui::Shape *lamp : lamps)
        lamp->hide();
    const int signal = TA1::signalIndex(a1.C49->text());
    if (signal < 0)
        return;
    const SignalKind kind = Signals[signal].kind;
    const int row = aspectRow(kind, a1.Aspect[signal]->text());
    if (row < 0)
        return;
    const int lit = aspectsOf(kind)[row].display;
    for (int k = 0; k < 5; ++k)
        if (lit & (1 << k))
            lamps[k]->show();
}

} // namespace signalling
