/** @file shunting.h Shunting on the track view: the runs out and back, the shunting panel and coupling. */
#pragma once

#include <QColor>

#include <functional>

class App;
struct TrackRow;

namespace ui {
class Image;
}

namespace trackview {

/** Drive phases, held in the colour of `StavPosunN`. */
namespace phase {
inline const QColor Lime{0, 255, 0};    ///< Accelerate.
inline const QColor White{255, 255, 255}; ///< Run on at constant speed; also the colour after every stop.
inline const QColor Red{255, 0, 0};     ///< Brake.
} // namespace phase

/** Kinds of unit, held in the colour of `PosunN`. */
namespace unit {
inline const QColor Coupled{255, 255, 255}; ///< The loco moves with all ten slots.
inline const QColor Alone{255, 255, 0};     ///< Only the loco's own slot moves.
} // namespace unit

/**
 * One tick of a shunting timer of station track `track`: `TimerPosunNL`
 * (towards side A/B, `right` false) or `TimerPosunNP` (towards side C).
 * Adjusts the speed by the drive phase, moves the unit one pixel, hands it
 * over between the track and the box panels, and stops it.
 */
void ShuntTimer(App &app, int track, bool right);

/**
 * @return whether a vehicle image of a station track would leave the view,
 * wholly or in part, by one pixel's move to the left (`direction` -1) or
 * to the right (+1); the view's edges are 0 and the screen's width.
 */
bool leavesView(const ui::Image &img, int direction, int screen);

/**
 * @return whether a side of the station already holds a unit other than
 * the one of station track `track`: another track's unit is passing onto or
 * standing on that side's box panel (stage 2 or 3 for side A/B, -2 or -3
 * for side C), or the side's consent label shows a unit waiting beyond it
 * (`A7.SPA` or `A7.SPB`, `A8.SPC`). The side's chains and loco registers
 * hold one unit at a time, so a second one would take over its pictures.
 */
bool ShuntSideInUse(App &app, int track, bool sideC);

/**
 * @return whether station track `track` can take the unit waiting beyond
 * a side (`side` 'A', 'B' or 'C', the chain holding it) without losing or
 * overwriting a vehicle. A coupled track takes the ten pictures of the
 * chain into its ten slots, so none of them may hold a vehicle: a train
 * arriving on the track fills them from its first tick. A track whose
 * loco went away alone takes only the picture at the station end of the
 * chain (image j; chain C's image a) into its own slot at that side (slot
 * 1; slot 10), the rest of its row staying as it stands: the rest of the
 * chain must be empty and that slot must hold no vehicle. The loco coming
 * back to its own vehicles finds its slot empty. A slot that never
 * received a picture holds nothing.
 */
bool ShuntTrackTakes(App &app, int track, char side);

/** Wires the ten shunting timers of a newly created A5 and builds its shunting panel `PanelB`. */
void wireShunting(App &app);
/** Gives a newly created A7 the shunting chains A and B and the consent labels, where it has none. */
void addShuntingA7(App &app);
/** Gives a newly created A8 the shunting chain C and the consent label, where it has none. */
void addShuntingA8(App &app);

/**
 * Runs `fn` for the track of every chosen (blue) label of the shunting
 * panel, tested in the order `PB01` .. `PB05`; none is chosen at creation.
 */
void forChosenTracks(App &app, const std::function<void(TrackRow &)> &fn);
/** Choosing a track on the shunting panel (`A5.PB01` .. `PB05`: tracks 2, 1, 3, 5, 7). */
void ShuntChooseTrack(App &app, int label);
/**
 * Sets the captions of `A5.PB07` and `PB09` by the kind of the unit of
 * station track `row` (the chosen one): "posun" for a coupled unit, and for
 * a loco alone "přiblížit" towards its neighbouring vehicle. A loco alone's
 * track that reads no loco keeps the captions as they are.
 */
void ShuntRunCaptions(App &app, const TrackRow &row);
/** `A5.PB07`: start a run towards side A/B, or creep the loco at slot 10 one pixel left. */
void ShuntLeftClick(App &app);
/** `A5.PB08`: brake the chosen track's run. */
void ShuntBrakeClick(App &app);
/** `A5.PB09`: start a run towards side C, or creep the loco at slot 1 one pixel right. */
void ShuntRightClick(App &app);
/** `A5.PB10` (-10) and `A5.PB12` (+10): pull a standing coupled unit along its track. */
void ShuntPullClick(App &app, int delta);
/** `A5.PB11`: couple or uncouple the loco of the chosen track. */
void ShuntCoupleClick(App &app);

/**
 * Couples a lone loco to its neighbouring vehicles, closing the row up, or
 * uncouples a coupled one, by the colour and text of the track's `PosunN`,
 * and sets the run buttons' captions by the new kind; nothing while the
 * track reads no loco, nor while its unit is partly or wholly on a box
 * panel (stage 2, 3, -2 or -3).
 */
void CoupleLocoOnTrack(App &app, TrackRow &row);

} // namespace trackview
