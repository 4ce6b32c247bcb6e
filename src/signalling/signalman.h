/** @file signalman.h The state machine that the three automatic signalmen share. */
#pragma once

#include <QString>
#include <QStringList>

class App;
class TA1;
namespace ui {
class Control;
class Edit;
class Form;
class Image;
class MediaPlayer;
class SpinEdit;
class Timer;
} // namespace ui

namespace signalling {

/**
 * An aspect that a signalman's clearing turns from `before` into `after`
 * and its return turns back; each write happens only over the word it replaces.
 */
struct AspectStep {
    const char *before;
    const char *after;
};

/** Writes a signal's aspect `to` only if it reads `from`. */
void replaceAspect(ui::Edit *signal, const char *from, const char *to);
/** Clears (before to after) or returns (after to before) a signal by one step. */
void stepAspect(ui::Edit *signal, const AspectStep &step, bool clear);

/**
 * One automatic signalman working a signal box for one line. Its timer's
 * Interval is its state and its period; one tick tests the states in a
 * fixed order, so a waiting state that ends runs the working step in the
 * same tick. A signalman keeps nothing of its own: it is made afresh for
 * every tick from the cells and devices of the forms. The boxes differ in
 * how they set a route, lock it, return the knob and clear the signals;
 * a subclass fills in the line's parts and those steps.
 */
class Signalman {
public:
    /** The states, by their Interval. */
    enum State {
        Armed = 5000,      ///< the next tick acknowledges on the desk
        KnobsBack = 1000,  ///< return the route-lock knobs to rest
        Working = 1001,    ///< set the route, lock it, clear and return the signals, end
        AwaitLock = 3000,  ///< until the box's route-lock field is 5
        AwaitEntry = 3001, ///< until the entry release and train-passed fields are 1
        AwaitExit = 3002,  ///< until the exit release and train-passed fields are 1
    };

    explicit Signalman(App &app);
    virtual ~Signalman() = default;

    /** One tick: the states tested in the order 3002, 3001, 3000, 1001, 1000, 5000. */
    void tick();

protected:
    /** A route-lock knob of the box with its rest place and the route labels that go dark with it. */
    struct RouteKnob {
        ui::Image *knob;
        int rest;
        QStringList labels;
    };

    /* Steps that differ between the boxes. */

    /** State 5000: drops the desk's tablet with its sound (box 2 also closes the crossing). */
    virtual void acknowledge();
    /** The route not locked and no route-lock knob turned: one step of setting the route. */
    virtual void setRouteStep() = 0;
    /** Route not locked, a knob turned and a release given: press the route-lock lever (box 2 tests more). */
    virtual void lockRoute();
    /**
     * Route not locked, before anything else: box 2 ends here once its
     * fields are at rest and the crossing may open.
     * @return whether the tick is over.
     */
    virtual bool endWhileUnlocked() { return false; }
    /**
     * Before the states are tested: box 1 ends its run here when the desk
     * has taken the route back before the box locked it.
     * @return whether the tick is over.
     */
    virtual bool endWhenRouteTakenBack() { return false; }
    /** Route locked, levers at rest and all four fields at 1: box 1 ends, box 2 only releases its levers. */
    virtual void fieldsAtRest() = 0;
    /** @return whether the line is clear behind the train, so the signal knob may go back. */
    virtual bool lineClear() const = 0;
    /** @return whether the exit may be cleared now. */
    virtual bool exitAllowed() const { return true; }
    /** After the signal knob is turned for the exit, before the exit signal clears. */
    virtual void exitKnobTurned() {}
    /** @return the entry aspect written over "Stůj". */
    virtual const char *entryAspect() const = 0;
    /** Raises the fresh entry aspect for a run through the station. */
    virtual void raiseEntry() = 0;
    /** Clears (or returns) the exit signals of the route and the entry signals they raise. */
    virtual void stepExit(bool clear) = 0;

    /* Shared steps. */

    /** Stops the crank: timer at rest, the glows and animations off, the hums silent. */
    void stopCrank();
    /** Presses a lever to `Top` and starts the crank with Interval 300, going to the waiting state. */
    void pressLever(ui::Image *lever, int top, State waiting);
    /** Turns a knob to a store picture and a Left; the image takes the picture's size. */
    static void turnKnob(ui::Image *knob, const ui::Image &picture, int left);
    /** @return whether any of the line's route-lock knobs is turned. */
    bool routeKnobTurned() const;
    /** @return whether a release is given: a release field at 6, or the desk key at its place. */
    bool releaseGiven() const;
    /** Turns the route-lock knob `knob` (0 .. 2) right or left. */
    void turnRouteKnob(int knob, bool right);
    /** @return the field values that the end tests read are all 1. */
    bool allFieldsAtRest() const;
    void setState(State s);
    int state() const;

    App &m_app;
    TA1 *m_a1 = nullptr;

    /* The line's parts, filled by the subclass. */
    ui::Timer *m_timer = nullptr;     ///< `A1.SignalistaA`.
    ui::SpinEdit *m_route = nullptr;  ///< `A1.CestaA`.
    ui::SpinEdit *m_lockField = nullptr, *m_entryRelease = nullptr, *m_entryPassed = nullptr,
                 *m_exitRelease = nullptr, *m_exitPassed = nullptr; ///< `ZavBSt`, `NavBOdSt`, `HrBOd` ...
    ui::Timer *m_crank = nullptr;     ///< `A1.ZaverSt1`.
    ui::MediaPlayer *m_crankSound = nullptr, *m_tabletSound = nullptr;
    const ui::Form *m_box = nullptr;  ///< `A7` or `A8`.
    ui::Image *m_entryLever = nullptr, *m_lockLever = nullptr, *m_exitLever = nullptr;
    int m_lockLeverRest = 0;          ///< The route-lock lever's Top at rest.
    ui::Image *m_signalKnob = nullptr;
    int m_knobRest = 0, m_knobEntry = 0, m_knobExit = 0; ///< Its Left at rest, for the entry, for the exit.
    const ui::Image *m_entryPicture = nullptr, *m_exitPicture = nullptr;
    RouteKnob m_routeKnobs[3] = {};
    QString m_deskKey;                ///< `KlicA`.
    int m_deskKeyLeft = 0;            ///< Its release place from `A6.Blok`.
    ui::Edit *m_entrySignal = nullptr;
    QString m_tablet;                 ///< `DestickaA`.

private:
    void waitFor(ui::SpinEdit *a, ui::SpinEdit *b, int value);
    void returnRouteKnobs();
    void work();
    void workUnlocked();
    void workLocked();
    void entryPart();
    void exitPart();
};

/** @return a form's part of this name as an image; throws the failure of a missing part. */
ui::Image &imagePart(const ui::Form &form, const QString &name);

} // namespace signalling
