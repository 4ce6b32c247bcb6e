/** @file block_fields.cpp The block fields' windows and latches on the desk, the boxes and the neighbour panel. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"
#include "ui/controls.h"

namespace signalling {

namespace {

/** How a field's latch follows its value. */
enum class Latch {
    None,     ///< No latch: five steps.
    BelowTwo, ///< White at 1, `above` from 2 on (`PHCHOd`, `TSCH`).
    AtSix,    ///< White at 6, where the window turns white as well; red below (box copies, `NavJOd`, `TSJ`).
};

/** One block field: where it is shown and which picture each value gives. */
struct BlockField {
    const char *field;        ///< The field's cell on A1.
    const char *form;         ///< The view that shows it.
    const char *window;       ///< Its window image there.
    const char *latch;        ///< Its latch image, or null.
    Latch latchRule;          ///< How the latch follows.
    const char *above;        ///< Latch picture from 2 on (`BelowTwo` only).
    const char *frames[6];    ///< Window pictures for the values 1 .. 5 (.. 6).
    const char *code;         ///< Error code of the redraw; null for the neighbour panel's fields.
};

#define HR_FRAMES {"ClonkaC", "ClonkaCB3", "ClonkaCB2", "ClonkaCB1", "ClonkaB"}
#define NAV_FRAMES {"ClonkaR", "ClonkaBR1", "ClonkaBR2", "ClonkaBR3", "ClonkaB"}
#define ZAV_FRAMES {"ClonkaB", "ClonkaBZ3", "ClonkaBZ2", "ClonkaBZ1", "ClonkaZ"}
#define ZAVST_FRAMES {"ClonkaB", "ClonkaZB1", "ClonkaZB2", "ClonkaZB3", "ClonkaZ"}
#define PH_FRAMES {"ClonkaB", "ClonkaRB1", "ClonkaRB2", "ClonkaRB3", "ClonkaR"}
#define COPY_FRAMES {"ClonkaR", "ClonkaRB3", "ClonkaRB2", "ClonkaRB1", "ClonkaB"}

const BlockField Fields[] = {
    {"HrBOd", "A7", "HrBOd", nullptr, Latch::None, nullptr, HR_FRAMES, "Error A1HrBO"},
    {"NavBOd", "A6", "NavBOd", nullptr, Latch::None, nullptr, NAV_FRAMES, "Error A1NBO"},
    {"ZavB", "A6", "ZavB", nullptr, Latch::None, nullptr, ZAV_FRAMES, "Error A1ZB"},
    {"NavBDo", "A6", "NavBDo", nullptr, Latch::None, nullptr, NAV_FRAMES, "Error A1NBD"},
    {"HrBDo", "A7", "HrBDo", nullptr, Latch::None, nullptr, HR_FRAMES, "Error A1HrBD"},
    {"SouLc1", "A6", "SouLc1", nullptr, Latch::None, nullptr, ZAVST_FRAMES, "Error A1SL"},
    {"HrMOd", "A7", "HrMOd", nullptr, Latch::None, nullptr, HR_FRAMES, "Error A1HrMO"},
    {"NavMOd", "A6", "NavMOd", nullptr, Latch::None, nullptr, NAV_FRAMES, "Error A1NMO"},
    {"ZavM", "A6", "ZavM", nullptr, Latch::None, nullptr, ZAV_FRAMES, "Error A1ZM"},
    {"NavMDo", "A6", "NavMDo", nullptr, Latch::None, nullptr, NAV_FRAMES, "Error A1NMD"},
    {"HrMDo", "A7", "HrMDo", nullptr, Latch::None, nullptr, HR_FRAMES, "Error A1HrMD"},
    {"PHCHDo", "A6", "PHCHDo", nullptr, Latch::None, nullptr, PH_FRAMES, "Error A1PHCHD"},
    {"HrCHDo", "A8", "HrCHDo", nullptr, Latch::None, nullptr, HR_FRAMES, "Error A1HrCHD"},
    {"NavCHDo", "A6", "NavCHDo", nullptr, Latch::None, nullptr, NAV_FRAMES, "Error A1NCHD"},
    {"ZavCH", "A6", "ZavCH", nullptr, Latch::None, nullptr, ZAV_FRAMES, "Error A1ZCH"},
    {"NavCHOd", "A6", "NavCHOd", nullptr, Latch::None, nullptr, NAV_FRAMES, "Error A1NCHO"},
    {"HrCHOd", "A8", "HrCHOd", nullptr, Latch::None, nullptr, HR_FRAMES, "Error A1HrCHO"},
    {"PHCHOd", "A6", "PHCHOd", "ZapCHOd", Latch::BelowTwo, "ZapadkaC",
     {"ClonkaB", "ClonkaB", "ClonkaCB1", "ClonkaCB2", "ClonkaCB3", "ClonkaC"}, "Error A1PHCHOd"},
    {"TSCH", "A6", "TSCH", "ZapCH", Latch::BelowTwo, "ZapadkaR",
     {"ClonkaB", "ClonkaB", "ClonkaRB1", "ClonkaRB2", "ClonkaRB3", "ClonkaR"}, "Error A1TSCH"},
    {"ZavBSt", "A7", "ZavB", nullptr, Latch::None, nullptr, ZAVST_FRAMES, "Error A1ZBSt"},
    {"ZavMSt", "A7", "ZavM", nullptr, Latch::None, nullptr, ZAVST_FRAMES, "Error A1ZMSt"},
    {"ZavCHSt", "A8", "ZavCH", nullptr, Latch::None, nullptr, ZAVST_FRAMES, "Error A1ZCHSt"},
    {"SouLc1St", "A8", "SouLc1", nullptr, Latch::None, nullptr, ZAV_FRAMES, "Error A1SLSt"},
    {"NavBOdSt", "A7", "NavBOd", "ZapBOd", Latch::AtSix, nullptr, COPY_FRAMES, "Error A1NBOS"},
    {"NavBDoSt", "A7", "NavBDo", "ZapBDo", Latch::AtSix, nullptr, COPY_FRAMES, "Error A1NBDS"},
    {"NavMOdSt", "A7", "NavMOd", "ZapMOd", Latch::AtSix, nullptr, COPY_FRAMES, "Error A1NMOS"},
    {"NavMDoSt", "A7", "NavMDo", "ZapMDo", Latch::AtSix, nullptr, COPY_FRAMES, "Error A1NMDS"},
    {"NavCHDoSt", "A8", "NavCHDo", "ZapCHDo", Latch::AtSix, nullptr, COPY_FRAMES, "Error A1NCHDS"},
    /* The box's entry copy of line C reports with the code of line B's. */
    {"NavCHOdSt", "A8", "NavCHOd", "ZapCHOd", Latch::AtSix, nullptr, COPY_FRAMES, "Error A1NMOS"},
    {"NavJOd", "A1", "NavJOd2", "ZapJOd", Latch::AtSix, nullptr, COPY_FRAMES, nullptr},
    {"TSJ", "A1", "TSJ2", "ZapJ", Latch::AtSix, nullptr, COPY_FRAMES, nullptr},
    {"PHJDo", "A1", "PHJDo2", nullptr, Latch::None, nullptr, PH_FRAMES, nullptr},
};

