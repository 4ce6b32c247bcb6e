/** @file program_start.h The program's start: the launcher shown first, the other forms made once it is painted. */
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class App;
namespace view {
class Front;
}

namespace app {

/**
 * Starts the program as the player sees it: the main form A0 is created and
 * shown, and the other nine forms (with the pictures of the desk, the boxes
 * and the picture store they decode) are created in their order right after
 * the launcher's first paint, so the launcher appears without waiting for
 * them. Until they exist, the player's input is held back, since nothing
 * of the launcher can act on a form that is not there yet; it is kept, in
 * its order, and given to the launcher once they exist, so a click on
 * "Start" during the start is acted on rather than lost.
 */
class ProgramStart : public QObject {
public:
    /** @param app the program, with no form yet. @param front the Qt front following it. */
    ProgramStart(App &app, view::Front &front);
    ~ProgramStart() override;

    /** Creates and shows A0; the rest follows from the event loop. */
    void begin();
    /** @return whether all ten forms exist. */
    bool ready() const { return m_ready; }

    /** Run once all ten forms exist and the input held back has been given: what may wait until the player has the program. */
    std::function<void()> onReady;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /** Creates A1 .. A9, lets the input through again and gives it the input held back. */
    void createTheRest();

    /** One piece of the player's input that came before the forms, and where it went. */
    struct HeldInput {
        QPointer<QObject> receiver;   ///< Null once the receiver is gone.
        std::unique_ptr<QEvent> event; ///< A copy of the event.
    };

    App &m_app;
    view::Front &m_front;
    bool m_painted = false; ///< The launcher has had its first paint; the rest is on its way.
    bool m_ready = false;   ///< The ten forms exist.
    std::vector<HeldInput> m_held; ///< The input held back, in the order it came.
};

} // namespace app
