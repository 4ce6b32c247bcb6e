/** @file timer_engine_test.cpp Both timer engines: stopping, restarting and destroying timers from their own handlers, and timers due together. */
#include "platform/qt_platform.h"
#include "platform/virtual_timer_engine.h"
#include "view/qt_app.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(VirtualTimers, AHandlerThatStopsItsOwnTimerFiresOnce)
{
    platform::VirtualTimerEngine e;
    int fired = 0;
    int id = -1;
    id = e.create([&] {
        ++fired;
        e.stop(id);
    });
    e.start(id, 10);
    e.advance(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(e.runningCount(), 0);
}

TEST(VirtualTimers, ARestartFromTheHandlerBooksAWholeNewPeriodFromThatMoment)
{
    platform::VirtualTimerEngine e;
    std::vector<qint64> at;
    int id = -1;
    id = e.create([&] {
        at.push_back(e.nowMs());
        if (at.size() == 1)
            e.start(id, 25);
    });
    e.start(id, 10);
    e.advance(70);
    EXPECT_EQ(at, (std::vector<qint64>{10, 35, 60}));
}

TEST(VirtualTimers, NestedAdvancingFiresOtherTimersAndTheOuterAdvanceGoesOn)
{
    platform::VirtualTimerEngine e;
    int other = 0;
    int outer = 0;
    const int otherId = e.create([&] { ++other; });
    const int outerId = e.create([&] {
        ++outer;
        if (outer == 1)
            e.advance(50); // as a message box's own loop would
    });
    e.start(otherId, 10);
    e.start(outerId, 100);
    e.advance(200);
    EXPECT_EQ(e.nowMs(), 200);
    EXPECT_EQ(outer, 2);
    EXPECT_EQ(other, 20);
}

TEST(VirtualTimers, ADestroyedTimerNeverFiresAndItsSlotServesANewOne)
{
    platform::VirtualTimerEngine e;
    int oldFired = 0;
    int newFired = 0;
    const int oldId = e.create([&] { ++oldFired; });
    e.start(oldId, 10);
    e.destroy(oldId);
    const int newId = e.create([&] { ++newFired; });
    EXPECT_EQ(newId, oldId);
    e.advance(30); // the old booking at 10 ms must not fire the new timer
    EXPECT_EQ(oldFired, 0);
    EXPECT_EQ(newFired, 0);
    e.start(newId, 10);
    e.advance(10);
    EXPECT_EQ(newFired, 1);
}

TEST(QtTimers, StopRestartAndDestroyFromInsideAFiringOnTheRealLoop)
{
    ASSERT_NE(qtApp(), nullptr);
    platform::QtTimerEngine e;
    QEventLoop loop;
    int stopper = 0;
    int destroyer = 0;
    int stopperId = -1;
    int destroyerId = -1;
    stopperId = e.create([&] {
        ++stopper;
        e.stop(stopperId);
    });
    destroyerId = e.create([&] {
        ++destroyer;
        e.destroy(destroyerId);
    });
    const int endId = e.create([&] { loop.quit(); });
    e.start(stopperId, 1);
    e.start(destroyerId, 1);
    e.start(endId, 60);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // a safety net, not a measure
    loop.exec();
    EXPECT_EQ(stopper, 1);
    EXPECT_EQ(destroyer, 1);
}

TEST(QtTimers, ATimerRestartedWithTheSameIntervalKeepsFiring)
{
    ASSERT_NE(qtApp(), nullptr);
    platform::QtTimerEngine e;
    QEventLoop loop;
    int fired = 0;
    int id = -1;
    id = e.create([&] {
        if (++fired == 5)
            loop.quit();
        else
            e.start(id, 2);
    });
    e.start(id, 2);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(fired, 5);
}

TEST(QtTimers, TimersOfLongPeriodsDueTogetherWakeTheLoopOnce)
{
    ASSERT_NE(qtApp(), nullptr);
    platform::QtTimerEngine e;
    QEventLoop loop;
    /* The times the loop went to sleep: a firing's count says which wake it came in. */
    int sleeps = 0;
    const QMetaObject::Connection counting = QObject::connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [&] { ++sleeps; });
    std::vector<int> flashes, ticks;
    const int flasher = e.create([&] { flashes.push_back(sleeps); });
    const int clock = e.create([&] {
        ticks.push_back(sleeps);
        if (ticks.size() == 3)
            loop.quit();
    });
    e.start(flasher, 200);
    /* Started a little later, as the forms' timers are one after another. */
    QThread::msleep(4);
    e.start(clock, 400);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(counting);
    ASSERT_EQ(ticks.size(), 3u);
    for (const int tick : ticks)
        EXPECT_NE(std::find(flashes.begin(), flashes.end(), tick), flashes.end()) << tick;
}
