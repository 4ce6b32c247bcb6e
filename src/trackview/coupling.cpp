/** @file coupling.cpp Coupling a lone loco to its vehicles, and uncoupling it. */
#include "trackview/shunting.h"

#include "core/app.h"
#include "core/option_guard.h"
#include "ui/sim_error.h"
#include "devices/form_a3.h"
#include "trackview/form_a5.h"

#include <algorithm>

namespace trackview {

namespace {

/** A coupling closes up a gap narrower than this many pixels; an overlap counts as well. */
constexpr int kCouplingReach = 10;

/**
 * Uncoupling: the loco stands 2 px away from its neighbour slot. The step
 * hands nothing over, so a loco at an edge of the view steps no further
 * past it than it stands.
 */
void uncouple(TrackRow &row, ui::Control &caption, int screen)
{
    row.posun->setColor(unit::Alone);
    caption.setCaption(QStringLiteral("svěsit"));
    auto &s = row.vehicleSlots;
    if (row.posun->text() == QLatin1String("1"))
        s[0]->setLeft(std::max(s[0]->left() - 2, std::min(s[0]->left(), 0)));
    else if (row.posun->text() == QLatin1String("10"))
        s[9]->setLeft(std::min(s[9]->left() + 2, std::max(s[9]->left(), screen - s[9]->width())));
}

/** Coupling at slot 1: the loco touches slot 2, the vehicles close up towards it, the empty cars gather at slot 10. */
void coupleAtSlot1(TrackRow &row, const ui::Image &empty)
{
    auto &s = row.vehicleSlots;
    s[0]->setLeft(s[1]->left() - s[0]->width());
    if (s[1]->width() == empty.width()) {
        int k = 10;
        for (int i = 3; i <= 9; ++i)
            if (s[i - 1]->width() > empty.width()) {
                k = i;
                break;
            }
        const int firstVehicleLeft = s[k - 1]->left();
        for (int j = 2; j <= 10; ++j) {
            const int from = j + (k - 2);
            s[j - 1]->assignPicture(from <= 10 ? *s[from - 1] : empty);
        }
        s[1]->setLeft(firstVehicleLeft);
    }
    for (int j = 3; j <= 10; ++j)
        s[j - 1]->setLeft(s[j - 2]->left() + s[j - 2]->width());
}

/** Coupling at slot 10: the loco touches slot 9, the vehicles close up towards it, the empty cars gather at slot 1. */
void coupleAtSlot10(TrackRow &row, const ui::Image &empty)
{
    auto &s = row.vehicleSlots;
    s[9]->setLeft(s[8]->left() + s[8]->width());
    if (s[8]->width() == empty.width()) {
        int k = 1;
        for (int i = 8; i >= 2; --i)
            if (s[i - 1]->width() > empty.width()) {
                k = i;
                break;
            }
        for (int j = 9; j >= 1; --j) {
            const int from = j - (9 - k);
            s[j - 1]->assignPicture(from >= 1 ? *s[from - 1] : empty);
        }
    }
    for (int j = 9; j >= 1; --j)
        s[j - 1]->setLeft(s[j]->left() - s[j - 1]->width());
}

} // namespace

void CoupleLocoOnTrack(App &app, TrackRow &row)
{
    core::optionGuard(app, QStringLiteral("Error 50Odv%1").arg(row.number), [&] {
        ui::Control *caption = app.A5().find(QStringLiteral("PB11"));
        if (!caption)
            throw ui::SimError(QStringLiteral("Missing control A5.PB11"));
        /*
         * A unit partly or wholly on a box panel travels as its chain holds
         * it: a new kind would hand over only the loco's picture, or the
         * whole row, and leave vehicles behind or doubled.
         */
        const int stage = row.shuntStage->value();
        if (stage >= 2 || stage <= -2)
            return;
        /*
         * A track that reads no loco (its unit out on a box panel, or none
         * there) has nothing to couple or uncouple: a new kind would take
         * its own unit coming home for a loco alone, and no consent could
         * bring it whole.
         */
        const QString loco = row.posun->text();
        if (loco != QLatin1String("1") && loco != QLatin1String("10"))
            return;
        if (row.posun->color() == unit::Coupled) {
            uncouple(row, *caption, app.ScreenWidth);
            ShuntRunCaptions(app, row);
            return;
        }
        const ui::Image &empty = *app.A3().VozidloPrazdne;
        const auto &s = row.vehicleSlots;
        const bool nearSlot2 = s[1]->left() - s[0]->width() - kCouplingReach < s[0]->left();
        const bool nearSlot9 = s[8]->left() + s[8]->width() + kCouplingReach > s[9]->left();
        /* Coupling hands nothing over either: where it would lay the loco
           beyond an edge of the view (against slots a unit that went out
           left there), the loco is not coupled and stays in sight. */
        const bool slot1InView = s[1]->left() - s[0]->width() >= 0;
        const bool slot10InView = s[8]->left() + s[8]->width() + s[9]->width() <= app.ScreenWidth;
        if (loco == QLatin1String("1") && nearSlot2 && slot1InView) {
            row.posun->setColor(unit::Coupled);
            caption->setCaption(QStringLiteral("odvěsit"));
            coupleAtSlot1(row, empty);
        } else if (loco == QLatin1String("10") && nearSlot9 && slot10InView) {
            row.posun->setColor(unit::Coupled);
            caption->setCaption(QStringLiteral("odvěsit"));
            coupleAtSlot10(row, empty);
        } else {
            return;
        }
        ShuntRunCaptions(app, row);
    });
}

void ShuntCoupleClick(App &app)
{
    core::optionGuard(app, QStringLiteral("Error 50PB11"), [&] {
        forChosenTracks(app, [&app](TrackRow &row) { CoupleLocoOnTrack(app, row); });
    });
}

} // namespace trackview
