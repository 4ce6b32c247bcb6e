/** @file app.h The one object that holds the ten forms and the state that outlives them. */
#pragma once

#include <QSize>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace platform {
struct Platform;
}
namespace ui {
class Control;
class Form;
}

class TA0;
class TA1;
class TA2;
class TA3;
class TA4;
class TA5;
class TA6;
class TA7;
class TA8;
class TA9;
namespace frame {
struct FrameMemory;
}

/** One line of a loaded timetable file, from line 30 on. */
using TVlakString = std::vector<QString>;
/** Progress of each timetable line: 0 waiting, 1 due, 2 placed, 3 refused (it cannot be placed). */
using TVlakByte = std::vector<quint8>;

/**
 * The program: the ten forms A0 .. A9, created in their fixed order, and
 * the few things that live outside them for the whole run. Handlers reach
 * the forms only through this object, so a form created anew at the end of
 * a game is the one they see next. The class is declared here, where every
 * handler can include it; its members are defined by the composition root
 * (app/app.cpp), the one place that knows every subsystem.
 */
class App {
public:
    explicit App(platform::Platform &platform);
    ~App();
    App(const App &) = delete;
    App &operator=(const App &) = delete;

    /** Creates the ten forms in start-up order, A0 first; only A0 is shown by the caller. */
    void createForms();
    /** The first half of createForms: the main form A0 alone. */
    void createLauncher();
    /** The second half of createForms: A1 .. A9 in their order, once A0 exists. */
    void createOtherForms();
    /** Destroys and creates anew A1, A2, A5, A6, A7 and A8, in this order. */
    void recreateGameForms();

    TA0 &A0() const { return *m_A0; }
    TA1 &A1() const { return *m_A1; }
    TA2 &A2() const { return *m_A2; }
    TA3 &A3() const { return *m_A3; }
    TA4 &A4() const { return *m_A4; }
    TA5 &A5() const { return *m_A5; }
    TA6 &A6() const { return *m_A6; }
    TA7 &A7() const { return *m_A7; }
    TA8 &A8() const { return *m_A8; }
    TA9 &A9() const { return *m_A9; }

    /** @return the form of this name ("A1"), or null. */
    ui::Form *form(const QString &name) const;
    /** @return the forms in creation order (null before they exist). */
    std::vector<ui::Form *> forms() const;
    /** @return the control named "A1.Rychlost" (a form's own name gives the form), or null. */
    ui::Control *control(const QString &fullName) const;

    platform::Platform &platform() const { return m_platform; }
    /** @return the data directory chosen in the menu, without a trailing separator. */
    QString dataDir() const;

    /** Called after a form has been created anew, so a front can show it. */
    std::function<void(ui::Form &)> onFormCreated;
    /** Called before a form is destroyed, so a front can drop its window. */
    std::function<void(ui::Form &)> onFormDestroying;
    /** Called when the main form closes: the program ends. */
    std::function<void()> onQuit;

    TVlakString TimetableTrainLines;           ///< The loaded timetable's train lines.
    TVlakByte TimetableTrainStates;            ///< Their progress, one per line.
    std::array<quint8, 25> BuiltinTrainFlags{}; ///< Built-in trains: 0 waiting, 1 due, 2 placed.
    /** The train last chosen on the telephone panel; kept from game to game. */
    QString SelectedTrain;
    /** True from a successful game start to the game end; the tick's traffic and timetable work run only then. */
    bool gameRunning = false;

    /** The screen's size, stored once before any window is created; every menu measure derives from it. */
    int ScreenWidth = 1024;
    int ScreenHeight = 768; ///< See ScreenWidth.
    /** @return the screen's size now; the stored one unless the front tells otherwise. */
    QSize screenSize() const { return currentScreen ? currentScreen() : QSize(ScreenWidth, ScreenHeight); }
    /** Tells the screen's present size; null keeps the stored one. */
    std::function<QSize()> currentScreen;
    /** State of the menu and the views' code that outlives their forms. */
    frame::FrameMemory &frameMemory() const { return *m_frameMemory; }

private:
    void createA1();
    void createA2();
    void createA5();
    void createA6();
    void createA7();
    void createA8();
    template <class T> void destroy(std::unique_ptr<T> &form);
    void created(ui::Form &form);

    platform::Platform &m_platform;
    std::unique_ptr<TA0> m_A0;
    std::unique_ptr<TA1> m_A1;
    std::unique_ptr<TA2> m_A2;
    std::unique_ptr<TA3> m_A3;
    std::unique_ptr<TA4> m_A4;
    std::unique_ptr<TA5> m_A5;
    std::unique_ptr<TA6> m_A6;
    std::unique_ptr<TA7> m_A7;
    std::unique_ptr<TA8> m_A8;
    std::unique_ptr<TA9> m_A9;
    std::unique_ptr<frame::FrameMemory> m_frameMemory;
};
