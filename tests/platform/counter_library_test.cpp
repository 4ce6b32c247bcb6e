/** @file counter_library_test.cpp Tests of loading the counter library and advancing counters. */
#include "platform/counter_library.h"
#include "failure_text.h"
#include "ui/sim_error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <jpeglib.h>

using testing_support::failureOf;

namespace {

/** Writes content as the file Data/Lib/mavex.so of a data directory. */
void placeLibrary(const QTemporaryDir &dir, const QByteArray &content)
{
    QDir(dir.path()).mkpath("Data/Lib");
    QFile file(dir.filePath("Data/Lib/mavex.so"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

TEST(CounterLibrary, BuiltLibraryAdvancesCounters)
{
    platform::CounterLibrary library;
    library.load(QStringLiteral(KAMENNA_SOURCE_DATA_DIR));
    ASSERT_TRUE(library.isLoaded());
    const QList<std::pair<QString, QString>> rows = {
        {"00041", "00042"}, {"00000", "00001"}, {"00099", "00100"}, {"99999", "00000"},
        {"7", "00008"},     {"1234567", "1234568"}, {"", "00001"}, {"12a45", "00001"},
        {QStringLiteral("žádný"), "00001"},
    };
    for (const auto &[counter, next] : rows)
        EXPECT_EQ(library.call(counter), next) << counter.toStdString();
}

TEST(CounterLibrary, CallBeforeLoadIsAnError)
{
    const platform::CounterLibrary library;
    EXPECT_FALSE(library.isLoaded());
    EXPECT_EQ(failureOf([&] { library.call("00000"); }),
              QStringLiteral("Knihovna počítadel není načtena"));
}

TEST(CounterLibrary, MissingOrBrokenLibraryIsAnErrorNamingIt)
{
    QTemporaryDir dir;
    platform::CounterLibrary library;
    const QString path = dir.filePath("Data/Lib/mavex.so");
    EXPECT_EQ(failureOf([&] { library.load(dir.path()); }),
              QStringLiteral("Knihovnu nelze načíst: ") + path);
    placeLibrary(dir, "not a shared library");
    EXPECT_EQ(failureOf([&] { library.load(dir.path()); }),
              QStringLiteral("Knihovnu nelze načíst: ") + path);
    EXPECT_FALSE(library.isLoaded());
}

TEST(CounterLibrary, LibraryWithoutFunctionIsAnErrorAndKeepsTheLoadedOne)
{
    /* libjpeg is a real shared library that has no function A. */
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void *>(&jpeg_std_error), &info), 0);
    QFile jpegLibrary(QString::fromLocal8Bit(info.dli_fname));
    ASSERT_TRUE(jpegLibrary.open(QIODevice::ReadOnly));
    QTemporaryDir dir;
    placeLibrary(dir, jpegLibrary.readAll());

    platform::CounterLibrary library;
    library.load(QStringLiteral(KAMENNA_SOURCE_DATA_DIR));
    EXPECT_EQ(failureOf([&] { library.load(dir.path()); }),
              QStringLiteral("V knihovně %1 chybí funkce A")
                  .arg(dir.filePath("Data/Lib/mavex.so")));
    EXPECT_EQ(library.call("00041"), "00042");
}

TEST(CounterLibrary, ALibraryThatCrashesLoopsExitsOrRunsOnFailsLikeOneThatCannotLoad)
{
    QTemporaryDir dir;
    QFile garbage(QStringLiteral(KAMENNA_GARBAGE_COUNTER));
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    placeLibrary(dir, garbage.readAll());
    const QString path = dir.filePath("Data/Lib/mavex.so");
    platform::CounterLibrary library;
    library.load(dir.path());
    for (const char *misdeed : {"crash", "loop", "exit", "unterminated", "endless"}) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(failureOf([&] { library.call(QString::fromLatin1(misdeed)); }),
                  QStringLiteral("Knihovnu nelze načíst: ") + path)
            << misdeed;
        EXPECT_LT(clock.elapsed(), 3000) << misdeed;
        /* Each call stands on its own: the next one is answered. */
        EXPECT_EQ(library.call("00041"), QString("garbage-garbage-garbage-garbage-")) << misdeed;
    }
}

TEST(CounterLibrary, AFifoNamedAsTheLibraryIsRefusedAtOnce)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Data/Lib");
    const QString path = dir.filePath("Data/Lib/mavex.so");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    platform::CounterLibrary library;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(failureOf([&] { library.load(dir.path()); }), QStringLiteral("Knihovnu nelze načíst: ") + path);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(library.isLoaded());
}

TEST(CounterLibrary, WhatALibraryLeavesRunningEndsWithItsHelper)
{
    QTemporaryDir dir;
    QFile garbage(QStringLiteral(KAMENNA_GARBAGE_COUNTER));
    ASSERT_TRUE(garbage.open(QIODevice::ReadOnly));
    placeLibrary(dir, garbage.readAll());
    platform::CounterLibrary library;
    library.load(dir.path());
    const QString child = library.call("orphan");
    ASSERT_GT(child.toInt(), 0) << child.toStdString();
    /* Killed with the helper's group: soon gone, or a zombie left for its new parent to reap. */
    auto state = [&] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(child));
        if (!stat.open(QIODevice::ReadOnly))
            return QByteArray("gone");
        const QByteArray fields = stat.readAll();
        return fields.mid(fields.lastIndexOf(')') + 2, 1);
    };
    QElapsedTimer clock;
    clock.start();
    while (state() != "gone" && state() != "Z" && clock.elapsed() < 2000)
        QThread::msleep(5);
    EXPECT_TRUE(state() == "gone" || state() == "Z") << state().toStdString();
}
