/** @file harness.h Drives the whole program headless by the controls' names, on virtual time. */
#pragma once

#include "core/app.h"
#include "platform/platform.h"
#include "platform/test_platform.h"
#include "ui/controls.h"

#include <QColor>
#include <QSize>
#include <QStringList>

/**
 * The program on the test platform: the ten forms created in their order,
 * A0 shown, time standing still until a test advances it. Controls are
 * named "A1.Rychlost"; a form alone is named "A1".
 */
class Harness {
public:
    /**
     * Starts the program with the data directory dataDir (the repository's
     * data/ by default) on a screen of the given size, which the program
     * stores before it creates its forms.
     */
    explicit Harness(const QString &dataDir = QStringLiteral(KAMENNA_SOURCE_DATA_DIR),
                     QSize screen = QSize(1024, 768));
    ~Harness();

    App &app() { return m_app; }
    /** @return the control of this name; fails the test and throws when there is none. */
    ui::Control &control(const QString &name) const;
    template <class T> T &as(const QString &name) const { return dynamic_cast<T &>(control(name)); }

    /* Reading. */
    /** @return an edit's, spin edit's or combo box's text, a label's, button's or form's caption, a memo's lines joined by "\n". */
    QString text(const QString &name) const;
    int value(const QString &name) const;
    QStringList lines(const QString &name) const;
    QString line(const QString &name, int k) const { return lines(name).value(k); }
    bool checked(const QString &name) const;
    QColor color(const QString &name) const;
    bool visible(const QString &name) const;
    bool enabled(const QString &name) const;
    int selectedRow(const QString &name) const;
    int interval(const QString &name) const;
    bool timerEnabled(const QString &name) const;
    QString clock() const; ///< The clock as the views show it, "12:00:05".

    /* The player's actions. */
    /** Types a text into an edit, spin edit, combo box or memo (one line a "\n"). */
    void type(const QString &name, const QString &text);
    void check(const QString &name, bool on);
    void click(const QString &name);
    void clickRow(const QString &name, int row);
    void press(const QString &name, int x, int y, ui::MouseButton b = ui::MouseButton::Left);
    /**
     * Moves the pointer, held down since the last press, to (x, y) measured
     * from where the pressed control stood at the press. As in the real
     * window, the control's handler gets the point measured from where the
     * control stands now: a control its handler moves sees the pointer move
     * less (or more) than the hand does.
     */
    void move(int x, int y);
    void moveOver(const QString &name, int x, int y);
    /** Releases the button at (x, y), measured as move() measures. */
    void release(int x, int y, ui::MouseButton b = ui::MouseButton::Left);
    /**
     * Double-clicks at (x, y) as the windowing library delivers it: press,
     * release with its click, then the double click and a second press, and
     * the second release without a click.
     */
    void doubleClick(const QString &name, int x = 1, int y = 1);
    /** Presses at from, moves in steps of one pixel to to, releases there; all measured as move() measures. */
    void drag(const QString &name, QPoint from, QPoint to);
    void keyDown(const QString &formName, int key);
    void keyUp(const QString &formName, int key);
    void keyPress(const QString &formName, QChar ch);
    void closeForm(const QString &formName);
    /** Turns the mouse wheel over a form: notches > 0 up, < 0 down, one event a notch. */
    void wheel(const QString &formName, int notches);
    /** Resizes a form as the window system does a maximised window, and runs its resize handler. */
    void resize(const QString &formName, int width, int height);
    /** Resizes a form to the present screen size, as showing a maximised window does. */
    void maximise(const QString &formName);
    /** Changes the screen's present size; the size stored at start stays. */
    void setScreen(QSize size) { m_screen = size; }

    /** Clicks "Start" on the launcher and lets the slides and the menu's layout run until the menu shows. */
    void openMenu();
    /** Moves the pointer over a control, then clicks it: what a menu row needs to act. */
    void hoverClick(const QString &name);

    /* Time. */
    void advanceMs(qint64 ms);
    /** Lets n clock ticks happen, each after the clock timer's current interval. */
    void ticks(int n);
    /** Sets the clock as the game start does: hour, minute and seconds. */
    void setClock(int hour, int minute, int second);

    /* What the player saw and heard. */
    const QStringList &messages() const { return m_messages.shown; }
    void clearMessages() { m_messages.shown.clear(); }
    /** @return the latest sound calls in order (see RecordedAudio::kKept), "play Telefon.wav". */
    QStringList sounds() const { return m_audio.calls(); }
    /** @return how often a sound call ("play Telefon.wav") was made since the start. */
    int soundCount(const QString &call) const { return m_audio.count(call); }
    /** @return the seconds the program itself has worked: its timers and the handlers of the actions. */
    double programSeconds() const { return m_programNs / 1e9; }

private:
    platform::TestPlatform m_test;

public:
    platform::VirtualTimerEngine &timers = m_test.timers;
    platform::RecordedMessageBoxes &messageBoxes() { return m_test.messages; }
    platform::Random &random() { return m_test.random; }

private:
    void run(ui::Control &c, const std::function<void()> &fn);
    /** @return the pointer at (x, y) from the pressed control's place at the press, measured from where c stands now. */
    QPoint pointerOn(const ui::Control &c, int x, int y) const { return m_pressedAt + QPoint(x, y) - c.formPos(); }

    platform::RecordedMessageBoxes &m_messages = m_test.messages;
    platform::RecordedAudio &m_audio = m_test.audio;
    App m_app;
    QSize m_screen;
    ui::Control *m_captured = nullptr;
    QPoint m_pressedAt; ///< Where the pressed control stood at the press, in its form.
    qint64 m_programNs = 0; ///< Time spent in the program's timers and handlers, for the benchmark.
    QString m_capturedName;
};
