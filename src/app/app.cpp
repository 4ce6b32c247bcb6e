/** @file app.cpp The composition root: the ten forms created in their order, each wired by its subsystems, and re-created at the end of a game. */
#include "core/app.h"

#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/box1_handlers.h"
#include "devices/box2_handlers.h"
#include "devices/device_handlers.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "devices/picture_report.h"
#include "frame/form_a0.h"
#include "frame/form_a4.h"
#include "frame/form_a9.h"
#include "frame/frame_handlers.h"
#include "frame/frame_memory.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"
#include "telephone/telephone_handlers.h"
#include "trackview/form_a5.h"
#include "trackview/shunting.h"
#include "trackview/trackview_handlers.h"
#include "traffic/train_runs.h"

App::App(platform::Platform &platform)
    : m_platform(platform), m_frameMemory(std::make_unique<frame::FrameMemory>())
{
}

App::~App()
{
    /* Destroyed in the reverse of creation order; the main form last. */
    m_A9.reset();
    m_A8.reset();
    m_A7.reset();
    m_A6.reset();
    m_A5.reset();
    m_A4.reset();
    m_A3.reset();
    m_A2.reset();
    m_A1.reset();
    m_A0.reset();
}

void App::created(ui::Form &form)
{
    if (onFormCreated)
        onFormCreated(form);
}

void App::createForms()
{
    createLauncher();
    createOtherForms();
}

void App::createLauncher()
{
    m_A0 = std::make_unique<TA0>(m_platform);
    frame::wireA0(*this);
    created(*m_A0);
}

void App::createOtherForms()
{
    createA1();
    createA2();
    m_A3 = std::make_unique<TA3>(m_platform);
    devices::reportPictureLoadErrors(*m_A3);
    created(*m_A3);
    m_A4 = std::make_unique<TA4>(m_platform);
    created(*m_A4);
    createA5();
    createA6();
    createA7();
    createA8();
    m_A9 = std::make_unique<TA9>(m_platform);
    frame::wireSmallWindows(*this);
    created(*m_A9);
}

template <class T> void App::destroy(std::unique_ptr<T> &form)
{
    if (!form)
        return;
    if (onFormDestroying)
        onFormDestroying(*form);
    form.reset();
}

void App::recreateGameForms()
{
    destroy(m_A1);
    createA1();
    destroy(m_A2);
    createA2();
    destroy(m_A5);
    createA5();
    destroy(m_A6);
    createA6();
    destroy(m_A7);
    createA7();
    destroy(m_A8);
    createA8();
}

void App::createA1()
{
    m_A1 = std::make_unique<TA1>(m_platform);
    core::wireA1(*this);
    signalling::wireA1(*this);
    traffic::wireA1(*this);
    created(*m_A1);
}

void App::createA2()
{
    m_A2 = std::make_unique<TA2>(m_platform);
    core::wireA2(*this);
    created(*m_A2);
}

void App::createA5()
{
    m_A5 = std::make_unique<TA5>(m_platform);
    frame::wireWorkplace(*this, *m_A5);
    signalling::addSignalPanels(*this, *m_A5);
    trackview::wireA5(*this);
    trackview::wireShunting(*this);
    created(*m_A5);
}

void App::createA6()
{
    m_A6 = std::make_unique<TA6>(m_platform);
    frame::wireWorkplace(*this, *m_A6);
    signalling::addSignalPanels(*this, *m_A6);
    devices::wireA6(*this);
    telephone::wireA6(*this);
    created(*m_A6);
}

void App::createA7()
{
    m_A7 = std::make_unique<TA7>(m_platform);
    frame::wireWorkplace(*this, *m_A7);
    signalling::addSignalPanels(*this, *m_A7);
    devices::wireA7(*this);
    trackview::addShuntingA7(*this);
    created(*m_A7);
}

void App::createA8()
{
    m_A8 = std::make_unique<TA8>(m_platform);
    frame::wireWorkplace(*this, *m_A8);
    devices::addBox2Devices(*this, *m_A8);
    signalling::addSignalPanels(*this, *m_A8);
    devices::wireA8(*this);
    trackview::addShuntingA8(*this);
    created(*m_A8);
}

std::vector<ui::Form *> App::forms() const
{
    return {m_A0.get(), m_A1.get(), m_A2.get(), m_A3.get(), m_A4.get(),
            m_A5.get(), m_A6.get(), m_A7.get(), m_A8.get(), m_A9.get()};
}

ui::Form *App::form(const QString &name) const
{
    for (ui::Form *f : forms())
        if (f && f->name() == name)
            return f;
    return nullptr;
}

ui::Control *App::control(const QString &fullName) const
{
    const int dot = fullName.indexOf('.');
    ui::Form *f = form(dot < 0 ? fullName : fullName.left(dot));
    if (!f)
        return nullptr;
    if (dot < 0)
        return f;
    return f->find(fullName.mid(dot + 1));
}

QString App::dataDir() const
{
    return m_A0 ? m_A0->C3->directory() : QString();
}
