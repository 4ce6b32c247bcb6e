/** @file form_window.h The top-level window of one form: follows the form's state and routes its input. */
#pragma once

#include "view/container_widget.h"

#include "ui/form.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <optional>

namespace view {

/**
 * The window of a form. It builds a widget for each windowed control and
 * paints the graphic ones, follows the form's visibility, caption, frame,
 * size and enabled state, and hands the player's keys, wheel and close
 * button to the form. It observes the form: a change of a control costs
 * an update() of the control's rectangle, or a refresh of its widget (put
 * off while the widget is not shown).
 *
 * When the form is about to be destroyed the window is detached: from then
 * on it never touches the form or its controls again.
 */
class FormWindow : public ContainerWidget, public ui::FormObserver {
    Q_OBJECT
public:
    /** Builds the window of a form and becomes the form's observer. */
    explicit FormWindow(ui::Form &form);
    ~FormWindow() override;

    /** @return whether the window still shows its form. */
    bool alive() const { return m_form != nullptr; }
    /** @return the form shown, null once detached. */
    ui::Form *form() const { return m_form; }
    /** Lets go of the form for good: stops observing it, hides and forgets every control. */
    void detach();
    /** @return the widget hosting a windowed control (the window itself for the form), or null. */
    QWidget *widgetOf(const ui::Control &c) const;
    /** Runs the player's input as an event of the form (failures go to its error report); nothing once detached. */
    void runInput(const std::function<void()> &fn);

    /**
     * Puts a widget of the view's own below the form's designed area,
     * @p height pixels high; the window grows by that much. It is
     * repainted whenever a picture of the form changes.
     */
    void setFooter(QWidget *footer, int height);

    /** Follows the form: caption, enabled, frame, size, place, visibility and raising. */
    void applyLayout() override;
    /** @return a stamp of when the window last came to the front: shown, brought to the front or activated. */
    quint64 frontStamp() const { return m_frontStamp; }
    /**
     * Shows a shown tool window again in a new native window where it
     * stands, as the transient of @p opener, a window mapped anew: a window
     * manager keeps a transient above its window even when that is full-screen
     * and has the keyboard (openbox), but no longer takes a window for the
     * transient of one hidden and shown again. Nothing for other windows.
     */
    void renewOver(QWidget &opener);

    void controlChanged(ui::Control *c) override;
    void controlLayoutChanged(ui::Control *c) override;
    void formStateChanged() override;

    /** The shortest time between two paints of the window: one display frame. */
    static constexpr int FrameMs = 16;
    /** How long the window system has to put a shown window on the screen before it is shown anew; doubled each time. */
    static constexpr int ShowCheckMs = 500;
    /** How many times a window is shown anew before the window system is left to it. */
    static constexpr int MaxShowTries = 4;
    /** How long a window of a size of its own may stand at another size the window system gave it before it asks again. */
    static constexpr int SizeCheckMs = 100;
    /** How many times a window asks again for its own size before it leaves the window system's size be. */
    static constexpr int MaxSizeTries = 3;

signals:
    /** The window system put the window on the screen after it was shown or restored from minimised. */
    void cameUp();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    /** Creates the widgets of parent's windowed children inside host, depth first in creation order. */
    void build(ui::Control &parent, QWidget *host);
    void applyFlags();
    /** Makes a tool window the transient of the window that has the keyboard now, its opener. */
    void followOpener();
    /**
     * Hides the window and lets its native window go; the next show makes a
     * new one (a tool window over the same opener). A window manager may
     * lose a native window unmapped and mapped again before it has handled
     * the unmapping: it stays off the screen while Qt and the form take it
     * as shown. A new native window cannot be taken for the old one.
     */
    void dropNative();
    /** Shows the window anew when the window system has not put it on the screen since it was shown. */
    void checkShown();
    /** Asks again for a form's own size when the window system gave the window another. */
    void checkSize();
    /** Lets go of a native window the window manager left maximised or full-screen; for a form of its own size. */
    void shedManagerState();
    /** Marks the window as the latest to come to the front. */
    void stampFront();
    /** Marks the window as shown or restored: its next exposure tells that it came up. */
    void comeUp();
    void applyGeometry();
    /** Moves the window to its first place: centred on the screen or at the form's position. */
    void place();
    /** Refreshes a widget now, or when it is next shown. */
    void refreshView(HostedView *v);
    void flushDirty();
    /** Repaints where a graphic control was and where it is now. */
    void invalidateGraphic(const ui::Control *c);
    /** @return whether keys go to the form: no hosted input widget has the focus. */
    bool formHasKeys() const;

    ui::Form *m_form;                                     ///< The form; null once detached.
    QHash<const ui::Control *, HostedView *> m_views;     ///< Widgets of the windowed controls, the form included.
    QHash<const ui::Control *, QRect> m_graphicRects;     ///< Where each graphic control was last shown (empty: hidden).
    QSet<HostedView *> m_dirty;                           ///< Widgets changed while not shown.
    bool m_placed = false;  ///< The window got its first place.
    bool m_sized = false;   ///< A maximised form has run its resize handler once.
    QRect m_placedFrom;     ///< The form's bounds when the window was last placed; a new place moves it.
    int m_frontSeen = 0;    ///< The form's front count last acted on.
    std::optional<Qt::WindowFlags> m_flagsAsked; ///< The window flags last given to the window.
    int m_wheelRest = 0;    ///< Wheel turn not yet passed on as whole notches.
    QPointer<QWidget> m_opener;  ///< The window a tool window opened over; it gets the keyboard back.
    bool m_renewing = false;     ///< The native window is being renewed: the opener stays, the keyboard is not handed back.
    QTimer m_showCheck;          ///< Looks whether a shown window got onto the screen.
    int m_showTries = 0;         ///< Times the window was shown anew since the form last showed it.
    QTimer m_sizeCheck;          ///< Looks whether a window of a size of its own got that size.
    int m_sizeTries = 0;         ///< Times the window asked again for the size the form last gave it.
    bool m_comingUp = false;     ///< Shown or restored, and not yet put on the screen since.
    bool m_placeAgain = false;   ///< Placed again once on the screen: a new native window, maybe of another frame.
    quint64 m_frontStamp = 0;    ///< When it last came to the front (see frontStamp).
    QWidget *m_footer = nullptr; ///< The view's own widget below the form's area, if any.
    QElapsedTimer m_lastPaint;   ///< Since the window's dirty region was last painted.
    QTimer m_nextFrame;          ///< Paints what gathered once the frame is over.
    int m_footerHeight = 0;      ///< Its height.
};

} // namespace view
