/** @file program_start.cpp The program's start: the launcher shown first, the other forms made once it is painted. */
#include "app/program_start.h"

#include "core/app.h"
#include "frame/form_a0.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace app {

namespace {

/** @return whether an event is the player's input, which waits for the forms. */
bool isInput(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
        return true;
    default:
        return false;
    }
}

} // namespace

ProgramStart::ProgramStart(App &app, view::Front &front) : m_app(app), m_front(front) {}

ProgramStart::~ProgramStart()
{
    if (!m_ready)
        qApp->removeEventFilter(this);
}

void ProgramStart::begin()
{
    qApp->installEventFilter(this);
    m_app.createLauncher();
    m_app.A0().show();
    /* A launcher that is never painted (a minimised start) still gets its forms. */
    QTimer::singleShot(1000, this, [this] { createTheRest(); });
}

bool ProgramStart::eventFilter(QObject *watched, QEvent *event)
{
    if (isInput(*event)) {
        m_held.push_back({watched, std::unique_ptr<QEvent>(event->clone())});
        return true;
    }
    if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == m_front.window(m_app.A0())) {
        m_painted = true;
        /* After this paint has reached the screen, not inside it. */
        QTimer::singleShot(0, this, [this] { createTheRest(); });
    }
    return false;
}

void ProgramStart::createTheRest()
{
    if (m_ready)
        return;
    m_app.createOtherForms();
    m_ready = true;
    qApp->removeEventFilter(this);
    /* Now what the player did meanwhile, in its order, as if it came now. */
    std::vector<HeldInput> held = std::move(m_held);
    for (HeldInput &input : held)
        if (input.receiver)
            QCoreApplication::sendEvent(input.receiver, input.event.get());
    if (onReady)
        onReady();
}

} // namespace app