/** @return the field's entry, or null for a name that has none. */
const BlockField *fieldNamed(const QString &name)
{
    for (const BlockField &f : Fields)
        if (name == QLatin1String(f.field))
            return &f;
    return nullptr;
}

/** Gives an image a store picture by the store image's name. */
void show(const App &app, ui::Image &image, const char *stock)
{
    image.assignPicture(part<ui::Image>(app.A3(), QLatin1String(stock)));
}

/** Redraws one field's window and latch from its value. */
void redraw(const App &app, const BlockField &f)
{
    const int value = part<ui::SpinEdit>(app.A1(), QLatin1String(f.field)).value();
    const ui::Form &view = *app.form(QLatin1String(f.form));
    ui::Image &window = part<ui::Image>(view, QLatin1String(f.window));
    const int steps = f.latchRule == Latch::BelowTwo ? 6 : 5;
    if (value >= 1 && value <= steps)
        show(app, window, f.frames[value - 1]);
    if (!f.latch)
        return;
    ui::Image &latch = part<ui::Image>(view, QLatin1String(f.latch));
    if (f.latchRule == Latch::BelowTwo) {
        if (value == 1)
            show(app, latch, "ZapadkaB");
        if (value > 1)
            show(app, latch, f.above);
        return;
    }
    if (value == 6)
        show(app, latch, "ZapadkaB");
    if (value < 6)
        show(app, latch, "ZapadkaR");
    else
        show(app, window, "ClonkaB");
}

} // namespace

void BlockFieldChange(App &app, const QString &field)
{
    const BlockField *f = fieldNamed(field);
    if (!f)
        return;
    if (!f->code) {
        redraw(app, *f);
        return;
    }
    ui::guarded(app.A1(), QLatin1String(f->code), [&app, f] { redraw(app, *f); });
}

void drawBlockFields(App &app, const ui::Form &view)
{
    for (const BlockField &f : Fields) {
        const bool panel = QLatin1String(f.form) == QLatin1String("A1");
        /* The neighbour panel's windows are drawn with the desk's, once the picture store exists. */
        if (view.name() == QLatin1String(f.form) || (panel && view.name() == QLatin1String("A6")))
            redraw(app, f);
    }
}

} // namespace signalling
